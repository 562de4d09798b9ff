// The colour documents read through the generated classes: the rich sample comes back byte for
// byte, and each invalid document is refused with the code of the one rule it breaks.

#include "invalid_documents.hpp"

#include <kyr/schema/classes.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string read_file(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

TEST(ColourDocuments, RichSampleWritesBackIdentically)
{
    const std::string text = read_file(fs::path(KYR_SOURCE_DIR) / "examples" / "rich-sample.kyr");
    ASSERT_FALSE(text.empty());
    com_kyrandel_v2::Kyr document;
    ASSERT_EQ(document.unmarshal(text), lmx::ELMX_OK);
    EXPECT_EQ(document.size_Color(), 5u);
    EXPECT_EQ(document.size_Palette(), 1u);
    EXPECT_EQ(document.size_ColorQualityControl(), 2u);

    std::string written;
    ASSERT_EQ(document.marshal(&written), lmx::ELMX_OK);
    EXPECT_EQ(written, text);
}

// Optional texts read empty (an attribute, an element) stay present and are written back.
TEST(ColourDocuments, EmptyOptionalTextsAreWrittenBack)
{
    std::string text = read_file(fs::path(KYR_SOURCE_DIR) / "examples" / "rich-sample.kyr");
    for (const std::string kept : {" Comments=\"", " UniqueID=\"", "<Kyr:Comments>"}) {
        const std::size_t start = text.find(kept) + kept.size();
        ASSERT_NE(start - kept.size(), std::string::npos) << kept;
        text.erase(start, text.find_first_of("\"<", start) - start);
    }
    com_kyrandel_v2::Kyr document;
    ASSERT_EQ(document.unmarshal(text), lmx::ELMX_OK);
    std::string written;
    ASSERT_EQ(document.marshal(&written), lmx::ELMX_OK);
    EXPECT_EQ(written, text);
}

// The documents at the schema's bounds, which xmllint accepts (schema_validation_test), load.
TEST(ColourDocuments, BoundaryDocumentsLoad)
{
    for (const auto& entry :
         fs::directory_iterator(fs::path(KYR_TEST_DATA_DIR) / "schema_colour" / "valid")) {
        com_kyrandel_v2::Kyr document;
        EXPECT_EQ(document.unmarshal(read_file(entry.path())), lmx::ELMX_OK) << entry.path();
    }
}

TEST(ColourDocuments, InvalidDocumentsAreRefusedWithTheirCode)
{
    const fs::path directory = fs::path(KYR_TEST_DATA_DIR) / "schema_colour" / "invalid";
    for (const schema_colour::invalid_document& entry : schema_colour::invalid_documents) {
        const std::string text = read_file(directory / (entry.name + ".kyr"));
        ASSERT_FALSE(text.empty()) << entry.name;
        com_kyrandel_v2::Kyr document;
        EXPECT_EQ(static_cast<int>(document.unmarshal(text)), entry.code) << entry.name;
    }
}

} // namespace
