// kyr diff A B [--formula de00] [--json]: the colour difference between the colours of the same
// name in two documents. A's colour is the standard; B's is taken under A's illuminant and observer.
#include "colour_options.hpp"
#include "colour_walk.hpp"
#include "commands.hpp"
#include "document_loading.hpp"
#include "exit_status.hpp"
#include "text.hpp"

#include <kyr/colour/document_colours.hpp>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <iostream>
#include <map>
#include <memory>

namespace kyr_tool {
namespace {

using namespace kyr::colour;

struct diff_options
{
    std::string standard_file, sample_file;
    std::string formula = "de00";
    bool json = false;
};

bool load(const std::string& file, com_kyrandel_v2::Kyr& document, int& status)
{
    const load_result loaded = load_document(file, document);
    if (loaded.outcome == load_outcome::loaded)
        return true;
    std::cerr << "kyr: " << file << ": " << loaded.message << '\n';
    status = loaded.outcome == load_outcome::invalid ? exit_invalid : exit_usage_or_io;
    return false;
}

int run_diff(const diff_options& options)
{
    const std::optional<difference_formula> formula = parse_difference_formula(options.formula);
    if (!formula) {
        std::cerr << "kyr: unknown formula " << options.formula
                  << " (de76, de94, de00, cmc, cmc:L:C, din99)\n";
        return exit_usage_or_io;
    }
    com_kyrandel_v2::Kyr standards, samples;
    int status = exit_ok;
    if (!load(options.standard_file, standards, status) || !load(options.sample_file, samples, status))
        return status;

    std::map<std::string, const com_kyrandel_v2::ColorType*> by_name; // the first of each name
    for_each_colour(samples, [&by_name](const com_kyrandel_v2::ColorType& colour, const colour_place&) {
        by_name.emplace(utf8(colour.get_ColorName()), &colour);
    });
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    for_each_colour(standards, [&](const com_kyrandel_v2::ColorType& colour, const colour_place&) {
        const std::string name = utf8(colour.get_ColorName());
        const auto match = by_name.find(name);
        if (match == by_name.end()) {
            std::cerr << "kyr: " << name << ": not in " << options.sample_file << '\n';
            return;
        }
        ColourMeasure standard, sample;
        std::string error;
        if (!measure_colour(colour, {}, standard, &error)
            || !measure_colour(*match->second, {standard.illuminant, standard.observer}, sample, &error)) {
            std::cerr << "kyr: " << name << ": " << error << '\n';
            status = exit_invalid;
            return;
        }
        const double delta_e = formula->compute(standard.lab, sample.lab, formula->l, formula->c);
        if (options.json) {
            rows.push_back({{"name", name}, {"delta_e", delta_e}});
        } else {
            char value[32];
            std::snprintf(value, sizeof value, "%.4f", delta_e);
            std::cout << name << ": " << value << '\n';
        }
    });
    if (options.json)
        std::cout << rows.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    return status;
}

} // namespace

command add_diff_command(CLI::App& parent)
{
    auto options = std::make_shared<diff_options>();
    CLI::App* app = parent.add_subcommand(
        "diff", "Print the colour difference between the colours of the same name in two documents.");
    app->add_option("A", options->standard_file, "Document of the standards")->required();
    app->add_option("B", options->sample_file, "Document of the samples")->required();
    app->add_option("--formula", options->formula, "de76, de94, de00, cmc, cmc:L:C or din99")
        ->capture_default_str();
    app->add_flag("--json", options->json, "Print an array of objects: name, delta_e");
    return {app, [options] { return run_diff(*options); }};
}

} // namespace kyr_tool
