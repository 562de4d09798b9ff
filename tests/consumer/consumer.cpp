// Built against the installed package: proves the headers, the library and the
// package files are complete by reading, changing and writing a document.
#include <kyr/kyr.hpp>

#include <cstdio>

int main()
{
    const std::wstring text =
        L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        L"<Kyr:Kyr xmlns:Kyr=\"http://kyr-format.org/v2\">"
        L"<Kyr:Preamble><Kyr:Header>"
        L"<Kyr:Creator>consumer</Kyr:Creator><Kyr:CreatorVersion>1</Kyr:CreatorVersion>"
        L"<Kyr:ChangeHistory>2026-12-05T18:00:00Z</Kyr:ChangeHistory><Kyr:Purpose>test</Kyr:Purpose>"
        L"</Kyr:Header></Kyr:Preamble></Kyr:Kyr>";
    com_kyrandel_v2::Kyr document;
    if (document.loadString(text) != lmx::ELMX_OK)
        return 1;
    com_kyrandel_v2::XMLDocumentResult written = document.writeString();
    if (written.getElmxError() != lmx::ELMX_OK
        || written.getXmlDocument().find(L"<Kyr:SDKName>Kyr2-LMX-3.7.6</Kyr:SDKName>") == std::wstring::npos)
        return 1;
    std::puts("consumer ok");
    return 0;
}
