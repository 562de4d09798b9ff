// writeString refuses a document whose text is not all UTF-8 rather than hand
// back the part before the first stray byte.
#include "document_io_support.hpp"

using namespace document_test;

namespace {

// The palette test document with a revision note in the header, captured as the bytes read.
std::string with_revision(const std::string& namespace_uri)
{
    std::string text = content_of(data_path("two-palettes.kyr"));
    const std::string after = "</Kyr:ReadSDKInformation>\n";
    text.insert(text.find(after) + after.size(),
                "\t\t\t<Kyr:Revision>\n\t\t\t\t<rev:Change xmlns:rev=\"" + namespace_uri
                    + "\" by=\"ann\">first</rev:Change>\n\t\t\t</Kyr:Revision>\n");
    return text;
}

} // namespace

TEST(WriteString, WildcardBytesThatAreNotUtf8AreRefused)
{
    // E5 opens a three-byte sequence that "am" does not continue; reading takes such
    // bytes as they stand, the conversion to UTF-16 cannot.
    const std::string input = with_revision("urn:ex\xE5"
                                            "ample");
    Kyr document;
    ASSERT_EQ(document.unmarshal(input.data(), input.size()), lmx::ELMX_OK);

    const XMLDocumentResult result = document.writeString();
    EXPECT_EQ(result.getElmxError(), lmx::ELMX_BAD_CHAR_ENCODING);
    EXPECT_EQ(result.getXmlDocument(), L"");

    // The document is untouched and its bytes still reach a narrow text whole.
    EXPECT_EQ(document.size_Palette(), 2u);
    std::string narrow_text;
    ASSERT_EQ(document.marshal(&narrow_text), lmx::ELMX_OK);
    EXPECT_NE(narrow_text.find("urn:ex\xE5"
                               "ample"),
              std::string::npos);
    EXPECT_NE(narrow_text.find("PaletteName=\"Autumn\""), std::string::npos);
}

TEST(WriteString, WildcardWithCharactersBeyondAsciiIsWritten)
{
    const std::string input = with_revision("urn:ex\xC3\xA5mple");
    Kyr document;
    ASSERT_EQ(document.unmarshal(input.data(), input.size()), lmx::ELMX_OK);
    const XMLDocumentResult result = document.writeString();
    ASSERT_EQ(result.getElmxError(), lmx::ELMX_OK);
    EXPECT_NE(result.getXmlDocument().find(L"xmlns:rev=\"urn:ex\u00E5mple\""), std::wstring::npos);
    EXPECT_NE(result.getXmlDocument().find(L"</Kyr:Kyr>"), std::wstring::npos);
}
