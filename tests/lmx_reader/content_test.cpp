// Element content: simple values, content of any type as text, whole elements as text.
#include "reader_fixture.hpp"

using namespace lmx;

namespace {

class Content : public reader_test::c_reader_fixture
{
protected:
    // Opens `doc` and reads its first start tag.
    void start(const std::string& doc)
    {
        open(doc);
        ASSERT_EQ(next(), ELXP_NAME);
    }

    bool simple(elmx_whitespace mode = ELMX_WHITESPACE_PRESERVE)
    {
        m_error = ELMX_OK;
        return reader().get_simple_type_value(m_name, mode, &m_value, &m_error, &m_empty);
    }

    std::string m_value = "stale";
    bool m_empty = false;
};
KYR_READER_FEEDS(Content);

TEST_P(Content, CommentsAndInstructionsVanishFromSimpleValues)
{
    start("<v>12<!-- a comment -->3<?pi x?>4</v>");
    EXPECT_TRUE(simple());
    EXPECT_EQ(m_value, "1234");
    EXPECT_FALSE(m_empty);
    EXPECT_EQ(next(), ELXP_END_OF_INPUT);
}

TEST_P(Content, ChildElementInSimpleContentIsBadEndOfElement)
{
    start("<v>12<c/>3</v>");
    EXPECT_FALSE(simple());
    EXPECT_EQ(m_error, ELMX_BAD_END_OF_ELEMENT);
    EXPECT_EQ(m_value, "12");
}

TEST_P(Content, CdataKeepsItsWhiteSpaceInCollapseMode)
{
    start("<v>  a  <![CDATA[ b  c ]]>  </v>");
    EXPECT_TRUE(simple(ELMX_WHITESPACE_COLLAPSE));
    EXPECT_EQ(m_value, "a b  c ");
}

TEST_P(Content, WhiteSpaceModesOfSimpleValues)
{
    struct s_case
    {
        elmx_whitespace mode;
        const char* expected;
    };
    for (const s_case& c : {s_case{ELMX_WHITESPACE_PRESERVE, "  a \n b  "}, s_case{ELMX_WHITESPACE_REPLACE, "  a   b  "},
                            s_case{ELMX_WHITESPACE_COLLAPSE, "a b"}}) {
        start("<v>  a \n b  </v>");
        EXPECT_TRUE(simple(c.mode));
        EXPECT_EQ(m_value, c.expected);
    }
}

TEST_P(Content, EmptyElementAndEmptyContentDiffer)
{
    start("<v a='1'/>");
    EXPECT_TRUE(simple());
    EXPECT_EQ(m_value, "");
    EXPECT_TRUE(m_empty);
    start("<v a='1'></v>");
    EXPECT_TRUE(simple());
    EXPECT_EQ(m_value, "");
    EXPECT_FALSE(m_empty);
}

TEST_P(Content, ReferencesExpandInSimpleValues)
{
    start("<!DOCTYPE v [<!ENTITY e 'E'>]><v>&lt;&#65;&e;&amp;</v>");
    EXPECT_TRUE(simple());
    EXPECT_EQ(m_value, "<AE&");
}

TEST_P(Content, SimpleValueFailures)
{
    start("<v a='1' / x>text</v>");
    EXPECT_FALSE(simple());
    EXPECT_EQ(m_error, ELMX_BAD_START_TAG_END);
    start("<v>text");
    EXPECT_FALSE(simple());
    EXPECT_EQ(m_error, ELMX_UNABLE_TO_READ_ELEMENT_VALUE);
    start("<v>a&undeclared;b</v>");
    EXPECT_FALSE(simple());
    EXPECT_EQ(m_error, ELMX_UNABLE_TO_READ_ELEMENT_VALUE);
    start("<v>a<!x></v>");
    EXPECT_FALSE(simple());
    EXPECT_EQ(m_error, ELMX_UNABLE_TO_READ_ELEMENT_VALUE);
    start("<v>text</w>");
    EXPECT_FALSE(simple());
    EXPECT_EQ(m_error, ELMX_BAD_END_OF_ELEMENT);
    start("<v>text</vv>");
    EXPECT_FALSE(simple());
    EXPECT_EQ(m_error, ELMX_BAD_END_OF_ELEMENT);
    start("<p:v>text</v>");
    EXPECT_FALSE(simple());
    EXPECT_EQ(m_error, ELMX_BAD_END_OF_ELEMENT);
}

TEST_P(Content, EndTagMayCarryWhiteSpace)
{
    start("<v>x</v\n >");
    EXPECT_TRUE(simple());
    EXPECT_EQ(m_value, "x");
}

TEST_P(Content, ElementValueStopsBeforeTheNextTag)
{
    start("<v>ab<c/>");
    reader().skip_start_tag(&m_empty);
    EXPECT_FALSE(m_empty);
    std::string value = "kept:";
    EXPECT_TRUE(reader().get_element_value(&value, ELMX_WHITESPACE_PRESERVE));
    EXPECT_EQ(value, "kept:ab");
    EXPECT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, "c");
}

TEST_P(Content, ElementValueWithoutExpansionKeepsReferences)
{
    start("<v>a&amp;b&nope;</v>");
    reader().skip_start_tag(&m_empty);
    std::string value;
    EXPECT_TRUE(reader().get_element_value(&value, ELMX_WHITESPACE_PRESERVE, false));
    EXPECT_EQ(value, "a&amp;b&nope;");
}

TEST_P(Content, UrValueKeepsNestedMarkupWithoutComments)
{
    start("<v><a x=\"1\" y='>'>t<!-- gone --><b/>&amp;<![CDATA[<c>]]></a>  tail<?pi?></v>");
    EXPECT_TRUE(reader().get_element_ur_value(m_name, &m_value, &m_error, &m_empty));
    EXPECT_EQ(m_value, "<a x=\"1\" y='>'>t<b/>&amp;<![CDATA[<c>]]></a>  tail");
    EXPECT_FALSE(m_empty);
}

TEST_P(Content, UrValueFailures)
{
    start("<v/>");
    EXPECT_TRUE(reader().get_element_ur_value(m_name, &m_value, &m_error, &m_empty));
    EXPECT_TRUE(m_empty);
    EXPECT_EQ(m_value, "");
    start("<v><a></b></v>");
    EXPECT_FALSE(reader().get_element_ur_value(m_name, &m_value, &m_error, &m_empty));
    EXPECT_EQ(m_error, ELMX_UNABLE_TO_READ_ELEMENT_VALUE);
    start("<v>x</w>");
    EXPECT_FALSE(reader().get_element_ur_value(m_name, &m_value, &m_error, &m_empty));
    EXPECT_EQ(m_error, ELMX_BAD_END_OF_ELEMENT);
    start("<v/ x>");
    EXPECT_FALSE(reader().get_element_ur_value(m_name, &m_value, &m_error, &m_empty));
    EXPECT_EQ(m_error, ELMX_BAD_START_TAG_END);
    start("<v><a>");
    EXPECT_FALSE(reader().get_element_ur_value(m_name, &m_value, &m_error, &m_empty));
    EXPECT_EQ(m_error, ELMX_UNABLE_TO_READ_ELEMENT_VALUE);
}

TEST_P(Content, NestedValueEndsAtTheElementsOwnEndTag)
{
    start("<v a='1'> x <n>y</n> </v><after/>");
    attributes();
    std::string end_name;
    EXPECT_TRUE(reader().get_nested_element_value(&m_value, &end_name, ELMX_WHITESPACE_COLLAPSE));
    EXPECT_EQ(m_value, "x<n>y</n>");
    EXPECT_EQ(end_name, "v");
    EXPECT_EQ(reader().get_current_event(), ELXP_END_TAG);
    // The attribute stores were emptied.
    EXPECT_FALSE(reader().get_named_attribute(1, "a", &m_value));
}

TEST_P(Content, AnyElementIsRebuiltFromItsStartTag)
{
    start("<w:x xmlns:w='urn:w' a=\"1\" b='&amp;' ><w:y\tc='2'/>t</w:x>");
    EXPECT_TRUE(reader().get_any_element(m_name, &m_value));
    EXPECT_EQ(m_value, "<w:x xmlns:w='urn:w' a=\"1\" b='&amp;'><w:y\tc='2'/>t</w:x>");
    start("<x a='1' / >");
    EXPECT_TRUE(reader().get_any_element(m_name, &m_value));
    EXPECT_EQ(m_value, "<x a='1'/ >");
}

TEST_P(Content, AnyElementFailsOnMismatchOrEnd)
{
    start("<x><y></x></y>");
    EXPECT_FALSE(reader().get_any_element(m_name, &m_value));
    start("<x><y/>");
    EXPECT_FALSE(reader().get_any_element(m_name, &m_value));
    start("<x a='1'");
    EXPECT_FALSE(reader().get_any_element(m_name, &m_value));
}

TEST_P(Content, AnyElementMismatchMessage)
{
    open_core("<x>\n<y></z></x>");
    ASSERT_EQ(core_next(), ELXP_NAME);
    EXPECT_FALSE(m_core->get_any_element(m_name, &m_value));
    EXPECT_EQ(m_log->m_last, "Element start tag (y) and end tag (z) do not match");
    EXPECT_EQ(reader_test::last_report(*m_log), "23:2");
}

} // namespace
