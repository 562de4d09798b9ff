// Builds a small palette of three harbour colours in L*a*b* and saves it as a
// ".kyrz" container.
//
//     build_palette harbour.kyrz
#include <kyr/kyr.hpp>

#include <cstdio>

using namespace com_kyrandel_v2;

struct swatch
{
    const wchar_t* name;
    double l, a, b;
};

// Every dated record in a document carries at least one change-history stamp.
static const lmx::c_datetime stamp("2026-12-05T12:00:00Z");

// The conditions an L*a*b* value was measured or computed under.
static void describe_conditions(ColorSpaceSpecificationSpectrumTristimulusType& conditions)
{
    conditions.get_DeviceFilter().set_DeviceFilterType(L"Filter_None");
    conditions.get_DevicePolarization().set_DevicePolarization(false);
    conditions.append_ChangeHistory(stamp);
    conditions.get_Spectrum().set_SpectrumType(L"Spectrum_Reflectance");
    Illuminant illuminant;  // one of the choices of IlluminationOptions: chosen by assigning it
    illuminant.set_Illuminant(L"Illuminant_D50");
    conditions.get_IlluminationOptions().assign_Illuminant(illuminant);
    conditions.set_FieldOfView(L"FieldOfView_2_Degree");
}

static void add_colour(ColorSetType& set, const swatch& s)
{
    set.append_Color();
    ColorType& colour = set.back_Color();
    colour.set_ColorName(s.name);
    colour.append_ChangeHistory(stamp);

    colour.append_ColorSpace();
    ColorSpaceCIELabType& lab = colour.back_ColorSpace().get_ColorSpaceCIELab();
    lab.append_ChangeHistory(stamp);
    describe_conditions(lab.get_ColorSpaceSpecificationSpectrumTristimulus());
    lab.set_L(s.l);
    lab.set_A(s.a);
    lab.set_B(s.b);
}

int main(int argc, char** argv)
{
    const char* path = argc > 1 ? argv[1] : "harbour.kyrz";

    Kyr document;
    Header& header = document.get_Preamble().get_Header();
    header.set_Creator(L"build_palette example");
    header.set_CreatorVersion(L"1.0");
    header.append_ChangeHistory(stamp);
    header.set_Purpose(L"Harbour colours for the example palette");

    document.append_Palette();
    PaletteType& palette = document.back_Palette();
    palette.set_PaletteName(L"Harbour");
    palette.append_ChangeHistory(stamp);

    palette.append_ColorSet();
    ColorSetType& set = palette.back_ColorSet();
    set.set_ColorSetName(L"Water and stone");
    set.append_ChangeHistory(stamp);

    const swatch swatches[] = {
        {L"Deep water", 32.5, -4.0, -28.0},
        {L"Harbour wall", 61.0, 2.5, 9.0},
        {L"Buoy orange", 64.0, 48.0, 66.0},
    };
    for (const swatch& s : swatches)
        add_colour(set, s);

    // The ".kyrz" ending makes writeFile store the document in a zip container.
    const lmx::elmx_error error = document.writeFile(lmx::convert_to_wide(path));
    if (error != lmx::ELMX_OK) {
        std::fprintf(stderr, "%s: %s\n", path, lmx::get_error_description(error));
        return 1;
    }
    std::printf("wrote %s\n", path);
    return 0;
}
