// Builds a small palette of three harbour colours in L*a*b* and saves it as a
// ".kyrz" container.
//
//     build_palette harbour.kyrz
#include <kyr/api.hpp>

#include <cstdio>

int main(int argc, char** argv)
{
    const char* path = argc > 1 ? argv[1] : "harbour.kyrz";
    // Every dated record in a document carries at least one change-history stamp.
    const char* stamp = "2026-12-05T12:00:00Z";
    try {
        kyr::Document document;
        kyr::fill_header(document,
                         {"build_palette example", "1.0", "Harbour colours for the example palette", stamp});

        kyr::PaletteType palette = document.palettes().push_back();
        palette.set_palette_name("Harbour");
        palette.change_histories().push_back(stamp);
        kyr::ColorSetType set = palette.colour_sets().push_back();
        set.set_colour_set_name("Water and stone");
        set.change_histories().push_back(stamp);

        kyr::conditions measured; // D50, 2 degree observer
        measured.stamp = stamp;
        kyr::add_lab(set.colours().push_back(), "Deep water", {32.5, -4.0, -28.0}, measured);
        kyr::add_lab(set.colours().push_back(), "Harbour wall", {61.0, 2.5, 9.0}, measured);
        kyr::add_lab(set.colours().push_back(), "Buoy orange", {64.0, 48.0, 66.0}, measured);

        // The ".kyrz" ending makes save store the document in a zip container.
        kyr::save(document, path);
    } catch (const kyr::error& e) {
        std::fprintf(stderr, "%s: %s\n", path, e.what());
        return 1;
    }
    std::printf("wrote %s\n", path);
    return 0;
}
