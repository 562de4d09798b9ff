// A value holding a character XML cannot carry fails writeString and writeFile with
// ELMX_BAD_CHAR_ENCODING: no document no reader takes, no part of the value dropped.
#include "document_io_support.hpp"

#include <kyr/schema/classes/PaletteType.hpp>

using namespace document_test;

namespace {

const std::pair<std::wstring, lmx::elmx_error> cases[] = {
    {L"a\x01"
     L"z",
     lmx::ELMX_BAD_CHAR_ENCODING},
    {L"\x1F", lmx::ELMX_BAD_CHAR_ENCODING},
    {std::wstring(L"a\0", 2), lmx::ELMX_BAD_CHAR_ENCODING},
    {L"a\xD83D"
     L"z",
     lmx::ELMX_BAD_CHAR_ENCODING}, // a lone high surrogate, once cut short
    {L"a\xD83D", lmx::ELMX_BAD_CHAR_ENCODING},
    {L"a\xDE00", lmx::ELMX_BAD_CHAR_ENCODING},
    {L"\xFFFE", lmx::ELMX_BAD_CHAR_ENCODING},
    {L"x\xFFFF", lmx::ELMX_BAD_CHAR_ENCODING},
    {L" \x7F\xA0\xD7FF\xE000\xFFFD", lmx::ELMX_OK},
    {L"\xD83D\xDE00\xDBFF\xDFFF", lmx::ELMX_OK},
};

class UnwritableText : public scratch
{};

TEST_F(UnwritableText, EveryCharacterXmlCannotCarryFailsTheWrite)
{
    for (const auto& [name, expected] : cases) {
        Kyr document;
        ASSERT_EQ(document.loadFile(wide(data_path("two-palettes.kyr"))), lmx::ELMX_OK);
        document.get_Palette(1).set_PaletteName(name);
        const XMLDocumentResult result = document.writeString();
        EXPECT_EQ(result.getElmxError(), expected) << narrow(name);
        EXPECT_EQ(result.getXmlDocument().empty(), expected != lmx::ELMX_OK) << narrow(name);
        EXPECT_EQ(document.writeFile(wpath("out.kyr")), expected) << narrow(name);
        EXPECT_EQ(document.writeFile(wpath("out.kyrz")), expected) << narrow(name);
        EXPECT_EQ(files().size(), expected == lmx::ELMX_OK ? 2u : 0u) << narrow(name);
        if (expected != lmx::ELMX_OK)
            continue; // the cases that write come last
        Kyr again;
        ASSERT_EQ(again.loadFile(wpath("out.kyr")), lmx::ELMX_OK);
        EXPECT_EQ(again.get_Palette(1).get_PaletteName(), name);
    }
    // The reader takes a control character as it stands; it is not written back.
    std::string text = content_of(data_path("two-palettes.kyr"));
    Kyr read;
    ASSERT_EQ(read.loadString(wide(text.replace(text.find("Autumn"), 6, "Aut\x02umn"))), lmx::ELMX_OK);
    EXPECT_EQ(read.writeString().getElmxError(), lmx::ELMX_BAD_CHAR_ENCODING);
}

} // namespace
