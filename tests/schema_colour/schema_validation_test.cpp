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

std::set<std::string> documents_in(const fs::path& directory)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) {
        if (entry.path().extension() == ".kyr") {
            names.insert(entry.path().stem().string());
        }
    }
    return names;
}

class ColourSchema : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!xmllint_available()) {
            GTEST_SKIP() << "xmllint is not installed";
        }
    }
};

TEST_F(ColourSchema, RichSampleIsValid)
{
    const lint_result result = validate(rich_sample);
    EXPECT_EQ(result.status, 0) << result.output;
}

TEST_F(ColourSchema, BoundaryDocumentsAreValid)
{
    const std::set<std::string> names = documents_in(data_dir / "valid");
    EXPECT_GE(names.size(), 10u);
    for (const std::string& name : names) {
        const lint_result result = validate(data_dir / "valid" / (name + ".kyr"));
        EXPECT_EQ(result.status, 0) << name << ": " << result.output;
    }
}

TEST_F(ColourSchema, EveryInvalidDocumentIsListed)
{
    const std::set<std::string> names = documents_in(data_dir / "invalid");
    std::set<std::string> listed;
    for (const invalid_document& entry : invalid_documents) {
        listed.insert(entry.name);
    }
    EXPECT_EQ(names, listed);
}

TEST_F(ColourSchema, InvalidDocumentsAreRejectedForTheirOwnFault)
{
    for (const invalid_document& entry : invalid_documents) {
        const lint_result result = validate(data_dir / "invalid" / (entry.name + ".kyr"));
        EXPECT_NE(result.status, 0) << entry.name;
        EXPECT_NE(result.output.find(entry.xmllint_fragment), std::string::npos)
            << entry.name << " failed otherwise: " << result.output;
        EXPECT_EQ(result.output.find("Schemas parser error"), std::string::npos) << result.output;
    }
}

} // namespace
