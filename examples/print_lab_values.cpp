// Reads a Kyr document and prints the L*a*b* values of every colour in it:
// the document's own colours and those in its palettes' colour sets.
//
//     print_lab_values examples/swatches.kyr
#include <kyr/kyr.hpp>

#include <cstdio>

using namespace com_kyrandel_v2;

// A colour may carry several values; print the ones in CIE L*a*b*.
static void print_lab(const ColorType& colour)
{
    for (size_t i = 0; i < colour.size_ColorSpace(); ++i) {
        const sg_ColorSpace& value = colour.get_ColorSpace(i);
        if (value.getchosen() != sg_ColorSpace::ec_ColorSpaceCIELab)
            continue;
        const ColorSpaceCIELabType& lab = value.get_ColorSpaceCIELab();
        std::printf("%-20s L*=%7.2f  a*=%7.2f  b*=%7.2f\n",
                    lmx::convert_to_narrow(colour.get_ColorName()).c_str(),
                    lab.get_L(), lab.get_A(), lab.get_B());
    }
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: print_lab_values FILE.kyr|FILE.kyrz\n");
        return 2;
    }

    // loadFile picks plain XML or a .kyrz container by the file name.
    Kyr document;
    const lmx::elmx_error error = document.loadFile(lmx::convert_to_wide(argv[1]));
    if (error != lmx::ELMX_OK) {
        std::fprintf(stderr, "%s: %s\n", argv[1], lmx::get_error_description(error));
        return 1;
    }

    for (size_t i = 0; i < document.size_Color(); ++i)
        print_lab(document.get_Color(i));
    for (size_t p = 0; p < document.size_Palette(); ++p)
        for (size_t s = 0; s < document.get_Palette(p).size_ColorSet(); ++s)
            for (size_t c = 0; c < document.get_Palette(p).get_ColorSet(s).size_Color(); ++c)
                print_lab(document.get_Palette(p).get_ColorSet(s).get_Color(c));
    return 0;
}
