// Built against the installed package: proves the headers, the library and the
// package files are complete.
#include <kyr/kyr.hpp>

#include <cstdio>
#include <cstring>

int main()
{
    if (std::strcmp(KYR_VERSION_STRING, "1.0.0") != 0)
        return 1;
    std::puts("consumer ok");
    return 0;
}
