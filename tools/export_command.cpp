// kyr export FILE --format csv: one row per colour value, with a column per
// component name found and a column per wavelength found.
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
#include <string>
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
    colour_components components;
};

struct column_layout
{
    std::vector<std::string> named;  // in order of first appearance
    std::vector<double> wavelengths; // ascending
};

column_layout layout_of(const std::vector<value_row>& rows)
{
    column_layout layout;
    for (const value_row& row : rows) {
        for (const auto& component : row.components.named)
            if (std::find(layout.named.begin(), layout.named.end(), component.first) == layout.named.end())
                layout.named.push_back(component.first);
        for (const auto& point : row.components.spectral)
            layout.wavelengths.push_back(point.first);
    }
    std::sort(layout.wavelengths.begin(), layout.wavelengths.end());
    layout.wavelengths.erase(std::unique(layout.wavelengths.begin(), layout.wavelengths.end()),
                             layout.wavelengths.end());
    return layout;
}

void write_header(const column_layout& layout)
{
    std::cout << "ColorName,ColorSpace";
    for (const std::string& name : layout.named)
        std::cout << ',' << csv_field(name);
    for (double wavelength : layout.wavelengths)
        std::cout << ',' << format_number(wavelength);
    std::cout << '\n';
}

// A component named twice in one value (two spot colours of one name) keeps its first value.
void write_row(const value_row& row, const column_layout& layout)
{
    std::cout << csv_field(row.colour_name) << ',' << csv_field(row.colour_space);
    for (const std::string& name : layout.named) {
        std::cout << ',';
        const auto& named = row.components.named;
        const auto found = std::find_if(named.begin(), named.end(), [&name](const auto& c) { return c.first == name; });
        if (found != named.end())
            std::cout << format_number(found->second);
    }
    std::map<double, double> spectral;
    for (const auto& point : row.components.spectral)
        spectral.emplace(point.first, point.second);
    for (double wavelength : layout.wavelengths) {
        std::cout << ',';
        const auto found = spectral.find(wavelength);
        if (found != spectral.end())
            std::cout << format_number(found->second);
    }
    std::cout << '\n';
}

int export_document(const export_options& options)
{
    com_kyrandel_v2::Kyr document;
    const load_result result = load_document(options.file, document);
    if (result.outcome != load_outcome::loaded) {
        std::cerr << "kyr: " << options.file << ": " << result.message << '\n';
        return result.outcome == load_outcome::invalid ? exit_invalid : exit_usage_or_io;
    }
    if (options.format == "cgats")
        return export_cgats(document);

    std::vector<value_row> rows;
    for_each_colour(document, [&rows](const com_kyrandel_v2::ColorType& colour) {
        for (size_t i = 0; i < colour.size_ColorSpace(); ++i) {
            const auto& value = colour.get_ColorSpace(i);
            const char* space = colour_space_name(colour_space_index(value));
            rows.push_back({utf8(colour.get_ColorName()), space ? space : "", components_of(value)});
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
    app->add_option("FILE", options->file, "Document to read (.kyr, .kyrz, or - for standard input)")->required();
    app->add_option("--format", options->format, "Output format")
        ->check(CLI::IsMember({"csv", "cgats"}))
        ->capture_default_str();
    return {app, [options] { return export_document(*options); }};
}

} // namespace kyr_tool
