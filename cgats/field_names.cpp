#include "field_names.hpp"

#include <algorithm>
#include <charconv>

namespace kyr::cgats {
namespace {

struct fixed_group
{
    field_kind kind;
    const char* names[4];
    int count;
};

const fixed_group k_groups[] = {
    {field_kind::lab, {"LAB_L", "LAB_A", "LAB_B"}, 3},
    {field_kind::lch, {"LCH_L", "LCH_C", "LCH_H"}, 3},
    {field_kind::xyz, {"XYZ_X", "XYZ_Y", "XYZ_Z"}, 3},
    {field_kind::rgb, {"RGB_R", "RGB_G", "RGB_B"}, 3},
    {field_kind::cmyk, {"CMYK_C", "CMYK_M", "CMYK_Y", "CMYK_K"}, 4},
    {field_kind::density, {"D_RED", "D_GREEN", "D_BLUE", "D_VIS"}, 4},
};

const char* const k_spectral_prefixes[] = {"SPECTRAL_NM", "SPECTRAL_", "SPEC_", "nm"};

int hex_digit(char c)
{
    if (c >= '1' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

field_meaning meaning_of(std::string_view field)
{
    field_meaning meaning;
    if (field == "SAMPLE_ID") {
        meaning.kind = field_kind::sample_id;
        return meaning;
    }
    if (field == "SAMPLE_NAME") {
        meaning.kind = field_kind::sample_name;
        return meaning;
    }
    for (const fixed_group& group : k_groups)
        for (int i = 0; i < group.count; ++i)
            if (field == group.names[i]) {
                meaning.kind = group.kind;
                meaning.component = i;
                return meaning;
            }
    // "6CLR_3": the third ink of a six-ink set.
    if (field.size() == 6 && field.substr(1, 4) == "CLR_" && hex_digit(field[0]) > 0
        && hex_digit(field[5]) > 0 && hex_digit(field[5]) <= hex_digit(field[0])) {
        meaning.kind = field_kind::inks;
        meaning.component = hex_digit(field[5]) - 1;
        meaning.prefix = std::string(field.substr(0, 4));
        return meaning;
    }
    for (const char* prefix : k_spectral_prefixes) {
        const std::string_view p(prefix);
        if (field.size() > p.size() && field.substr(0, p.size()) == p) {
            const std::string_view number = field.substr(p.size());
            double wavelength = 0;
            const auto result = std::from_chars(number.data(), number.data() + number.size(), wavelength);
            if (result.ec == std::errc() && result.ptr == number.data() + number.size() && wavelength > 0
                && number[0] >= '0' && number[0] <= '9') {
                meaning.kind = field_kind::spectral;
                meaning.wavelength = wavelength;
                meaning.prefix = std::string(p);
                return meaning;
            }
        }
    }
    return meaning;
}

std::vector<field_meaning> meanings_of(const std::vector<std::string>& fields)
{
    std::vector<field_meaning> meanings;
    meanings.reserve(fields.size());
    for (std::size_t f = 0; f < fields.size(); ++f) {
        const bool again =
            std::find(fields.begin(), fields.begin() + static_cast<std::ptrdiff_t>(f), fields[f])
            != fields.begin() + static_cast<std::ptrdiff_t>(f);
        meanings.push_back(again ? field_meaning{} : meaning_of(fields[f]));
    }
    return meanings;
}

const char* component_field(field_kind kind, int component)
{
    for (const fixed_group& group : k_groups)
        if (group.kind == kind && component >= 0 && component < group.count)
            return group.names[component];
    return nullptr;
}

int component_count(field_kind kind)
{
    for (const fixed_group& group : k_groups)
        if (group.kind == kind)
            return group.count;
    return 0;
}

} // namespace kyr::cgats
