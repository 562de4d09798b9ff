// What `kyr render` shows, worked out from a document: every colour's display colour, its values
// as text and its spectra, grouped as the document groups them, and the quality-control records.
// The page writers only lay this out.
#ifndef KYR_TOOLS_RENDER_PAGE_HPP
#define KYR_TOOLS_RENDER_PAGE_HPP

#include <kyr/colour/display_colour.hpp>
#include <kyr/schema/classes.hpp>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kyr_tool {

struct spectrum_curve
{
    std::vector<std::pair<double, double>> points; // (nm, reflectance), finite, ascending wavelength
    std::optional<kyr::colour::RGB8> colour;       // the spectrum's own sRGB, when it has one
};

struct swatch
{
    std::string name, number;
    std::optional<kyr::colour::RGB8> rgb; // empty: drawn hatched, with `note`
    bool clipped = false;                 // outside the sRGB gamut, clipped into it
    std::string origin;                   // "sRGB #C8372D from the spectrum (D50, 2°)"
    std::string note;
    std::vector<std::string> values; // one line per stored value
    std::vector<spectrum_curve> spectra;
};

struct swatch_group
{
    std::string title; // "Colours", or the colour set's name
    std::vector<swatch> swatches;
};

struct palette_section
{
    std::string title;
    std::vector<swatch_group> sets;
};

// One line of a quality-control table: a difference against its limits.
struct qc_line
{
    std::string measurement, tolerance, function, value, limits, verdict;
};

struct qc_standard
{
    swatch standard;
    std::vector<swatch> measurements;
    std::vector<qc_line> lines;
};

struct qc_record
{
    std::string title, description;
    std::vector<qc_standard> standards;
};

struct page
{
    std::string title;
    std::vector<std::string> facts; // creator, purpose, counts
    swatch_group colours;           // the document's own colours
    std::vector<palette_section> palettes;
    std::vector<qc_record> records;
    size_t swatch_count = 0, clipped_count = 0, unknown_count = 0;
};

page build_page(const com_kyrandel_v2::Kyr& document, const std::string& file);

} // namespace kyr_tool

#endif
