// Loads a Kyr document from arbitrary bytes. Whatever the outcome, the document that
// remains must be writable without crashing: a failed load must not leave it broken.
#include <cstddef>
#include <cstdint>
#include <string>

#include <kyr/schema/classes/Kyr.hpp>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    com_kyrandel_v2::Kyr document;
    document.unmarshal(reinterpret_cast<const char*>(data), size);
    std::string text;
    document.marshal(&text);
    return 0;
}
