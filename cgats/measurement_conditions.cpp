#include "measurement_conditions.hpp"

#include <kyr/lmx/strings.hpp>

#include <algorithm>
#include <cctype>

namespace kyr::cgats {
namespace {

using namespace com_kyrandel_v2;

std::string upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

const char* const k_illuminants[] = {"A", "B",  "C",  "D50", "D55", "D65", "D75",
                                     "E", "F2", "F3", "F7",  "F11", "F12", "9300"};

void read_illuminant(const std::string& text, measurement_conditions& c)
{
    std::string name = upper(trimmed(text));
    if (name.rfind("CIE ", 0) == 0)
        name = trimmed(name.substr(4));
    c.illuminant_stated = true;
    for (const char* known : k_illuminants)
        if (name == known) {
            c.illuminant = L"Illuminant_" + lmx::convert_to_wide(known);
            return;
        }
    c.illuminant = L"Illuminant_Custom";
    c.illuminant_custom = lmx::convert_to_wide(text);
}

void read_observer(const std::string& text, measurement_conditions& c)
{
    const std::string value = trimmed(text);
    if (value.rfind("10", 0) == 0) {
        c.field_of_view = L"FieldOfView_10_Degree";
        c.field_of_view_stated = true;
    } else if (value.rfind("2", 0) == 0) {
        c.field_of_view_stated = true;
    }
}

// "ILLUMINANT, D50" or "OBSERVER, 2 degree".
void read_weighting_function(const std::string& text, measurement_conditions& c)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos)
        return;
    const std::string what = upper(trimmed(text.substr(0, comma)));
    if (what == "ILLUMINANT")
        read_illuminant(text.substr(comma + 1), c);
    else if (what == "OBSERVER")
        read_observer(text.substr(comma + 1), c);
}

void read_measurement_condition(const std::string& text, measurement_conditions& c)
{
    const std::string value = upper(trimmed(text));
    if (value == "M0") {
        c.filter = L"Filter_None";
    } else if (value == "M2") {
        c.filter = L"Filter_UVExcluded";
    } else if (value == "M3") {
        c.filter = L"Filter_UVExcluded";
        c.polarized = true;
    } else { // M1 (D50 ultraviolet content) and anything else has no filter value of its own
        c.filter = L"Filter_Custom";
        c.filter_custom = lmx::convert_to_wide(text);
    }
}

void read_filter(const std::string& text, measurement_conditions& c)
{
    std::string value = upper(trimmed(text));
    value.erase(std::remove_if(value.begin(), value.end(),
                               [](char ch) { return ch == ' ' || ch == '-' || ch == '_'; }),
                value.end());
    if (value == "NONE" || value == "NO")
        c.filter = L"Filter_None";
    else if (value == "UVCUT" || value == "UVEXCLUDED")
        c.filter = L"Filter_UVExcluded";
    else if (value == "D65" || value == "UVD65")
        c.filter = L"Filter_UVD65";
    else {
        c.filter = L"Filter_Custom";
        c.filter_custom = lmx::convert_to_wide(text);
    }
}

bool says_yes(const std::string& text)
{
    const std::string value = upper(trimmed(text));
    return value == "YES" || value == "TRUE" || value == "1" || value == "ON" || value.rfind("POL", 0) == 0;
}

template <class Spec>
void fill_common(Spec& spec, const measurement_conditions& c, const lmx::c_datetime& now)
{
    if (!c.backing.empty()) {
        spec.append_CustomAttribute();
        spec.back_CustomAttribute().set_Name(L"Backing");
        spec.back_CustomAttribute().get_ValueChoice().set_StringValue(c.backing);
    }
    if (!c.instrument.empty()) {
        DeviceType& device = spec.get_Device();
        device.set_Manufacturer(L"");
        device.set_Model(c.instrument);
        device.set_SerialNumber(L"");
    }
    spec.get_DeviceFilter().set_DeviceFilterType(c.filter);
    if (!c.filter_custom.empty())
        spec.get_DeviceFilter().set_CustomOrPartial(c.filter_custom);
    spec.get_DevicePolarization().set_DevicePolarization(c.polarized);
    spec.append_ChangeHistory(now);
    spec.get_Spectrum().set_SpectrumType(L"Spectrum_Reflectance");
}

void fill_illuminant(IlluminationOptionsType& options, const measurement_conditions& c)
{
    Illuminant& illuminant = options.assign_Illuminant({});
    illuminant.set_Illuminant(c.illuminant);
    if (!c.illuminant_custom.empty())
        illuminant.set_CustomName(c.illuminant_custom);
}

} // namespace

measurement_conditions conditions_of(const table& t)
{
    measurement_conditions c;
    for (const header_entry& entry : t.header) {
        if (entry.declaration)
            continue;
        const std::string& name = entry.name;
        if (name == "ILLUMINANT")
            read_illuminant(entry.value, c);
        else if (name == "OBSERVER")
            read_observer(entry.value, c);
        else if (name == "WEIGHTING_FUNCTION")
            read_weighting_function(entry.value, c);
        else if (name == "MEASUREMENT_CONDITION")
            read_measurement_condition(entry.value, c);
        else if (name == "FILTER")
            read_filter(entry.value, c);
        else if (name == "POLARIZATION")
            c.polarized = says_yes(entry.value);
        else if (name == "INSTRUMENTATION" || name == "TARGET_INSTRUMENT")
            c.instrument = lmx::convert_to_wide(entry.value);
        else if (name == "MEASUREMENT_GEOMETRY")
            c.geometry = lmx::convert_to_wide(entry.value);
        else if (name == "SAMPLE_BACKING")
            c.backing = lmx::convert_to_wide(entry.value);
    }
    return c;
}

void fill(ColorSpaceSpecificationSpectrumTristimulusType& spec, const measurement_conditions& c,
          const lmx::c_datetime& now)
{
    fill_common(spec, c, now);
    fill_illuminant(spec.get_IlluminationOptions(), c);
    spec.set_FieldOfView(c.field_of_view);
    if (!c.geometry.empty())
        spec.get_GeometryChoice().set_UnknownGeometry(c.geometry);
}

void fill(ColorSpaceSpecificationSpectrumGenericType& spec, const measurement_conditions& c,
          const lmx::c_datetime& now)
{
    fill_common(spec, c, now);
    if (!c.geometry.empty())
        spec.get_GeometryChoice().set_UnknownGeometry(c.geometry);
    if (c.illuminant_stated)
        fill_illuminant(spec.get_IlluminationOptions(), c);
    if (c.field_of_view_stated)
        spec.set_FieldOfView(c.field_of_view);
}

void fill(ColorSpaceSpecificationSpectrumSpectralType& spec, const measurement_conditions& c,
          const lmx::c_datetime& now)
{
    fill_common(spec, c, now);
    spec.get_GeometryChoice().set_UnknownGeometry(c.geometry.empty() ? L"Unknown" : c.geometry);
}

void append_condition_keywords(const ColorSpaceSpecificationSpectrumTristimulusType& spec,
                               std::vector<header_entry>& header)
{
    const IlluminationOptionsType& options = spec.get_IlluminationOptions();
    if (options.getchosen() == IlluminationOptionsType::ec_Illuminant) {
        const Illuminant& illuminant = options.get_Illuminant();
        std::string name = lmx::convert_to_narrow(illuminant.get_Illuminant());
        name = name == "Illuminant_Custom" ? lmx::convert_to_narrow(illuminant.get_CustomName())
                                           : name.substr(11);
        header.push_back({false, "ILLUMINANT", name, true, 0});
    }
    header.push_back(
        {false, "OBSERVER", spec.get_FieldOfView() == L"FieldOfView_10_Degree" ? "10" : "2", true, 0});
    const std::wstring filter = spec.get_DeviceFilter().get_DeviceFilterType();
    const bool polarized = spec.get_DevicePolarization().get_DevicePolarization();
    const char* condition = filter == L"Filter_None" ? "M0"
        : filter == L"Filter_UVExcluded"             ? (polarized ? "M3" : "M2")
                                                     : nullptr;
    if (condition)
        header.push_back({false, "MEASUREMENT_CONDITION", condition, true, 0});
}

} // namespace kyr::cgats
