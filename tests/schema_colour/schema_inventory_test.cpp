// Checks the colour schema files against the class inventory of the format: every class the
// generator must produce from them (and nothing else), the members of each substitution group in
// chosen-index order, the classes that accept an empty element, and the derivation of every
// polymorphic type.

#include "xmllint_runner.hpp"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace schema_colour;

const std::vector<fs::path> colour_files = {
    schema_dir / "xsd" / "colour-records.xsd", schema_dir / "xsd" / "colour-spaces.xsd",
    schema_dir / "xsd" / "conditions.xsd", schema_dir / "xsd" / "quality.xsd"};

std::vector<fs::path> all_schema_files() {
    std::vector<fs::path> files = colour_files;
    files.push_back(schema_path);
    return files;
}

std::vector<std::string> collect(const std::vector<fs::path>& files, const std::string& xpath) {
    std::vector<std::string> values;
    for (const fs::path& file : files) {
        for (std::string& value : attribute_values(file, xpath)) {
            values.push_back(std::move(value));
        }
    }
    return values;
}

std::string strip_prefix(const std::string& qname) {
    const size_t colon = qname.find(':');
    return colon == std::string::npos ? qname : qname.substr(colon + 1);
}

const char* const complex_type = "//*[local-name()='complexType']";
const char* const anonymous = "[not(@name)]";
const char* const renamed = "@*[local-name()='class']";

// Class names the generator derives from a set of schema files (see schema/BINDING.md).
std::multiset<std::string> produced_classes(const std::vector<fs::path>& files,
                                            const std::set<std::string>& group_heads) {
    std::multiset<std::string> classes;
    for (const std::string& name : collect(files, std::string(complex_type) + "/@name")) {
        classes.insert(name);
    }
    for (const std::string& name :
         collect(files, std::string(complex_type) + anonymous + "/" + renamed)) {
        classes.insert(name);
    }
    for (const std::string& name : collect(files, std::string(complex_type) + anonymous +
                                                      "[not(" + renamed + ")]/parent::*/@name")) {
        classes.insert(name);
    }
    for (const std::string& name :
         collect(files, "/*/*[local-name()='element'][@type]/@name")) {
        classes.insert(name);
    }
    std::set<std::string> holders;
    for (const std::string& ref : collect(files, "//*[local-name()='element']/@ref")) {
        if (group_heads.count(strip_prefix(ref)) != 0) {
            holders.insert("sg_" + strip_prefix(ref));
        }
    }
    classes.insert(holders.begin(), holders.end());
    return classes;
}

std::set<std::string> group_heads() {
    std::set<std::string> heads;
    for (const std::string& head :
         collect(all_schema_files(), "//*[local-name()='element']/@substitutionGroup")) {
        heads.insert(strip_prefix(head));
    }
    return heads;
}

const std::vector<std::string> colour_space_members = {
    "ColorSpaceRecipe", "ColorSpaceSOLVARI", "ColorSpaceGeneric", "ColorSpaceEmissiveGeneric",
    "ColorSpaceDensity", "ColorSpaceRGB", "ColorSpaceSRGB", "ColorSpaceAdobeRGB",
    "ColorSpaceCMYKPlusN", "ColorSpaceAdobeWideGamutRGB", "ColorSpaceSpectral",
    "ColorSpaceEmissiveSpectral", "ColorSpaceCIELab", "ColorSpaceCIELCh", "ColorSpaceCIEXYZ",
    "ColorSpaceEmissiveCIEXYZ", "ColorSpaceCIExyY", "ColorSpaceEmissiveCIExyY", "ColorSpaceCIELuv",
    "ColorSpaceHSL", "ColorSpaceHSV", "ColorSpaceCMYK", "ColorSpaceSOLVARISenaplex", "ColorSpaceYUV",
    "ColorSpaceYIQ", "ColorSpaceYBR", "ColorSpaceNCS", "ColorSpaceMunsell"};

const std::vector<std::string> function_members = {
    "FunctionGeneric", "FunctionDE", "FunctionMeanDE", "FunctionDE94", "FunctionDE2000",
    "FunctionDECMC", "FunctionStdDevX", "FunctionStdDevY", "FunctionStdDevZ", "FunctionStdDevL",
    "FunctionStdDevA", "FunctionStdDevB", "FunctionStdDevC", "FunctionStdDevH",
    "FunctionAverageStdDevL", "FunctionAverageStdDevA", "FunctionAverageStdDevB"};

const std::vector<std::string> substrate_kinds = {"Paper", "Generic", "Metal", "Plastic", "Wood",
                                                  "Vinyl", "Tile", "Film", "Textile"};

const std::vector<std::string> specification_kinds = {
    "SpectrumGeneric", "SpectrumTristimulus", "SpectrumSpectral",
    "EmissiveGeneric", "EmissiveTristimulus", "EmissiveSpectral"};

std::multiset<std::string> expected_classes() {
    std::multiset<std::string> classes = {
        // colour records
        "ColorType", "ColorSetType", "PaletteType", "Color", "ColorName", "ColorAndFinish",
        "SpotColorType", "Recipe", "ColorantElement", "Colorant", "ColorantElementType",
        "ColorantElementType_Colorant", "Density", "BaseElementType", "Base", "Process",
        "ProfileType", "ProfileChoice", "ProfileFile", "ProfileType_Parameters",
        "ProfileType_Parameters_ValueChoice", "Parameters", "ValueChoice", "Specification",
        "ParentColorSpace", "DensityType", "LimitsType",
        // colour spaces
        "ColorSpaceType", "ColorSpace", "sg_ColorSpace",
        // measurement conditions
        "ColorSpaceSpecificationType", "ColorSpaceSpecificationSpectrumType",
        "ColorSpaceSpecificationEmissiveType", "ColorSpaceSpecification",
        "ColorSpaceSpecificationSpectrum", "ColorSpaceSpecificationEmissive",
        "CollectionColorSpaceSpecificationType", "SpectrumType", "DeviceFilterType",
        "DevicePolarization", "CalibrationStateType", "Illuminant", "WhitePointChromaticity",
        "IlluminationOptionsType", "GeometryChoiceType", "BSDFAngle", "Azimuth", "DeviceType",
        "DeviceSettings", "GlossCompensation", "Averaging", "ReflectancePointType",
        "EmissiveSpectralPointType", "FloatingPointValueType", "AxisType", "AxisValueChoice",
        // quality control
        "ColorQualityControlType", "StandardAndMeasurementType", "Measurement", "Standard",
        "PhysicalSampleType", "ToleranceType", "ToleranceParameterType", "FunctionType",
        "FunctionTolerance", "Function", "sg_Function", "SampleType", "SampleSpotType",
        "SampleTargetType", "Sample", "SampleSpot", "SampleTarget", "sg_Sample", "SubstrateType",
        "Substrate", "sg_Substrate"};
    for (const std::string& member : colour_space_members) {
        classes.insert(member);
        classes.insert(member + "Type");
    }
    for (const std::string& member : function_members) {
        classes.insert(member);
        classes.insert(member == "FunctionDECMC" ? "FunctionDEcmcType" : member + "Type");
    }
    for (const std::string& kind : substrate_kinds) {
        classes.insert("Substrate" + kind);
        classes.insert("Substrate" + kind + "Type");
    }
    for (const std::string& kind : specification_kinds) {
        classes.insert("ColorSpaceSpecification" + kind);
        classes.insert("ColorSpaceSpecification" + kind + "Type");
    }
    return classes;
}

class ColourSchemaInventory : public ::testing::Test {
protected:
    void SetUp() override {
        if (!xmllint_available()) {
            GTEST_SKIP() << "xmllint is not installed";
        }
    }
};

TEST_F(ColourSchemaInventory, ProducesExactlyTheClassesOfTheColourTables) {
    const std::multiset<std::string> produced = produced_classes(colour_files, group_heads());
    const std::multiset<std::string> expected = expected_classes();
    EXPECT_EQ(expected.size(), 197u);
    for (const std::string& name : expected) {
        EXPECT_EQ(produced.count(name), 1u) << name;
    }
    for (const std::string& name : produced) {
        EXPECT_EQ(expected.count(name), 1u) << "unexpected class " << name;
    }
}

TEST_F(ColourSchemaInventory, GroupMembersAreDeclaredInChosenIndexOrder) {
    const auto members = [](const std::string& head) {
        return collect(colour_files, "/*/*[local-name()='element'][@substitutionGroup='Kyr:" +
                                         head + "']/@name");
    };
    EXPECT_EQ(members("ColorSpace"), colour_space_members);
    EXPECT_EQ(members("Function"), function_members);
    EXPECT_EQ(members("Sample"), (std::vector<std::string>{"SampleSpot", "SampleTarget"}));
    std::vector<std::string> substrates;
    for (const std::string& kind : substrate_kinds) {
        substrates.push_back("Substrate" + kind);
    }
    EXPECT_EQ(members("Substrate"), substrates);

    // Function is the first member of its own holder; the other heads are never written.
    EXPECT_EQ(collect(colour_files, "/*/*[local-name()='element'][@abstract='true']/@name"),
              (std::vector<std::string>{"ColorSpace", "ColorSpaceSpecification",
                                        "ColorSpaceSpecificationSpectrum",
                                        "ColorSpaceSpecificationEmissive", "Sample", "Substrate"}));
}

TEST_F(ColourSchemaInventory, EmptyElementIsAcceptedExactlyByTheMarkedClasses) {
    const std::string accepted = std::string(complex_type) + "[@*[local-name()='empty']='accepted']";
    std::multiset<std::string> marked;
    for (const std::string& name : collect(all_schema_files(), accepted + "/@name")) {
        marked.insert(name);
    }
    for (const std::string& name : collect(all_schema_files(), accepted + anonymous + "/" + renamed)) {
        marked.insert(name);
    }
    for (const std::string& name : collect(all_schema_files(), accepted + anonymous + "[not(" +
                                                                   renamed + ")]/parent::*/@name")) {
        marked.insert(name);
    }
    const std::multiset<std::string> expected = {
        "CollectionColorSpaceSpecificationType", "ColorAndFinish", "CustomAttributes",
        "DeviceSettings", "FunctionType", "FunctionDEType", "FunctionMeanDEType",
        "FunctionStdDevXType", "FunctionStdDevYType", "FunctionStdDevZType", "FunctionStdDevLType",
        "FunctionStdDevAType", "FunctionStdDevBType", "FunctionStdDevCType", "FunctionStdDevHType",
        "FunctionAverageStdDevLType", "FunctionAverageStdDevAType", "FunctionAverageStdDevBType",
        "OwnerType", "Parameters", "Person", "Process", "ProfileType_Parameters", "Recipe",
        "Revision", "SubstrateType", "SubstratePaperType", "SubstrateMetalType",
        "SubstratePlasticType", "SubstrateWoodType", "SubstrateVinylType", "SubstrateTileType",
        "SubstrateFilmType", "SubstrateTextileType", "Version"};
    EXPECT_EQ(marked, expected);
}

TEST_F(ColourSchemaInventory, PolymorphicTypesExtendTheirFamilyBase) {
    std::map<std::string, std::string> expected = {
        {"ColorSpaceCMYKPlusNType", "ColorSpaceCMYKType"},
        {"ColorSpaceSpecificationSpectrumType", "ColorSpaceSpecificationType"},
        {"ColorSpaceSpecificationEmissiveType", "ColorSpaceSpecificationType"},
        {"FunctionTolerance", "FunctionType"},
        {"SampleSpotType", "SampleType"},
        {"SampleTargetType", "SampleType"}};
    for (const std::string& member : colour_space_members) {
        if (member != "ColorSpaceCMYKPlusN") {
            expected[member + "Type"] = "ColorSpaceType";
        }
    }
    for (const std::string& member : function_members) {
        expected[member == "FunctionDECMC" ? "FunctionDEcmcType" : member + "Type"] = "FunctionType";
    }
    for (const std::string& kind : substrate_kinds) {
        expected["Substrate" + kind + "Type"] = "SubstrateType";
    }
    for (const std::string& kind : specification_kinds) {
        const std::string level = kind.substr(0, kind.find_first_of("GTS", 1));
        expected["ColorSpaceSpecification" + kind + "Type"] = "ColorSpaceSpecification" + level + "Type";
    }

    const std::string extended = std::string(complex_type) + "[*[local-name()='complexContent']]";
    const std::vector<std::string> derived = collect(colour_files, extended + "/@name");
    const std::vector<std::string> bases = collect(
        colour_files, extended + "/*[local-name()='complexContent']/*[local-name()='extension']/@base");
    ASSERT_EQ(derived.size(), bases.size());
    std::map<std::string, std::string> actual;
    for (size_t i = 0; i < derived.size(); ++i) {
        actual[derived[i]] = strip_prefix(bases[i]);
    }
    EXPECT_EQ(actual, expected);
}

}  // namespace
