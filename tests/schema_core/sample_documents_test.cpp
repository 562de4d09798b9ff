// The bundled sample documents: the schema validator and the library agree on
// which are valid, and valid ones are written back exactly as expected.
#include "schema_test_support.hpp"

#include <kyr/schema/classes/Kyr.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <map>

using namespace com_kyrandel_v2;

namespace {

std::vector<std::string> documents(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = opendir(schema_test::data_path(folder).c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".kyr") == 0)
                names.push_back(name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool has_xmllint()
{
    return std::system("xmllint --version > /dev/null 2>&1") == 0;
}

bool schema_accepts(const std::string& path)
{
    const std::string command = "xmllint --noout --schema " + std::string(KYR_SOURCE_DIR) + "/schema/kyr.xsd "
        + path + " > /dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

TEST(SampleDocuments, ValidOnesRoundTripExactly)
{
    const std::vector<std::string> names = documents("valid");
    ASSERT_GE(names.size(), 3u);
    for (const std::string& name : names) {
        Kyr kyr;
        EXPECT_EQ(kyr.unmarshal(schema_test::data("valid/" + name)), lmx::ELMX_OK) << name;
        std::string written;
        EXPECT_EQ(kyr.marshal(&written), lmx::ELMX_OK) << name;
        const std::string expected_path = schema_test::data_path("expected/" + name);
        const std::string expected = std::ifstream(expected_path).good()
            ? schema_test::read_file(expected_path)
            : schema_test::data("valid/" + name);
        EXPECT_EQ(written, expected) << name;
    }
}

TEST(SampleDocuments, InvalidOnesAreRefused)
{
    const std::map<std::string, lmx::elmx_error> codes = {
        {"change_history_missing.kyr", lmx::ELMX_MANDATORY_ELEMENT_MISSING},
        {"change_history_without_zone.kyr", lmx::ELMX_NO_PATTERN_MATCHED},
        {"children_out_of_order.kyr", lmx::ELMX_MANDATORY_ELEMENT_MISSING},
        {"custom_attribute_empty_name.kyr", lmx::ELMX_LENGTH_TOO_SHORT},
        {"header_missing.kyr", lmx::ELMX_MANDATORY_ELEMENT_MISSING},
        {"integer_too_large.kyr", lmx::ELMX_VALUE_EXCEEDS_MAX},
        {"person_without_name.kyr", lmx::ELMX_MANDATORY_ELEMENT_MISSING},
        {"revision_without_element.kyr", lmx::ELMX_MANDATORY_ELEMENT_MISSING},
        {"undeclared_attribute.kyr", lmx::ELMX_UNEXPECTED_ATTRIBUTE},
        {"wrong_document_element.kyr", lmx::ELMX_ELEMENT_NOT_FOUND},
    };
    const std::vector<std::string> names = documents("invalid");
    ASSERT_EQ(names.size(), codes.size());
    for (const std::string& name : names) {
        Kyr kyr;
        ASSERT_EQ(codes.count(name), 1u) << name;
        EXPECT_EQ(kyr.unmarshal(schema_test::data("invalid/" + name)), codes.at(name)) << name;
    }
}

TEST(SampleDocuments, SchemaValidatorAgrees)
{
    if (!has_xmllint())
        GTEST_SKIP() << "xmllint is not installed; the schema cross-check needs it";
    for (const std::string& name : documents("valid"))
        EXPECT_TRUE(schema_accepts(schema_test::data_path("valid/" + name))) << name;
    for (const std::string& name : documents("invalid"))
        EXPECT_FALSE(schema_accepts(schema_test::data_path("invalid/" + name))) << name;
    // What the library writes is valid too.
    for (const std::string& name : documents("valid")) {
        Kyr kyr;
        ASSERT_EQ(kyr.unmarshal(schema_test::data("valid/" + name)), lmx::ELMX_OK);
        const std::string path = std::string(KYR_BINARY_DIR) + "/schema_core_" + name;
        ASSERT_EQ(kyr.marshal(path.c_str()), lmx::ELMX_OK);
        EXPECT_TRUE(schema_accepts(path)) << name;
        std::remove(path.c_str());
    }
}

} // namespace
