// Every case of data/lmx_reader/cases.txt read whole and one byte per read; both must give
// the expected trace. The trace of a document:
//   <name@uri a=v ...>  a start tag, its namespace when it has one, and its attributes (values
//                    as the reader expands them)
//   'text'           text between tags;   /   an end tag
//   <p>='v' <r>='v' <c>='v'  elements named p, r or c read as simple values, white space
//                    preserved, replaced or collapsed (attributes named r or c likewise)
//   <any>=text       an element named any read whole;   <skip>~   an element named skip skipped
//   traces longer than 160 bytes show as their first and last 40 bytes and their size, and
//   texts longer than 80 bytes show as their first 8 bytes and their size: xxxxxxxx..(1000)
//   !E@L             the reader stopped with lexical code E (the last report) on line L
// Set KYR_UPDATE_CASES=1 to print the actual traces of the cases that differ, KYR_SMALL_CASES=1
// to leave out the inputs of more than 64 KiB (debug builds leave out those over 16 MiB).
#include "reader_fixture.hpp"

#include <case_file.hpp>

#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace lmx;

namespace {

// Long texts and names as their first bytes and their size.
std::string shown(const std::string& text)
{
    if (text.size() <= 80)
        return kyr_test::escape(text);
    return kyr_test::escape(text.substr(0, 8)) + "..(" + std::to_string(text.size()) + ")";
}

elmx_whitespace mode_of(const std::string& name)
{
    return name == "r" ? ELMX_WHITESPACE_REPLACE
        : name == "c"  ? ELMX_WHITESPACE_COLLAPSE
                       : ELMX_WHITESPACE_PRESERVE;
}

std::string stop(c_xml_reader& reader)
{
    elmx_error_type type;
    elmx_error code = ELMX_OK;
    int line = 0;
    reader.get_error_info(&type, &code, &line);
    return "!" + std::to_string(code) + "@" + std::to_string(line);
}

std::string trace(const std::string& text, reader_test::e_feed feed)
{
    auto source = reader_test::make_source(text, feed);
    c_xml_reader reader(*source);
    std::vector<std::unique_ptr<c_xml_reader_local>> scopes;
    scopes.push_back(std::make_unique<c_xml_reader_local>(reader));
    std::string out, name, attribute, value;
    for (size_t events = 0; events < 10 * text.size() + 100; ++events) {
        elmx_error error = ELMX_OK;
        const int event = reader.get_element_event(nullptr, &error, &name);
        if (event == ELXP_END_OF_INPUT)
            return out + (reader.get_error() == ELMX_OK ? "" : stop(reader));
        if (event == ELXP_VALUE) {
            out += "'" + shown(name) + "'";
            continue;
        }
        if (event == ELXP_END_TAG) {
            out += "/";
            if (scopes.size() > 1)
                scopes.pop_back();
            continue;
        }
        if (event != ELXP_NAME)
            return out + stop(reader);
        out += "<" + shown(name);
        const char* uri = reader.find_namespace_from_id(reader.get_ns_id());
        if (uri != nullptr && *uri != '\0')
            out += "@" + std::string(uri);
        const std::string element = name;
        bool simple = element == "p" || element == "r" || element == "c";
        if (element == "any" || element == "skip") {
            const bool ok = element == "any" ? reader.get_any_element(element, &value)
                                             : reader.skip_rest_of_element(element);
            out += element == "any" ? ">=" + shown(value) : ">~";
            if (!ok)
                return out + stop(reader);
            continue;
        }
        if (simple) {
            bool empty = false;
            const bool ok = reader.get_simple_type_value(element, mode_of(element), &value, &error, &empty);
            out += ">='" + shown(value) + "'" + (empty ? "e" : "");
            if (!ok)
                return out + "!" + std::to_string(error);
            continue;
        }
        while (reader.get_attribute_event(nullptr, &error, &attribute)) {
            if (error != ELMX_OK)
                return out + stop(reader);
            if (!reader.get_attribute_value(&value, mode_of(attribute)))
                return out + " " + shown(attribute) + stop(reader);
            out += " " + shown(attribute) + "=" + shown(value);
        }
        out += ">";
        if (reader.get_current_event() == ELXP_END_TAG)
            out += "/";
        else
            scopes.push_back(std::make_unique<c_xml_reader_local>(reader));
    }
    return out + "runaway";
}

// A trace longer than 160 bytes as its first and last 40 and its size.
std::string shortened(const std::string& trace)
{
    if (trace.size() <= 160)
        return trace;
    return trace.substr(0, 40) + "..(" + std::to_string(trace.size()) + ")" + trace.substr(trace.size() - 40);
}

TEST(ReaderCases, EveryCaseGivesItsTraceWholeAndByteByByte)
{
    const auto cases = kyr_test::read_cases(KYR_TEST_DATA_DIR "/lmx_reader/cases.txt");
    ASSERT_GT(cases.size(), 100u);
    const bool update = std::getenv("KYR_UPDATE_CASES") != nullptr;
#ifdef NDEBUG
    const size_t largest = std::getenv("KYR_SMALL_CASES") ? 65536 : SIZE_MAX;
#else
    const size_t largest = 16u << 20; // 64 MiB read byte by byte is for optimised builds
#endif
    for (const kyr_test::s_case& c : cases) {
        if (c.input.size() > largest)
            continue;
        const std::string whole = shortened(trace(c.input, reader_test::e_feed::whole));
        if (update && whole != c.expected)
            std::printf("%d: %s\n", c.line, whole.c_str());
        EXPECT_EQ(whole, c.expected) << "cases.txt line " << c.line;
        EXPECT_EQ(shortened(trace(c.input, reader_test::e_feed::one_byte)), whole)
            << "cases.txt line " << c.line;
    }
}

} // namespace

namespace {

// The core can be told to keep white space given by character references as written: the
// reader always lets such white space follow the mode, so only the core shows the difference.
TEST(ReaderCases, CharacterReferenceWhiteSpaceCanStayLiteral)
{
    for (const bool obeys : {true, false}) {
        for (const elmx_whitespace mode : {ELMX_WHITESPACE_REPLACE, ELMX_WHITESPACE_COLLAPSE}) {
            const std::string text = "<a>a&#9;b&#10; &#32;&#32;c </a>";
            c_read_memory source(text.data(), text.size());
            c_error errors;
            c_xml core(source, errors, obeys);
            std::string name, value;
            ASSERT_EQ(core.get_element_name(nullptr, &name), ELXP_NAME);
            ASSERT_EQ(core.get_attribute_name(&name), ELXP_START_TAG_END);
            ASSERT_TRUE(core.get_element_value(&value, mode));
            const char* expected = obeys ? (mode == ELMX_WHITESPACE_REPLACE ? "a b    c " : "a b c")
                                         : (mode == ELMX_WHITESPACE_REPLACE ? "a\tb\n   c " : "a\tb\n c");
            EXPECT_EQ(value, expected) << obeys << " " << mode;
        }
    }
}

} // namespace
