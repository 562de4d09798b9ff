// The generator's output for a small schema that uses every binding construct
// is kept under data/schema_core/golden/expected; any change to the generated
// code shows up here as a reviewable difference. To accept a change, run from the
// source root: python3 schema/generator/kyrgen.py tests/data/schema_core/golden/mini.xsd
// tests/data/schema_core/golden/expected
#include "schema_test_support.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>

namespace {

void list_files(const std::string& root, const std::string& relative, std::vector<std::string>* out)
{
    DIR* dir = opendir((root + "/" + relative).c_str());
    if (!dir)
        return;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string path = relative.empty() ? name : relative + "/" + name;
        struct stat info;
        if (stat((root + "/" + path).c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            list_files(root, path, out);
        else if (name != "kyrgen.stamp")
            out->push_back(path);
    }
    closedir(dir);
    std::sort(out->begin(), out->end());
}

TEST(GeneratorGolden, SmallSchemaGivesTheKeptOutput)
{
    if (std::system("python3 --version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 is not installed; the generator cannot run";
    const std::string golden = schema_test::data_path("golden");
    const std::string out = std::string(KYR_BINARY_DIR) + "/schema_core_golden";
    const std::string command = "rm -rf " + out + " && python3 " + std::string(KYR_SOURCE_DIR)
        + "/schema/generator/kyrgen.py " + golden + "/mini.xsd " + out;
    ASSERT_EQ(std::system(command.c_str()), 0);

    std::vector<std::string> expected, generated;
    list_files(golden + "/expected", "", &expected);
    list_files(out, "", &generated);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(generated, expected);
    for (const std::string& file : expected)
        EXPECT_EQ(schema_test::read_file(out + "/" + file),
                  schema_test::read_file(golden + "/expected/" + file))
            << file;
}

// The flat exports of the same schema: their names, forms and overload numbers, and the
// decorated names. Regenerate with kyrgen.py ... OUT --flat OUT/kyr.def and copy both files.
TEST(GeneratorGolden, SmallSchemaGivesTheKeptFlatExports)
{
    if (std::system("python3 --version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 is not installed; the generator cannot run";
    const std::string golden = schema_test::data_path("golden");
    const std::string out = std::string(KYR_BINARY_DIR) + "/schema_core_golden_flat";
    const std::string command = "rm -rf " + out + " && python3 " + std::string(KYR_SOURCE_DIR)
        + "/schema/generator/kyrgen.py " + golden + "/mini.xsd " + out + " --flat " + out + "/kyr.def";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* file : {"flat_exports.txt", "kyr.def"})
        EXPECT_EQ(schema_test::read_file(out + "/" + file), schema_test::read_file(golden + "/" + file))
            << file;
}

TEST(GeneratorGolden, SchemaErrorsStopTheGenerator)
{
    if (std::system("python3 --version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 is not installed; the generator cannot run";
    const std::string bad = std::string(KYR_BINARY_DIR) + "/schema_core_bad.xsd";
    std::ofstream(bad) << "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                          "xmlns:b=\"http://kyr-format.org/v2/binding\" targetNamespace=\"urn:t\">"
                          "<xs:complexType name=\"T\" b:emtpy=\"accepted\"/></xs:schema>";
    const std::string command = "python3 " + std::string(KYR_SOURCE_DIR) + "/schema/generator/kyrgen.py "
        + bad + " " + std::string(KYR_BINARY_DIR) + "/schema_core_bad_out 2> /dev/null";
    EXPECT_NE(std::system(command.c_str()), 0);
    std::remove(bad.c_str());
}

} // namespace
