// The strict check, one line per document: what it must refuse, where, and what it must let
// pass. Broader agreement is measured on the W3C suite by w3c_sweep_test.cpp.
#include <gtest/gtest.h>

#include <kyr/lmx/well_formed.hpp>
#include <kyr/lmx/xml_reader.hpp>

using namespace lmx;

namespace {

struct strict_case
{
    const char* text;
    elmx_error code;
    std::size_t line;
    std::size_t column;
    const char* message;
};

const strict_case cases[] = {
    {"<a/>", ELMX_OK, 0, 0, ""},
    {"\xEF\xBB\xBF<?xml version='1.0' encoding='UTF-8' standalone='yes'?>\n<a b='&#x10FFFF;'/>\n<!--x-->",
     ELMX_OK, 0, 0, ""},
    {"<!DOCTYPE a [<!ENTITY e '<b>&#38;#60;</b>'><!ATTLIST a t NMTOKEN #IMPLIED>]><a t=' x '>&e;</a>",
     ELMX_OK, 0, 0, ""},
    {"<a>\xC3\xA9\xF0\x9F\x98\x80</a>", ELMX_OK, 0, 0, ""},
    {"<a>\xC0\xAF</a>", ELMX_BAD_CHAR_ENCODING, 1, 4, "bytes that are not well-formed UTF-8"},
    {"<a>\xED\xA0\x80</a>", ELMX_BAD_CHAR_ENCODING, 1, 4, "bytes that are not well-formed UTF-8"},
    {"<a>\xF4\x90\x80\x80</a>", ELMX_BAD_CHAR_ENCODING, 1, 4, "bytes that are not well-formed UTF-8"},
    {"<a>\n\x01</a>", ELMX_BAD_CHAR_ENCODING, 2, 1, "a character XML does not allow"},
    {"<a>\xEF\xBF\xBE</a>", ELMX_BAD_CHAR_ENCODING, 1, 4, "a character XML does not allow"},
    {"<a>&#1;</a>", ELMX_NOT_WELL_FORMED, 1, 8, "a reference to a character XML does not allow"},
    {"<a/><b/>", ELMX_NOT_WELL_FORMED, 1, 5, "content after the document element"},
    {"<a/>text", ELMX_NOT_WELL_FORMED, 1, 5, "content after the document element"},
    {"<a>\r\n\r\n</b>", ELMX_BAD_END_TAG, 3, 4, "an end tag that does not match the start tag"},
    {"<a x='1' x='2'/>", ELMX_ATTRIBUTE_ALREADY_READ, 1, 15, "an attribute given twice"},
    {"<a xmlns:p='u' xmlns:q='u' p:x='1' q:x='2'/>", ELMX_ATTRIBUTE_ALREADY_READ, 1, 1,
     "an attribute given twice in one namespace"},
    {"<p:a/>", ELMX_NOT_WELL_FORMED, 1, 1, "a prefix with no namespace declared"},
    {"<a xmlns:p=''/>", ELMX_NOT_WELL_FORMED, 1, 1, "a prefix bound to no namespace"},
    {"<a b='<'/>", ELMX_NOT_WELL_FORMED, 1, 7, "'<' in an attribute value"},
    {"<a>&e;</a>", ELMX_ENTITY_NOT_FOUND, 1, 7, "a reference to an undeclared entity"},
    {"<!DOCTYPE a [<!ENTITY e '&e;'>]><a>&e;</a>", ELMX_RECURSIVE_ENTITY, 1, 36,
     "an entity that refers to itself"},
    {"<!DOCTYPE a [<!ENTITY e '<b>'>]><a>&e;</b></a>", ELMX_NOT_WELL_FORMED, 1, 36, "an element not closed"},
    {"<a><!-- a -- b --></a>", ELMX_BAD_COMMENT, 1, 11, "'--' inside a comment"},
    {"<a>]]></a>", ELMX_NOT_WELL_FORMED, 1, 4, "']]>' in text"},
    {"<a/><?xml version='1.0'?>", ELMX_BAD_XML_DECL, 1, 10, "an XML declaration not at the start"},
    {"<?xml version='2.0'?><a/>", ELMX_BAD_XML_VERSION, 1, 20, "a version that is not 1.x"},
    {"<!DOCTYPE a [<!ELEMENT a (b|c,d)>]><a/>", ELMX_BAD_DTD, 1, 30, "'|' and ',' mixed in one group"},
    {"<!DOCTYPE a [<!ENTITY % p 'x'><!ENTITY e '%p;'>]><a/>", ELMX_BAD_DTD, 1, 43,
     "a parameter entity reference inside a declaration"},
    {"<a", ELMX_BAD_START_TAG_END, 1, 3, "a start tag not closed"},
    {"", ELMX_NOT_WELL_FORMED, 1, 1, "no document element"},
};

TEST(StrictCheck, EachDocumentGivesItsFault)
{
    for (const strict_case& c : cases) {
        s_well_formed_fault fault;
        EXPECT_EQ(check_well_formed(c.text, &fault), c.code) << c.text;
        EXPECT_EQ(fault.code, c.code) << c.text;
        EXPECT_EQ(fault.line, c.line) << c.text;
        EXPECT_EQ(fault.column, c.column) << c.text;
        EXPECT_EQ(fault.message, c.message) << c.text;
    }
}

TEST(StrictCheck, Utf16ByItsByteOrderMark)
{
    EXPECT_EQ(check_well_formed(std::string("\xFF\xFE<\0a\0/\0>\0", 10)), ELMX_OK);
    EXPECT_EQ(check_well_formed(std::string("\xFE\xFF\0<\0a\0/\0>", 10)), ELMX_OK);
    EXPECT_EQ(check_well_formed(std::string("\xFF\xFE<\0a\0\x00\xD8/\0>\0", 12)), ELMX_BAD_CHAR_ENCODING);
    EXPECT_EQ(check_well_formed("<?xml version='1.0' encoding='UTF-16'?><a/>"), ELMX_BAD_CHAR_ENCODING);
    EXPECT_EQ(check_well_formed("<?xml version='1.0' encoding='ISO-8859-1'?><a>\xE9</a>"), ELMX_OK);
    EXPECT_EQ(check_well_formed("<?xml version='1.0' encoding='US-ASCII'?><a>\xE9</a>"),
              ELMX_BAD_CHAR_ENCODING);
}

} // namespace

namespace {

// A strict reader fails before its first event, and its message carries the fault's line.
TEST(StrictReader, FailsBeforeTheFirstEventAtTheFaultsLine)
{
    const std::string text = "<a>\n<b></a>";
    for (const bool strict : {false, true}) {
        c_xml_reader_memory reader(text.data(), text.size());
        reader.set_strict(strict);
        c_xml_reader_local scope(reader);
        elmx_error error = ELMX_OK;
        std::string name;
        EXPECT_EQ(reader.get_element_event(nullptr, &error, &name), strict ? ELXP_ERROR : ELXP_NAME);
        EXPECT_EQ(error, strict ? ELMX_BAD_END_TAG : ELMX_OK);
        EXPECT_EQ(reader.get_strict_fault().line, strict ? 2u : 0u);
        reader.handle_error(ELMX_BAD_END_TAG, name, __FILE__, __LINE__);
        std::string message;
        EXPECT_EQ(reader.get_error_message(&message),
                  strict ? "line:2-''-Syntax error in end tag" : "line:1-'a'-Syntax error in end tag");
    }
}

} // namespace
