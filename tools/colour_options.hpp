// Command-line options shared by the colour commands: illuminant and observer names, and the
// colour-difference formula.
#ifndef KYR_TOOLS_COLOUR_OPTIONS_HPP
#define KYR_TOOLS_COLOUR_OPTIONS_HPP

#include <kyr/colour/colour_types.hpp>

#include <CLI/CLI.hpp>

#include <string>

namespace kyr_tool {

// "--illuminant D65" and "--observer 10", checked against what the colour module knows.
void add_conditions_options(CLI::App& app, std::string& illuminant, int& observer);

// A colour-difference formula named on the command line: de76, de94, de00, cmc, cmc:L:C, din99.
struct difference_formula
{
    std::string name; // as given, for messages
    double (*compute)(const kyr::colour::Lab& standard, const kyr::colour::Lab& sample, double l,
                      double c) = nullptr;
    double l = 2, c = 1;
};

// Nothing on a name outside the list or a malformed cmc:L:C.
std::optional<difference_formula> parse_difference_formula(const std::string& text);

} // namespace kyr_tool

#endif
