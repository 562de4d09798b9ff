// The CIE observers and illuminants, as generated into cie_tables.cpp.
#ifndef KYR_COLOUR_CIE_TABLES_HPP
#define KYR_COLOUR_CIE_TABLES_HPP

namespace kyr::colour::cie {

// Colour-matching functions x̄, ȳ, z̄ at every nanometre from 360 to 830 nm.
constexpr int observer_first_nm = 360;
constexpr int observer_rows = 471;
extern const double observer_2_degree[observer_rows][3];
extern const double observer_10_degree[observer_rows][3];

// A relative spectral power distribution at its own tabulation step, inside 360 to 830 nm.
struct sampled_power
{
    int first_nm;
    int step_nm;
    int count;
    const double* values;
};

// One entry per kyr::colour::Illuminant, in the enumeration's order.
constexpr int illuminant_tables = 12;
extern const sampled_power illuminant_power[illuminant_tables];

} // namespace kyr::colour::cie

#endif
