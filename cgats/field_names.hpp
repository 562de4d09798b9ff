// What a data field holds, from its name: a component of a colour value, a spectral band,
// the sample's identity, or something this library keeps as text.
#ifndef KYR_CGATS_FIELD_NAMES_HPP
#define KYR_CGATS_FIELD_NAMES_HPP

#include <string>
#include <string_view>
#include <vector>

namespace kyr::cgats {

enum class field_kind {
    sample_id,
    sample_name,
    lab,      // LAB_L, LAB_A, LAB_B
    lch,      // LCH_L, LCH_C, LCH_H
    xyz,      // XYZ_X, XYZ_Y, XYZ_Z (0 to 100)
    rgb,      // RGB_R, RGB_G, RGB_B
    cmyk,     // CMYK_C, CMYK_M, CMYK_Y, CMYK_K
    inks,     // nCLR_i: n-colour inks, n and i in 1..F
    density,  // D_RED, D_GREEN, D_BLUE, D_VIS
    spectral, // SPECTRAL_NM380, SPECTRAL_380, nm380, SPEC_380
    other
};

struct field_meaning
{
    field_kind kind = field_kind::other;
    int component = 0;     // position within the value (L=0, A=1, B=2 ...)
    double wavelength = 0; // spectral bands
    std::string prefix;    // spectral spelling ("SPEC_"), ink set name ("6CLR")
};

field_meaning meaning_of(std::string_view field);

// The meanings of a table's fields; a name that comes again is kept as text the second time.
std::vector<field_meaning> meanings_of(const std::vector<std::string>& fields);

// Names of the fields of the fixed groups, by kind and component.
const char* component_field(field_kind kind, int component);
int component_count(field_kind kind);

} // namespace kyr::cgats

#endif
