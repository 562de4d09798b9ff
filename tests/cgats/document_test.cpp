// Tables to documents and back, through the document's own XML text.
#include <kyr/cgats/document.hpp>
#include <kyr/kyr.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

using namespace com_kyrandel_v2;
using kyr::cgats::table;

const lmx::c_datetime k_now("2026-12-06T12:00:00Z");

std::string shared_file(const std::string& name)
{
    std::ifstream in(KYR_SHARED_DIR "/colour-data/cgats/argyll/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every kind of field, numbers in many spellings, values a document cannot hold (XYZ_Z over
// 100, LAB_L below 0), a field of its own, and the condition keywords.
const std::string k_mixed =
    "CGATS.17\nILLUMINANT D65\nOBSERVER \"10\"\nMEASUREMENT_CONDITION \"M2\"\nINSTRUMENTATION \"Spectro 9\"\n"
    "BEGIN_DATA_FORMAT\nSAMPLE_ID SAMPLE_NAME LAB_L LAB_A LAB_B LCH_L LCH_C LCH_H XYZ_X XYZ_Y XYZ_Z RGB_R "
    "RGB_G RGB_B "
    "CMYK_C CMYK_M CMYK_Y CMYK_K 3CLR_1 3CLR_2 3CLR_3 D_VIS D_RED nm400 nm500 PATCH_NOTE\nEND_DATA_FORMAT\n"
    "BEGIN_DATA\n"
    "A1 \"Red one\" 50.00 +60 .5 50 60.2 33.000 19.21 20.00 8.30 255 128 0 0 100 100 0 10 20 30.5 1.25 0.98 "
    "0.045 0.0512 \"x y\"\n"
    "A2 \"White\" -5 1e1 -0.5E-1 70 0 359.9 95.1065 100 108.844 0 0 0 0.00000 0 0 0 0 0 0 0.05 0.1 0.9 0.912 "
    "ok\n"
    "END_DATA\n";

std::vector<table> read_tables(const std::string& text)
{
    std::vector<table> tables;
    const auto result = kyr::cgats::read(text, tables);
    EXPECT_TRUE(result.ok) << result.message;
    return tables;
}

// Tables -> document -> XML text -> document -> tables.
std::vector<table> round_trip(const std::vector<table>& tables)
{
    Kyr document;
    const auto imported = kyr::cgats::to_document(tables, "in.txt", "test", k_now, document);
    EXPECT_TRUE(imported.ok) << imported.message;
    const XMLDocumentResult xml = document.writeString();
    EXPECT_EQ(xml.getElmxError(), lmx::ELMX_OK);
    Kyr reloaded;
    EXPECT_EQ(reloaded.loadString(xml.getXmlDocument()), lmx::ELMX_OK);
    std::vector<std::string> skipped;
    std::vector<table> back = kyr::cgats::from_document(reloaded, skipped);
    EXPECT_TRUE(skipped.empty());
    return back;
}

TEST(CgatsDocument, RoundTripKeepsEveryNumberAndKeyword)
{
    const std::string repeated_fields =
        "CGATS.17\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L LAB_A LAB_B SAMPLE_ID LAB_L NOTE NOTE\n"
        "END_DATA_FORMAT\nBEGIN_DATA\n7 50 1 2 8 51.5 a b\nEND_DATA\n";
    // ISO-8859-1 text, and an RGB value out of range after the colour space got its depth.
    const std::string latin1 =
        "CGATS.17\nDESCRIPTOR \"Gr\xfcn \xb0\"\nBEGIN_DATA_FORMAT\nSAMPLE_NAME RGB_R RGB_G RGB_B D_VIS\n"
        "END_DATA_FORMAT\nBEGIN_DATA\n\xc4pfel 1 300 2 0.1\n\"B \xe9\" 255 0 0 1.5\nEND_DATA\n";
    for (const std::string& text :
         {k_mixed, repeated_fields, latin1, shared_file("FograStrip2.ti1"), shared_file("CIE_C.sp")}) {
        const std::vector<table> tables = read_tables(text);
        EXPECT_EQ(kyr::cgats::write(round_trip(tables)), kyr::cgats::write(tables));
    }
}

TEST(CgatsDocument, FieldsBecomeValuesAndKeywordsConditions)
{
    Kyr document;
    ASSERT_TRUE(kyr::cgats::to_document(read_tables(k_mixed), "mixed.txt", "test", k_now, document).ok);
    const ColorSetType& set = document.get_Palette(0).get_ColorSet(0);
    ASSERT_EQ(set.size_Color(), 2u);
    const ColorType& red = set.get_Color(0);
    EXPECT_EQ(red.get_ColorName(), L"Red one");
    EXPECT_EQ(red.get_ColorNumber(), L"A1");
    ASSERT_EQ(red.size_ColorSpace(), 8u);
    const ColorSpaceCIELabType& lab = red.get_ColorSpace(0).get_ColorSpaceCIELab();
    EXPECT_EQ(lab.get_A(), 60);
    EXPECT_EQ(lab.get_B(), 0.5);
    const auto& conditions = lab.get_ColorSpaceSpecificationSpectrumTristimulus();
    EXPECT_EQ(conditions.get_IlluminationOptions().get_Illuminant().get_Illuminant(), L"Illuminant_D65");
    EXPECT_EQ(conditions.get_FieldOfView(), L"FieldOfView_10_Degree");
    EXPECT_EQ(conditions.get_DeviceFilter().get_DeviceFilterType(), L"Filter_UVExcluded");
    EXPECT_EQ(conditions.get_Device().get_Model(), L"Spectro 9");
    EXPECT_EQ(red.get_ColorSpace(2).get_ColorSpaceCIEXYZ().get_X(), 0.1921);
    EXPECT_EQ(red.get_ColorSpace(3).get_ColorSpaceRGB().get_Green(),
              0.50196078431373); // 128 / 255 to 14 digits
    EXPECT_EQ(red.get_ColorSpace(3).get_ColorSpaceRGB().get_ColorDepth(), L"ColorDepth_8");
    EXPECT_EQ(red.get_ColorSpace(4).get_ColorSpaceCMYK().get_Magenta(), 100);
    const ColorSpaceGenericType& inks = red.get_ColorSpace(5).get_ColorSpaceGeneric();
    EXPECT_EQ(inks.get_Name(), L"3CLR");
    EXPECT_EQ(inks.get_Axis(2).get_AxisName(), L"3CLR_3");
    EXPECT_EQ(
        inks.get_Axis(2).get_AxisValueChoice().get_AxisFloatingPointValue().get_FloatingPointValueType(),
        30.5);
    const ColorSpaceDensityType& density = red.get_ColorSpace(6).get_ColorSpaceDensity();
    EXPECT_EQ(density.get_Density(1).get_DensityFilter(), L"Filter_Red");
    EXPECT_EQ(density.get_Density(1).get_DensityType(), 0.98);
    const ColorSpaceSpectralType& spectrum = red.get_ColorSpace(7).get_ColorSpaceSpectral();
    EXPECT_EQ(spectrum.get_ReflectancePoint(1).get_Wavelength(), 500);
    EXPECT_EQ(spectrum.get_ReflectancePoint(1).get_ReflectancePointType(), 0.0512); // no norm, none above 1.5
    // The white's L* below 0 and Z above 100 stay text; its other values are values.
    const ColorType& white = set.get_Color(1);
    EXPECT_EQ(white.size_ColorSpace(), 6u);
    EXPECT_EQ(white.get_ColorSpace(0).getchosen(), sg_ColorSpace::ec_ColorSpaceCIELCh);
}

TEST(CgatsDocument, TextWhereANumberBelongsNamesTheLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"abc", "line 6: LAB_L \"abc\" is not a number"},
        {"nan", "line 6: LAB_L \"nan\" is not a number"},
        {"1e999", "line 6: LAB_L \"1e999\" is not a number"},
        {"5,5", "line 6: LAB_L \"5,5\" is not a number"},
        {"1.2.3", "line 6: LAB_L \"1.2.3\" is not a number"},
        {"", "line 6: LAB_L \"\" is not a number"},
    };
    for (const auto& c : cases) {
        const std::string text =
            "CGATS.17\nBEGIN_DATA_FORMAT\nLAB_L LAB_A LAB_B\nEND_DATA_FORMAT\nBEGIN_DATA\n\""
            + std::string(c.first) + "\" 0 0\nEND_DATA\n";
        Kyr document;
        const auto result = kyr::cgats::to_document(read_tables(text), "bad.txt", "test", k_now, document);
        EXPECT_FALSE(result.ok) << c.first;
        EXPECT_EQ(result.message, c.second);
    }
}

// A document made by hand gets the fields of its values and the keywords of its conditions.
TEST(CgatsDocument, DocumentsNotReadFromTablesGetFieldsFromTheirValues)
{
    Kyr document;
    ASSERT_EQ(document.loadFile(lmx::convert_to_wide(KYR_SOURCE_DIR "/examples/swatches.kyr")), lmx::ELMX_OK);
    std::vector<std::string> skipped;
    const std::vector<table> tables = kyr::cgats::from_document(document, skipped);
    ASSERT_EQ(tables.size(), 2u);
    const table& t = tables[0];
    EXPECT_EQ(t.identifier, "CGATS.17");
    ASSERT_EQ(t.fields.size(), 21u);
    EXPECT_EQ(t.fields[4], "LAB_B");
    EXPECT_EQ(t.fields[20], "SPEC_700");
    EXPECT_EQ(t.keyword("ILLUMINANT")->value, "D50");
    EXPECT_EQ(t.keyword("SPECTRAL_BANDS")->value, "16");
    EXPECT_EQ(t.keyword("SPECTRAL_START_NM")->value, "400");
    EXPECT_EQ(t.value(0, 1), "Poppy red");
    EXPECT_EQ(t.value(0, 15), "45"); // 0.45 at 600 nm, written in percent
    EXPECT_EQ(t.value(3, 2), "89.46");
}

} // namespace

namespace {

// Each case: a group of fields, then the texts of its first field, one data set each (the
// group's other fields are 0).
struct number_column
{
    const char* fields;
    const char* texts;
};

} // namespace

TEST(CgatsDocument, NumbersComeBackAsTheyWereSpelt)
{
    const number_column cases[] = {
        {"LAB_L LAB_A LAB_B", "1E+02 -0 0.10 1e-7 +.5e1 5. 007 150 99.99999999999999"},
        {"XYZ_Y XYZ_X XYZ_Z", "0.00000 100 21.5784 3.4200 1e-3 99.999999999999999 0.0386614"},
        {"RGB_G RGB_R RGB_B", "255 128 1 0 254.5 17.000"},
        {"RGB_G RGB_R RGB_B", "100 50.5 0.00000 33.333333333333336"},
        {"CMYK_K CMYK_C CMYK_M CMYK_Y", "0.0000 100.00 45.486 0.65916 3.2503 18.089"},
        {"nm550", "0.045 0.1 0.000 1.0 0.333333333333333333"},
        {"SPEC_550", "104.11 0.01 88.00"},
        {"6CLR_1 6CLR_2", "12.5 0 100.000 7e1"},
    };
    for (const number_column& c : cases) {
        std::string text =
            "CGATS.17\nBEGIN_DATA_FORMAT\n" + std::string(c.fields) + "\nEND_DATA_FORMAT\nBEGIN_DATA\n";
        const auto others = std::count(c.fields, c.fields + std::strlen(c.fields), ' ');
        std::istringstream texts(c.texts);
        for (std::string value; texts >> value;) {
            text += value;
            for (auto i = others; i > 0; --i)
                text += " 0";
            text += "\n";
        }
        const std::vector<table> tables = read_tables(text + "END_DATA\n");
        EXPECT_EQ(kyr::cgats::write(round_trip(tables)), kyr::cgats::write(tables)) << c.texts;
    }
}

namespace {

struct condition_case
{
    const char* keywords;
    const wchar_t* illuminant;
    const wchar_t* custom_illuminant;
    const wchar_t* field_of_view;
    const wchar_t* filter;
    const wchar_t* custom_filter;
    bool polarized;
};

} // namespace

TEST(CgatsDocument, KeywordsBecomeTheValuesConditions)
{
    const condition_case cases[] = {
        {"", L"Illuminant_D50", L"", L"FieldOfView_2_Degree", L"Filter_None", L"", false},
        {"ILLUMINANT \"CIE C\"\nOBSERVER 10_DEGREE", L"Illuminant_C", L"", L"FieldOfView_10_Degree",
         L"Filter_None", L"", false},
        {"WEIGHTING_FUNCTION \"ILLUMINANT, F11\"\nWEIGHTING_FUNCTION \"OBSERVER, 10 degree\"",
         L"Illuminant_F11", L"", L"FieldOfView_10_Degree", L"Filter_None", L"", false},
        {"ILLUMINANT \"D93\"", L"Illuminant_Custom", L"D93", L"FieldOfView_2_Degree", L"Filter_None", L"",
         false},
        {"MEASUREMENT_CONDITION M3", L"Illuminant_D50", L"", L"FieldOfView_2_Degree", L"Filter_UVExcluded",
         L"", true},
        {"MEASUREMENT_CONDITION \"M1\"", L"Illuminant_D50", L"", L"FieldOfView_2_Degree", L"Filter_Custom",
         L"M1", false},
        {"FILTER \"UV-cut\"", L"Illuminant_D50", L"", L"FieldOfView_2_Degree", L"Filter_UVExcluded", L"",
         false},
        {"FILTER D65\nPOLARIZATION yes", L"Illuminant_D50", L"", L"FieldOfView_2_Degree", L"Filter_UVD65",
         L"", true},
    };
    for (const condition_case& c : cases) {
        const std::string text = "CGATS.17\n" + std::string(c.keywords)
            + "\nBEGIN_DATA_FORMAT\nLAB_L LAB_A LAB_B\nEND_DATA_FORMAT\nBEGIN_DATA\n50 0 0\nEND_DATA\n";
        Kyr document;
        ASSERT_TRUE(kyr::cgats::to_document(read_tables(text), "c.txt", "test", k_now, document).ok);
        const auto& spec = document.get_Palette(0)
                               .get_ColorSet(0)
                               .get_Color(0)
                               .get_ColorSpace(0)
                               .get_ColorSpaceCIELab()
                               .get_ColorSpaceSpecificationSpectrumTristimulus();
        const Illuminant& illuminant = spec.get_IlluminationOptions().get_Illuminant();
        EXPECT_EQ(illuminant.get_Illuminant(), c.illuminant) << c.keywords;
        EXPECT_EQ(illuminant.isset_CustomName() ? illuminant.get_CustomName() : L"", c.custom_illuminant)
            << c.keywords;
        EXPECT_EQ(spec.get_FieldOfView(), c.field_of_view) << c.keywords;
        EXPECT_EQ(spec.get_DeviceFilter().get_DeviceFilterType(), c.filter) << c.keywords;
        EXPECT_EQ(spec.get_DeviceFilter().isset_CustomOrPartial()
                      ? spec.get_DeviceFilter().get_CustomOrPartial()
                      : L"",
                  c.custom_filter)
            << c.keywords;
        EXPECT_EQ(spec.get_DevicePolarization().get_DevicePolarization(), c.polarized) << c.keywords;
    }
}
