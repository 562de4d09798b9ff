// kyr::load, parse, save and to_xml: fresh documents, diagnostics in kyr::error, round trips.
#include "api_test_support.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

const std::string swatches = KYR_SOURCE_DIR "/examples/swatches.kyr";

TEST(DocumentIo, ASecondLoadNeverMerges)
{
    kyr::Document document = kyr::load(swatches);
    ASSERT_EQ(document.colours().size(), 4u);
    document.colours().push_back();
    document = kyr::load(swatches);
    EXPECT_EQ(document.colours().size(), 4u);
    EXPECT_EQ(kyr::load(swatches).colours().size(), 4u);
}

TEST(DocumentIo, FailuresCarryTheReadersDiagnostics)
{
    const std::string broken = std::string(KYR_BINARY_DIR) + "/api_broken.kyrz";
    std::ofstream(broken) << "PK not an archive";
    struct failure
    {
        std::string path;
        lmx::elmx_error code;
        int line;
        std::string message;
        std::size_t diagnostics;
    };
    const failure cases[] = {
        {KYR_TEST_DATA_DIR "/tool/missing_header.kyr", lmx::ELMX_MANDATORY_ELEMENT_MISSING, 4,
         "line:4-'Kyr:Header'-Mandatory element missing", 1},
        {KYR_TEST_DATA_DIR "/no/such/file.kyr", lmx::ELMX_NO_FILE, 0,
         "cannot open: No such file or directory", 0},
        {KYR_TEST_DATA_DIR, lmx::ELMX_NO_FILE, 0, "cannot open: is a directory", 0},
        {KYR_TEST_DATA_DIR "/no/such/file.kyrz", lmx::ELMX_USER_DEFINED_1, 0,
         "cannot open: No such file or directory", 0},
        {broken, lmx::ELMX_USER_DEFINED_1, 0,
         "not a readable .kyrz container: not a zip archive or truncated", 1},
    };
    for (const failure& expected : cases) {
        const kyr::error e = thrown([&] { kyr::load(expected.path); }).value();
        EXPECT_EQ(e.code(), expected.code) << expected.path;
        EXPECT_EQ(e.line(), expected.line) << expected.path;
        EXPECT_EQ(std::string(e.what()).substr(0, expected.message.size()), expected.message);
        EXPECT_EQ(e.diagnostics().size(), expected.diagnostics) << expected.path;
    }
    std::remove(broken.c_str());
}

TEST(DocumentIo, AFailedParseCarriesEveryDiagnostic)
{
    kyr::Document document = lab_document();
    std::string xml = kyr::to_xml(document);
    for (const char* value : {"<Kyr:L>", "<Kyr:A>", "<Kyr:B>"})
        xml.insert(xml.find(value) + std::strlen(value), "x");
    const kyr::error e = thrown([&] { kyr::parse(xml); }).value();
    EXPECT_EQ(e.code(), lmx::ELMX_VALUE_BAD_FORMAT);
    ASSERT_EQ(e.diagnostics().size(), 3u);
    EXPECT_EQ(e.diagnostics()[2].path, "/Kyr/Color/ColorSpaceCIELab/B");
}

TEST(DocumentIo, ParseReportsTheLineOfABadValue)
{
    kyr::Document document = lab_document();
    std::string xml = kyr::to_xml(document);
    const std::size_t at = xml.find(stamp);
    ASSERT_NE(at, std::string::npos);
    xml.replace(at, std::string(stamp).size(), "abc");
    const int line =
        1 + static_cast<int>(std::count(xml.begin(), xml.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
    const kyr::error e = thrown([&] { kyr::parse(xml); }).value();
    EXPECT_EQ(e.code(), lmx::ELMX_VALUE_BAD_FORMAT);
    EXPECT_EQ(e.line(), line);
    EXPECT_EQ(std::string(e.what()).rfind("line:" + std::to_string(line) + "-'Kyr:ChangeHistory'-", 0), 0u)
        << e.what();
}

TEST(DocumentIo, SaveAndLoadGiveBackTheSameDocumentInBothForms)
{
    kyr::Document document = lab_document();
    const std::string xml = kyr::to_xml(document);
    for (const char* ending : {".kyr", ".kyrz"}) {
        const std::string path = std::string(KYR_BINARY_DIR) + "/api_save_test" + ending;
        kyr::save(document, path);
        kyr::Document loaded = kyr::load(path);
        std::remove(path.c_str());
        EXPECT_EQ(kyr::to_xml(loaded), xml) << ending;
    }
}

TEST(DocumentIo, SaveRefusesWhatTheGeneratedWriteRefuses)
{
    kyr::Document incomplete = lab_document();
    incomplete.colours().at(0).colour_spaces().push_back();
    const std::string path = std::string(KYR_BINARY_DIR) + "/api_incomplete.kyr";
    const kyr::error e = thrown([&] { kyr::save(incomplete, path); }).value();
    EXPECT_EQ(e.code(), lmx::ELMX_BAD_CHOICE);
    ASSERT_EQ(e.diagnostics().size(), 1u);
    EXPECT_EQ(e.diagnostics()[0].path + " " + e.diagnostics()[0].message,
              "/Kyr/Color Inappropriate choice option selected: sg_ColorSpace");
    kyr::Document document = lab_document();
    EXPECT_EQ(thrown([&] { kyr::save(document, path + ".txt"); }).value().code(), lmx::ELMX_USER_DEFINED_2);
}

} // namespace
