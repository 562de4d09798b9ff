#include "swatch_document.hpp"

#include "text.hpp"

#include <kyr/version.hpp>

#include <cstdlib>
#include <ctime>

namespace kyr_tool {
namespace {

using namespace com_kyrandel_v2;

std::optional<std::string> refused(const std::string& what, lmx::elmx_error code)
{
    if (code == lmx::ELMX_OK)
        return std::nullopt;
    return what + ": " + lmx::get_error_description(code);
}

std::optional<std::string> fill_conditions(ColorSpaceSpecificationSpectrumTristimulusType& specification,
                                           const swatch_conditions& conditions, const lmx::c_datetime& now)
{
    specification.get_DeviceFilter().set_DeviceFilterType(L"Filter_None");
    specification.get_DevicePolarization().set_DevicePolarization(false);
    specification.append_ChangeHistory(now);
    specification.get_Spectrum().set_SpectrumType(L"Spectrum_Reflectance");
    Illuminant illuminant;
    if (auto error = refused("illuminant", illuminant.set_Illuminant(conditions.illuminant)))
        return error;
    specification.get_IlluminationOptions().assign_Illuminant(illuminant);
    return refused("field of view", specification.set_FieldOfView(conditions.field_of_view));
}

std::optional<std::string> fill_colour(ColorType& colour, const swatch& values,
                                       const swatch_conditions& conditions, const lmx::c_datetime& now)
{
    colour.set_ColorName(utf16(values.name));
    colour.append_ChangeHistory(now);
    colour.append_ColorSpace();
    ColorSpaceCIELabType& lab = colour.back_ColorSpace().get_ColorSpaceCIELab();
    lab.append_ChangeHistory(now);
    if (auto error = fill_conditions(lab.get_ColorSpaceSpecificationSpectrumTristimulus(), conditions, now))
        return error;
    if (auto error = refused("L", lab.set_L(values.l)))
        return error;
    if (auto error = refused("A", lab.set_A(values.a)))
        return error;
    return refused("B", lab.set_B(values.b));
}

} // namespace

lmx::c_datetime creation_time()
{
    std::time_t now = std::time(nullptr);
    if (const char* fixed = std::getenv("SOURCE_DATE_EPOCH")) {
        char* end = nullptr;
        const long long seconds = std::strtoll(fixed, &end, 10);
        if (end != fixed && *end == '\0' && seconds >= 0)
            now = static_cast<std::time_t>(seconds);
    }
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return lmx::c_datetime(text);
}

std::optional<std::string> build_swatch_document(const std::vector<swatch>& swatches,
                                                 const std::string& purpose,
                                                 const swatch_conditions& conditions,
                                                 const lmx::c_datetime& now, Kyr& document)
{
    Header& header = document.get_Preamble().get_Header();
    header.set_Creator(L"kyr");
    header.set_CreatorVersion(utf16(KYR_VERSION_STRING));
    header.append_ChangeHistory(now);
    header.set_Purpose(utf16(purpose));

    for (const swatch& values : swatches) {
        document.append_Color();
        if (auto error = fill_colour(document.back_Color(), values, conditions, now))
            return values.name + ": " + *error;
    }
    return std::nullopt;
}

} // namespace kyr_tool
