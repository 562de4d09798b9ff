// Tables to a document: one colour set per table, one colour per data set.
#include <kyr/cgats/document.hpp>

#include "field_names.hpp"
#include "kept_text.hpp"
#include "measurement_conditions.hpp"
#include "number_text.hpp"
#include "text_encoding.hpp"

#include <kyr/lmx/strings.hpp>
#include <kyr/schema/classes.hpp>
#include <kyr/version.hpp>

#include <array>
#include <map>

namespace kyr::cgats {
namespace {

using namespace com_kyrandel_v2;
using lmx::convert_to_wide;

constexpr std::size_t k_layout_sample = 64; // texts a column's layout is chosen from

// What the fields of one table hold, decided once for all its data sets.
struct table_plan
{
    std::vector<field_meaning> meanings;
    std::vector<double> scales;                               // per field; 0 for fields kept as text
    std::vector<number_layout> layouts;                       // per numeric field
    std::array<bool, 11> complete{};                          // per field_kind: every component has a field
    std::map<std::string, std::vector<std::size_t>> ink_sets; // "6CLR" -> fields in order
    std::vector<std::size_t> densities, spectral;
    bool emissive = false;
    bool rgb_8bit = false;
    measurement_conditions conditions;
    std::optional<std::string> error;     // the first number that is not one
    std::vector<std::wstring> kept_names; // per field, for text kept as a custom attribute
    std::vector<double> numbers;          // set after set, as table::values
};

std::string number_error(const table& t, std::size_t set, std::size_t field, const char* what)
{
    return "line " + std::to_string(t.set_lines[set]) + ": " + t.fields[field] + " \"" + t.value(set, field)
        + "\" " + what;
}

// Every number of the table is read once, before any colour is built (read_numbers).
double value_at(const table& t, const table_plan& plan, std::size_t set, std::size_t field)
{
    return plan.numbers[set * t.fields.size() + field];
}

// Reads the numeric fields; the first text that is not a number is the table's error.
std::optional<std::string> read_numbers(const table& t, table_plan& plan)
{
    const std::size_t width = t.fields.size();
    plan.numbers.assign(t.values.size(), 0);
    for (std::size_t set = 0; set < t.set_count(); ++set)
        for (std::size_t f = 0; f < width; ++f) {
            if (plan.scales[f] == 0)
                continue;
            const auto value = parse_scaled(t.value(set, f), plan.scales[f]);
            if (!value)
                return number_error(t, set, f, "is not a number");
            plan.numbers[set * width + f] = *value;
        }
    return std::nullopt;
}

double spectral_scale(const table& t, const std::vector<std::size_t>& fields)
{
    if (const header_entry* norm = t.keyword("SPECTRAL_NORM"))
        if (const auto value = parse_scaled(norm->value, 1); value && *value > 0)
            return *value;
    // Without a stated norm, percentages show themselves by values above 1.5.
    for (std::size_t set = 0; set < t.set_count(); ++set)
        for (std::size_t field : fields)
            if (const auto value = parse_scaled(t.value(set, field), 1); value && *value > 1.5)
                return 100;
    return 1;
}

table_plan plan_of(const table& t)
{
    table_plan plan;
    const std::size_t width = t.fields.size();
    plan.meanings = meanings_of(t.fields);
    for (std::size_t f = 0; f < width; ++f)
        plan.kept_names.push_back(kept_field_name(t.fields, f));
    std::array<int, 11> found{};
    for (std::size_t f = 0; f < width; ++f) {
        found[static_cast<std::size_t>(plan.meanings[f].kind)] |= 1 << plan.meanings[f].component;
    }
    for (field_kind kind :
         {field_kind::lab, field_kind::lch, field_kind::xyz, field_kind::rgb, field_kind::cmyk})
        plan.complete[static_cast<std::size_t>(kind)] =
            found[static_cast<std::size_t>(kind)] == (1 << component_count(kind)) - 1;
    plan.scales.assign(width, 0);
    for (std::size_t f = 0; f < width; ++f) {
        field_meaning& meaning = plan.meanings[f];
        switch (meaning.kind) {
        case field_kind::lab:
        case field_kind::lch:
        case field_kind::xyz:
        case field_kind::rgb:
        case field_kind::cmyk:
            if (!plan.complete[static_cast<std::size_t>(meaning.kind)])
                meaning.kind = field_kind::other; // a partial group is kept as text
            else
                plan.scales[f] = meaning.kind == field_kind::xyz || meaning.kind == field_kind::rgb ? 100 : 1;
            break;
        case field_kind::inks:
            plan.ink_sets[meaning.prefix].push_back(f);
            plan.scales[f] = 1;
            break;
        case field_kind::density:
            plan.densities.push_back(f);
            plan.scales[f] = 1;
            break;
        case field_kind::spectral:
            plan.spectral.push_back(f);
            break;
        default:
            break;
        }
    }
    // RGB above 100 is 0 to 255.
    for (std::size_t set = 0; set < t.set_count() && !plan.rgb_8bit; ++set)
        for (std::size_t f = 0; f < width; ++f)
            if (plan.meanings[f].kind == field_kind::rgb)
                if (const auto value = parse_scaled(t.value(set, f), 1); value && *value > 100)
                    plan.rgb_8bit = true;
    const double spectral = plan.spectral.empty() ? 1 : spectral_scale(t, plan.spectral);
    for (std::size_t f = 0; f < width; ++f) {
        if (plan.meanings[f].kind == field_kind::rgb && plan.rgb_8bit)
            plan.scales[f] = 255;
        if (plan.meanings[f].kind == field_kind::spectral)
            plan.scales[f] = spectral;
    }
    plan.error = read_numbers(t, plan);
    if (plan.error)
        return plan;
    // Reflectance lies between -1 and 10; anything else is an emission spectrum.
    for (std::size_t set = 0; set < t.set_count() && !plan.emissive; ++set)
        for (std::size_t f : plan.spectral) {
            const double value = value_at(t, plan, set, f);
            if (value <= -1 || value >= 10)
                plan.emissive = true;
        }
    plan.layouts.resize(width);
    for (std::size_t f = 0; f < width; ++f) {
        if (plan.scales[f] == 0)
            continue;
        std::vector<std::string_view> texts;
        for (std::size_t set = 0; set < t.set_count() && texts.size() < k_layout_sample; ++set)
            texts.push_back(t.value(set, f));
        plan.layouts[f] = choose_layout(texts, plan.scales[f]);
    }
    plan.conditions = conditions_of(t);
    return plan;
}

class colour_builder
{
public:
    colour_builder(const table& t, const table_plan& plan, const lmx::c_datetime& now)
        : m_table(t), m_plan(plan), m_now(now)
    {
    }

    // False when the data set holds no value a colour can carry.
    bool build(std::size_t set, ColorType& colour);

private:
    std::size_t field_of(field_kind kind, int component) const
    {
        for (std::size_t f = 0; f < m_plan.meanings.size(); ++f)
            if (m_plan.meanings[f].kind == kind && m_plan.meanings[f].component == component)
                return f;
        return 0;
    }
    // Sets the group's components, last of all that is done to the space: a value out of the
    // document's range drops the colour space just added (`space` dangles then), and the group's
    // fields are kept as text instead.
    template <class Space, class... Setters>
    void set_components(ColorType& colour, Space& space, field_kind kind, Setters... setters)
    {
        int component = 0;
        for (auto setter : {setters...}) {
            const std::size_t f = field_of(kind, component++);
            if ((space.*setter)(value_at(m_table, m_plan, m_set, f)) != lmx::ELMX_OK) {
                colour.delete_ColorSpace(colour.size_ColorSpace() - 1);
                for (int c = 0; c < component_count(kind); ++c)
                    m_kept_as_text[field_of(kind, c)] = true;
                return;
            }
        }
    }
    void add_lab(ColorType& colour);
    void add_lch(ColorType& colour);
    void add_xyz(ColorType& colour);
    void add_rgb(ColorType& colour);
    void add_cmyk(ColorType& colour);
    void add_inks(ColorType& colour, const std::string& name, const std::vector<std::size_t>& fields);
    void add_densities(ColorType& colour);
    void add_spectrum(ColorType& colour);

    const table& m_table;
    const table_plan& m_plan;
    const lmx::c_datetime& m_now;
    std::size_t m_set = 0;
    std::vector<bool> m_kept_as_text; // per field, for this data set
};

void colour_builder::add_lab(ColorType& colour)
{
    colour.append_ColorSpace();
    ColorSpaceCIELabType& lab = colour.back_ColorSpace().get_ColorSpaceCIELab();
    lab.append_ChangeHistory(m_now);
    fill(lab.get_ColorSpaceSpecificationSpectrumTristimulus(), m_plan.conditions, m_now);
    set_components(colour, lab, field_kind::lab, &ColorSpaceCIELabType::set_L, &ColorSpaceCIELabType::set_A,
                   &ColorSpaceCIELabType::set_B);
}

void colour_builder::add_lch(ColorType& colour)
{
    colour.append_ColorSpace();
    ColorSpaceCIELChType& lch = colour.back_ColorSpace().get_ColorSpaceCIELCh();
    lch.append_ChangeHistory(m_now);
    fill(lch.get_ColorSpaceSpecificationSpectrumTristimulus(), m_plan.conditions, m_now);
    set_components(colour, lch, field_kind::lch, &ColorSpaceCIELChType::set_L, &ColorSpaceCIELChType::set_C,
                   &ColorSpaceCIELChType::set_H);
}

void colour_builder::add_xyz(ColorType& colour)
{
    colour.append_ColorSpace();
    ColorSpaceCIEXYZType& xyz = colour.back_ColorSpace().get_ColorSpaceCIEXYZ();
    xyz.append_ChangeHistory(m_now);
    fill(xyz.get_ColorSpaceSpecificationSpectrumTristimulus(), m_plan.conditions, m_now);
    set_components(colour, xyz, field_kind::xyz, &ColorSpaceCIEXYZType::set_X, &ColorSpaceCIEXYZType::set_Y,
                   &ColorSpaceCIEXYZType::set_Z);
}

void colour_builder::add_rgb(ColorType& colour)
{
    colour.append_ColorSpace();
    ColorSpaceRGBType& rgb = colour.back_ColorSpace().get_ColorSpaceRGB();
    rgb.append_ChangeHistory(m_now);
    fill(rgb.get_ColorSpaceSpecificationSpectrumTristimulus(), m_plan.conditions, m_now);
    rgb.set_ColorDepth(m_plan.rgb_8bit ? L"ColorDepth_8" : L"ColorDepth_Infinite");
    set_components(colour, rgb, field_kind::rgb, &ColorSpaceRGBType::set_Red, &ColorSpaceRGBType::set_Green,
                   &ColorSpaceRGBType::set_Blue);
}

void colour_builder::add_cmyk(ColorType& colour)
{
    colour.append_ColorSpace();
    ColorSpaceCMYKType& cmyk = colour.back_ColorSpace().get_ColorSpaceCMYK();
    cmyk.append_ChangeHistory(m_now);
    fill(cmyk.get_ColorSpaceSpecificationSpectrumGeneric(), m_plan.conditions, m_now);
    set_components(colour, cmyk, field_kind::cmyk, &ColorSpaceCMYKType::set_Cyan,
                   &ColorSpaceCMYKType::set_Magenta, &ColorSpaceCMYKType::set_Yellow,
                   &ColorSpaceCMYKType::set_Black);
}

// An n-ink value is a generic colour space named "6CLR" with one axis per ink, 0 to 100.
void colour_builder::add_inks(ColorType& colour, const std::string& name,
                              const std::vector<std::size_t>& fields)
{
    colour.append_ColorSpace();
    ColorSpaceGenericType& inks = colour.back_ColorSpace().get_ColorSpaceGeneric();
    inks.append_ChangeHistory(m_now);
    inks.set_Name(convert_to_wide(name));
    fill(inks.get_ColorSpaceSpecificationSpectrumGeneric(), m_plan.conditions, m_now);
    for (std::size_t f : fields) {
        inks.append_Axis();
        AxisType& axis = inks.back_Axis();
        axis.set_AxisName(convert_to_wide(m_table.fields[f]));
        FloatingPointValueType& value = axis.get_AxisValueChoice().assign_AxisFloatingPointValue({});
        value.set_AxisNominalMin(0);
        value.set_AxisNominalMax(100);
        value.set_FloatingPointValueType(value_at(m_table, m_plan, m_set, f));
    }
}

// The files name no density status; status T, the graphic-arts default, is assumed.
void colour_builder::add_densities(ColorType& colour)
{
    static const wchar_t* const filters[] = {L"Filter_Red", L"Filter_Green", L"Filter_Blue",
                                             L"Filter_Visual"};
    colour.append_ColorSpace();
    ColorSpaceDensityType& density = colour.back_ColorSpace().get_ColorSpaceDensity();
    density.append_ChangeHistory(m_now);
    fill(density.get_ColorSpaceSpecificationSpectrumGeneric(), m_plan.conditions, m_now);
    for (std::size_t f : m_plan.densities) {
        density.append_Density();
        DensityType& value = density.back_Density();
        value.set_DensityStatus(L"Status_T");
        value.set_DensityFilter(filters[m_plan.meanings[f].component]);
        value.set_DensityType(value_at(m_table, m_plan, m_set, f));
    }
}

void colour_builder::add_spectrum(ColorType& colour)
{
    colour.append_ColorSpace();
    if (m_plan.emissive) {
        ColorSpaceEmissiveSpectralType& spectrum = colour.back_ColorSpace().get_ColorSpaceEmissiveSpectral();
        spectrum.append_ChangeHistory(m_now);
        ColorSpaceSpecificationEmissiveSpectralType& spec =
            spectrum.get_ColorSpaceSpecificationEmissiveSpectral();
        spec.get_DeviceFilter().set_DeviceFilterType(m_plan.conditions.filter);
        spec.get_DevicePolarization().set_DevicePolarization(m_plan.conditions.polarized);
        spec.append_ChangeHistory(m_now);
        spec.set_EmissiveType(L"Emissive_Spot");
        spec.set_EmissiveMode(L"EmissiveMode_NA");
        spec.get_GeometryChoice().set_UnknownGeometry(
            m_plan.conditions.geometry.empty() ? L"Unknown" : m_plan.conditions.geometry);
        for (std::size_t f : m_plan.spectral) {
            spectrum.append_EmissiveSpectralPoint();
            spectrum.back_EmissiveSpectralPoint().set_Wavelength(m_plan.meanings[f].wavelength);
            spectrum.back_EmissiveSpectralPoint().set_EmissiveSpectralPointType(
                value_at(m_table, m_plan, m_set, f));
        }
        return;
    }
    ColorSpaceSpectralType& spectrum = colour.back_ColorSpace().get_ColorSpaceSpectral();
    spectrum.append_ChangeHistory(m_now);
    fill(spectrum.get_ColorSpaceSpecificationSpectrumSpectral(), m_plan.conditions, m_now);
    for (std::size_t f : m_plan.spectral) {
        spectrum.append_ReflectancePoint();
        spectrum.back_ReflectancePoint().set_Wavelength(m_plan.meanings[f].wavelength);
        spectrum.back_ReflectancePoint().set_ReflectancePointType(value_at(m_table, m_plan, m_set, f));
    }
}

bool colour_builder::build(std::size_t set, ColorType& colour)
{
    m_set = set;
    m_kept_as_text.assign(m_plan.meanings.size(), false);
    const auto id = m_table.field_index("SAMPLE_ID");
    const auto name = m_table.field_index("SAMPLE_NAME");
    if (id)
        colour.set_ColorNumber(convert_to_wide(m_table.value(set, *id)));
    colour.set_ColorName(convert_to_wide(name     ? m_table.value(set, *name)
                                             : id ? m_table.value(set, *id)
                                                  : std::to_string(set + 1)));
    colour.append_ChangeHistory(m_now);
    if (m_plan.complete[static_cast<std::size_t>(field_kind::lab)])
        add_lab(colour);
    if (m_plan.complete[static_cast<std::size_t>(field_kind::lch)])
        add_lch(colour);
    if (m_plan.complete[static_cast<std::size_t>(field_kind::xyz)])
        add_xyz(colour);
    if (m_plan.complete[static_cast<std::size_t>(field_kind::rgb)])
        add_rgb(colour);
    if (m_plan.complete[static_cast<std::size_t>(field_kind::cmyk)])
        add_cmyk(colour);
    for (const auto& inks : m_plan.ink_sets)
        add_inks(colour, inks.first, inks.second);
    if (!m_plan.densities.empty())
        add_densities(colour);
    if (!m_plan.spectral.empty())
        add_spectrum(colour);
    for (std::size_t f = 0; f < m_plan.meanings.size(); ++f) {
        const std::string& text = m_table.value(set, f);
        if (m_plan.meanings[f].kind == field_kind::other || m_kept_as_text[f])
            add_text(colour, m_plan.kept_names[f], convert_to_wide(text));
        else if (m_plan.scales[f] != 0
                 && !gives_back(value_at(m_table, m_plan, set, f), m_plan.scales[f], m_plan.layouts[f], text))
            add_text(colour, k_number_text_prefix + convert_to_wide(m_table.fields[f]),
                     convert_to_wide(text));
    }
    return colour.size_ColorSpace() > 0;
}

std::wstring joined(const std::vector<std::string>& names)
{
    std::string out;
    for (const std::string& name : names)
        out += (out.empty() ? "" : " ") + name;
    return convert_to_wide(out);
}

std::optional<std::string> import_table(const table& t, std::size_t index, const lmx::c_datetime& now,
                                        ColorSetType& colour_set)
{
    const table_plan plan = plan_of(t);
    if (plan.error)
        return plan.error;
    colour_set.set_ColorSetName(L"Table " + std::to_wstring(index + 1));
    add_text(colour_set, k_identifier, convert_to_wide(t.identifier));
    for (const header_entry& entry : t.header)
        add_text(colour_set, k_header_line, convert_to_wide(header_line(entry)));
    add_text(colour_set, k_fields, joined(t.fields));
    std::vector<std::string> quoted, layouts;
    for (std::size_t f = 0; f < t.fields.size(); ++f) {
        if (f < t.quoted_fields.size() && t.quoted_fields[f])
            quoted.push_back(t.fields[f]);
        if (plan.scales[f] != 0 && (plan.layouts[f].rule != 's' || !plan.layouts[f].zero.empty()))
            layouts.push_back(t.fields[f] + "=" + plan.layouts[f].encode());
    }
    if (!quoted.empty())
        add_text(colour_set, k_quoted_fields, joined(quoted));
    if (!layouts.empty())
        add_text(colour_set, k_number_layouts, joined(layouts));
    if (!plan.spectral.empty() && !t.keyword("SPECTRAL_NORM"))
        add_text(colour_set, k_spectral_scale,
                 std::to_wstring(static_cast<int>(plan.scales[plan.spectral[0]])));
    colour_set.append_ChangeHistory(now);
    colour_builder builder(t, plan, now);
    for (std::size_t set = 0; set < t.set_count(); ++set) {
        colour_set.append_Color();
        if (!builder.build(set, colour_set.back_Color()))
            return "line " + std::to_string(t.set_lines[set])
                + ": the data set holds no colour value (no complete group "
                  "of LAB, LCH, XYZ, RGB or CMYK fields within range, no ink, density or spectral field)";
    }
    return std::nullopt;
}

} // namespace

import_result to_document(const std::vector<table>& tables, const std::string& name,
                          const std::string& creator, const lmx::c_datetime& now, Kyr& document)
{
    Header& header = document.get_Preamble().get_Header();
    header.set_Creator(convert_to_wide(creator));
    header.set_CreatorVersion(convert_to_wide(KYR_VERSION_STRING));
    header.append_ChangeHistory(now);
    header.set_Purpose(L"Measurement data read from " + convert_to_wide(name));
    document.append_Palette();
    PaletteType& palette = document.back_Palette();
    palette.set_PaletteName(convert_to_wide(name));
    palette.append_ChangeHistory(now);
    const bool latin1 = !all_utf8(tables);
    for (std::size_t i = 0; i < tables.size(); ++i) {
        palette.append_ColorSet();
        ColorSetType& colour_set = palette.back_ColorSet();
        std::optional<std::string> error;
        if (latin1) {
            table converted = tables[i];
            latin1_to_utf8(converted);
            add_text(colour_set, k_encoding, L"ISO-8859-1");
            error = import_table(converted, i, now, colour_set);
        } else {
            error = import_table(tables[i], i, now, colour_set);
        }
        if (error)
            return {false, *error};
    }
    return {};
}

} // namespace kyr::cgats
