// Attributes of a start tag: walking, values in the white-space modes, searches, xsi, errors.
#include "reader_fixture.hpp"

using namespace lmx;
using reader_test::last_report;

namespace {

const char k_xsi[] = "xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance'";
const s_event_map k_attribute_map[] = {{1, "Name", 4, 40}, {1, "nil", 3, 41}, {1, "Nam", 3, 42}, {0, nullptr, 0, 1}};

class Attributes : public reader_test::c_reader_fixture
{
};
KYR_READER_FEEDS(Attributes);

TEST_P(Attributes, PlainValuesKeepTheirBytesAndTheirLinesInEveryMode)
{
    const std::string doc = "<a x='12.5' y='a\nb' z=\"q'r\"\n w='x\ty'>\n<b/>";
    open(doc);
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(attributes(), "x=12.5;y=a\nb;z=q'r;w=x\ty;");
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, "b");
    EXPECT_EQ(reader().get_line_no(), 4);
    for (const elmx_whitespace mode : {ELMX_WHITESPACE_REPLACE, ELMX_WHITESPACE_COLLAPSE}) {
        open(doc);
        ASSERT_EQ(next(), ELXP_NAME);
        EXPECT_EQ(attributes(mode), "x=12.5;y=a b;z=q'r;w=x y;") << mode;
    }
}

TEST_P(Attributes, TwoAttributesThenStartTagEnd)
{
    open("<a x=\"1\" y='2'>");
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(attributes(), "x=1;y=2;");
    EXPECT_EQ(m_error, ELMX_OK);
    EXPECT_EQ(reader().get_current_event(), ELXP_START_TAG_END);
}

TEST_P(Attributes, LineEndsAfterTheNameAndBetweenAttributes)
{
    open("<a\n\tx='1'\r\n\ty='2'\n>\n<b\r\n/><c\t>");
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, "a");
    EXPECT_EQ(attributes(), "x=1;y=2;");
    EXPECT_EQ(reader().get_current_event(), ELXP_START_TAG_END);
    EXPECT_EQ(reader().get_line_no(), 4);
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, "b");
    EXPECT_EQ(attributes(), "");
    EXPECT_EQ(reader().get_current_event(), ELXP_END_TAG);
    EXPECT_EQ(reader().get_line_no(), 6);
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, "c");
    EXPECT_EQ(attributes(), "");
    EXPECT_EQ(reader().get_current_event(), ELXP_START_TAG_END);
    // A bad byte after a name and a line end is reported on the line where it stands.
    open_core("<a\n\n%>");
    ASSERT_EQ(core_next(), ELXP_NAME);
    EXPECT_EQ(m_core->get_attribute_name(&m_name), ELXP_ERROR);
    EXPECT_EQ(reader_test::last_report(*m_log), "23:3");
}

TEST_P(Attributes, EmptyElementEndsWithEndTag)
{
    for (const char* doc : {"<a x='1'/>", "<a x='1' / >", "<a/>"}) {
        open(doc);
        ASSERT_EQ(next(), ELXP_NAME) << doc;
        attributes();
        EXPECT_EQ(reader().get_current_event(), ELXP_END_TAG) << doc;
    }
}

TEST_P(Attributes, ProcessingInstructionPseudoAttributesEndWithQuestionMark)
{
    open_core("<a v='1'?>");
    ASSERT_EQ(core_next(), ELXP_NAME);
    EXPECT_EQ(m_core->get_attribute_name(&m_name, true), ELXP_NAME);
    EXPECT_EQ(m_core->get_attribute_name(&m_name, true), ELXP_END_TAG);
}

TEST_P(Attributes, XsiAttributesGiveTheirEventsWhateverTheMap)
{
    const s_event_map map_claiming_nil[] = {{5, "nil", 3, 99}, {1, "nil", 3, 98}, {0, nullptr, 0, 1}};
    open(std::string("<a ") + k_xsi +
         " xsi:nil='true' xsi:type='T' xsi:schemaLocation='s' xsi:noNamespaceSchemaLocation='n' xsi:other='o' nil='x'/>");
    c_xml_reader_local scope(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    std::vector<int> events;
    while (reader().get_attribute_event(map_claiming_nil, &m_error, &m_name))
        events.push_back(reader().get_current_event());
    EXPECT_EQ(events, (std::vector<int>{ELXP_XSI_NIL, ELXP_XSI_TYPE, ELXP_XSI_SCHEMA_LOCATION,
                                        ELXP_XSI_NO_NAMESPACE_SCHEMA_LOCATION, ELXP_UNKNOWN_ITEM, 98}));
}

TEST_P(Attributes, MapMatchesIdFirstCharLengthAndBytes)
{
    open("<a Name='1' Nam='2' Names='3' name='4' p:Name='5' xmlns:p='urn:p'/>");
    c_xml_reader_local scope(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    std::vector<int> events;
    while (reader().get_attribute_event(k_attribute_map, &m_error, &m_name))
        events.push_back(reader().get_current_event());
    EXPECT_EQ(events, (std::vector<int>{40, 42, ELXP_UNKNOWN_ITEM, ELXP_UNKNOWN_ITEM, ELXP_UNKNOWN_ITEM}));
}

TEST_P(Attributes, UnprefixedAttributesIgnoreTheDefaultNamespace)
{
    open("<a xmlns='urn:d' Name='1'/>");
    c_xml_reader_local scope(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    ASSERT_TRUE(reader().get_attribute_event(k_attribute_map, &m_error, &m_name));
    EXPECT_EQ(reader().get_current_event(), 40);
    EXPECT_EQ(reader().get_ns_id(), 1000);
}

TEST_P(Attributes, DeclarationsAreNotReportedAsAttributes)
{
    open("<a xmlns='urn:d' xmlns:p='urn:p' xmlnsx='1' xmlns-y='2' p:z='3'/>");
    c_xml_reader_local scope(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(attributes(), "xmlnsx=1;xmlns-y=2;p:z=3;");
}

TEST_P(Attributes, ValuesInEachWhiteSpaceMode)
{
    const std::string doc = "<a v=' x &amp;&#x20; y\t&lt;z ' w='  a \n b  '/>";
    struct s_case
    {
        elmx_whitespace mode;
        const char* expected;
    };
    for (const s_case& c : {s_case{ELMX_WHITESPACE_PRESERVE, "v= x &  y\t<z ;w=  a \n b  ;"},
                            s_case{ELMX_WHITESPACE_REPLACE, "v= x &  y <z ;w=  a   b  ;"},
                            s_case{ELMX_WHITESPACE_COLLAPSE, "v=x & y <z;w=a b;"}}) {
        open(doc);
        ASSERT_EQ(next(), ELXP_NAME);
        EXPECT_EQ(attributes(c.mode), c.expected) << c.mode;
    }
}

TEST_P(Attributes, DeclaredEntitiesExpandInValues)
{
    open("<!DOCTYPE a [<!ENTITY e 'in&amp;side'>]><a v='[&e;]'/>");
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(attributes(), "v=[in&side];");
}

TEST_P(Attributes, UndeclaredEntityMakesTheValueUnreadable)
{
    open("<a v='x&nope;y' w='ok'/>");
    ASSERT_EQ(next(), ELXP_NAME);
    ASSERT_TRUE(reader().get_attribute_event(nullptr, &m_error, &m_name));
    std::string value;
    EXPECT_FALSE(reader().get_attribute_value(&value));
    ASSERT_TRUE(reader().get_attribute_event(nullptr, &m_error, &m_name));
    EXPECT_EQ(m_name, "w");
    EXPECT_TRUE(reader().get_attribute_value(&value));
    EXPECT_EQ(value, "ok");
}

TEST_P(Attributes, UnreadValuesAreSkippedOnTheWayToTheNextName)
{
    open("<a x='1' y='2' z='3'/>");
    ASSERT_EQ(next(), ELXP_NAME);
    std::string value;
    ASSERT_TRUE(reader().get_attribute_event(nullptr, &m_error, &m_name));
    reader().skip_attribute_value();
    ASSERT_TRUE(reader().get_attribute_event(nullptr, &m_error, &m_name));
    ASSERT_TRUE(reader().get_attribute_event(nullptr, &m_error, &m_name));
    EXPECT_EQ(m_name, "z");
    EXPECT_TRUE(reader().get_attribute_value(&value));
    EXPECT_EQ(value, "3");
    EXPECT_FALSE(reader().get_attribute_value(&value));
    EXPECT_FALSE(reader().get_attribute_event(nullptr, &m_error, &m_name));
}

TEST_P(Attributes, NamedAttributeSearchesFromTheReadPositionThenRestarts)
{
    open("<a xmlns:p='urn:p' p:k='pk' k='plain' m='em'/>");
    c_xml_reader_local scope(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    const int p = reader().find_enumerated_namespace("urn:p");
    std::string value;
    EXPECT_TRUE(reader().get_named_attribute(p, "k", &value));
    EXPECT_EQ(value, "pk");
    EXPECT_TRUE(reader().get_named_attribute(1, "k", &value));
    EXPECT_EQ(value, "plain");
    EXPECT_FALSE(reader().get_named_attribute(1, "absent", &value));
    // Past the first attributes, the search starts at the read position.
    ASSERT_TRUE(reader().get_attribute_event(nullptr, &m_error, &m_name));
    ASSERT_TRUE(reader().get_attribute_event(nullptr, &m_error, &m_name));
    EXPECT_FALSE(reader().get_named_attribute(p, "k", &value));
    // ...and the walk starts again from the first one afterwards.
    EXPECT_EQ(attributes(), "p:k=pk;k=plain;m=em;");
}

TEST_P(Attributes, XsiTypeGivesThePrefixIdAndLocalPart)
{
    struct s_case
    {
        const char* type_attribute;
        int id;
        const char* name;
    };
    for (const s_case& c : {s_case{"xsi:type='k:CMYK'", 1000, "CMYK"}, s_case{"xsi:type='Plain'", 1, "Plain"},
                            s_case{"xsi:type='u:T'", 0, "T"}}) {
        open(std::string("<a ") + k_xsi + " xmlns:k='urn:k' " + c.type_attribute + "/>");
        c_xml_reader_local scope(reader());
        ASSERT_EQ(next(), ELXP_NAME);
        int id = -1;
        std::string name;
        EXPECT_TRUE(reader().get_xsi_type(&id, &name)) << c.type_attribute;
        EXPECT_EQ(id, c.id) << c.type_attribute;
        EXPECT_EQ(name, c.name) << c.type_attribute;
    }
    open("<a xmlns='urn:d' type='x'/>");
    c_xml_reader_local scope(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    int id = -1;
    std::string name;
    EXPECT_FALSE(reader().get_xsi_type(&id, &name));
}

TEST_P(Attributes, XsiTypeWithDefaultNamespaceTakesItsId)
{
    open(std::string("<a ") + k_xsi + " xmlns='urn:d' xsi:type='T'/>");
    c_xml_reader_local scope(reader());
    ASSERT_EQ(next(), ELXP_NAME);
    int id = -1;
    std::string name;
    EXPECT_TRUE(reader().get_xsi_type(&id, &name));
    EXPECT_EQ(id, reader().find_enumerated_namespace("urn:d"));
}

TEST_P(Attributes, MalformedAttributesAreFatalWithTheirMessages)
{
    struct s_case
    {
        const char* doc;
        const char* report;
        const char* message;
    };
    for (const s_case& c :
         {s_case{"<a x>", "23:1", "Schema is not Well Formed (expected '=', got '>')"},
          s_case{"<a x y='1'>", "23:1", "Schema is not Well Formed (expected '=', got 'y')"},
          s_case{"<a\nx=1>", "23:2", "Schema is not Well Formed (expected '\"' or ''', got 1)"},
          s_case{"<a x='1", "23:1", "Schema is not Well Formed (expected '\"' or ''', got EOF)"},
          s_case{"<a x", "34:1", "Unexpected end of file"}, s_case{"<a x ", "34:1", "Unexpected end of file"}}) {
        open_core(c.doc);
        EXPECT_EQ(core_next(), ELXP_ERROR) << c.doc;
        EXPECT_EQ(last_report(*m_log), c.report) << c.doc;
        EXPECT_EQ(m_log->m_last, c.message) << c.doc;
        EXPECT_TRUE(m_log->is_fatal_errored()) << c.doc;
    }
}

TEST_P(Attributes, BadByteWhereTheTagShouldEnd)
{
    for (const char* doc : {"<a x='1' %>", "<a x='1'/x>", "<a x='1'", "<a x='1'/"}) {
        open_core(doc);
        ASSERT_EQ(core_next(), ELXP_NAME) << doc;
        EXPECT_EQ(m_core->get_attribute_name(&m_name), ELXP_NAME) << doc;
        const int cut_off = doc[std::string(doc).size() - 1] != '>';
        EXPECT_EQ(m_core->get_attribute_name(&m_name), cut_off ? ELXP_END_OF_INPUT : ELXP_ERROR) << doc;
        EXPECT_EQ(m_log->m_last, "XML not well-formed") << doc;
        EXPECT_EQ(reader_test::last_report(*m_log), "23:1") << doc;
    }
    open("<a x='1' %>");
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(attributes(), "x=1;<error>");
    EXPECT_EQ(m_error, ELMX_NOT_WELL_FORMED);
}

TEST_P(Attributes, InputEndingInsideTheTagIsUnexpectedEnd)
{
    open("<a x='1' ");
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(attributes(), "x=1;<error>");
    EXPECT_EQ(m_error, ELMX_UNEXPECTED_END_OF_MESSAGE);
    EXPECT_EQ(reader().get_error(), ELMX_NOT_WELL_FORMED);
}

TEST_P(Attributes, TooManyAttributesIsFatal)
{
    std::string doc = "<a";
    for (int i = 0; i <= 10000; ++i)
        doc += " a" + std::to_string(i) + "=''";
    open_core(doc + "/>");
    EXPECT_EQ(core_next(), ELXP_ERROR);
    EXPECT_EQ(m_log->m_last, "Too many attributes in one start tag (limit 10000 attributes)");
    EXPECT_TRUE(m_log->is_fatal_errored());
}

} // namespace
