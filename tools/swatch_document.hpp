// Builds a new document of L*a*b* swatches, as `kyr new` makes from its
// command line.
#ifndef KYR_TOOLS_SWATCH_DOCUMENT_HPP
#define KYR_TOOLS_SWATCH_DOCUMENT_HPP

#include <kyr/lmx/datetime.hpp>
#include <kyr/schema/classes.hpp>

#include <optional>
#include <string>
#include <vector>

namespace kyr_tool {

struct swatch
{
    std::string name;
    double l = 0;
    double a = 0;
    double b = 0;
};

struct swatch_conditions
{
    std::wstring illuminant = L"Illuminant_D50";
    std::wstring field_of_view = L"FieldOfView_2_Degree";
};

// "now" in UTC with "Z"; SOURCE_DATE_EPOCH (seconds since 1970) replaces the
// clock when set, so that generated files can be reproduced byte for byte.
lmx::c_datetime creation_time();

// Fills a fresh document. Returns a message naming the refused value (an
// out-of-range L, an unknown illuminant) or nothing on success.
std::optional<std::string> build_swatch_document(const std::vector<swatch>& swatches,
                                                 const std::string& purpose,
                                                 const swatch_conditions& conditions,
                                                 const lmx::c_datetime& now, com_kyrandel_v2::Kyr& document);

} // namespace kyr_tool

#endif
