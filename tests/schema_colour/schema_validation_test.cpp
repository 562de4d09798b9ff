// Validates the bundled colour documents against schema/kyr.xsd with xmllint, so that the schema
// files and the documents written by hand cannot drift apart.

#include "xmllint_runner.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
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

// Each invalid document breaks exactly one rule; the fragment names that rule, so a document that
// fails for some other reason does not pass unnoticed.
const std::map<std::string, std::string> invalid_documents = {
    {"abstract-colour-space-head", "'{http://kyr-format.org/v2}ColorSpace': The element declaration is abstract"},
    {"averaging-value-one", "attribute 'AveragingValue': [facet 'minInclusive'] The value '1'"},
    {"cmyk-plus-n-without-color", "ColorSpaceCMYKPlusN': Missing child element(s)"},
    {"color-change-history-without-zone", "[facet 'pattern'] The value '2026-03-14T09:30:00' is not accepted"},
    {"color-depth-wrong-case", "[facet 'enumeration'] The value 'colordepth_8'"},
    {"color-without-colour-space", "}Color': Missing child element(s)"},
    {"colorant-contribution-above-one", "Contribution': [facet 'maxInclusive'] The value '1.01'"},
    {"colorant-density-zero", "Density': [facet 'minExclusive'] The value '0.0' must be greater than '0'"},
    {"colour-space-without-change-history", "Expected is one of ( {http://kyr-format.org/v2}CustomAttribute, {http://kyr-format.org/v2}ParentColorSpace, {http://kyr-format.org/v2}ChangeHistory )"},
    {"colour-temperature-above-int-max", "ColorTemperature': [facet 'maxInclusive'] The value '2147483648'"},
    {"de94-parameter-negative", "Param_h': [facet 'minInclusive'] The value '-0.1'"},
    {"function-tolerance-without-parameters", "}Function': Missing child element(s). Expected is ( {http://kyr-format.org/v2}Parameters )"},
    {"generic-without-name", "ColorSpaceGeneric': The attribute 'Name' is required but missing"},
    {"lab-l-above-max", "}L': [facet 'maxInclusive'] The value '150.0001'"},
    {"lab-l-nan", "}L': [facet 'maxInclusive'] The value 'NaN'"},
    {"lch-hue-at-360", "}H': [facet 'maxExclusive'] The value '360' must be less than '360'"},
    {"lch-l-above-max", "}L': [facet 'maxInclusive'] The value '100.5'"},
    {"profile-parameter-name-two-characters", "[facet 'length'] The value has a length of '2'"},
    {"profile-without-direction", "Profile': The attribute 'Direction' is required but missing"},
    {"quality-control-without-standard-and-measurement", "ColorQualityControl': Missing child element(s)"},
    {"reflectance-at-minus-one", "ReflectancePoint': [facet 'minExclusive'] The value '-1' must be greater than '-1'"},
    {"reflectance-at-ten", "ReflectancePoint': [facet 'maxExclusive'] The value '10' must be less than '10'"},
    {"sample-target-unknown", "Target': [facet 'enumeration'] The value 'Target_IT8.7/5'"},
    {"sample-without-substrate", "}Target': This element is not expected"},
    {"specification-without-device-filter", "}DevicePolarization': This element is not expected"},
    {"spot-name-empty", "}Name': [facet 'minLength'] The value has a length of '0'"},
    {"spot-percentage-above-max", "Percentage': [facet 'maxInclusive'] The value '100.5'"},
    {"standard-missing", "StandardAndMeasurement': Missing child element(s)"},
    {"substrate-generic-empty-type", "}Type': [facet 'minLength'] The value has a length of '0'"},
    {"tolerance-type-wrong-case", "ToleranceType': [facet 'enumeration'] The value 'de00'"},
    {"tristimulus-without-field-of-view", "Expected is ( {http://kyr-format.org/v2}FieldOfView )"},
    {"unknown-geometry-empty", "UnknownGeometry': [facet 'minLength'] The value has a length of '0'"},
    {"wavelength-zero", "attribute 'Wavelength': [facet 'minExclusive'] The value '0.0' must be greater than '0'"},
    {"white-point-above-one", "CoordinateX': [facet 'maxInclusive'] The value '1.2'"},
    {"xsi-type-outside-family", "ColorSpaceCIELabType', specified by xsi:type, is blocked or not validly derived"},
};

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
    for (const auto& entry : invalid_documents) {
        listed.insert(entry.first);
    }
    EXPECT_EQ(names, listed);
}

TEST_F(ColourSchema, InvalidDocumentsAreRejectedForTheirOwnFault) {
    for (const auto& entry : invalid_documents) {
        const lint_result result = validate(data_dir / "invalid" / (entry.first + ".kyr"));
        EXPECT_NE(result.status, 0) << entry.first;
        EXPECT_NE(result.output.find(entry.second), std::string::npos)
            << entry.first << " failed otherwise: " << result.output;
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
