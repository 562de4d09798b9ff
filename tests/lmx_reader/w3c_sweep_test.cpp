// Every document of the W3C XML conformance suite through the raw event loop and through
// skipping, in both feeds. The outcome of each is pinned in tests/data/w3c/expectations.txt;
// set KYR_UPDATE_EXPECTATIONS=1 to rewrite that file after a deliberate change.
#include "reader_fixture.hpp"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <unistd.h>

using namespace lmx;
namespace fs = std::filesystem;

namespace {

const char k_expectations[] = KYR_TEST_DATA_DIR "/w3c/expectations.txt";
// The documents the strict reader is measured on, with the suite's verdict (scripts/w3c_selection.py).
const char k_selection[] = KYR_TEST_DATA_DIR "/w3c/selection.txt";
const char k_strict_expectations[] = KYR_TEST_DATA_DIR "/w3c/strict_expectations.txt";

// Unpacks the suite into the build tree once; the archive may not be committed unpacked.
fs::path unpacked_suite()
{
    const fs::path root = fs::path(KYR_BINARY_DIR) / "w3c-suite";
    if (fs::exists(root / "xmlconf" / "xmlconf.xml"))
        return root;
    const fs::path staging = root.string() + ".staging." + std::to_string(getpid());
    fs::remove_all(staging);
    fs::create_directories(staging);
    const std::string command =
        "unzip -q -o '" KYR_SHARED_DIR "/corpora/xmlts20130923.zip' -d '" + staging.string() + "'";
    if (std::system(command.c_str()) != 0)
        return fs::path();
    fs::remove_all(root);
    fs::rename(staging, root);
    return root;
}

std::string read_file(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string failure(const c_xml_reader& reader, elmx_error code)
{
    const s_well_formed_fault& strict = reader.get_strict_fault();
    const size_t line = strict.code != ELMX_OK ? strict.line : static_cast<size_t>(reader.get_line_no());
    return "E" + std::to_string(code) + "@" + std::to_string(line);
}

// Reads every event to the end; a document may not take more events than its size allows.
std::string event_outcome(const std::string& text, reader_test::e_feed feed, bool strict = false)
{
    auto source = reader_test::make_source(text, feed);
    c_xml_reader reader(*source);
    reader.set_strict(strict);
    c_xml_reader_local scope(reader);
    const size_t budget = 1000 + text.size() * 4;
    size_t events = 0;
    size_t unreadable = 0;
    std::string name;
    std::string value;
    for (;;) {
        if (++events > budget)
            return "runaway";
        elmx_error error = ELMX_OK;
        const int event = reader.get_element_event(nullptr, &error, &name);
        if (event == ELXP_NAME) {
            while (reader.get_attribute_event(nullptr, &error, &name)) {
                if (++events > budget)
                    return "runaway";
                if (error != ELMX_OK)
                    return failure(reader, error);
                if (!reader.get_attribute_value(&value))
                    ++unreadable;
            }
        } else if (event == ELXP_END_OF_INPUT) {
            return "end" + (unreadable ? "+" + std::to_string(unreadable) : std::string());
        } else if (event != ELXP_VALUE && event != ELXP_END_TAG) {
            return failure(reader, error);
        }
    }
}

// Reads the first start tag, skips the element whole, then expects the end of input.
std::string skip_outcome(const std::string& text, reader_test::e_feed feed)
{
    auto source = reader_test::make_source(text, feed);
    c_xml_reader reader(*source);
    c_xml_reader_local scope(reader);
    elmx_error error = ELMX_OK;
    std::string name;
    if (reader.get_element_event(nullptr, &error, &name) != ELXP_NAME)
        return failure(reader, error);
    if (!reader.skip_rest_of_element(name))
        return "S" + failure(reader, reader.get_error());
    const int event = reader.get_element_event(nullptr, &error, &name);
    return event == ELXP_END_OF_INPUT ? "end" : "after" + std::to_string(event);
}

std::map<std::string, std::string> load_expectations(const char* file = k_expectations)
{
    std::map<std::string, std::string> expected;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        const size_t tab = line.find('\t');
        if (tab != std::string::npos)
            expected[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return expected;
}

TEST(W3cSuite, EveryDocumentKeepsItsOutcome)
{
    const fs::path root = unpacked_suite();
    ASSERT_FALSE(root.empty()) << "could not unpack the conformance suite";
    std::vector<std::string> documents;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file() && entry.path().extension() == ".xml")
            documents.push_back(fs::relative(entry.path(), root).generic_string());
    std::sort(documents.begin(), documents.end());
    ASSERT_GT(documents.size(), 3000u);

    std::map<std::string, std::string> actual;
    for (const std::string& document : documents) {
        const std::string text = read_file(root / document);
        const std::string events = event_outcome(text, reader_test::e_feed::whole);
        const std::string skipped = skip_outcome(text, reader_test::e_feed::whole);
        EXPECT_EQ(event_outcome(text, reader_test::e_feed::one_byte), events) << document;
        EXPECT_EQ(skip_outcome(text, reader_test::e_feed::one_byte), skipped) << document;
        EXPECT_NE(events, "runaway") << document;
        actual[document] = events + "\t" + skipped;
    }

    if (std::getenv("KYR_UPDATE_EXPECTATIONS")) {
        std::ofstream out(k_expectations);
        for (const auto& [document, result] : actual)
            out << document << '\t' << result << '\n';
        return;
    }
    const std::map<std::string, std::string> expected = load_expectations();
    EXPECT_EQ(expected.size(), actual.size());
    size_t differences = 0;
    for (const auto& [document, result] : actual) {
        const auto found = expected.find(document);
        const std::string want = found == expected.end() ? "<missing>" : found->second;
        if (want != result && ++differences <= 20)
            ADD_FAILURE() << document << ": expected " << want << ", got " << result;
    }
    EXPECT_EQ(differences, 0u);
}

// The strict reader takes a selected document when the suite calls it well-formed, and
// refuses it otherwise, on nearly all of them; the outcome of each is pinned.
TEST(W3cSuite, StrictReaderAgreesWithTheSuite)
{
    const fs::path root = unpacked_suite();
    ASSERT_FALSE(root.empty()) << "could not unpack the conformance suite";
    const std::map<std::string, std::string> selection = load_expectations(k_selection);
    ASSERT_GT(selection.size(), 1700u);
    std::map<std::string, std::string> actual;
    size_t strict_agreed = 0;
    size_t lenient_agreed = 0;
    for (const auto& [document, verdict] : selection) {
        const std::string text = read_file(root / document);
        const std::string outcome = event_outcome(text, reader_test::e_feed::whole, true);
        EXPECT_EQ(event_outcome(text, reader_test::e_feed::one_byte, true), outcome) << document;
        strict_agreed += (outcome == "end") == (verdict == "wf");
        lenient_agreed += (event_outcome(text, reader_test::e_feed::whole) == "end") == (verdict == "wf");
        actual[document] = outcome;
    }
    std::printf("agreement with the suite on %zu documents: strict %zu (%.1f%%), lenient %zu (%.1f%%)\n",
                selection.size(), strict_agreed, 100.0 * strict_agreed / selection.size(), lenient_agreed,
                100.0 * lenient_agreed / selection.size());
    EXPECT_GE(strict_agreed * 100, selection.size() * 98);

    if (std::getenv("KYR_UPDATE_EXPECTATIONS")) {
        std::ofstream out(k_strict_expectations);
        for (const auto& [document, result] : actual)
            out << document << '\t' << result << '\n';
        return;
    }
    const std::map<std::string, std::string> expected = load_expectations(k_strict_expectations);
    EXPECT_EQ(expected.size(), actual.size());
    for (const auto& [document, result] : actual)
        EXPECT_EQ(expected.count(document) ? expected.at(document) : "<missing>", result) << document;
}

} // namespace
