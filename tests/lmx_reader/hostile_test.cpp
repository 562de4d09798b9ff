// Hostile input: every truncation of a sample document, a million nested elements, and the
// size limits. Nothing may crash, hang or succeed where the document is broken.
#include "document_driver.hpp"
#include "reader_fixture.hpp"

#include <fstream>
#include <sstream>

#include <kyr/lmx/document_scan.hpp>

using namespace lmx;
using reader_test::read_document;

namespace {

std::string load_sample()
{
    std::ifstream in(KYR_TEST_DATA_DIR "/lmx_reader/sample.kyr", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Outcome of reading `text` whole: the code returned, the line and the lexical code.
std::string outcome(const std::string& text, reader_test::e_feed feed)
{
    auto source = reader_test::make_source(text, feed);
    c_xml_reader reader(*source);
    const elmx_error code = read_document(reader);
    return std::to_string(code) + "@" + std::to_string(reader.get_line_no()) + "/" +
           std::to_string(reader.get_error());
}

TEST(Truncation, SampleReadsCompletely)
{
    const std::string sample = load_sample();
    ASSERT_GT(sample.size(), 500u);
    EXPECT_EQ(outcome(sample, reader_test::e_feed::whole), "0@23/0");
    EXPECT_EQ(outcome(sample, reader_test::e_feed::one_byte), "0@23/0");
}

TEST(Truncation, EveryCutFailsTheSameWayInBothFeeds)
{
    const std::string sample = load_sample();
    const size_t complete = sample.find_last_not_of(" \n") + 1;
    for (size_t cut = 0; cut < complete; ++cut) {
        const std::string prefix = sample.substr(0, cut);
        const std::string whole = outcome(prefix, reader_test::e_feed::whole);
        EXPECT_NE(whole.substr(0, 2), "0@") << "cut at " << cut;
        EXPECT_EQ(outcome(prefix, reader_test::e_feed::one_byte), whole) << "cut at " << cut;
    }
}

std::string nested(size_t depth, const char* inner = "")
{
    std::string text;
    text.reserve(depth * 7 + 16);
    for (size_t i = 0; i < depth; ++i)
        text += "<a>";
    text += inner;
    for (size_t i = 0; i < depth; ++i)
        text += "</a>";
    return text;
}

const size_t k_million = 1000000;
const char k_too_deep[] = "Elements nested too deeply (limit 1024 levels)";

class DeepNesting : public reader_test::c_reader_fixture
{
};
INSTANTIATE_TEST_SUITE_P(Feeds, DeepNesting, testing::Values(reader_test::e_feed::whole), reader_test::feed_name);

TEST_P(DeepNesting, DrivenReadStopsAtTheDepthLimit)
{
    open(nested(k_million));
    EXPECT_EQ(read_document(reader()), ELMX_NOT_WELL_FORMED);
    EXPECT_TRUE(errors().is_fatal_errored());
    EXPECT_EQ(reader().get_element_name_stack().get_stack_size(), 0u);
    open(nested(1000));
    EXPECT_EQ(read_document(reader()), ELMX_OK);
}

TEST_P(DeepNesting, SkippingFailsCleanly)
{
    open_core(nested(k_million));
    ASSERT_EQ(core_next(), ELXP_NAME);
    EXPECT_FALSE(m_core->skip_rest_of_element("a"));
    EXPECT_EQ(m_log->m_last, k_too_deep);
    open_core(nested(1000));
    ASSERT_EQ(core_next(), ELXP_NAME);
    EXPECT_TRUE(m_core->skip_rest_of_element("a"));
}

TEST_P(DeepNesting, KnownElementSkipFailsCleanly)
{
    open("<r>" + nested(k_million) + "<k/></r>");
    ASSERT_EQ(next(), ELXP_NAME);
    attributes();
    c_xml_reader_local content(reader());
    EXPECT_EQ(reader().get_known_element_event(nullptr, &m_error, &m_name), ELXP_ERROR);
    EXPECT_EQ(m_error, ELMX_BADLY_FORMED);
}

TEST_P(DeepNesting, CaptureFailsCleanly)
{
    open_core(nested(k_million));
    ASSERT_EQ(core_next(), ELXP_NAME);
    std::string value;
    EXPECT_FALSE(m_core->get_any_element("a", &value));
    EXPECT_EQ(m_log->m_last, k_too_deep);

    open(nested(k_million));
    ASSERT_EQ(next(), ELXP_NAME);
    bool empty = false;
    EXPECT_FALSE(reader().get_element_ur_value("a", &value, &m_error, &empty));
    EXPECT_EQ(m_error, ELMX_UNABLE_TO_READ_ELEMENT_VALUE);

    open(nested(1000, "x"));
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_TRUE(reader().get_any_element("a", &value));
    EXPECT_EQ(value, nested(1000, "x"));
}

TEST_P(DeepNesting, MustUnderstandWalkFailsCleanly)
{
    open(nested(k_million));
    EXPECT_EQ(has_must_understand(reader(), "urn:mu", "mu", bool_must_understand), ELMX_MUST_UNDERSTAND_INVALID);
    open(nested(1000));
    EXPECT_EQ(has_must_understand(reader(), "urn:mu", "mu", bool_must_understand), ELMX_MUST_UNDERSTAND_NOT_REQUIRED);
}

class Limits : public reader_test::c_reader_fixture
{
};
KYR_READER_FEEDS(Limits);

TEST_P(Limits, OverlongNamesAreFatal)
{
    const std::string long_name(60000, 'n');
    for (const std::string& doc : {"<" + long_name + "/>", "<a " + long_name + "='1'/>", "<a></" + long_name + ">"}) {
        open_core(doc);
        int event = core_next();
        if (event == ELXP_NAME) {
            m_core->get_attribute_name(&m_name);
            event = core_next();
        }
        EXPECT_EQ(event, ELXP_ERROR);
        EXPECT_EQ(m_log->m_last, "Name too long (limit 50000 bytes)");
        EXPECT_TRUE(m_log->is_fatal_errored());
    }
}

TEST_P(Limits, NamesJustBelowTheLimitAreRead)
{
    const std::string name(50000, 'n');
    open("<" + name + " " + name + "='v'/>");
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, name);
    EXPECT_EQ(attributes(), name + "=v;");
}

TEST(LimitsWhole, OverlongAttributeValueIsFatal)
{
    const std::string doc = "<a v='" + std::string(10000001, 'x') + "'/>";
    c_read_memory source(doc.data(), doc.size());
    reader_test::c_message_log log;
    c_xml core(source, log, true);
    std::string name;
    EXPECT_EQ(core.get_element_name(nullptr, &name), ELXP_ERROR);
    EXPECT_EQ(log.m_last, "Attribute value too long (limit 10000000 bytes)");
}

TEST(LimitsWhole, OverlongTextIsFatal)
{
#ifndef NDEBUG
    GTEST_SKIP() << "64 MiB of text byte by byte is for optimised builds";
#endif
    std::string doc = "<a>";
    doc.append(64u * 1024u * 1024u + 1u, 'x');
    doc += "</a>";
    c_read_memory source(doc.data(), doc.size());
    reader_test::c_message_log log;
    c_xml core(source, log, true);
    std::string text;
    ASSERT_EQ(core.get_element_name(nullptr, &text), ELXP_NAME);
    EXPECT_EQ(core.get_attribute_name(&text), ELXP_START_TAG_END);
    text.clear();
    EXPECT_FALSE(core.get_element_value(&text, ELMX_WHITESPACE_PRESERVE));
    EXPECT_EQ(log.m_last, "Text too long (limit 67108864 bytes)");
}

} // namespace
