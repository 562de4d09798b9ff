// kyr new --name NAME --lab L,A,B ... -o FILE: a new swatch document from the
// command line.
#include "commands.hpp"
#include "document_saving.hpp"
#include "exit_status.hpp"
#include "swatch_document.hpp"
#include "text.hpp"

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kyr_tool {
namespace {

struct new_options
{
    std::vector<std::string> names;
    std::vector<std::string> labs;
    std::string output;
    std::string purpose = "Swatches made with kyr new";
    std::string illuminant = "D50";
    int observer = 2;
};

// "52.9,62,-4.5" -> three numbers; nothing when the text is anything else.
std::optional<swatch> parse_lab(const std::string& name, const std::string& text)
{
    std::vector<double> numbers;
    std::size_t start = 0;
    while (numbers.size() < 4) {
        const std::size_t comma = text.find(',', start);
        const auto number =
            parse_number(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!number)
            return std::nullopt;
        numbers.push_back(*number);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (numbers.size() != 3)
        return std::nullopt;
    return swatch{name, numbers[0], numbers[1], numbers[2]};
}

int usage_error(const std::string& message)
{
    std::cerr << "kyr new: " << message << '\n';
    return exit_usage_or_io;
}

int create(const new_options& options)
{
    if (options.names.size() != options.labs.size())
        return usage_error("give one --lab for each --name (" + std::to_string(options.names.size())
                           + " names, " + std::to_string(options.labs.size()) + " L*a*b* values)");
    if (!is_writable_name(options.output))
        return usage_error(options.output + ": the output name must end in .kyr or .kyrz (or be -)");

    std::vector<swatch> swatches;
    for (std::size_t i = 0; i < options.names.size(); ++i) {
        const auto parsed = parse_lab(options.names[i], options.labs[i]);
        if (!parsed)
            return usage_error("--lab " + options.labs[i] + ": expected three numbers L,A,B");
        swatches.push_back(*parsed);
    }

    swatch_conditions conditions;
    conditions.illuminant = utf16("Illuminant_" + options.illuminant);
    conditions.field_of_view = options.observer == 10 ? L"FieldOfView_10_Degree" : L"FieldOfView_2_Degree";

    com_kyrandel_v2::Kyr document;
    if (const auto error =
            build_swatch_document(swatches, options.purpose, conditions, creation_time(), document))
        return usage_error(*error);

    return save_for_command(document, options.output);
}

} // namespace

command add_new_command(CLI::App& parent)
{
    auto options = std::make_shared<new_options>();
    CLI::App* app = parent.add_subcommand(
        "new",
        "Create a swatch document from names and L*a*b* values, e.g. --name Red --lab 53,80,67 -o red.kyr");
    app->add_option("--name", options->names, "Colour name; repeat with one --lab each");
    app->add_option("--lab", options->labs, "L*a*b* value of the matching --name, as L,A,B");
    app->add_option("-o,--output", options->output, "File to write (.kyr, .kyrz, or - for standard output)")
        ->required();
    app->add_option("--purpose", options->purpose, "Purpose written into the header")->capture_default_str();
    app->add_option("--illuminant", options->illuminant, "Illuminant of the values: A, C, D50, D65, F2 ...")
        ->capture_default_str();
    app->add_option("--observer", options->observer, "Standard observer in degrees")
        ->check(CLI::IsMember({2, 10}))
        ->capture_default_str();
    return {app, [options] { return create(*options); }};
}

} // namespace kyr_tool
