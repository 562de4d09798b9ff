// Display colours of the bundled samples and of tests/data/tool/render_marks.kyr: which value each
// colour is shown from, and its 8-bit sRGB worked out apart from the library (L*a*b* or the
// spectrum's XYZ under D50/2°, Bradford to D65, the sRGB matrix and curve).
#include <kyr/colour/display_colour.hpp>
#include <kyr/lmx/error.hpp>
#include <kyr/lmx/strings.hpp>
#include <kyr/schema/classes.hpp>

#include <gtest/gtest.h>

using namespace kyr::colour;

namespace {

const com_kyrandel_v2::ColorType* find_colour(const com_kyrandel_v2::Kyr& document, const std::wstring& name)
{
    for (size_t i = 0; i < document.size_Color(); ++i)
        if (document.get_Color(i).get_ColorName() == name)
            return &document.get_Color(i);
    for (size_t p = 0; p < document.size_Palette(); ++p)
        for (size_t s = 0; s < document.get_Palette(p).size_ColorSet(); ++s) {
            const auto& set = document.get_Palette(p).get_ColorSet(s);
            for (size_t i = 0; i < set.size_Color(); ++i)
                if (set.get_Color(i).get_ColorName() == name)
                    return &set.get_Color(i);
        }
    return nullptr;
}

} // namespace

TEST(DisplayColour, BestValueToSrgb)
{
    const struct
    {
        const char* file;
        const wchar_t* colour;
        const char* source; // empty: no display colour
        int r, g, b;
        bool in_gamut;
        std::vector<bool> spectra; // whether each spectrum has a colour of its own
    } cases[] = {
        // The spectrum wins over the stored L*a*b* (which would give #E14435), seen under its D50/2°.
        {KYR_SOURCE_DIR "/examples/swatches.kyr",
         L"Poppy red",
         "ColorSpaceSpectral",
         226,
         65,
         53,
         true,
         {true}},
        {KYR_SOURCE_DIR "/examples/swatches.kyr",
         L"Meadow green",
         "ColorSpaceSpectral",
         0,
         169,
         73,
         false,
         {true}},
        {KYR_SOURCE_DIR "/examples/swatches.kyr",
         L"Chalk white",
         "ColorSpaceCIELab",
         241,
         240,
         239,
         true,
         {}},
        // RGB of an unknown device first, then sRGB (0.1, 0.52, 0.55): the sRGB value is shown as it is.
        {KYR_SOURCE_DIR "/examples/rich-sample.kyr", L"Ocean Teal", "ColorSpaceSRGB", 26, 133, 140, true, {}},
        {KYR_SOURCE_DIR "/examples/rich-sample.kyr", L"Press Black", "", 0, 0, 0, true, {}},
        // A light's three emission points, scaled to Y = 100 and seen against D50: clipped.
        {KYR_SOURCE_DIR "/examples/rich-sample.kyr",
         L"Display White",
         "ColorSpaceEmissiveSpectral",
         234,
         255,
         255,
         false,
         {}},
        {KYR_TEST_DATA_DIR "/tool/render_marks.kyr",
         L"Laser green",
         "ColorSpaceCIELab",
         0,
         243,
         0,
         false,
         {}},
        // A spectrum that cannot be weighted (500 nm twice) falls back to the L*a*b* (50, 0, 0).
        {KYR_TEST_DATA_DIR "/tool/render_marks.kyr",
         L"Twice 500 nm",
         "ColorSpaceCIELab",
         119,
         119,
         119,
         true,
         {false}},
    };
    DisplayColours colours;
    for (const auto& c : cases) {
        com_kyrandel_v2::Kyr document;
        ASSERT_EQ(document.loadFile(lmx::convert_to_wide(c.file)), lmx::ELMX_OK) << c.file;
        const com_kyrandel_v2::ColorType* colour = find_colour(document, c.colour);
        ASSERT_NE(colour, nullptr);
        SCOPED_TRACE(lmx::convert_to_narrow(c.colour));
        const DisplayColour shown = colours.of(*colour);
        EXPECT_EQ(shown.source, c.source);
        ASSERT_EQ(shown.rgb.has_value(), *c.source != '\0');
        if (shown.rgb) {
            const RGB8 rgb = to_8bit(*shown.rgb);
            EXPECT_EQ(rgb.r, c.r);
            EXPECT_EQ(rgb.g, c.g);
            EXPECT_EQ(rgb.b, c.b);
            EXPECT_EQ(shown.rgb->in_gamut, c.in_gamut);
        } else {
            EXPECT_EQ(shown.note, "no colorimetric value (spectrum, L*a*b*, XYZ, xyY or sRGB)");
        }
        ASSERT_EQ(shown.spectra.size(), c.spectra.size());
        for (size_t i = 0; i < c.spectra.size(); ++i)
            EXPECT_EQ(shown.spectra[i].has_value(), c.spectra[i]);
    }
}
