// Skipping elements: unknown children, element bodies, and the rest of an element.
#include "reader_fixture.hpp"

using namespace lmx;

namespace {

const s_event_map k_map[] = {{1, "known", 5, 50}, {0, nullptr, 0, 1}};
const s_known_elements k_enclosing[] = {{1, "sibling", 7}, {1000, "other", 5}, {0, nullptr, 0}};
const s_known_elements k_none[] = {{0, nullptr, 0}};

class Skipping : public reader_test::c_reader_fixture
{
protected:
    // Opens `doc`, reads its root and its attributes; the root's content scope is opened by the caller.
    void enter_root(const std::string& doc)
    {
        open(doc);
        ASSERT_EQ(next(), ELXP_NAME);
        attributes();
    }

    int next_known(const s_event_map* map)
    {
        m_error = ELMX_OK;
        return reader().get_known_element_event(map, &m_error, &m_name);
    }
};
KYR_READER_FEEDS(Skipping);

TEST_P(Skipping, UnknownElementWithChildrenIsSkippedWhole)
{
    enter_root("<r><unknown a='1'><x><y/>&amp;text<x/></x>more<![CDATA[</unknown>]]></unknown>\n<known/></r>");
    c_xml_reader_local content(reader());
    c_known_elements_selector known(reader(), k_none);
    EXPECT_EQ(next_known(k_map), 50);
    EXPECT_EQ(m_name, "known");
    EXPECT_EQ(m_error, ELMX_OK);
    attributes();
    EXPECT_EQ(next_known(k_map), ELXP_END_TAG);
    EXPECT_EQ(m_name, "r");
}

TEST_P(Skipping, KnownElementOfAnEnclosingModelIsLeftToTheCaller)
{
    enter_root("<r><u/><sibling x='1'><deep/></sibling><other/></r>");
    c_xml_reader_local content(reader());
    c_known_elements_selector known(reader(), k_enclosing);
    EXPECT_EQ(next_known(k_map), ELXP_UNKNOWN_ITEM);
    EXPECT_EQ(m_name, "sibling");
    EXPECT_EQ(reader().get_current_event(), ELXP_UNKNOWN_ITEM);
    EXPECT_TRUE(reader().skip_rest_of_element(m_name));
    // "other" is known only in another namespace, so it is skipped too.
    EXPECT_EQ(next_known(k_map), ELXP_END_TAG);
}

TEST_P(Skipping, WithoutAMapEverythingUnknownIsSkipped)
{
    enter_root("<r><a/><b><c/></b><sibling/></r>");
    c_xml_reader_local content(reader());
    c_known_elements_selector known(reader(), k_enclosing);
    EXPECT_EQ(next_known(nullptr), ELXP_UNKNOWN_ITEM);
    EXPECT_EQ(m_name, "sibling");
}

TEST_P(Skipping, MissingKnownElementsTableCountsAsEmpty)
{
    enter_root("<r><sibling/><known/></r>");
    c_xml_reader_local content(reader());
    ASSERT_EQ(reader().get_known_elements(), nullptr);
    EXPECT_EQ(next_known(k_map), 50);
}

TEST_P(Skipping, SelectorRestoresThePreviousTable)
{
    open("<r/>");
    {
        c_known_elements_selector outer(reader(), k_enclosing);
        {
            c_known_elements_selector inner(reader(), k_none);
            EXPECT_EQ(reader().get_known_elements(), k_none);
        }
        EXPECT_EQ(reader().get_known_elements(), k_enclosing);
    }
    EXPECT_EQ(reader().get_known_elements(), nullptr);
}

TEST_P(Skipping, FailureWhileSkippingIsBadlyFormed)
{
    for (const char* doc : {"<r><u><x></y></u><known/></r>", "<r><u><x>", "<r><u / x><known/></r>", "<r><u>&nope;</u></r>"}) {
        enter_root(doc);
        c_xml_reader_local content(reader());
        EXPECT_EQ(next_known(k_map), ELXP_ERROR) << doc;
        EXPECT_EQ(m_error, ELMX_BADLY_FORMED) << doc;
        EXPECT_EQ(reader().get_current_event(), ELXP_ERROR) << doc;
    }
}

TEST_P(Skipping, MismatchedEndTagReport)
{
    open_core("<r>\n<a>\n<b></c></a></r>");
    ASSERT_EQ(core_next(), ELXP_NAME);
    bool empty = true;
    ASSERT_TRUE(m_core->skip_start_tag(&empty));
    EXPECT_FALSE(empty);
    EXPECT_FALSE(m_core->skip_element_body("r"));
    EXPECT_EQ(m_log->m_last, "Element start tag (b) and end tag (c) do not match");
    EXPECT_EQ(reader_test::last_report(*m_log), "23:3");
}

TEST_P(Skipping, BodyEndTagIsComparedAsWritten)
{
    open_core("<p:r xmlns:p='urn:p'><p:x/></q:r>");
    ASSERT_EQ(core_next(), ELXP_NAME);
    EXPECT_FALSE(m_core->skip_rest_of_element(m_name));
    EXPECT_EQ(m_log->m_last, "Element start tag (p:r) and end tag (q:r) do not match");
}

TEST_P(Skipping, RestOfElement)
{
    open("<r a='>'/><s>t<u/></s>");
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_TRUE(reader().skip_rest_of_element(m_name));
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_TRUE(reader().skip_rest_of_element(m_name));
    EXPECT_EQ(next(), ELXP_END_OF_INPUT);
}

TEST_P(Skipping, RestOfEmptyElement)
{
    open("<r/><s> </s ><t>x</t>");
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_TRUE(reader().skip_rest_of_empty_element(m_name));
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_TRUE(reader().skip_rest_of_empty_element(m_name));
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_FALSE(reader().skip_rest_of_empty_element(m_name));
}

TEST_P(Skipping, IsElementEndTag)
{
    open_core("  </a >");
    EXPECT_TRUE(m_core->is_element_end_tag("a"));
    open_core("</ab>");
    EXPECT_FALSE(m_core->is_element_end_tag("a"));
    open_core("<a>");
    EXPECT_FALSE(m_core->is_element_end_tag("a"));
}

TEST_P(Skipping, SkippedDeclarationsDoNotLeak)
{
    enter_root("<r xmlns:p='urn:r'><u xmlns:p='urn:u'><p:x/></u><p:known/></r>");
    c_xml_reader_local content(reader());
    const s_event_map map[] = {{1000, "known", 5, 50}, {0, nullptr, 0, 1}};
    EXPECT_EQ(next_known(map), 50);
    EXPECT_EQ(reader().get_element_ns_id(), 1000);
}

} // namespace
