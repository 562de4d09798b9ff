// Writes a document from scratch: a header, three colours in L*a*b* (one of them also
// measured as a reflectance spectrum) and a palette that gathers them.
//
//     new_document garden.kyr
#include <kyr/api.hpp>

#include <cstdio>

int main(int argc, char** argv)
{
    const char* path = argc > 1 ? argv[1] : "garden.kyr";
    const char* stamp = "2026-12-06T09:30:00Z";
    try {
        kyr::Document document;
        kyr::fill_header(document,
                         {"new_document example", "1.0", "Three garden colours and their palette", stamp});

        kyr::conditions measured;
        measured.stamp = stamp;
        measured.illuminant = "Illuminant_D65";
        measured.observer = "FieldOfView_10_Degree";
        kyr::ColorType poppy = document.colours().push_back();
        kyr::add_lab(poppy, "Poppy red", {53.08, 61.18, 45.29}, measured);
        kyr::add_lab(document.colours().push_back(), "Meadow green", {60.37, -54.58, 36.82}, measured);
        kyr::add_lab(document.colours().push_back(), "Cornflower blue", {43.03, 3.25, -60.0}, measured);
        kyr::add_spectrum(poppy, {400, 100, {0.05, 0.06, 0.45, 0.85}}, measured);

        kyr::PaletteType palette = document.palettes().push_back();
        palette.set_palette_name("Garden");
        palette.change_histories().push_back(stamp);
        kyr::ColorSetType set = palette.colour_sets().push_back();
        set.set_colour_set_name("Borders");
        set.change_histories().push_back(stamp);
        for (const auto& colour : document.colours())
            set.colours().push_back(colour);

        kyr::save(document, path);
    } catch (const kyr::error& e) {
        std::fprintf(stderr, "%s: %s\n", path, e.what());
        return 1;
    }
    std::printf("wrote %s\n", path);
    return 0;
}
