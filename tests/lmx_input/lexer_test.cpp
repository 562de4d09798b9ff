// The lexer: white-space modes, comments, processing instructions, the XML declaration,
// CDATA, character references and the end of a start tag.
#include <gtest/gtest.h>

#include <string>

#include "input_support.hpp"

using namespace lmx;
using kyr_test::c_lexer_fixture;
using kyr_test::feed;
using kyr_test::k_all_feeds;

namespace {

// Feeds `text` through add_char_wsp in `mode`, each byte as if read from the input.
std::string apply_mode(elmx_whitespace mode, const std::string& text)
{
    c_lexer_fixture f("<");
    f.lexer.set_ws_mode(mode);
    std::string out;
    for (char c : text)
        f.lexer.add_char_wsp(&out, static_cast<unsigned char>(c));
    return out;
}

// Reads `text` as a value: bytes through the mode, "&" through insert_entity.
std::string read_value(c_lexer_fixture& f, elmx_whitespace mode, bool* ok = nullptr)
{
    f.lexer.set_ws_mode(mode);
    std::string out;
    bool all_ok = true;
    for (int c = f.lexer.get(); c >= 0; c = f.lexer.get()) {
        if (c == '&') {
            c_entity_name_reader_for_c_get reader(f.lexer);
            all_ok = f.lexer.insert_entity(reader, &out) && all_ok;
        } else {
            f.lexer.add_char_wsp(&out, c);
        }
    }
    if (ok)
        *ok = all_ok;
    return out;
}

} // namespace

TEST(WhiteSpaceModes, CollapseAndReplace)
{
    const std::string text = "  a \n b  ";
    EXPECT_EQ(apply_mode(ELMX_WHITESPACE_COLLAPSE, text), "a b");
    const std::string replaced = apply_mode(ELMX_WHITESPACE_REPLACE, text);
    EXPECT_EQ(replaced, "  a   b  ");
    EXPECT_EQ(replaced.size(), text.size());
    EXPECT_EQ(apply_mode(ELMX_WHITESPACE_PRESERVE, text), text);
    EXPECT_EQ(apply_mode(ELMX_WHITESPACE_REPLACE, "\t\v\f\r\n"), "     ");
    EXPECT_EQ(apply_mode(ELMX_WHITESPACE_COLLAPSE, " \t\v\f\r\n"), "");
}

TEST(WhiteSpaceModes, SetModeAndResetForgetAPendingSpace)
{
    c_lexer_fixture f("<");
    f.lexer.set_ws_mode(ELMX_WHITESPACE_COLLAPSE);
    std::string out = "x";
    f.lexer.add_char_wsp(&out, ' ');
    f.lexer.reset_ws_mode();
    f.lexer.add_char_wsp(&out, 'y');
    EXPECT_EQ(out, "xy");
    EXPECT_EQ(f.lexer.get_ws_mode(), ELMX_WHITESPACE_COLLAPSE);
    f.lexer.add_char_wsp(&out, ' ');
    f.lexer.set_ws_mode(ELMX_WHITESPACE_COLLAPSE);
    f.lexer.add_char_wsp(&out, 'z');
    EXPECT_EQ(out, "xyz");
}

TEST(WhiteSpaceModes, CharacterReferencesWithTheFlagOn)
{
    // The reader's setting: referenced white space obeys the mode.
    c_lexer_fixture f("a&#9;&#32;b&#10;", feed::memory, true);
    EXPECT_EQ(read_value(f, ELMX_WHITESPACE_COLLAPSE), "a b");
    c_lexer_fixture g("a&#9;b&#10;", feed::memory, true);
    EXPECT_EQ(read_value(g, ELMX_WHITESPACE_REPLACE), "a b ");
}

TEST(WhiteSpaceModes, CharacterReferencesWithTheFlagOff)
{
    // Referenced white space is kept in replace mode; in collapse mode a referenced space
    // only marks a pending space and other referenced white space is kept.
    c_lexer_fixture f("a&#9;b&#10;", feed::memory, false);
    EXPECT_EQ(read_value(f, ELMX_WHITESPACE_REPLACE), "a\tb\n");
    c_lexer_fixture g("&#32;a&#32;&#32;b&#9;c ", feed::memory, false);
    EXPECT_EQ(read_value(g, ELMX_WHITESPACE_COLLAPSE), "a b\tc");
}

TEST(WhiteSpaceModes, PendingSpaceComesBeforeTextAppendedDirectly)
{
    c_lexer_fixture f("a  &#233;  &lt;  b", feed::memory, true);
    EXPECT_EQ(read_value(f, ELMX_WHITESPACE_COLLAPSE), "a \xc3\xa9 < b");
}

TEST(Lexer, NonWhiteSpaceAndSpecifiedStrings)
{
    c_lexer_fixture f(" \t\r\n\v\fx version");
    EXPECT_EQ(f.lexer.get_non_ws(), 'x');
    EXPECT_EQ(f.lexer.get_line_num(), 2);
    EXPECT_TRUE(f.lexer.read_specified_string_from_input(""));
    EXPECT_TRUE(f.lexer.read_specified_string_from_input(" vers"));
    EXPECT_FALSE(f.lexer.read_specified_string_from_input("iox"));
    EXPECT_EQ(f.lexer.get_last_mismatch(), 'n');
    EXPECT_EQ(f.rest(), "");
    EXPECT_EQ(f.lexer.get_non_ws(), -1);
}

TEST(Comments, EndsAndWarnings)
{
    for (feed how : k_all_feeds) {
        c_lexer_fixture f(" a -- b -> c-->X\n\n x --->Y a-->", how);
        EXPECT_TRUE(f.lexer.skip_comment());
        EXPECT_EQ(f.lexer.get(), 'X');
        EXPECT_TRUE(f.errors.reports.empty());
        EXPECT_TRUE(f.lexer.skip_comment());
        ASSERT_EQ(f.errors.reports.size(), 1u);
        EXPECT_EQ(f.errors.reports[0].type, ELMX_ERROR_TYPE_WARNING);
        EXPECT_EQ(f.errors.reports[0].code, ELMX_BAD_COMMENT);
        EXPECT_EQ(f.errors.reports[0].message, "End of comment not Well-Formed");
        EXPECT_EQ(f.errors.reports[0].line, 3);
        EXPECT_EQ(f.lexer.get(), 'Y');
        EXPECT_TRUE(f.lexer.skip_comment());
        EXPECT_FALSE(f.lexer.skip_comment());
    }
    c_lexer_fixture empty("-->");
    EXPECT_TRUE(empty.lexer.skip_comment());
    c_lexer_fixture cut(" text --");
    EXPECT_FALSE(cut.lexer.skip_comment());
    EXPECT_TRUE(cut.errors.reports.empty());
}

TEST(ProcessingInstructions, SkipToQuestionMarkGreaterThan)
{
    c_lexer_fixture f(" target a > b ? c?>X");
    EXPECT_TRUE(f.lexer.skip_PI());
    EXPECT_EQ(f.lexer.get(), 'X');
    c_lexer_fixture cut("target ?");
    EXPECT_FALSE(cut.lexer.skip_PI());
    // read_PI: a short target whose mismatch byte is the "?" still closes at once.
    c_lexer_fixture short_target("pi?>Z");
    EXPECT_TRUE(short_target.lexer.read_PI());
    EXPECT_EQ(short_target.lexer.get(), 'Z');
    c_lexer_fixture x("x?>Z");
    EXPECT_TRUE(x.lexer.read_PI());
    EXPECT_EQ(x.lexer.get(), 'Z');
    EXPECT_TRUE(x.errors.reports.empty());
}

TEST(ProcessingInstructions, TargetStartingWithXmlIsTakenForTheDeclaration)
{
    c_lexer_fixture before("xml-stylesheet href='a'?>");
    EXPECT_FALSE(before.lexer.read_PI());
    ASSERT_EQ(before.errors.reports.size(), 1u);
    EXPECT_EQ(before.errors.reports[0].type, ELMX_ERROR_TYPE_ERROR);
    EXPECT_EQ(before.errors.reports[0].code, ELMX_BAD_XML_DECL);
    EXPECT_EQ(before.errors.reports[0].message, "Version not present in XML Decl");

    c_lexer_fixture after("\n\nxml-stylesheet href='a'?>");
    after.lexer.get_non_ws();
    after.lexer.unget('x');
    after.lexer.set_element_seen(true);
    EXPECT_FALSE(after.lexer.read_PI());
    ASSERT_EQ(after.errors.reports.size(), 1u);
    EXPECT_EQ(after.errors.reports[0].type, ELMX_ERROR_TYPE_FATAL);
    EXPECT_EQ(after.errors.reports[0].code, ELMX_BAD_XML_DECL);
    EXPECT_EQ(after.errors.reports[0].message, "XML declaration not at start of document");
    EXPECT_EQ(after.errors.reports[0].line, 3);
    // Fatal: the input has ended.
    EXPECT_EQ(after.lexer.get(), -1);
}

TEST(XmlDeclaration, AcceptedForms)
{
    for (const char* decl : {" version=\"1.0\"?>", " version = '1.1' ?>", " version='1.0' standalone='maybe'?>",
                             " version='1.0' standalone='yes'?>", " version='1.0' encoding='UTF-8' standalone='yes' ?>",
                             " version='1.0' encoding ?>"}) {
        c_lexer_fixture f(std::string("<") + decl + "X");
        f.lexer.get();
        EXPECT_TRUE(f.lexer.read_xml_decl()) << decl;
        EXPECT_TRUE(f.errors.reports.empty()) << decl;
        EXPECT_EQ(f.lexer.get(), 'X') << decl;
    }
}

TEST(XmlDeclaration, Refusals)
{
    struct s_case
    {
        const char* decl;
        elmx_error code;
        const char* message;
    };
    const s_case cases[] = {
        {"?>", ELMX_BAD_XML_DECL, "Version not present in XML Decl"},
        {" encoding='UTF-8'?>", ELMX_BAD_XML_DECL, "Version not present in XML Decl"},
        {" version 1.0?>", ELMX_BAD_XML_DECL, "Version not present in XML Decl"},
        {" version=1.0?>", ELMX_BAD_XML_DECL, "Version not present in XML Decl"},
        {" version='1.0?>", ELMX_BAD_XML_DECL, "Version not present in XML Decl"},
        {" version='2.0'?>", ELMX_BAD_XML_VERSION, "XML version 2.0 not understood"},
        {" version=\"\"?>", ELMX_BAD_XML_VERSION, "XML version  not understood"},
        {" version='1.0' standalone='no'?>", ELMX_BAD_XML_DECL, "XML Document is not standalone"},
    };
    for (const s_case& c : cases) {
        c_lexer_fixture f(std::string("<") + c.decl);
        f.lexer.get();
        EXPECT_FALSE(f.lexer.read_xml_decl()) << c.decl;
        ASSERT_EQ(f.errors.reports.size(), 1u) << c.decl;
        EXPECT_EQ(f.errors.reports[0].type, ELMX_ERROR_TYPE_ERROR);
        EXPECT_EQ(f.errors.reports[0].code, c.code) << c.decl;
        EXPECT_EQ(f.errors.reports[0].message, c.message) << c.decl;
    }
    // Broken without a report of their own.
    for (const char* decl : {" version='1.0' encode='x'?>", " version='1.0' standalon='no'?>", " version='1.0'>",
                             " version='1.0' ?", " version='1.0' other='1'?>", " version='1.0' encoding=x?>"}) {
        c_lexer_fixture f(std::string("<") + decl);
        f.lexer.get();
        EXPECT_FALSE(f.lexer.read_xml_decl()) << decl;
        EXPECT_TRUE(f.errors.reports.empty()) << decl;
    }
}

TEST(XmlDeclaration, EncodingIsApplied)
{
    c_lexer_fixture f("<?xml version='1.0' encoding='ISO-8859-1'?><a>\xe9</a>");
    f.lexer.read_specified_string_from_input("<?xml");
    EXPECT_TRUE(f.lexer.read_xml_decl());
    EXPECT_EQ(f.rest(), "<a>\xc3\xa9</a>");
    c_lexer_fixture bad("<?xml version='1.0' encoding='Latin-1'?><a/>");
    bad.lexer.read_specified_string_from_input("<?xml");
    EXPECT_FALSE(bad.lexer.read_xml_decl());
    ASSERT_EQ(bad.errors.reports.size(), 1u);
    EXPECT_EQ(bad.errors.reports[0].message, "Unknown character encoding specified");
    c_lexer_fixture mismatch("<?xml version='1.0' encoding='utf-16'?><a/>");
    mismatch.lexer.read_specified_string_from_input("<?xml");
    EXPECT_FALSE(mismatch.lexer.read_xml_decl());
    ASSERT_EQ(mismatch.errors.reports.size(), 1u);
    EXPECT_EQ(mismatch.errors.reports[0].code, ELMX_ENCODING_MISMATCH);
}

TEST(QuotedValues, SimpleQuotedValue)
{
    c_lexer_fixture f("  'a\"b' \"c'd\"'x");
    std::string v;
    EXPECT_TRUE(f.lexer.get_simple_quoted_value(&v));
    EXPECT_EQ(v, "a\"b");
    EXPECT_TRUE(f.lexer.get_simple_quoted_value(&v));
    EXPECT_EQ(v, "c'd");
    EXPECT_FALSE(f.lexer.get_simple_quoted_value(&v));
    c_lexer_fixture none("x'");
    EXPECT_FALSE(none.lexer.get_simple_quoted_value(&v));
}

TEST(Cdata, BracketsAndEnd)
{
    for (feed how : k_all_feeds) {
        c_lexer_fixture f("a]b]]c<&amp;]]]>X]]>", how);
        std::string text;
        EXPECT_TRUE(f.lexer.read_cdata_section(&text));
        EXPECT_EQ(text, "a]b]]c<&amp;]");
        EXPECT_EQ(f.lexer.get(), 'X');
        text.clear();
        EXPECT_TRUE(f.lexer.read_cdata_section(&text));
        EXPECT_EQ(text, "");
    }
    c_lexer_fixture cut("text]]");
    std::string text;
    EXPECT_FALSE(cut.lexer.read_cdata_section(&text));
    EXPECT_EQ(text, "text]]");
    EXPECT_TRUE(cut.errors.reports.empty());
}

TEST(CharacterReferences, DecimalAndHex)
{
    struct s_case
    {
        const char* after_hash;
        bool ok;
        const char* out;
        int next;
    };
    const s_case cases[] = {
        {"65 ", true, "A", ' '},
        {"65;b", true, "A", 'b'},
        {"x41;", true, "A", -1},
        {"x4a;", true, "J", -1},
        {"xE9;", true, "\xc3\xa9", -1},
        {"233", true, "\xc3\xa9", -1},
        {"x20AC;", true, "\xe2\x82\xac", -1},
        {"x100000;", true, "\xf4\x80\x80\x80", -1},
        {"1048576;", true, "\xf4\x80\x80\x80", -1},
        {"x100001;", false, "", -1},
        {"1048577;", false, "", -1},
        {"x10FFFF;", false, "", -1},
        {"99999999999999999999999;", false, "", -1},
        {"x;", false, "", -1},
        {";", false, "", -1},
        {"a;", false, "", ';'},
        {"X41;", false, "", '4'},
        {"0;", false, "", -1},
        {"x0;", false, "", -1},
        {"x85;", true, "\n", -1},
        {"8232;", true, "\n", -1},
        {"0000065;", true, "A", -1},
    };
    for (const s_case& c : cases)
        for (feed how : k_all_feeds) {
            c_lexer_fixture f(c.after_hash, how);
            c_entity_name_reader_for_c_get reader(f.lexer);
            std::string out;
            EXPECT_EQ(f.lexer.insert_character_entity(reader, &out), c.ok) << c.after_hash;
            EXPECT_EQ(out, c.out) << c.after_hash;
            EXPECT_EQ(f.lexer.get(), c.next) << c.after_hash;
        }
}

TEST(CharacterReferences, LineFeedReferencesFollowTheMode)
{
    c_lexer_fixture f("a&#x85;b&#8232;c", feed::memory, true);
    EXPECT_EQ(read_value(f, ELMX_WHITESPACE_REPLACE), "a b c");
}

TEST(StartTagEnd, EndsAndEmptyElements)
{
    struct s_case
    {
        const char* text;
        bool ok;
        bool empty;
        int next;
    };
    const s_case cases[] = {
        {" a='1'>X", true, false, 'X'},
        {" a='/>' b=\"'>\"/>X", true, true, 'X'},
        {"/ >X", true, true, 'X'},
        {"/\n\t>X", true, true, 'X'},
        {"/>X", true, true, 'X'},
        {"/", true, true, -1},
        {"/  ", true, true, -1},
        {" a='>", false, false, -1},
        {"", false, false, -1},
    };
    for (const s_case& c : cases)
        for (feed how : k_all_feeds) {
            c_lexer_fixture f(c.text, how);
            bool empty = !c.empty;
            EXPECT_EQ(f.lexer.move_to_start_tag_end(&empty), c.ok) << c.text;
            if (c.ok) {
                EXPECT_EQ(empty, c.empty) << c.text;
            }
            EXPECT_EQ(f.lexer.get(), c.next) << c.text;
            EXPECT_TRUE(f.errors.reports.empty()) << c.text;
        }
    c_lexer_fixture no_flag(">Y");
    EXPECT_TRUE(no_flag.lexer.move_to_start_tag_end());
    EXPECT_EQ(no_flag.lexer.get(), 'Y');
}

TEST(StartTagEnd, ByteAfterSlashIsReported)
{
    c_lexer_fixture f("\n a='1' /x y>Z");
    bool empty = false;
    EXPECT_FALSE(f.lexer.move_to_start_tag_end(&empty));
    ASSERT_EQ(f.errors.reports.size(), 1u);
    EXPECT_EQ(f.errors.reports[0].type, ELMX_ERROR_TYPE_ERROR);
    EXPECT_EQ(f.errors.reports[0].code, ELMX_BAD_END_TAG);
    EXPECT_EQ(f.errors.reports[0].message, "Illegal character(s) after / at end of tag - x");
    EXPECT_EQ(f.errors.reports[0].line, 2);
    EXPECT_EQ(f.lexer.get(), 'Z');
}

TEST(LexerRewind, ClearsModeEntitiesAndStartsOver)
{
    c_lexer_fixture f("<a>&e;");
    f.lexer.set_ws_mode(ELMX_WHITESPACE_COLLAPSE);
    f.lexer.add_general_entity("e", "v");
    f.lexer.add_parameter_entity("p", "v");
    f.lexer.set_input_entity_value("text");
    f.lexer.get();
    f.lexer.set_dtd_read(true);
    f.lexer.set_element_seen(true);
    f.lexer.rewind();
    EXPECT_EQ(f.lexer.get_ws_mode(), ELMX_WHITESPACE_PRESERVE);
    const char* v;
    EXPECT_FALSE(f.lexer.get_general_entity("e", &v));
    EXPECT_FALSE(f.lexer.get_parameter_entity("p", &v));
    EXPECT_EQ(f.lexer.get_entity_stack_depth(), 0u);
    EXPECT_EQ(f.rest(), " <a>&e;");
    // The document flags belong to the reader's rewind.
    EXPECT_TRUE(f.lexer.is_dtd_read());
    EXPECT_TRUE(f.lexer.is_element_seen());
}
