// Setters of colour-space values apply the same facets as reading, and an object built through
// them writes the element a load reads back.
#include "colour_space_support.hpp"

#include <gtest/gtest.h>

#include <sstream>

using namespace com_kyrandel_v2;

namespace {

TEST(ColourSpaceSetters, NumericSettersCheckTheRange)
{
    ColorSpaceCIELabType lab;
    EXPECT_EQ(lab.set_L(150), lmx::ELMX_OK);
    EXPECT_EQ(lab.set_L(150.0001), lmx::ELMX_VALUE_EXCEEDS_MAX);
    EXPECT_EQ(lab.set_A(-150), lmx::ELMX_OK);
    EXPECT_EQ(lab.set_A(-150.0001), lmx::ELMX_VALUE_EXCEEDS_MIN);

    ColorSpaceCIELChType lch;
    EXPECT_EQ(lch.set_L(100.5), lmx::ELMX_VALUE_EXCEEDS_MAX);
    EXPECT_EQ(lch.set_H(359.999), lmx::ELMX_OK);
    EXPECT_EQ(lch.set_H(360), lmx::ELMX_VALUE_EXCEEDS_MAX);

    ColorSpaceEmissiveCIEXYZType emissive;
    EXPECT_EQ(emissive.set_X(1e300), lmx::ELMX_OK);
    EXPECT_EQ(emissive.set_X(-0.0001), lmx::ELMX_VALUE_EXCEEDS_MIN);
}

TEST(ColourSpaceSetters, EnumeratedColourDepth)
{
    ColorSpaceSRGBType rgb;
    EXPECT_EQ(rgb.getenum_ColorDepth(), ColorSpaceSRGBType::Eenum_ColorDepth_none);
    EXPECT_TRUE(rgb.setenum_ColorDepth(ColorSpaceSRGBType::Eenum_ColorDepth_ColorDepth_16));
    EXPECT_EQ(rgb.get_ColorDepth(), L"ColorDepth_16");
    EXPECT_EQ(rgb.set_ColorDepth(L"colordepth_16"), lmx::ELMX_VALUE_NOT_ENUMERATED);
    EXPECT_EQ(rgb.get_ColorDepth(), L"ColorDepth_16");
    EXPECT_EQ(rgb.set_ColorDepth(L"ColorDepth_32"), lmx::ELMX_OK);
    EXPECT_EQ(rgb.getenum_ColorDepth(), ColorSpaceSRGBType::Eenum_ColorDepth_ColorDepth_32);
}

TEST(ColourSpaceSetters, EnumeratedGamut)
{
    ColorSpaceSOLVARIType solvari;
    EXPECT_TRUE(solvari.setenum_Gamut(ColorSpaceSOLVARIType::Eenum_Gamut_Gamut_SENaplex));
    EXPECT_EQ(solvari.get_Gamut(), L"Gamut_SENaplex");
    EXPECT_EQ(solvari.set_Gamut(L"Gamut_srgb"), lmx::ELMX_VALUE_NOT_ENUMERATED);
    EXPECT_EQ(solvari.getenum_Gamut(), ColorSpaceSOLVARIType::Eenum_Gamut_Gamut_SENaplex);
}

TEST(ColourSpaceSetters, LabBuiltBySettersIsWrittenWithoutAnUnsetName)
{
    ColorSpaceCIELabType lab;
    ASSERT_EQ(lab.append_ChangeHistory(lmx::c_datetime("2026-03-14T09:30:00Z")), lmx::ELMX_OK);
    std::ostringstream refused;
    lmx::c_xml_writer refusing_writer(refused, "\t", "\n");
    EXPECT_EQ(lab.marshal(refusing_writer, "Kyr:ColorSpaceCIELab"), lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);

    ColorSpaceSpecificationSpectrumTristimulusType& specification = lab.get_ColorSpaceSpecificationSpectrumTristimulus();
    const std::string sample = colour_space_test::sample_element("ColorSpaceCIELCh");
    {
        const std::string text = colour_space_test::document_with(sample);
        Kyr document;
        ASSERT_EQ(document.unmarshal(text.data(), text.size()), lmx::ELMX_OK);
        specification = static_cast<const Kyr&>(document).get_Color(0).get_ColorSpace(0).get_ColorSpaceCIELCh()
                            .get_ColorSpaceSpecificationSpectrumTristimulus();
    }
    ASSERT_EQ(lab.set_L(50), lmx::ELMX_OK);
    ASSERT_EQ(lab.set_A(-20.5), lmx::ELMX_OK);
    EXPECT_EQ(lab.marshal(refusing_writer, "Kyr:ColorSpaceCIELab"), lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);
    ASSERT_EQ(lab.set_B(0), lmx::ELMX_OK);

    std::ostringstream os;
    lmx::c_xml_writer writer(os, "\t", "\n");
    ASSERT_EQ(lab.marshal(writer, "Kyr:ColorSpaceCIELab"), lmx::ELMX_OK);
    const std::string written = os.str();
    // Zero has its own fixed form, with the point.
    EXPECT_EQ(written.find("Name="), std::string::npos);
    EXPECT_NE(written.find("<Kyr:L>50</Kyr:L>\n\t<Kyr:A>-20.5</Kyr:A>\n\t<Kyr:B>0.0</Kyr:B>\n</Kyr:ColorSpaceCIELab>"),
              std::string::npos)
        << written;
}

} // namespace
