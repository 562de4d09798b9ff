// Documents read from and written to wide strings of UTF-16 units.
#include "document_io_support.hpp"

using namespace document_test;

namespace {

const std::string template_document = content_of(data_path("parameter-name.kyr"));

// The template with every NAME replaced.
std::wstring with_name(const std::wstring& name)
{
    std::wstring text = wide(template_document);
    for (std::size_t at; (at = text.find(L"NAME")) != std::wstring::npos;)
        text.replace(at, 4, name);
    return text;
}

const std::wstring g_clef = {wchar_t(0xD834), wchar_t(0xDD1E)}; // U+1D11E

} // namespace

TEST(LoadString, SurrogatePairIsOneCharacter)
{
    Kyr document;
    // The parameter name must be exactly one character long.
    ASSERT_EQ(document.loadString(with_name(g_clef)), lmx::ELMX_OK);
    EXPECT_EQ(static_cast<const Kyr&>(document).get_Preamble().get_Header().get_Creator(), g_clef);
    const XMLDocumentResult written = document.writeString();
    ASSERT_EQ(written.getElmxError(), lmx::ELMX_OK);
    EXPECT_NE(written.getXmlDocument().find(L"<Kyr:Name>" + g_clef + L"</Kyr:Name>"), std::wstring::npos);
    EXPECT_NE(narrow(written.getXmlDocument()).find("<Kyr:Creator>\xf0\x9d\x84\x9e</Kyr:Creator>"),
              std::string::npos);
}

TEST(LoadString, ReadsWhatWriteStringWrote)
{
    Kyr original;
    ASSERT_EQ(original.loadString(wide(content_of(data_path("two-palettes.kyr")))), lmx::ELMX_OK);
    const XMLDocumentResult first = original.writeString();
    ASSERT_EQ(first.getElmxError(), lmx::ELMX_OK);
    Kyr copy;
    ASSERT_EQ(copy.loadString(first.getXmlDocument()), lmx::ELMX_OK);
    EXPECT_EQ(copy.size_Palette(), 2u);
    EXPECT_EQ(copy.writeString().getXmlDocument(), first.getXmlDocument());
}

TEST(LoadString, EmptyAndForeignDocuments)
{
    Kyr document;
    EXPECT_NE(document.loadString(L""), lmx::ELMX_OK);
    EXPECT_EQ(document.loadString(L"<Other xmlns=\"http://kyr-format.org/v2\"/>"),
              lmx::ELMX_ELEMENT_NOT_FOUND);
    EXPECT_EQ(document.loadString(L"<Kyr:Kyr xmlns:Kyr=\"http://kyr-format.org/v2\"/>"),
              lmx::ELMX_UNEXPECTED_EMPTY_ELEMENT);
}
