// Range facets of every numeric colour-space value, written down here from the colour tables and
// checked against the schema: each bound is tried at the bound and just beyond it. All documents
// are validated by one xmllint run to keep the test fast.

#include "xmllint_runner.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace schema_colour;

constexpr double unbounded = std::numeric_limits<double>::infinity();

struct value_range {
    const char* name;
    double min;
    double max;  // unbounded when the value has no upper bound
    bool max_exclusive;
};

enum class specification { generic, tristimulus, emissive_tristimulus };

struct colour_space {
    const char* element;
    specification kind;
    std::vector<value_range> values;
    const char* trailing;  // mandatory content after the values
};

const value_range unit_x{"X", 0, 1, false}, unit_y{"Y", 0, 1, false}, unit_z{"Z", 0, 1, false};
const value_range hue{"Hue", 0, 360, true};

std::vector<value_range> inks(std::vector<const char*> names) {
    std::vector<value_range> ranges;
    for (const char* name : names) {
        ranges.push_back({name, 0, 100, false});
    }
    return ranges;
}

std::vector<value_range> rgb() {
    return {{"Red", 0, 1, false}, {"Green", 0, 1, false}, {"Blue", 0, 1, false}, {"Alpha", 0, 1, false}};
}

const char* const depth = "<Kyr:ColorDepth>ColorDepth_8</Kyr:ColorDepth>";
const char* const ink = "<Kyr:Color><Kyr:Name>Orange</Kyr:Name><Kyr:Value>1</Kyr:Value></Kyr:Color>";

const std::vector<colour_space> colour_spaces = {
    {"ColorSpaceRGB", specification::tristimulus, rgb(), depth},
    {"ColorSpaceSRGB", specification::tristimulus, rgb(), depth},
    {"ColorSpaceAdobeRGB", specification::tristimulus, rgb(), depth},
    {"ColorSpaceAdobeWideGamutRGB", specification::tristimulus, rgb(), depth},
    {"ColorSpaceCMYKPlusN", specification::generic, inks({"Cyan", "Magenta", "Yellow", "Black"}), ink},
    {"ColorSpaceCIELab", specification::tristimulus,
     {{"L", 0, 150, false}, {"A", -150, 150, false}, {"B", -150, 150, false}}, ""},
    {"ColorSpaceCIELCh", specification::tristimulus,
     {{"L", 0, 100, false}, {"C", 0, 150, false}, {"H", 0, 360, true}}, ""},
    {"ColorSpaceCIEXYZ", specification::tristimulus, {unit_x, unit_y, unit_z}, ""},
    {"ColorSpaceEmissiveCIEXYZ", specification::emissive_tristimulus,
     {{"X", 0, unbounded, false}, {"Y", 0, unbounded, false}, {"Z", 0, unbounded, false}}, ""},
    {"ColorSpaceCIExyY", specification::tristimulus, {unit_x, unit_y, {"CapY", 0, 1, false}}, ""},
    {"ColorSpaceEmissiveCIExyY", specification::emissive_tristimulus,
     {unit_x, unit_y, {"CapY", 0, unbounded, false}}, ""},
    {"ColorSpaceCIELuv", specification::tristimulus,
     {{"L", 0, 100, false}, {"U", -134, 220, false}, {"V", -140, 122, false}}, ""},
    {"ColorSpaceHSL", specification::generic,
     {hue, {"Saturation", 0, 1, false}, {"Lightness", 0, 1, false}}, ""},
    {"ColorSpaceHSV", specification::generic,
     {hue, {"Saturation", 0, 1, false}, {"Value", 0, 1, false}}, ""},
    {"ColorSpaceCMYK", specification::generic, inks({"Cyan", "Magenta", "Yellow", "Black"}), ""},
    {"ColorSpaceSOLVARISenaplex", specification::generic,
     inks({"Cyan", "Magenta", "Yellow", "Black", "Orange", "Green"}), ""},
    {"ColorSpaceYUV", specification::generic,
     {unit_y, {"U", -0.436, 0.436, false}, {"V", -0.615, 0.615, false}}, ""},
    {"ColorSpaceYIQ", specification::generic,
     {unit_y, {"I", -0.5957, 0.5957, false}, {"Q", -0.5226, 0.5226, false}}, ""},
    {"ColorSpaceYBR", specification::generic,
     {unit_y, {"B", 0, 1, false}, {"R", 0, 1, false}}, ""},
};

const char* const stamp = "<Kyr:ChangeHistory>2026-03-14T09:30:00Z</Kyr:ChangeHistory>";

std::string specification_element(specification kind) {
    const std::string common = std::string("<Kyr:DeviceFilter>Filter_None</Kyr:DeviceFilter>"
                                           "<Kyr:DevicePolarization>false</Kyr:DevicePolarization>") +
                               stamp;
    const std::string viewing = "<Kyr:IlluminationOptions><Kyr:Illuminant>Illuminant_D50</Kyr:Illuminant>"
                                "</Kyr:IlluminationOptions><Kyr:FieldOfView>FieldOfView_2_Degree</Kyr:FieldOfView>";
    const std::string spectrum = "<Kyr:Spectrum>Spectrum_Reflectance</Kyr:Spectrum>";
    switch (kind) {
    case specification::generic:
        return "<Kyr:ColorSpaceSpecificationSpectrumGeneric>" + common + spectrum +
               "</Kyr:ColorSpaceSpecificationSpectrumGeneric>";
    case specification::tristimulus:
        return "<Kyr:ColorSpaceSpecificationSpectrumTristimulus>" + common + spectrum + viewing +
               "</Kyr:ColorSpaceSpecificationSpectrumTristimulus>";
    case specification::emissive_tristimulus:
        break;
    }
    return "<Kyr:ColorSpaceSpecificationEmissiveTristimulus>" + common +
           "<Kyr:EmissiveType>Emissive_Spot</Kyr:EmissiveType>"
           "<Kyr:EmissiveMode>EmissiveMode_NA</Kyr:EmissiveMode>" +
           viewing + "</Kyr:ColorSpaceSpecificationEmissiveTristimulus>";
}

std::string number(double value) {
    std::ostringstream out;
    out.precision(10);
    out << value;
    return out.str();
}

double middle(const value_range& range) {
    return std::isinf(range.max) ? range.min + 1 : (range.min + range.max) / 2;
}

// A whole document holding one colour in `space`, with `tried` set to `text` and every other
// value in the middle of its range.
std::string document(const colour_space& space, const std::string& tried, const std::string& text) {
    std::string values;
    for (const value_range& range : space.values) {
        const std::string value = range.name == tried ? text : number(middle(range));
        values += std::string("<Kyr:") + range.name + ">" + value + "</Kyr:" + range.name + ">";
    }
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<Kyr:Kyr xmlns:Kyr=\"http://kyr-format.org/v2\">"
                       "<Kyr:Preamble><Kyr:Header><Kyr:Creator>c</Kyr:Creator>"
                       "<Kyr:CreatorVersion>1</Kyr:CreatorVersion>") +
           stamp + "<Kyr:Purpose>p</Kyr:Purpose></Kyr:Header></Kyr:Preamble>"
                   "<Kyr:Color ColorName=\"c\">" + stamp + "<Kyr:" + space.element + ">" + stamp +
           specification_element(space.kind) + values + space.trailing + "</Kyr:" + space.element +
           "></Kyr:Color></Kyr:Kyr>\n";
}

struct trial {
    std::string label;
    fs::path file;
    bool valid;
};

class ColourSpaceRanges : public ::testing::Test {
protected:
    void SetUp() override {
        if (!xmllint_available()) {
            GTEST_SKIP() << "xmllint is not installed";
        }
        directory_ = fs::temp_directory_path() / ("kyr_schema_ranges_" + std::to_string(getpid()));
        fs::create_directories(directory_);
    }

    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(directory_, ignored);
    }

    void add(const colour_space& space, const std::string& name, const std::string& text, bool valid) {
        const std::string label = std::string(space.element) + " " + name + "=" + text;
        const fs::path file = directory_ / (std::to_string(trials_.size()) + ".kyr");
        std::ofstream(file) << document(space, name, text);
        trials_.push_back({label, file, valid});
    }

    fs::path directory_;
    std::vector<trial> trials_;
};

TEST_F(ColourSpaceRanges, EveryBoundHoldsAtTheBoundAndFailsJustBeyond) {
    for (const colour_space& space : colour_spaces) {
        add(space, "", "", true);
        for (const value_range& range : space.values) {
            const double step = 1e-4;
            add(space, range.name, number(range.min), true);
            add(space, range.name, number(range.min - step), false);
            if (std::isinf(range.max)) {
                add(space, range.name, "1e300", true);
                continue;
            }
            add(space, range.name, number(range.max), !range.max_exclusive);
            add(space, range.name, number(range.max - step), true);
            add(space, range.name, number(range.max + step), false);
        }
    }
    ASSERT_GT(trials_.size(), 300u);

    std::string arguments = "--noout --schema " + quoted(schema_path);
    for (const trial& t : trials_) {
        arguments += " " + quoted(t.file);
    }
    const lint_result result = run_xmllint(arguments);
    ASSERT_EQ(result.output.find("Schemas parser error"), std::string::npos) << result.output;
    for (const trial& t : trials_) {
        const bool validated = result.output.find(t.file.string() + " validates") != std::string::npos;
        const bool failed = result.output.find(t.file.string() + " fails to validate") != std::string::npos;
        EXPECT_NE(validated, failed) << t.label;
        EXPECT_EQ(validated, t.valid) << t.label;
    }
}

}  // namespace
