// Every case of data/schema_core/cases.txt: edits of a valid document, loaded through the
// public API whole and one byte per read, which must end alike. A case line is
// "find ~> replace | find ~> replace ... => expected": the first occurrence of each `find` (every
// one with "~>*") in examples/rich-sample.kyr (or, after "@name ", in data/schema_core/name)
// becomes `replace`, and the load must end with `expected`, the reader's message
// ("line:N-'item'-description", or "No Error", followed by "-> code" when the load returned
// another code). After "swallow " every binding error is recorded
// and reading goes on; the expected text is then the reports ("code 'item'", joined by "; ") and
// "-> " the load's code and whether the document can be written ("writes" or the writer's code).
#include "schema_test_support.hpp"

#include <kyr/kyr.hpp>

#include <gtest/gtest.h>

#include <case_file.hpp>
#include <chunked_read.hpp>

#include <algorithm>

using namespace com_kyrandel_v2;

namespace {

class case_reader : public lmx::c_xml_reader
{
public:
    case_reader(lmx::c_read& source, bool swallow) : lmx::c_xml_reader(source), m_swallow(swallow) {}
    lmx::elmx_error user_handle_error(lmx::elmx_error code, const std::string& item, const char*,
                                      int) override
    {
        reports += (reports.empty() ? "" : "; ") + std::to_string(code) + " '" + item + "'";
        return m_swallow ? lmx::ELMX_OK : code;
    }
    std::string reports;

private:
    bool m_swallow;
};

std::string outcome(const std::string& text, bool swallow, size_t chunk)
{
    kyr_test::c_chunked_read source(text, chunk);
    case_reader reader(source, swallow);
    Kyr document;
    const lmx::elmx_error code = document.unmarshal(reader);
    std::string message;
    if (!swallow) // a code that did not pass the reader's handler is added to its message
        return reader.get_error_message(&message)
            + (code == reader.get_handled_error() ? "" : " -> " + std::to_string(code));
    std::string written;
    const lmx::elmx_error write = document.marshal(&written);
    return reader.reports + " -> " + std::to_string(code) + " "
        + (write == lmx::ELMX_OK ? "writes" : std::to_string(write));
}

// The edited document, or "" when a `find` is not in it.
std::string edited(std::string input)
{
    std::string text = schema_test::read_file(std::string(KYR_SOURCE_DIR) + "/examples/rich-sample.kyr");
    if (input[0] == '@') {
        text = schema_test::data(input.substr(1, input.find(' ') - 1));
        input.erase(0, input.find(' ') + 1);
    }
    for (size_t start = 0; start < input.size();) {
        const size_t end = std::min(input.find(" | ", start), input.size());
        const std::string edit = input.substr(start, end - start);
        const size_t arrow = edit.find(" ~>");
        const bool every = edit.compare(arrow, 4, " ~>*") == 0;
        const std::string find = edit.substr(0, arrow), replace = edit.substr(arrow + (every ? 5 : 4));
        size_t at = text.find(find);
        if (at == std::string::npos)
            return "";
        for (; at != std::string::npos; at = every ? text.find(find, at + replace.size()) : std::string::npos)
            text.replace(at, find.size(), replace);
        start = end + 3;
    }
    return text;
}

TEST(DocumentCases, EveryEditEndsWithItsMessage)
{
    const auto cases = kyr_test::read_cases(KYR_TEST_DATA_DIR "/schema_core/cases.txt");
    ASSERT_GT(cases.size(), 40u);
    for (const kyr_test::s_case& c : cases) {
        const bool swallow = c.input.compare(0, 8, "swallow ") == 0;
        const std::string text = edited(c.input.substr(swallow ? 8 : 0));
        ASSERT_FALSE(text.empty()) << "cases.txt line " << c.line << ": an edit finds nothing";
        const std::string whole = outcome(text, swallow, text.size());
        EXPECT_EQ(whole, c.expected) << "cases.txt line " << c.line;
        EXPECT_EQ(outcome(text, swallow, 1), whole) << "cases.txt line " << c.line << ", one byte per read";
    }
}

} // namespace
