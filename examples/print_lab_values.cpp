// Reads a Kyr document and prints the L*a*b* values of every colour in it:
// the document's own colours and those in its palettes' colour sets.
//
//     print_lab_values examples/swatches.kyr
#include <kyr/api.hpp>

#include <cstdio>

// A colour may carry several values; print the ones in CIE L*a*b*.
static void print_lab(kyr::ColorTypeView colour)
{
    for (const auto& value : colour.colour_spaces())
        if (const auto lab = value.colour_space_cie_lab()) // a handle, or nothing unless chosen
            std::printf("%-20s L*=%7.2f  a*=%7.2f  b*=%7.2f\n", colour.colour_name().c_str(), lab->l(),
                        lab->a(), lab->b());
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: print_lab_values FILE.kyr|FILE.kyrz\n");
        return 2;
    }
    try {
        // load picks plain XML or a .kyrz container by the file name.
        const kyr::Document document = kyr::load(argv[1]);
        for (const auto& colour : document.colours())
            print_lab(colour);
        for (const auto& palette : document.palettes())
            for (const auto& set : palette.colour_sets())
                for (const auto& colour : set.colours())
                    print_lab(colour);
    } catch (const kyr::error& e) {
        std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
