// The measurement conditions that a table's keywords state (illuminant, observer, measurement
// condition M0 to M3, filter, polarisation, instrument, geometry, backing), filled into the
// specifications that the document's colour values carry.
#ifndef KYR_CGATS_MEASUREMENT_CONDITIONS_HPP
#define KYR_CGATS_MEASUREMENT_CONDITIONS_HPP

#include <kyr/cgats/table.hpp>
#include <kyr/schema/classes.hpp>

namespace kyr::cgats {

struct measurement_conditions
{
    std::wstring illuminant = L"Illuminant_D50"; // what graphic-arts data assume unless told
    std::wstring illuminant_custom;              // the keyword's text for Illuminant_Custom
    bool illuminant_stated = false;
    std::wstring field_of_view = L"FieldOfView_2_Degree";
    bool field_of_view_stated = false;
    std::wstring filter = L"Filter_None";
    std::wstring filter_custom;
    bool polarized = false;
    std::wstring instrument;
    std::wstring geometry;
    std::wstring backing;
};

measurement_conditions conditions_of(const table& t);

// Each fills every mandatory part of its specification, dated `now`.
void fill(com_kyrandel_v2::ColorSpaceSpecificationSpectrumTristimulusType& spec,
          const measurement_conditions& c, const lmx::c_datetime& now);
void fill(com_kyrandel_v2::ColorSpaceSpecificationSpectrumGenericType& spec, const measurement_conditions& c,
          const lmx::c_datetime& now);
void fill(com_kyrandel_v2::ColorSpaceSpecificationSpectrumSpectralType& spec, const measurement_conditions& c,
          const lmx::c_datetime& now);

// Keywords that state the conditions of a tristimulus specification, for tables written
// from documents that were not read from such a file.
void append_condition_keywords(const com_kyrandel_v2::ColorSpaceSpecificationSpectrumTristimulusType& spec,
                               std::vector<header_entry>& header);

} // namespace kyr::cgats

#endif
