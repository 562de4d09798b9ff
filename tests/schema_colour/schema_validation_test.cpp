// Validates the bundled colour documents against schema/kyr.xsd with xmllint, so that the schema
// files and the documents written by hand cannot drift apart.

#include "invalid_documents.hpp"
#include "xmllint_runner.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

using namespace schema_colour;

const fs::path data_dir = fs::path(KYR_TEST_DATA_DIR) / "schema_colour";
const fs::path rich_sample = fs::path(KYR_SOURCE_DIR) / "examples" / "rich-sample.kyr";

std::set<std::string> documents_in(const fs::path& directory) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) {
        if (entry.path().extension() == ".kyr") {
            names.insert(entry.path().stem().string());
        }
    }
    return names;
}

class ColourSchema : public ::testing::Test {
protected:
    void SetUp() override {
        if (!xmllint_available()) {
            GTEST_SKIP() << "xmllint is not installed";
        }
    }
};

TEST_F(ColourSchema, RichSampleIsValid) {
    const lint_result result = validate(rich_sample);
    EXPECT_EQ(result.status, 0) << result.output;
}

TEST_F(ColourSchema, BoundaryDocumentsAreValid) {
    const std::set<std::string> names = documents_in(data_dir / "valid");
    EXPECT_GE(names.size(), 10u);
    for (const std::string& name : names) {
        const lint_result result = validate(data_dir / "valid" / (name + ".kyr"));
        EXPECT_EQ(result.status, 0) << name << ": " << result.output;
    }
}

TEST_F(ColourSchema, EveryInvalidDocumentIsListed) {
    const std::set<std::string> names = documents_in(data_dir / "invalid");
    std::set<std::string> listed;
    for (const invalid_document& entry : invalid_documents) {
        listed.insert(entry.name);
    }
    EXPECT_EQ(names, listed);
}

TEST_F(ColourSchema, InvalidDocumentsAreRejectedForTheirOwnFault) {
    for (const invalid_document& entry : invalid_documents) {
        const lint_result result = validate(data_dir / "invalid" / (entry.name + ".kyr"));
        EXPECT_NE(result.status, 0) << entry.name;
        EXPECT_NE(result.output.find(entry.xmllint_fragment), std::string::npos)
            << entry.name << " failed otherwise: " << result.output;
        EXPECT_EQ(result.output.find("Schemas parser error"), std::string::npos) << result.output;
    }
}

// The sample is kept in the writer's layout so that reading and writing it back can be compared
// byte for byte: declaration line, declarations on the root only, one element per line, one tab
// per depth, LF line ends.
TEST(ColourSampleLayout, FollowsTheWriterLayout) {
    std::ifstream in(rich_sample, std::ios::binary);
    ASSERT_TRUE(in.good());
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(text.back(), '\n');

    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    std::getline(lines, line);
    EXPECT_EQ(line, "<Kyr:Kyr xmlns:Kyr=\"http://kyr-format.org/v2\" "
                    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">");

    int depth = 1;
    int number = 2;
    std::string last;
    while (std::getline(lines, line)) {
        ++number;
        last = line;
        const size_t tabs = line.find_first_not_of('\t');
        ASSERT_NE(tabs, std::string::npos) << "blank line " << number;
        ASSERT_EQ(line[tabs], '<') << "line " << number;
        ASSERT_EQ(line.back(), '>') << "line " << number;
        EXPECT_EQ(line.find("xmlns"), std::string::npos) << "line " << number;
        const bool closing = line.compare(tabs, 2, "</") == 0;
        const bool self_contained = line.find("</", tabs + 2) != std::string::npos ||
                                    line.compare(line.size() - 2, 2, "/>") == 0;
        if (closing) {
            --depth;
        }
        ASSERT_EQ(static_cast<int>(tabs), depth) << "line " << number << ": " << line;
        if (!closing && !self_contained) {
            ++depth;
        }
    }
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(last, "</Kyr:Kyr>");
}

}  // namespace
