// Deep nesting in every recursive path of a whole-document load: the binding's descent into
// known children, the capture of a revision's wildcard content, and the reader's skipping of
// an unwanted element. Each stops, in bounded memory, however deep the input goes; nesting
// within the depth limit is read.
#include <gtest/gtest.h>

#include <kyr/lmx/reader_limits.hpp>
#include <kyr/lmx/xml_reader.hpp>

#include "hostile_documents.hpp"

using namespace hostile;

namespace {

std::string nested(const std::string& open, const std::string& close, size_t depth)
{
    return repeat(open, depth) + repeat(close, depth);
}

} // namespace

TEST(DeepNesting, WildcardCaptureStopsAtTheLimit)
{
    const std::string revision = nested("<x>", "</x>", 1000000);
    EXPECT_LOAD_CODES(load_bounded(kyr_document("", "c", revision)), lmx::ELMX_UNABLE_TO_READ_ELEMENT_VALUE,
                      lmx::ELMX_NOT_WELL_FORMED);
}

// Capture keeps its own stack of open elements instead of recursing, so the bound applies
// to the elements open inside the captured one.
TEST(DeepNesting, WildcardCaptureJustPastTheLimitFails)
{
    const std::string revision = nested("<x>", "</x>", 1 + lmx::k_max_element_depth + 1);
    EXPECT_LOAD_CODES(load_bounded(kyr_document("", "c", revision)), lmx::ELMX_UNABLE_TO_READ_ELEMENT_VALUE,
                      lmx::ELMX_NOT_WELL_FORMED);
}

TEST(DeepNesting, WildcardCaptureAtTheLimitIsRead)
{
    const std::string revision = nested("<x>", "</x>", 1 + lmx::k_max_element_depth);
    EXPECT_LOAD_CODES(load_bounded(kyr_document("", "c", revision)), lmx::ELMX_OK, lmx::ELMX_OK);
}

TEST(DeepNesting, BindingDescentIsBoundedByTheSchema)
{
    // No type of the schema contains itself, so the binding descends no deeper than the
    // schema: a Preamble inside a Preamble is refused as the missing Header at once.
    const std::string text = "<Kyr:Kyr xmlns:Kyr=\"http://kyr-format.org/v2\">" +
                             nested("<Kyr:Preamble>", "</Kyr:Preamble>", 1000000) + "</Kyr:Kyr>";
    EXPECT_LOAD_CODES(load_bounded(text), lmx::ELMX_MANDATORY_ELEMENT_MISSING, lmx::ELMX_OK);
}

TEST(DeepNesting, NestedPrefixDeclarationsStopAtTheLimit)
{
    // Every level declares its own prefix, so scopes pile up along with the elements.
    std::string open;
    std::string close;
    for (size_t i = 200000; i-- > 0;) {
        open += "<p" + std::to_string(i) + ":x xmlns:p" + std::to_string(i) + "=\"urn:" + std::to_string(i) + "\">";
        close += "</p" + std::to_string(200000 - 1 - i) + ":x>";
    }
    EXPECT_LOAD_CODES(load_bounded(kyr_document("", "c", open + close)), lmx::ELMX_UNABLE_TO_READ_ELEMENT_VALUE,
                      lmx::ELMX_NOT_WELL_FORMED);
}

TEST(DeepNesting, SkippingAnUnwantedElementStopsAtTheLimit)
{
    const std::string text = "<r><k/>" + nested("<u>", "</u>", 1000000) + "</r>";
    const s_outcome outcome = run_bounded([&text]() -> std::array<int, 2> {
        lmx::c_xml_reader_memory reader(text.data(), text.size());
        lmx::c_xml_reader_local scope(reader);
        const lmx::s_event_map map[] = {{lmx::k_ns_id_none, "k", 1, lmx::ELXP_FIRST_USER_EVENT},
                                        {lmx::k_ns_id_none, nullptr, 0, 0}};
        lmx::elmx_error error = lmx::ELMX_OK;
        std::string name;
        if (reader.get_element_event(nullptr, &error, &name) != lmx::ELXP_NAME)
            return {-3, 0};
        bool empty = false;
        reader.skip_start_tag(&empty);
        lmx::c_xml_reader_local content(reader);
        if (reader.get_known_element_event(map, &error, &name) != lmx::ELXP_FIRST_USER_EVENT)
            return {-4, 0};
        reader.skip_start_tag(&empty);
        const int event = reader.get_known_element_event(map, &error, &name);
        return {event, static_cast<int>(reader.get_error())};
    });
    EXPECT_LOAD_CODES(outcome, lmx::ELXP_ERROR, lmx::ELMX_NOT_WELL_FORMED);
}
