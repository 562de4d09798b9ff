// Every colour-space type read through the document loader: range bounds at and beyond each end,
// case-sensitive enumerations, empty tags, missing mandatory children, and writes refused while
// mandatory members are unset.
#include "colour_space_support.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <utility>
#include <vector>

using namespace com_kyrandel_v2;
using namespace colour_space_test;

namespace {

// A numeric child: the bound texts, and texts just beyond them. A null max means no upper bound.
// With an exclusive maximum, max is the largest accepted text tried and above is the bound itself.
struct numeric_child
{
    const char* name;
    const char* min;
    const char* below;
    const char* max;
    const char* above;
};

struct enumerated_child
{
    const char* name;
    std::vector<const char*> values;
};

struct type_marshal_result
{
    lmx::elmx_error empty;
    lmx::elmx_error with_change_history;
};

template <class T>
type_marshal_result marshal_unset(const char* element)
{
    type_marshal_result result{};
    std::ostringstream os;
    {
        const T object;
        lmx::c_xml_writer writer(os, "\t", "\n");
        result.empty = object.marshal(writer, element);
    }
    {
        T object;
        object.append_ChangeHistory(lmx::c_datetime("2026-03-14T09:30:00Z"));
        lmx::c_xml_writer writer(os, "\t", "\n");
        result.with_change_history = object.marshal(writer, element);
    }
    return result;
}

struct colour_space_row
{
    const char* element;
    const char* specification;  // null where the type has none
    std::vector<numeric_child> numbers;
    std::vector<enumerated_child> enumerations;
    std::vector<const char*> non_empty_strings;
    type_marshal_result (*marshal)(const char*);
};

numeric_child unit(const char* name)
{
    return {name, "0", "-0.0001", "1", "1.0001"};
}

numeric_child percent(const char* name)
{
    return {name, "0", "-0.0001", "100", "100.0001"};
}

numeric_child hue(const char* name)
{
    return {name, "0", "-0.0001", "359.999", "360"};
}

numeric_child unbounded(const char* name)
{
    return {name, "0", "-0.0001", nullptr, nullptr};
}

const enumerated_child colour_depth{"ColorDepth",
                                    {"ColorDepth_Infinite", "ColorDepth_8", "ColorDepth_16", "ColorDepth_32"}};

const char* const k_generic = "ColorSpaceSpecificationSpectrumGeneric";
const char* const k_tristimulus = "ColorSpaceSpecificationSpectrumTristimulus";
const char* const k_emissive_tristimulus = "ColorSpaceSpecificationEmissiveTristimulus";

const std::vector<colour_space_row>& rows()
{
    static const std::vector<colour_space_row> table = {
        {"ColorSpaceRecipe", k_generic, {}, {}, {}, &marshal_unset<ColorSpaceRecipeType>},
        {"ColorSpaceSOLVARI",
         nullptr,
         {},
         {{"Gamut", {"Gamut_AdobeRGB", "Gamut_sRGB", "Gamut_CMYK", "Gamut_SENaplex"}}},
         {},
         &marshal_unset<ColorSpaceSOLVARIType>},
        {"ColorSpaceGeneric", k_generic, {}, {}, {}, &marshal_unset<ColorSpaceGenericType>},
        {"ColorSpaceEmissiveGeneric", "ColorSpaceSpecificationEmissiveGeneric", {}, {}, {},
         &marshal_unset<ColorSpaceEmissiveGenericType>},
        {"ColorSpaceDensity", k_generic, {}, {}, {}, &marshal_unset<ColorSpaceDensityType>},
        {"ColorSpaceRGB", k_tristimulus, {unit("Red"), unit("Green"), unit("Blue"), unit("Alpha")}, {colour_depth},
         {}, &marshal_unset<ColorSpaceRGBType>},
        {"ColorSpaceSRGB", k_tristimulus, {unit("Red"), unit("Green"), unit("Blue")}, {colour_depth},
         {}, &marshal_unset<ColorSpaceSRGBType>},
        {"ColorSpaceAdobeRGB", k_tristimulus, {unit("Red"), unit("Green"), unit("Blue"), unit("Alpha")},
         {colour_depth}, {}, &marshal_unset<ColorSpaceAdobeRGBType>},
        {"ColorSpaceCMYKPlusN", k_generic,
         {percent("Cyan"), percent("Magenta"), percent("Yellow"), percent("Black")}, {}, {},
         &marshal_unset<ColorSpaceCMYKPlusNType>},
        {"ColorSpaceAdobeWideGamutRGB", k_tristimulus, {unit("Red"), unit("Green"), unit("Blue")},
         {colour_depth}, {}, &marshal_unset<ColorSpaceAdobeWideGamutRGBType>},
        {"ColorSpaceSpectral", "ColorSpaceSpecificationSpectrumSpectral", {}, {}, {},
         &marshal_unset<ColorSpaceSpectralType>},
        {"ColorSpaceEmissiveSpectral", "ColorSpaceSpecificationEmissiveSpectral", {}, {}, {},
         &marshal_unset<ColorSpaceEmissiveSpectralType>},
        {"ColorSpaceCIELab", k_tristimulus,
         {{"L", "0", "-0.0001", "150", "150.0001"},
          {"A", "-150", "-150.0001", "150", "150.0001"},
          {"B", "-150", "-150.0001", "150", "150.0001"}},
         {}, {}, &marshal_unset<ColorSpaceCIELabType>},
        {"ColorSpaceCIELCh", k_tristimulus,
         {percent("L"), {"C", "0", "-0.0001", "150", "150.0001"}, hue("H")}, {}, {},
         &marshal_unset<ColorSpaceCIELChType>},
        {"ColorSpaceCIEXYZ", k_tristimulus, {unit("X"), unit("Y"), unit("Z")}, {}, {},
         &marshal_unset<ColorSpaceCIEXYZType>},
        {"ColorSpaceEmissiveCIEXYZ", k_emissive_tristimulus, {unbounded("X"), unbounded("Y"), unbounded("Z")}, {},
         {}, &marshal_unset<ColorSpaceEmissiveCIEXYZType>},
        {"ColorSpaceCIExyY", k_tristimulus, {unit("X"), unit("Y"), unit("CapY")}, {}, {},
         &marshal_unset<ColorSpaceCIExyYType>},
        {"ColorSpaceEmissiveCIExyY", k_emissive_tristimulus, {unit("X"), unit("Y"), unbounded("CapY")}, {}, {},
         &marshal_unset<ColorSpaceEmissiveCIExyYType>},
        {"ColorSpaceCIELuv", k_tristimulus,
         {percent("L"), {"U", "-134", "-134.0001", "220", "220.0001"}, {"V", "-140", "-140.0001", "122", "122.0001"}},
         {}, {}, &marshal_unset<ColorSpaceCIELuvType>},
        {"ColorSpaceHSL", k_generic, {hue("Hue"), unit("Saturation"), unit("Lightness")}, {}, {},
         &marshal_unset<ColorSpaceHSLType>},
        {"ColorSpaceHSV", k_generic, {hue("Hue"), unit("Saturation"), unit("Value")}, {}, {},
         &marshal_unset<ColorSpaceHSVType>},
        {"ColorSpaceCMYK", k_generic, {percent("Cyan"), percent("Magenta"), percent("Yellow"), percent("Black")}, {},
         {}, &marshal_unset<ColorSpaceCMYKType>},
        {"ColorSpaceSOLVARISenaplex", k_generic,
         {percent("Cyan"), percent("Magenta"), percent("Yellow"), percent("Black"), percent("Orange"),
          percent("Green")},
         {}, {}, &marshal_unset<ColorSpaceSOLVARISenaplexType>},
        {"ColorSpaceYUV", k_generic,
         {unit("Y"), {"U", "-0.436", "-0.4361", "0.436", "0.4361"}, {"V", "-0.615", "-0.6151", "0.615", "0.6151"}},
         {}, {}, &marshal_unset<ColorSpaceYUVType>},
        {"ColorSpaceYIQ", k_generic,
         {unit("Y"), {"I", "-0.5957", "-0.59571", "0.5957", "0.59571"},
          {"Q", "-0.5226", "-0.52261", "0.5226", "0.52261"}},
         {}, {}, &marshal_unset<ColorSpaceYIQType>},
        {"ColorSpaceYBR", k_generic, {unit("Y"), unit("B"), unit("R")}, {}, {}, &marshal_unset<ColorSpaceYBRType>},
        {"ColorSpaceNCS", k_generic, {}, {}, {}, &marshal_unset<ColorSpaceNCSType>},
        {"ColorSpaceMunsell", k_generic, {}, {}, {"CollectionName", "ColorName"},
         &marshal_unset<ColorSpaceMunsellType>},
    };
    return table;
}

// The rich sample's element for a row; the whole table depends on it, so a missing one is fatal.
std::string fragment_of(const colour_space_row& row)
{
    const std::string fragment = sample_element(row.element);
    EXPECT_FALSE(fragment.empty()) << row.element;
    return fragment;
}

lmx::elmx_error load_with_child(const colour_space_row& row, const std::string& child, const std::string& value)
{
    std::string fragment = fragment_of(row);
    EXPECT_TRUE(replace_child_text(&fragment, child, value)) << row.element << " " << child;
    return load_code(document_with(fragment));
}

TEST(ColourSpaceTable, CoversEveryMemberOnce)
{
    EXPECT_EQ(rows().size(), 28u);
    std::vector<std::string> names;
    for (const auto& row : rows())
        names.emplace_back(row.element);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
}

TEST(ColourSpaceFacets, SampleElementAloneLoads)
{
    for (const auto& row : rows())
        EXPECT_EQ(load_code(document_with(fragment_of(row))), lmx::ELMX_OK) << row.element;
}

TEST(ColourSpaceFacets, NumericBoundsAcceptedAndJustBeyondRefused)
{
    for (const auto& row : rows()) {
        for (const auto& child : row.numbers) {
            SCOPED_TRACE(std::string(row.element) + " " + child.name);
            EXPECT_EQ(load_with_child(row, child.name, child.min), lmx::ELMX_OK);
            EXPECT_EQ(load_with_child(row, child.name, child.below), lmx::ELMX_VALUE_EXCEEDS_MIN);
            if (child.max != nullptr) {
                EXPECT_EQ(load_with_child(row, child.name, child.max), lmx::ELMX_OK);
                EXPECT_EQ(load_with_child(row, child.name, child.above), lmx::ELMX_VALUE_EXCEEDS_MAX);
            } else {
                EXPECT_EQ(load_with_child(row, child.name, "1e300"), lmx::ELMX_OK);
            }
            // Not a number compares false with every bound: the minimum test fails first.
            EXPECT_EQ(load_with_child(row, child.name, "NaN"), lmx::ELMX_VALUE_EXCEEDS_MIN);
        }
    }
}

TEST(ColourSpaceFacets, OptionalAlphaBoundsOnEveryRgbType)
{
    for (const char* element : {"ColorSpaceRGB", "ColorSpaceSRGB", "ColorSpaceAdobeRGB", "ColorSpaceAdobeWideGamutRGB"}) {
        std::string without_alpha = sample_element(element);
        ASSERT_LE(remove_children(&without_alpha, "Alpha"), 1) << element;
        EXPECT_EQ(load_code(document_with(without_alpha)), lmx::ELMX_OK) << element;
        const std::string indent = child_indent(without_alpha);
        const size_t depth = without_alpha.find(indent + "<Kyr:ColorDepth>");
        ASSERT_NE(depth, std::string::npos) << element;
        const std::pair<const char*, lmx::elmx_error> cases[] = {{"0", lmx::ELMX_OK},
                                                                 {"1", lmx::ELMX_OK},
                                                                 {"-0.0001", lmx::ELMX_VALUE_EXCEEDS_MIN},
                                                                 {"1.0001", lmx::ELMX_VALUE_EXCEEDS_MAX}};
        for (const auto& [value, code] : cases) {
            std::string fragment = without_alpha;
            fragment.insert(depth, indent + "<Kyr:Alpha>" + value + "</Kyr:Alpha>");
            EXPECT_EQ(load_code(document_with(fragment)), code) << element << " " << value;
        }
    }
}

TEST(ColourSpaceFacets, EnumerationsAreCaseSensitive)
{
    for (const auto& row : rows()) {
        for (const auto& child : row.enumerations) {
            for (const char* value : child.values) {
                SCOPED_TRACE(std::string(row.element) + " " + value);
                EXPECT_EQ(load_with_child(row, child.name, value), lmx::ELMX_OK);
                std::string lower(value);
                std::transform(lower.begin(), lower.end(), lower.begin(),
                               [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
                EXPECT_EQ(load_with_child(row, child.name, lower), lmx::ELMX_VALUE_NOT_ENUMERATED);
            }
        }
    }
}

TEST(ColourSpaceFacets, StringsWithMinimumLengthRefuseEmptyText)
{
    for (const auto& row : rows()) {
        for (const char* child : row.non_empty_strings) {
            SCOPED_TRACE(std::string(row.element) + " " + child);
            EXPECT_EQ(load_with_child(row, child, ""), lmx::ELMX_LENGTH_TOO_SHORT);
            EXPECT_EQ(load_with_child(row, child, "x"), lmx::ELMX_OK);
        }
    }
}

// The two generic types require their Name attribute; attributes are checked before content.
bool name_required(const colour_space_row& row)
{
    const std::string element = row.element;
    return element == "ColorSpaceGeneric" || element == "ColorSpaceEmissiveGeneric";
}

TEST(ColourSpaceStructure, EmptyElementTagIsRefused)
{
    for (const auto& row : rows()) {
        const std::string attributes = name_required(row) ? " Name=\"n\"" : "";
        const std::string empty_tag = std::string("\t\t<Kyr:") + row.element + attributes + "/>";
        EXPECT_EQ(load_code(document_with(empty_tag)), lmx::ELMX_UNEXPECTED_EMPTY_ELEMENT) << row.element;
    }
}

TEST(ColourSpaceStructure, RequiredNameIsReportedBeforeTheEmptyContent)
{
    for (const auto& row : rows()) {
        if (!name_required(row))
            continue;
        const load_report report = load_with_item(document_with(std::string("\t\t<Kyr:") + row.element + "/>"));
        EXPECT_EQ(report.code, lmx::ELMX_REQUIRED_ATTRIBUTES_MISSING) << row.element;
        EXPECT_EQ(report.item, std::string(row.element) + "Type");
        std::string fragment = fragment_of(row);
        const size_t name = fragment.find(" Name=\"");
        ASSERT_NE(name, std::string::npos) << row.element;
        fragment.erase(name, fragment.find('"', name + 7) + 1 - name);
        EXPECT_EQ(load_with_item(document_with(fragment)).code, lmx::ELMX_REQUIRED_ATTRIBUTES_MISSING) << row.element;
    }
}

TEST(ColourSpaceStructure, MissingChangeHistoryIsNamed)
{
    for (const auto& row : rows()) {
        std::string fragment = fragment_of(row);
        ASSERT_GE(remove_children(&fragment, "ChangeHistory"), 1) << row.element;
        const std::string text = document_with(fragment);
        EXPECT_EQ(load_code(text), lmx::ELMX_MANDATORY_ELEMENT_MISSING) << row.element;
        const load_report report = load_with_item(text);
        EXPECT_EQ(report.code, lmx::ELMX_MANDATORY_ELEMENT_MISSING) << row.element;
        EXPECT_EQ(report.item, "Kyr:ChangeHistory") << row.element;
    }
}

TEST(ColourSpaceStructure, MissingSpecificationIsNamed)
{
    for (const auto& row : rows()) {
        if (row.specification == nullptr)
            continue;
        std::string fragment = fragment_of(row);
        ASSERT_EQ(remove_children(&fragment, row.specification), 1) << row.element;
        const load_report report = load_with_item(document_with(fragment));
        EXPECT_EQ(report.code, lmx::ELMX_MANDATORY_ELEMENT_MISSING) << row.element;
        EXPECT_EQ(report.item, std::string("Kyr:") + row.specification) << row.element;
    }
}

TEST(ColourSpaceStructure, MandatoryValueMissingIsNamed)
{
    for (const auto& row : rows()) {
        for (const auto& child : row.numbers) {
            if (std::string(child.name) == "Alpha")
                continue;  // optional
            std::string fragment = fragment_of(row);
            ASSERT_EQ(remove_children(&fragment, child.name), 1) << row.element << " " << child.name;
            const load_report report = load_with_item(document_with(fragment));
            EXPECT_EQ(report.code, lmx::ELMX_MANDATORY_ELEMENT_MISSING) << row.element << " " << child.name;
            EXPECT_EQ(report.item, std::string("Kyr:") + child.name) << row.element;
        }
    }
}

TEST(ColourSpaceStructure, MarshalRefusesUnsetMandatoryMembers)
{
    for (const auto& row : rows()) {
        const std::string element = std::string("Kyr:") + row.element;
        const type_marshal_result result = row.marshal(element.c_str());
        EXPECT_EQ(result.empty, lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL) << row.element;
        EXPECT_EQ(result.with_change_history, lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL) << row.element;
    }
}

} // namespace
