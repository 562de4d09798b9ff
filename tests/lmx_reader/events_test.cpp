// Element events: start and end tags, text, CDATA, skipped constructs and lexical errors.
#include "reader_fixture.hpp"

using namespace lmx;
using reader_test::last_report;

namespace {

const char k_kyr_uri[] = "http://kyr.example/v2";
const s_ns_map k_kyr_ns_map[] = {{1000, "Kyr", k_kyr_uri}, {0, nullptr, nullptr}};
const s_event_map k_root_map[] = {{1000, "Kyr", 3, 20}, {0, nullptr, 0, 1}};

class Events : public reader_test::c_reader_fixture
{
};
KYR_READER_FEEDS(Events);

TEST_P(Events, EmptyDocumentIsEndOfInput)
{
    open("");
    EXPECT_EQ(next(), ELXP_END_OF_INPUT);
    EXPECT_EQ(m_error, ELMX_UNEXPECTED_END_OF_MESSAGE);
    EXPECT_EQ(reader().get_error(), ELMX_OK);
    open(" \n\t ");
    EXPECT_EQ(next(), ELXP_END_OF_INPUT);
    EXPECT_EQ(m_error, ELMX_UNEXPECTED_END_OF_MESSAGE);
}

TEST_P(Events, RootUnderAnyPrefixResolvesToTheSchemaId)
{
    for (const char* doc : {"<k:Kyr xmlns:k='http://kyr.example/v2'/>", "<Kyr xmlns='http://kyr.example/v2'/>",
                            "<Kyr:Kyr xmlns:Kyr='http://kyr.example/v2'/>"}) {
        open(doc);
        reader().set_ns_map(k_kyr_ns_map);
        c_xml_reader_local scope(reader());
        EXPECT_EQ(next(), ELXP_NAME) << doc;
        EXPECT_EQ(reader().get_element_ns_id(), 1000) << doc;
        EXPECT_EQ(reader().get_local_name(), "Kyr") << doc;
        EXPECT_EQ(reader().get_full_name(), m_name) << doc;
        EXPECT_EQ(reader().tokenise(k_root_map, ELXP_ELEM), 20) << doc;
        EXPECT_EQ(reader().get_current_event(), 20) << doc;
    }
}

TEST_P(Events, MapGivesTheRootsEventDirectly)
{
    open("<k:Kyr xmlns:k='http://kyr.example/v2'>");
    reader().set_ns_map(k_kyr_ns_map);
    c_xml_reader_local scope(reader());
    EXPECT_EQ(next(k_root_map), 20);
    EXPECT_EQ(m_name, "k:Kyr");
}

TEST_P(Events, UndeclaredPrefixResolvesToZero)
{
    open("<q:Kyr/>");
    reader().set_ns_map(k_kyr_ns_map);
    c_xml_reader_local scope(reader());
    EXPECT_EQ(next(k_root_map), ELXP_UNKNOWN_ITEM);
    EXPECT_EQ(reader().get_ns_id(), 0);
    EXPECT_EQ(reader().get_element_ns_id(), 0);
}

TEST_P(Events, WalksMarkupSkippingDeclarationsCommentsAndInstructions)
{
    open("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- first -->\n<a><?pi data?>text<b/>&lt;<!-- c --></a >\n");
    c_xml_reader_local scope(reader());
    EXPECT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, "a");
    EXPECT_EQ(attributes(), "");
    EXPECT_EQ(reader().get_current_event(), ELXP_START_TAG_END);
    EXPECT_EQ(next(), ELXP_VALUE);
    EXPECT_EQ(m_name, "text");
    EXPECT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, "b");
    EXPECT_EQ(attributes(), "");
    EXPECT_EQ(reader().get_current_event(), ELXP_END_TAG);
    EXPECT_EQ(next(), ELXP_VALUE);
    EXPECT_EQ(m_name, "<");
    EXPECT_EQ(next(), ELXP_END_TAG);
    EXPECT_EQ(m_name, "a");
    EXPECT_EQ(next(), ELXP_END_OF_INPUT);
    EXPECT_EQ(reader().get_error(), ELMX_OK);
    EXPECT_EQ(reader().get_line_no(), 4);
}

TEST_P(Events, CdataWhereAnElementMayStartIsAValue)
{
    open("<a><![CDATA[ x<y]]z ]]></a>");
    EXPECT_EQ(next(), ELXP_NAME);
    attributes();
    EXPECT_EQ(next(), ELXP_VALUE);
    EXPECT_EQ(m_name, " x<y]]z ");
    EXPECT_EQ(next(), ELXP_END_TAG);
}

TEST_P(Events, EntityTextIsReadAsMarkup)
{
    open("<!DOCTYPE a [<!ENTITY e \"x&amp;y\"><!ENTITY m \"<b>in</b>\">]><a>&e;&m;</a>");
    EXPECT_EQ(next(), ELXP_NAME);
    attributes();
    EXPECT_EQ(next(), ELXP_VALUE);
    EXPECT_EQ(m_name, "x&y");
    EXPECT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, "b");
    attributes();
    EXPECT_EQ(next(), ELXP_VALUE);
    EXPECT_EQ(m_name, "in");
    EXPECT_EQ(next(), ELXP_END_TAG);
    EXPECT_EQ(m_name, "b");
    EXPECT_EQ(next(), ELXP_END_TAG);
    EXPECT_EQ(m_name, "a");
}

TEST_P(Events, EntitiesDeclaredBeforeReading)
{
    open("<a>&pre;</a>");
    reader().add_general_entity("pre", "declared");
    EXPECT_EQ(next(), ELXP_NAME);
    attributes();
    EXPECT_EQ(next(), ELXP_VALUE);
    EXPECT_EQ(m_name, "declared");
}

TEST_P(Events, UndeclaredEntityInPlaceOfAnElementIsAnError)
{
    open("<a>&nope;</a>");
    EXPECT_EQ(next(), ELXP_NAME);
    attributes();
    EXPECT_EQ(next(), ELXP_ERROR);
    EXPECT_NE(m_error, ELMX_OK);
}

TEST_P(Events, EndOfInputInsideContent)
{
    open("<a>");
    EXPECT_EQ(next(), ELXP_NAME);
    attributes();
    EXPECT_EQ(next(), ELXP_END_OF_INPUT);
    EXPECT_EQ(m_error, ELMX_UNEXPECTED_END_OF_MESSAGE);
}

TEST_P(Events, TextRunningIntoTheEndIsPremature)
{
    open_core("<a/>\ntail");
    EXPECT_EQ(core_next(), ELXP_NAME);
    EXPECT_EQ(m_core->get_attribute_name(&m_name), ELXP_END_TAG);
    EXPECT_EQ(core_next(), ELXP_ERROR);
    EXPECT_EQ(last_report(*m_log), "34:2");
    EXPECT_EQ(m_log->m_last, "Premature end of file encountered");
}

TEST_P(Events, MalformedTagsReportNotWellFormed)
{
    struct s_case
    {
        const char* doc;
        const char* message;
    };
    for (const s_case& c : {s_case{"<a></a b>", "XML not Well-Formed"}, s_case{"<a></>", "XML not Well-Formed"},
                            s_case{"<a><1/></a>", "XML not Well-Formed"}, s_case{"<a></a", "XML not Well-Formed"},
                            s_case{"<a><![CDAT[x]]></a>", "XML not Well-Formed"}}) {
        open_core(c.doc);
        EXPECT_EQ(core_next(), ELXP_NAME) << c.doc;
        EXPECT_EQ(m_core->get_attribute_name(&m_name), ELXP_START_TAG_END) << c.doc;
        EXPECT_EQ(core_next(), ELXP_ERROR) << c.doc;
        EXPECT_EQ(last_report(*m_log), "23:1") << c.doc;
        EXPECT_EQ(m_log->m_last, c.message) << c.doc;
    }
}

TEST_P(Events, EndOfInputInsideAnElementName)
{
    open_core("<abc");
    EXPECT_EQ(core_next(), ELXP_ERROR);
    EXPECT_EQ(m_log->m_last, "XML not Well-Formed");
}

TEST_P(Events, RecoversAfterASkippedBadTag)
{
    open("<a><1 x='>'/><b/></a>");
    EXPECT_EQ(next(), ELXP_NAME);
    attributes();
    EXPECT_EQ(next(), ELXP_ERROR);
    EXPECT_EQ(m_error, ELMX_NOT_WELL_FORMED);
    // The bad tag was skipped to its first ">", so what follows is read as text.
    EXPECT_EQ(next(), ELXP_VALUE);
    EXPECT_EQ(m_name, "'/>");
    EXPECT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, "b");
}

TEST_P(Events, ConstructRefusedWithoutReportStillFails)
{
    open("<!x><a/>");
    EXPECT_EQ(next(), ELXP_ERROR);
    EXPECT_EQ(reader().get_error(), ELMX_OK);
    EXPECT_EQ(m_error, ELMX_NOT_WELL_FORMED);
    EXPECT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, "a");
}

TEST_P(Events, XmlDeclarationAfterTheFirstElementIsFatal)
{
    open_core("<a/>\n<?xml version='1.0'?>");
    EXPECT_EQ(core_next(), ELXP_NAME);
    m_core->get_attribute_name(&m_name);
    EXPECT_EQ(core_next(), ELXP_ERROR);
    EXPECT_EQ(last_report(*m_log), "13:2");
    EXPECT_EQ(m_log->m_last, "XML declaration not at start of document");
    EXPECT_TRUE(m_log->is_fatal_errored());
}

TEST_P(Events, DoctypeAfterTheFirstElementIsRefused)
{
    open_core("<a/><!DOCTYPE a>");
    EXPECT_EQ(core_next(), ELXP_NAME);
    m_core->get_attribute_name(&m_name);
    EXPECT_EQ(core_next(), ELXP_ERROR);
    EXPECT_EQ(last_report(*m_log), "9:1");
    EXPECT_EQ(m_log->m_last, "Document Type Declaration not at start of document");
}

TEST_P(Events, LexicalErrorLineIsTheDecodersLine)
{
    open("<a>\n\n<b x=1/></a>");
    c_xml_reader_local scope(reader());
    EXPECT_EQ(next(), ELXP_NAME);
    attributes();
    EXPECT_EQ(next(), ELXP_ERROR);
    EXPECT_EQ(m_error, ELMX_NOT_WELL_FORMED);
    EXPECT_EQ(last_report(errors()), "23:3");
    EXPECT_TRUE(errors().is_fatal_errored());
    // After a fatal report the input has ended for good.
    EXPECT_EQ(next(), ELXP_END_OF_INPUT);
}

TEST_P(Events, RewindReadsAgainWithAFreshNamespaceTable)
{
    open("<p:a xmlns:p='urn:one'/>");
    {
        c_xml_reader_local scope(reader());
        EXPECT_EQ(next(), ELXP_NAME);
        EXPECT_EQ(reader().get_element_ns_id(), 1000);
        EXPECT_EQ(reader().find_enumerated_namespace("urn:one"), 1000);
    }
    reader().rewind();
    EXPECT_EQ(reader().find_enumerated_namespace("urn:one"), 0);
    EXPECT_EQ(reader().find_enumerated_namespace("http://www.w3.org/2001/XMLSchema-instance"), 5);
    reader().add_namespace("urn:zero");
    c_xml_reader_local scope(reader());
    EXPECT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, "p:a");
    EXPECT_EQ(reader().get_element_ns_id(), 1001);
}

TEST_P(Events, TokenisableEvents)
{
    open("<a/>");
    for (int event : {int(ELXP_NAME), int(ELXP_UNKNOWN_ITEM), 12, 302})
        EXPECT_TRUE((reader().restore_event(event), reader().is_current_event_tokenisable())) << event;
    for (int event : {0, 2, 3, 4, 5, 6, 8, 9, 10, 11})
        EXPECT_FALSE((reader().restore_event(event), reader().is_current_event_tokenisable())) << event;
    EXPECT_TRUE(c_xml_reader::is_error_event(ELXP_ERROR));
    EXPECT_TRUE(c_xml_reader::is_error_event(ELXP_RESERVED_ERROR));
    EXPECT_FALSE(c_xml_reader::is_error_event(ELXP_UNKNOWN_ITEM));
}

} // namespace
