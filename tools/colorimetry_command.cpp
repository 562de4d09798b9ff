// kyr colorimetry FILE [--illuminant D65] [--observer 10] [--json]: XYZ and L*a*b* of every
// spectral value of every colour.
#include "colour_options.hpp"
#include "colour_walk.hpp"
#include "commands.hpp"
#include "document_loading.hpp"
#include "exit_status.hpp"
#include "text.hpp"

#include <kyr/colour/document_colours.hpp>

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>

namespace kyr_tool {
namespace {

using namespace kyr::colour;

struct colorimetry_options
{
    std::string file;
    std::string illuminant;
    int observer = 0;
    bool json = false;
};

// Four decimals, and no "-0.0000" for a neutral's a* and b*.
std::string fixed(double value)
{
    if (std::fabs(value) < 5e-5)
        value = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

int run_colorimetry(const colorimetry_options& options)
{
    com_kyrandel_v2::Kyr document;
    if (const int status = load_for_command(options.file, document); status != exit_ok)
        return status;
    ConditionsRequest request;
    if (!options.illuminant.empty())
        request.illuminant = illuminant_from_name(options.illuminant);
    if (options.observer)
        request.observer = observer_from_degrees(options.observer);

    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    bool all_computed = true;
    for_each_colour(document, [&](const com_kyrandel_v2::ColorType& colour, const colour_place&) {
        const std::string name = utf8(colour.get_ColorName());
        std::vector<std::string> errors;
        for (const ColourMeasure& m : spectral_measures(colour, request, &errors)) {
            const char* illuminant = illuminant_name(*m.illuminant);
            const int degrees = observer_degrees(*m.observer);
            if (options.json)
                rows.push_back({{"colour", name},
                                {"X", m.xyz.X},
                                {"Y", m.xyz.Y},
                                {"Z", m.xyz.Z},
                                {"L", m.lab.L},
                                {"a", m.lab.a},
                                {"b", m.lab.b},
                                {"illuminant", illuminant},
                                {"observer", degrees}});
            else
                std::cout << name << ": X " << fixed(m.xyz.X) << "  Y " << fixed(m.xyz.Y) << "  Z "
                          << fixed(m.xyz.Z) << "  L* " << fixed(m.lab.L) << "  a* " << fixed(m.lab.a)
                          << "  b* " << fixed(m.lab.b) << "  (" << illuminant << ", " << degrees << "°)\n";
        }
        for (const std::string& error : errors) {
            std::cerr << "kyr: " << options.file << ": " << name << ": " << error << '\n';
            all_computed = false;
        }
    });
    if (options.json)
        std::cout << rows.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    return all_computed ? exit_ok : exit_invalid;
}

} // namespace

command add_colorimetry_command(CLI::App& parent)
{
    auto options = std::make_shared<colorimetry_options>();
    CLI::App* app = parent.add_subcommand(
        "colorimetry", "Print XYZ and L*a*b* of every spectral value, by the ASTM E308 method.");
    app->add_option("FILE", options->file, "Document to read (.kyr, .kyrz, or - for standard input)")
        ->required();
    add_conditions_options(*app, options->illuminant, options->observer);
    app->add_flag("--json", options->json,
                  "Print an array of objects: colour, X, Y, Z, L, a, b, illuminant, observer");
    return {app, [options] { return run_colorimetry(*options); }};
}

} // namespace kyr_tool
