// A document to tables: each colour set (and the colours outside palettes) becomes a table.
// A set read from a file gets back its header, fields and number texts; any other set gets
// the fields of the values its colours carry.
#include <kyr/cgats/document.hpp>

#include "field_names.hpp"
#include "kept_text.hpp"
#include "measurement_conditions.hpp"
#include "number_text.hpp"
#include "text_encoding.hpp"

#include <kyr/lmx/strings.hpp>
#include <kyr/schema/classes.hpp>
#include <kyr/schema/classes/member_names.hpp>

#include <algorithm>
#include <iterator>
#include <map>
#include <set>

namespace kyr::cgats {
namespace {

using namespace com_kyrandel_v2;
using lmx::convert_to_narrow;
using lmx::convert_to_wide;

// The values of one colour that fields can hold, found once.
struct colour_values
{
    const ColorSpaceCIELabType* lab = nullptr;
    const ColorSpaceCIELChType* lch = nullptr;
    const ColorSpaceCIEXYZType* xyz = nullptr;
    const ColorSpaceRGBType* rgb = nullptr;
    const ColorSpaceCMYKType* cmyk = nullptr;
    const ColorSpaceDensityType* density = nullptr;
    std::map<std::string, double> axes; // "6CLR_1" -> value
    std::map<double, double> spectrum;  // nm -> value
    const ColorSpaceSpecificationSpectrumTristimulusType* tristimulus = nullptr;
};

void note_skipped(int index, std::vector<std::string>& skipped)
{
    if (index < 0 || index >= static_cast<int>(std::size(sg_ColorSpace_member_names)))
        return;
    const std::string name = sg_ColorSpace_member_names[index];
    if (std::find(skipped.begin(), skipped.end(), name) == skipped.end())
        skipped.push_back(name);
}

bool is_ink_axis(const std::string& set_name, const std::string& axis)
{
    const field_meaning meaning = meaning_of(axis);
    return meaning.kind == field_kind::inks && meaning.prefix == set_name;
}

colour_values values_of(const ColorType& colour, std::vector<std::string>& skipped)
{
    colour_values v;
    for (std::size_t i = 0; i < colour.size_ColorSpace(); ++i) {
        const sg_ColorSpace& space = colour.get_ColorSpace(i);
        switch (space.getchosen()) {
        case sg_ColorSpace::ec_ColorSpaceCIELab:
            v.lab = v.lab ? v.lab : &space.get_ColorSpaceCIELab();
            v.tristimulus =
                v.tristimulus ? v.tristimulus : &v.lab->get_ColorSpaceSpecificationSpectrumTristimulus();
            break;
        case sg_ColorSpace::ec_ColorSpaceCIELCh:
            v.lch = v.lch ? v.lch : &space.get_ColorSpaceCIELCh();
            break;
        case sg_ColorSpace::ec_ColorSpaceCIEXYZ:
            v.xyz = v.xyz ? v.xyz : &space.get_ColorSpaceCIEXYZ();
            v.tristimulus =
                v.tristimulus ? v.tristimulus : &v.xyz->get_ColorSpaceSpecificationSpectrumTristimulus();
            break;
        case sg_ColorSpace::ec_ColorSpaceRGB:
            v.rgb = v.rgb ? v.rgb : &space.get_ColorSpaceRGB();
            break;
        case sg_ColorSpace::ec_ColorSpaceCMYK:
            v.cmyk = v.cmyk ? v.cmyk : &space.get_ColorSpaceCMYK();
            if (space.get_ColorSpaceCMYK().size_SpotColor() > 0
                && std::find(skipped.begin(), skipped.end(), "ColorSpaceCMYK SpotColor") == skipped.end())
                skipped.push_back("ColorSpaceCMYK SpotColor");
            break;
        case sg_ColorSpace::ec_ColorSpaceDensity:
            v.density = v.density ? v.density : &space.get_ColorSpaceDensity();
            break;
        case sg_ColorSpace::ec_ColorSpaceGeneric: {
            const ColorSpaceGenericType& generic = space.get_ColorSpaceGeneric();
            const std::string name = convert_to_narrow(generic.get_Name());
            bool held = generic.size_Axis() > 0;
            for (std::size_t a = 0; a < generic.size_Axis(); ++a) {
                const AxisType& axis = generic.get_Axis(a);
                const std::string axis_name = convert_to_narrow(axis.get_AxisName());
                held = held && is_ink_axis(name, axis_name)
                    && axis.get_AxisValueChoice().getchosen() == AxisValueChoice::ec_AxisFloatingPointValue;
                if (held)
                    v.axes.emplace(
                        axis_name,
                        axis.get_AxisValueChoice().get_AxisFloatingPointValue().get_FloatingPointValueType());
            }
            if (!held)
                note_skipped(space.getchosen(), skipped);
            break;
        }
        case sg_ColorSpace::ec_ColorSpaceSpectral: {
            const ColorSpaceSpectralType& spectral = space.get_ColorSpaceSpectral();
            for (std::size_t p = 0; p < spectral.size_ReflectancePoint(); ++p)
                v.spectrum.emplace(spectral.get_ReflectancePoint(p).get_Wavelength(),
                                   spectral.get_ReflectancePoint(p).get_ReflectancePointType());
            break;
        }
        case sg_ColorSpace::ec_ColorSpaceEmissiveSpectral: {
            const ColorSpaceEmissiveSpectralType& spectral = space.get_ColorSpaceEmissiveSpectral();
            for (std::size_t p = 0; p < spectral.size_EmissiveSpectralPoint(); ++p)
                v.spectrum.emplace(spectral.get_EmissiveSpectralPoint(p).get_Wavelength(),
                                   spectral.get_EmissiveSpectralPoint(p).get_EmissiveSpectralPointType());
            break;
        }
        default:
            note_skipped(space.getchosen(), skipped);
        }
    }
    return v;
}

std::optional<double> density_of(const ColorSpaceDensityType* density, int component)
{
    static const wchar_t* const filters[] = {L"Filter_Red", L"Filter_Green", L"Filter_Blue",
                                             L"Filter_Visual"};
    if (!density)
        return std::nullopt;
    for (std::size_t i = 0; i < density->size_Density(); ++i)
        if (density->get_Density(i).get_DensityFilter() == filters[component])
            return density->get_Density(i).get_DensityType();
    return std::nullopt;
}

// The value behind a field, with the scale the file writes it on.
std::optional<double> component(const colour_values& v, const field_meaning& m, const std::string& field,
                                double& scale)
{
    const int c = m.component;
    scale = 1;
    switch (m.kind) {
    case field_kind::lab:
        if (v.lab)
            return c == 0 ? v.lab->get_L() : c == 1 ? v.lab->get_A() : v.lab->get_B();
        break;
    case field_kind::lch:
        if (v.lch)
            return c == 0 ? v.lch->get_L() : c == 1 ? v.lch->get_C() : v.lch->get_H();
        break;
    case field_kind::xyz:
        scale = 100;
        if (v.xyz)
            return c == 0 ? v.xyz->get_X() : c == 1 ? v.xyz->get_Y() : v.xyz->get_Z();
        break;
    case field_kind::rgb:
        if (v.rgb) {
            scale = v.rgb->get_ColorDepth() == L"ColorDepth_8" ? 255 : 100;
            return c == 0 ? v.rgb->get_Red() : c == 1 ? v.rgb->get_Green() : v.rgb->get_Blue();
        }
        break;
    case field_kind::cmyk:
        if (v.cmyk)
            return c == 0 ? v.cmyk->get_Cyan()
                : c == 1  ? v.cmyk->get_Magenta()
                : c == 2  ? v.cmyk->get_Yellow()
                          : v.cmyk->get_Black();
        break;
    case field_kind::density:
        return density_of(v.density, c);
    case field_kind::inks: {
        const auto found = v.axes.find(field);
        if (found != v.axes.end())
            return found->second;
        break;
    }
    case field_kind::spectral: {
        const auto found = v.spectrum.find(m.wavelength);
        if (found != v.spectrum.end())
            return found->second;
        break;
    }
    default:
        break;
    }
    return std::nullopt;
}

std::vector<std::string> words(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t end = std::min(text.find(' ', i), text.size());
        if (end > i)
            out.push_back(text.substr(i, end - i));
        i = end + 1;
    }
    return out;
}

std::string number_text(double value)
{
    return format_scaled(value, 1, number_layout{});
}

// Fields for colours that were not read from a file: identity, then each value found.
std::vector<std::string> fields_for(const std::vector<colour_values>& values)
{
    std::vector<std::string> fields{"SAMPLE_ID", "SAMPLE_NAME"};
    const auto any = [&values](auto has) { return std::any_of(values.begin(), values.end(), has); };
    const std::pair<field_kind, bool> groups[] = {
        {field_kind::lab, any([](const colour_values& v) { return v.lab != nullptr; })},
        {field_kind::lch, any([](const colour_values& v) { return v.lch != nullptr; })},
        {field_kind::xyz, any([](const colour_values& v) { return v.xyz != nullptr; })},
        {field_kind::rgb, any([](const colour_values& v) { return v.rgb != nullptr; })},
        {field_kind::cmyk, any([](const colour_values& v) { return v.cmyk != nullptr; })},
    };
    for (const auto& group : groups)
        if (group.second)
            for (int c = 0; c < component_count(group.first); ++c)
                fields.push_back(component_field(group.first, c));
    std::set<std::string> axes;
    std::set<double> wavelengths;
    for (const colour_values& v : values) {
        for (const auto& axis : v.axes)
            axes.insert(axis.first);
        for (const auto& point : v.spectrum)
            wavelengths.insert(point.first);
    }
    fields.insert(fields.end(), axes.begin(), axes.end());
    for (int c = 0; c < 4; ++c)
        if (any([c](const colour_values& v) { return density_of(v.density, c).has_value(); }))
            fields.push_back(component_field(field_kind::density, c));
    for (double wavelength : wavelengths)
        fields.push_back("SPEC_" + number_text(wavelength));
    return fields;
}

void add_keyword(table& t, const std::string& name, const std::string& value)
{
    t.header.push_back({false, name, value, true, 0});
}

// The header of a table written from colours that were not read from a file.
void make_header(table& t, const std::string& description, const std::vector<colour_values>& values)
{
    add_keyword(t, "ORIGINATOR", "kyr");
    add_keyword(t, "DESCRIPTOR", description);
    for (const colour_values& v : values)
        if (v.tristimulus) {
            append_condition_keywords(*v.tristimulus, t.header);
            break;
        }
    std::vector<double> wavelengths;
    for (const std::string& field : t.fields)
        if (meaning_of(field).kind == field_kind::spectral)
            wavelengths.push_back(meaning_of(field).wavelength);
    if (!wavelengths.empty()) {
        add_keyword(t, "SPECTRAL_BANDS", std::to_string(wavelengths.size()));
        add_keyword(t, "SPECTRAL_START_NM", number_text(wavelengths.front()));
        add_keyword(t, "SPECTRAL_END_NM", number_text(wavelengths.back()));
        add_keyword(t, "SPECTRAL_NORM", "100");
    }
}

template <class Owner>
std::string kept(const Owner* owner, const std::wstring& name)
{
    if (!owner)
        return {};
    return find_text(*owner, name).value_or(std::string());
}

// How one field is written: its name, the names its text may be kept under, its layout.
struct field_plan
{
    std::string name;
    field_meaning meaning;
    std::wstring kept_name, exact_text_name;
    number_layout layout;
};

std::string field_text(const ColorType& colour, std::size_t index, const colour_values& v,
                       const field_plan& field, double spectral_scale)
{
    const field_meaning& meaning = field.meaning;
    const bool has_kept_text = colour.size_CustomAttribute() > 0;
    if (meaning.kind == field_kind::other)
        return has_kept_text ? find_text(colour, field.kept_name).value_or(std::string()) : std::string();
    if (has_kept_text)
        if (const auto exact = find_text(colour, field.exact_text_name))
            return *exact;
    if (meaning.kind == field_kind::sample_id)
        return colour.isset_ColorNumber() ? convert_to_narrow(colour.get_ColorNumber())
                                          : std::to_string(index + 1);
    if (meaning.kind == field_kind::sample_name)
        return convert_to_narrow(colour.get_ColorName());
    double scale = 1;
    const auto value = component(v, meaning, field.name, scale);
    if (!value)
        return has_kept_text ? find_text(colour, field.kept_name).value_or(std::string()) : std::string();
    if (meaning.kind == field_kind::spectral)
        scale = spectral_scale;
    return format_scaled(*value, scale, field.layout);
}

table make_table(const ColorSetType* set, const std::vector<const ColorType*>& colours,
                 const std::string& description, std::vector<std::string>& skipped)
{
    std::vector<colour_values> values;
    values.reserve(colours.size());
    for (const ColorType* colour : colours)
        values.push_back(values_of(*colour, skipped));
    table t;
    const bool read_from_file = set && find_text(*set, k_identifier);
    const std::string kept_fields = kept(set, k_fields);
    t.identifier = read_from_file ? kept(set, k_identifier) : "CGATS.17";
    t.fields = kept_fields.empty() ? fields_for(values) : words(kept_fields);
    if (read_from_file) {
        for (std::size_t i = 0; i < set->size_CustomAttribute(); ++i) {
            const CustomAttributeType& attribute = set->get_CustomAttribute(i);
            if (attribute.get_Name() == k_header_line)
                if (const auto entry =
                        parse_header_line(convert_to_narrow(attribute.get_ValueChoice().get_StringValue())))
                    t.header.push_back(*entry);
        }
    } else {
        make_header(t, description, values);
    }
    const std::vector<std::string> quoted = words(kept(set, k_quoted_fields));
    t.quoted_fields.resize(t.fields.size());
    for (std::size_t f = 0; f < t.fields.size(); ++f)
        t.quoted_fields[f] = std::find(quoted.begin(), quoted.end(), t.fields[f]) != quoted.end();
    std::map<std::string, number_layout> layouts;
    for (const std::string& entry : words(kept(set, k_number_layouts))) {
        const std::size_t equals = entry.find('=');
        if (equals != std::string::npos)
            layouts[entry.substr(0, equals)] = number_layout::decode(entry.substr(equals + 1));
    }
    double spectral_scale = 100;
    if (const header_entry* norm = t.keyword("SPECTRAL_NORM"))
        spectral_scale = parse_scaled(norm->value, 1).value_or(100);
    else if (const auto scale = parse_scaled(kept(set, k_spectral_scale), 1))
        spectral_scale = *scale;
    const std::vector<field_meaning> meanings = meanings_of(t.fields);
    std::vector<field_plan> fields;
    for (std::size_t f = 0; f < t.fields.size(); ++f) {
        const auto layout = layouts.find(t.fields[f]);
        fields.push_back({t.fields[f], meanings[f], kept_field_name(t.fields, f),
                          k_number_text_prefix + convert_to_wide(t.fields[f]),
                          layout == layouts.end() ? number_layout{} : layout->second});
    }
    t.values.reserve(colours.size() * t.fields.size());
    for (std::size_t c = 0; c < colours.size(); ++c) {
        for (std::size_t f = 0; f < t.fields.size(); ++f)
            t.values.push_back(field_text(*colours[c], c, values[c], fields[f], spectral_scale));
        t.set_lines.push_back(0);
    }
    if (kept(set, k_encoding) == "ISO-8859-1")
        utf8_to_latin1(t);
    return t;
}

} // namespace

std::vector<table> from_document(const Kyr& document, std::vector<std::string>& skipped)
{
    std::vector<table> tables;
    const std::string purpose = convert_to_narrow(document.get_Preamble().get_Header().get_Purpose());
    if (document.size_Color() > 0) {
        std::vector<const ColorType*> colours;
        for (std::size_t i = 0; i < document.size_Color(); ++i)
            colours.push_back(&document.get_Color(i));
        tables.push_back(make_table(nullptr, colours, purpose, skipped));
    }
    for (std::size_t p = 0; p < document.size_Palette(); ++p) {
        const PaletteType& palette = document.get_Palette(p);
        for (std::size_t s = 0; s < palette.size_ColorSet(); ++s) {
            const ColorSetType& set = palette.get_ColorSet(s);
            std::vector<const ColorType*> colours;
            for (std::size_t i = 0; i < set.size_Color(); ++i)
                colours.push_back(&set.get_Color(i));
            tables.push_back(make_table(&set, colours, convert_to_narrow(set.get_ColorSetName()), skipped));
        }
    }
    return tables;
}

} // namespace kyr::cgats
