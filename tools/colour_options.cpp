#include "colour_options.hpp"

#include "text.hpp"

#include <kyr/colour/differences.hpp>

namespace kyr_tool {

using namespace kyr::colour;

void add_conditions_options(CLI::App& app, std::string& illuminant, int& observer)
{
    app.add_option("--illuminant", illuminant,
                   "Illuminant: A, C, D50, D55, D65, D75, E, F2, F3, F7, F11, F12")
        ->check([](const std::string& name) {
            return illuminant_from_name(name) ? std::string() : "no spectral data for illuminant " + name;
        });
    app.add_option("--observer", observer, "Standard observer in degrees: 2 or 10")
        ->check(CLI::IsMember({2, 10}));
}

std::optional<difference_formula> parse_difference_formula(const std::string& text)
{
    difference_formula formula;
    formula.name = text;
    if (text == "de76")
        formula.compute = [](const Lab& s, const Lab& m, double, double) { return delta_e76(s, m); };
    else if (text == "de94")
        formula.compute = [](const Lab& s, const Lab& m, double, double) { return delta_e94(s, m); };
    else if (text == "de00")
        formula.compute = [](const Lab& s, const Lab& m, double, double) { return delta_e2000(s, m); };
    else if (text == "din99")
        formula.compute = [](const Lab& s, const Lab& m, double, double) { return delta_e_din99o(s, m); };
    else if (text.rfind("cmc", 0) == 0) {
        formula.compute = [](const Lab& s, const Lab& m, double l, double c) {
            return delta_e_cmc(s, m, l, c);
        };
        if (text != "cmc") {
            const size_t colon = text.find(':', 4);
            if (text[3] != ':' || colon == std::string::npos)
                return std::nullopt;
            const std::optional<double> l = parse_number(text.substr(4, colon - 4));
            const std::optional<double> c = parse_number(text.substr(colon + 1));
            if (!l || !c || !(*l > 0) || !(*c > 0))
                return std::nullopt;
            formula.l = *l;
            formula.c = *c;
        }
    } else {
        return std::nullopt;
    }
    return formula;
}

} // namespace kyr_tool
