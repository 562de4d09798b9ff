// kyr info FILE [--json]: the header and the counts of a document.
#include "commands.hpp"
#include "document_loading.hpp"
#include "document_summary.hpp"
#include "exit_status.hpp"

#include <nlohmann/json.hpp>

#include <iomanip>
#include <iostream>
#include <memory>
#include <string>

namespace kyr_tool {
namespace {

struct info_options
{
    std::string file;
    bool json = false;
};

std::string stamp_text(const library_stamp& stamp)
{
    return stamp.version ? stamp.name + " " + *stamp.version : stamp.name;
}

void print_line(const char* label, const std::string& value)
{
    std::cout << std::left << std::setw(18) << (std::string(label) + ":") << value << '\n';
}

void print_text(const std::string& file, const document_summary& s)
{
    print_line("File", file);
    if (s.name)
        print_line("Name", *s.name);
    print_line("Creator", s.creator + " " + s.creator_version);
    print_line("Purpose", s.purpose);
    if (s.comments)
        print_line("Comments", *s.comments);
    if (!s.change_history.empty()) {
        print_line("Created", s.change_history.front());
        print_line("Last changed", s.change_history.back());
    }
    if (s.read_library)
        print_line("Read by", stamp_text(*s.read_library));
    if (s.written_library)
        print_line("Written by", stamp_text(*s.written_library));
    print_line("Colours", std::to_string(s.colours));
    print_line("Palettes", std::to_string(s.palettes));
    print_line("Colour sets", std::to_string(s.colour_sets));
    print_line("QC records", std::to_string(s.quality_control_records));
    std::cout << "Colour spaces:\n";
    for (int i = 0; i < colour_space_count; ++i)
        if (s.colours_per_space[i] != 0)
            std::cout << "  " << std::left << std::setw(28) << colour_space_name(i) << s.colours_per_space[i]
                      << '\n';
}

nlohmann::ordered_json stamp_json(const library_stamp& stamp)
{
    nlohmann::ordered_json version = nullptr;
    if (stamp.version)
        version = *stamp.version;
    return {{"name", stamp.name}, {"version", version}};
}

void print_json(const std::string& file, const document_summary& s)
{
    nlohmann::ordered_json header;
    if (s.name)
        header["name"] = *s.name;
    header["creator"] = s.creator;
    header["creator_version"] = s.creator_version;
    header["purpose"] = s.purpose;
    if (s.comments)
        header["comments"] = *s.comments;
    header["change_history"] = s.change_history;
    if (s.read_library)
        header["read_library"] = stamp_json(*s.read_library);
    if (s.written_library)
        header["written_library"] = stamp_json(*s.written_library);

    nlohmann::ordered_json spaces = nlohmann::ordered_json::object();
    for (int i = 0; i < colour_space_count; ++i)
        if (s.colours_per_space[i] != 0)
            spaces[colour_space_name(i)] = s.colours_per_space[i];

    const nlohmann::ordered_json document = {{"file", file},
                                             {"header", header},
                                             {"counts",
                                              {{"colours", s.colours},
                                               {"palettes", s.palettes},
                                               {"colour_sets", s.colour_sets},
                                               {"quality_control_records", s.quality_control_records}}},
                                             {"colour_spaces", spaces}};
    // Text from the document may hold lone surrogates; never let them abort output.
    std::cout << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

int info(const info_options& options)
{
    com_kyrandel_v2::Kyr document;
    if (const int status = load_for_command(options.file, document); status != exit_ok)
        return status;
    const document_summary summary = summarise(document);
    if (options.json)
        print_json(options.file, summary);
    else
        print_text(options.file, summary);
    return exit_ok;
}

} // namespace

command add_info_command(CLI::App& parent)
{
    auto options = std::make_shared<info_options>();
    CLI::App* app = parent.add_subcommand(
        "info",
        "Summarise a document: header, dates, libraries, and counts of colours, palettes and colour spaces.");
    app->add_option("FILE", options->file, "Document to read (.kyr, .kyrz, or - for standard input)")
        ->required();
    app->add_flag("--json", options->json, "Print the summary as JSON");
    return {app, [options] { return info(*options); }};
}

} // namespace kyr_tool
