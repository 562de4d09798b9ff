// kyr export FILE --format csv|cgats: one row per colour value: where the colour stands, the
// conditions of the value, and a column per component and per wavelength found; or the
// measurement-data text file of the document's values.
#include "cgats_export.hpp"
#include "colour_spaces.hpp"
#include "colour_walk.hpp"
#include "commands.hpp"
#include "csv.hpp"
#include "document_loading.hpp"
#include "exit_status.hpp"
#include "text.hpp"

#include <algorithm>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

namespace kyr_tool {
namespace {

struct export_options
{
    std::string file;
    std::string format = "csv";
};

struct value_row
{
    std::string colour_name;
    std::string colour_space;
    std::string palette;
    std::string colour_set;
    std::string prefix; // of its columns: the colour space without "ColorSpace"
    colour_components components;
};

// Component columns are named by colour space and component ("CIELab.L", "CIExyY.x",
// "Spectral.400"), so the components of different spaces never share a column.
struct column_layout
{
    std::vector<std::string> named; // in order of first appearance
    // Per spectral space, in order of first appearance, its wavelengths ascending.
    std::vector<std::pair<std::string, std::set<double>>> spectral;
};

std::string column_of(const value_row& row, const std::string& component)
{
    return row.prefix + "." + component;
}

column_layout layout_of(const std::vector<value_row>& rows)
{
    column_layout layout;
    std::unordered_set<std::string> seen; // a document may name thousands of inks
    for (const value_row& row : rows) {
        for (const auto& component : row.components.named) {
            const std::string column = column_of(row, component.first);
            if (seen.insert(column).second)
                layout.named.push_back(column);
        }
        if (row.components.spectral.empty())
            continue;
        auto space = std::find_if(layout.spectral.begin(), layout.spectral.end(),
                                  [&row](const auto& s) { return s.first == row.prefix; });
        if (space == layout.spectral.end())
            space = layout.spectral.insert(space, {row.prefix, {}});
        for (const auto& point : row.components.spectral)
            space->second.insert(point.first);
    }
    return layout;
}

void write_header(const column_layout& layout)
{
    std::cout << "ColorName,ColorSpace,Palette,ColorSet,Illuminant,Observer";
    for (const std::string& name : layout.named)
        std::cout << ',' << csv_field(name);
    for (const auto& space : layout.spectral)
        for (double wavelength : space.second)
            std::cout << ',' << csv_field(space.first + "." + format_number(wavelength));
    std::cout << '\n';
}

// A component named twice in one value (two spot colours of one name) keeps its first value.
void write_row(const value_row& row, const column_layout& layout)
{
    std::cout << csv_field(row.colour_name) << ',' << csv_field(row.colour_space) << ','
              << csv_field(row.palette) << ',' << csv_field(row.colour_set) << ','
              << csv_field(row.components.illuminant) << ',' << csv_field(row.components.observer);
    std::map<std::string, std::string> cells;
    for (const auto& component : row.components.named)
        cells.emplace(column_of(row, component.first), component.second);
    for (const std::string& name : layout.named) {
        std::cout << ',';
        const auto found = cells.find(name);
        if (found != cells.end())
            std::cout << csv_field(found->second);
    }
    std::map<double, double> spectral;
    for (const auto& point : row.components.spectral)
        spectral.emplace(point.first, point.second);
    for (const auto& space : layout.spectral) {
        for (double wavelength : space.second) {
            std::cout << ',';
            const auto found = spectral.find(wavelength);
            if (space.first == row.prefix && found != spectral.end())
                std::cout << format_number(found->second);
        }
    }
    std::cout << '\n';
}

int export_document(const export_options& options)
{
    com_kyrandel_v2::Kyr document;
    if (const int status = load_for_command(options.file, document); status != exit_ok)
        return status;
    if (options.format == "cgats")
        return export_cgats(document);

    std::vector<value_row> rows;
    for_each_colour(document, [&rows](const com_kyrandel_v2::ColorType& colour, const colour_place& place) {
        for (size_t i = 0; i < colour.size_ColorSpace(); ++i) {
            const auto& value = colour.get_ColorSpace(i);
            const char* space = colour_space_name(colour_space_index(value));
            const std::string name = space ? space : "";
            rows.push_back({utf8(colour.get_ColorName()), name,
                            place.palette ? utf8(place.palette->get_PaletteName()) : "",
                            place.colour_set ? utf8(place.colour_set->get_ColorSetName()) : "",
                            name.compare(0, 10, "ColorSpace") == 0 ? name.substr(10) : name,
                            components_of(value)});
        }
    });

    const column_layout layout = layout_of(rows);
    write_header(layout);
    for (const value_row& row : rows)
        write_row(row, layout);
    return exit_ok;
}

} // namespace

command add_export_command(CLI::App& parent)
{
    auto options = std::make_shared<export_options>();
    CLI::App* app = parent.add_subcommand(
        "export", "Write every colour value as a table row: colour name, colour space and its numbers.");
    app->add_option("FILE", options->file, "Document to read (.kyr, .kyrz, or - for standard input)")
        ->required();
    app->add_option("--format", options->format, "Output format")
        ->check(CLI::IsMember({"csv", "cgats"}))
        ->capture_default_str();
    return {app, [options] { return export_document(*options); }};
}

} // namespace kyr_tool
