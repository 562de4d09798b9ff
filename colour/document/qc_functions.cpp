// Quality-control functions: which formula and parameters a function element names, and its value.
#include "qc_functions.hpp"

#include <kyr/colour/conversions.hpp>
#include <kyr/colour/differences.hpp>
#include <kyr/colour/indices.hpp>
#include <kyr/lmx/strings.hpp>

#include <cmath>
#include <limits>

namespace kyr::colour::qc {
namespace {

using namespace com_kyrandel_v2;

struct tolerance_type_entry
{
    const wchar_t* name;
    formula kind;
    const char* reason; // for the unsupported ones
};

const tolerance_type_entry tolerance_types[] = {
    {L"DE*", formula::de76, nullptr},
    {L"DE00", formula::de2000, nullptr},
    {L"DE94", formula::de94, nullptr},
    {L"DE99", formula::din99o, nullptr},
    {L"DEDIN6175", formula::din99o, nullptr},
    {L"DEcmc", formula::cmc, nullptr},
    {L"HunterDE", formula::hunter, nullptr},
    {L"L*a*b*", formula::lab_axes, nullptr},
    {L"L*a*b*PlusMinus", formula::lab_axes, nullptr},
    {L"L*C*H*", formula::lch_axes, nullptr},
    {L"HunterLab", formula::hunter_axes, nullptr},
    {L"HunterLabPlusMinus", formula::hunter_axes, nullptr},
    {L"MetamerismIndex", formula::metamerism, nullptr},
    {L"DIN6172", formula::metamerism, nullptr},
    {L"Whiteness", formula::whiteness, nullptr},
    {L"Yellowness", formula::yellowness, nullptr},
    {L"Strength", formula::strength, nullptr},
    {L"Brightness", formula::unsupported,
     "ISO brightness needs R457 reflectance, which the format does not hold"},
    {L"StatusDensity", formula::unsupported, "status density responses are not part of the colour module"},
    {L"Defmc2", formula::unsupported, "FMC-II is not implemented"},
    {L"ddna", formula::unsupported, "the tolerance type \"ddna\" has no public definition"},
    {L"df", formula::unsupported, "the tolerance type \"df\" has no public definition"},
};

// The factor a named parameter carries (its LowValue), or `fallback`.
double factor(const FunctionTolerance& function, const wchar_t* name, double fallback)
{
    for (size_t i = 0; i < function.size_Parameters(); ++i) {
        const ToleranceParameterType& p = function.get_Parameters(i);
        if (p.isset_ToleranceParameter() && p.get_ToleranceParameter() == name)
            return p.get_LowValue();
    }
    return fallback;
}

// A parameter's window: [LowValue, HighValue], or LowValue as the maximum (differences) or the
// minimum (indices) when HighValue is absent.
void window_limits(const ToleranceParameterType& p, bool as_maximum, metric& m)
{
    if (p.isset_HighValue()) {
        m.low = p.get_LowValue();
        m.high = p.get_HighValue();
    } else if (as_maximum) {
        m.high = p.get_LowValue();
    } else {
        m.low = p.get_LowValue();
    }
}

metric tolerance_metric(const FunctionTolerance& function)
{
    metric m;
    const std::wstring type = function.get_ToleranceType();
    m.name = "Tolerance " + lmx::convert_to_narrow(type);
    for (const tolerance_type_entry& entry : tolerance_types)
        if (type == entry.name) {
            m.kind = entry.kind;
            if (entry.reason)
                m.reason = entry.reason;
        }
    const bool plus_minus = type.size() > 9 && type.compare(type.size() - 9, 9, L"PlusMinus") == 0;
    switch (m.kind) {
    case formula::de94:
    case formula::de2000:
        m.k1 = factor(function, L"Param_KL", 1);
        m.k2 = factor(function, L"Param_KC", 1);
        m.k3 = factor(function, L"Param_KH", 1);
        break;
    case formula::cmc:
        m.k1 = factor(function, L"Param_KL", 2);
        m.k2 = factor(function, L"Param_KC", 1);
        break;
    case formula::din99o:
        m.k1 = factor(function, L"Param_kE", 1);
        m.k2 = factor(function, L"Param_kCH", 1);
        break;
    default:
        break;
    }
    for (size_t i = 0; i < function.size_Parameters(); ++i) {
        const ToleranceParameterType& p = function.get_Parameters(i);
        const std::wstring name = p.isset_ToleranceParameter() ? p.get_ToleranceParameter() : L"";
        const bool axes =
            m.kind == formula::lab_axes || m.kind == formula::lch_axes || m.kind == formula::hunter_axes;
        if (axes && name.size() == 7 && name.compare(0, 6, L"Param_") == 0
            && std::wstring(L"LabCH").find(name[6]) != std::wstring::npos) {
            const double low = p.get_LowValue();
            const bool symmetric = plus_minus || !p.isset_HighValue();
            m.windows.push_back({char(name[6]), symmetric ? -std::fabs(low) : low,
                                 symmetric ? std::fabs(low) : p.get_HighValue()});
        } else if (name == L"Param_delta" || (name == L"Param_Whiteness" && m.kind == formula::whiteness)) {
            window_limits(p, grows_with_deviation(m.kind), m);
        }
    }
    if (m.kind == formula::lab_axes || m.kind == formula::lch_axes || m.kind == formula::hunter_axes) {
        m.high = 1; // the value is the largest share of a window
        if (m.windows.empty())
            m.reason = "the tolerance names no Param_L, Param_a, Param_b, Param_C or Param_H";
    }
    return m;
}

metric named(const std::string& name, formula kind, double k1 = 1, double k2 = 1, double k3 = 1)
{
    metric m;
    m.name = name;
    m.kind = kind;
    m.k1 = k1;
    m.k2 = k2;
    m.k3 = k3;
    return m;
}

template <class T>
bool is(const FunctionType& function)
{
    return dynamic_cast<const T*>(&function) != nullptr;
}

double stddev(const std::vector<double>& values)
{
    double mean = 0;
    for (double v : values)
        mean += v / values.size();
    double sum = 0;
    for (double v : values)
        sum += (v - mean) * (v - mean);
    return std::sqrt(sum / (values.size() - 1));
}

double rms(const std::vector<double>& values)
{
    double sum = 0;
    for (double v : values)
        sum += v * v;
    return std::sqrt(sum / values.size());
}

const ColorSpaceSpectralType* first_spectrum(const ColorType& colour)
{
    for (size_t i = 0; i < colour.size_ColorSpace(); ++i)
        if (colour.get_ColorSpace(i).getchosen() == sg_ColorSpace::ec_ColorSpaceSpectral)
            return &colour.get_ColorSpace(i).get_ColorSpaceSpectral();
    return nullptr;
}

// The largest share of its window that any axis uses; above 1 is outside.
double window_share(const metric& m, const LabDeltas& d, const HunterLab& hs, const HunterLab& hm)
{
    double largest = 0;
    for (const axis_window& w : m.windows) {
        double delta = 0;
        if (m.kind == formula::hunter_axes)
            delta = w.axis == 'L' ? hm.L - hs.L
                : w.axis == 'a'   ? hm.a - hs.a
                : w.axis == 'b'   ? hm.b - hs.b
                                  : NAN;
        else
            delta = w.axis == 'L' ? d.dL
                : w.axis == 'a'   ? d.da
                : w.axis == 'b'   ? d.db
                : w.axis == 'C'   ? d.dC
                                  : d.dH;
        const double bound = delta >= 0 ? w.high : w.low;
        const double share = std::isnan(delta)           ? NAN
            : delta == 0                                 ? 0
            : (bound == 0 || (bound > 0) != (delta > 0)) ? std::numeric_limits<double>::infinity()
                                                         : delta / bound;
        if (!(share <= largest))
            largest = share;
    }
    return largest;
}

bool spectral_index(const metric& m, const ColorType& standard, const ColorType& sample,
                    const pair_request& request, double& value, std::string& reason, ConditionsRequest& seen)
{
    const ColorSpaceSpectralType* s = first_spectrum(standard);
    const ColorSpaceSpectralType* t = first_spectrum(sample);
    if (!s || !t) {
        reason = m.name + " needs spectra of the standard and the measurement";
        return false;
    }
    ViewingConditions reference = spectral_conditions(standard, *s, request.conditions);
    if (m.kind == formula::metamerism && !request.conditions.illuminant)
        reference.illuminant = Illuminant::D65;
    seen = {reference.illuminant, reference.observer};
    if (m.kind == formula::strength)
        return colour_strength(spectrum_of(*s), spectrum_of(*t), StrengthMethod::weighted_sum, reference,
                               value, &reason);
    ViewingConditions test = reference;
    test.illuminant = request.test_illuminant.value_or(Illuminant::A);
    seen.illuminant = test.illuminant;
    return metamerism_index(spectrum_of(*s), spectrum_of(*t), reference, test, value, &reason);
}

} // namespace

bool is_statistic(formula kind)
{
    return kind >= formula::mean_de && kind <= formula::rms_db;
}

bool grows_with_deviation(formula kind)
{
    return kind != formula::whiteness && kind != formula::yellowness && kind != formula::strength;
}

// The weighting factors divide the differences: zero, a negative or a non-finite factor gives no
// difference worth a verdict (a hue factor of 0 would make every hue change infinite).
static void require_usable_factors(metric& m)
{
    const bool weighted = m.kind == formula::de94 || m.kind == formula::de2000 || m.kind == formula::cmc
        || m.kind == formula::din99o;
    const bool usable = [&] {
        for (double k : {m.k1, m.k2, m.k3})
            if (!(k > 0) || !std::isfinite(k))
                return false;
        return true;
    }();
    if (weighted && !usable && m.reason.empty())
        m.reason = m.name + " needs weighting factors greater than zero";
}

static metric metric_of_function(const FunctionType& function)
{
    metric m;
    if (const auto* f = dynamic_cast<const FunctionTolerance*>(&function))
        return tolerance_metric(*f);
    if (const auto* f = dynamic_cast<const FunctionDE2000Type*>(&function)) {
        m = named("DE2000", formula::de2000, f->get_Param_l(), f->get_Param_c(), f->get_Param_h());
    } else if (const auto* f = dynamic_cast<const FunctionDE94Type*>(&function)) {
        m = named("DE94", formula::de94, f->get_Param_l(), f->get_Param_c(), f->get_Param_h());
    } else if (const auto* f = dynamic_cast<const FunctionDEcmcType*>(&function)) {
        m = named("DEcmc", formula::cmc, f->get_Param_l(), f->get_Param_c());
    } else if (dynamic_cast<const FunctionDEType*>(&function)) {
        m = named("DE", formula::de76);
    } else if (dynamic_cast<const FunctionMeanDEType*>(&function)) {
        m = named("MeanDE", formula::mean_de);
    } else if (const auto* f = dynamic_cast<const FunctionGenericType*>(&function)) {
        m.name = "Generic " + lmx::convert_to_narrow(f->get_Name());
        m.reason = "a generic function has no public definition";
    } else {
        const struct
        {
            bool (*test)(const FunctionType&);
            const char* name;
            formula kind;
        } statistics[] = {{is<FunctionStdDevXType>, "StdDevX", formula::stddev_x},
                          {is<FunctionStdDevYType>, "StdDevY", formula::stddev_y},
                          {is<FunctionStdDevZType>, "StdDevZ", formula::stddev_z},
                          {is<FunctionStdDevLType>, "StdDevL", formula::stddev_l},
                          {is<FunctionStdDevAType>, "StdDevA", formula::stddev_a},
                          {is<FunctionStdDevBType>, "StdDevB", formula::stddev_b},
                          {is<FunctionStdDevCType>, "StdDevC", formula::stddev_c},
                          {is<FunctionStdDevHType>, "StdDevH", formula::stddev_h},
                          {is<FunctionAverageStdDevLType>, "AverageStdDevL", formula::rms_dl},
                          {is<FunctionAverageStdDevAType>, "AverageStdDevA", formula::rms_da},
                          {is<FunctionAverageStdDevBType>, "AverageStdDevB", formula::rms_db}};
        m = named("Function", formula::unsupported);
        m.reason = "the function names no formula";
        for (const auto& statistic : statistics)
            if (statistic.test(function)) {
                m = named(statistic.name, statistic.kind);
                break;
            }
    }
    return m;
}

metric metric_of(const FunctionType& function)
{
    metric m = metric_of_function(function);
    require_usable_factors(m);
    return m;
}

} // namespace kyr::colour::qc

namespace kyr::colour::qc {

bool evaluate_pair(const metric& m, const ColorType& standard, const ColorType& sample,
                   const pair_request& request, double& value, std::string& reason, ConditionsRequest& seen)
{
    if (m.kind == formula::metamerism || m.kind == formula::strength)
        return spectral_index(m, standard, sample, request, value, reason, seen);
    ConditionsRequest wanted = request.conditions;
    if (m.kind == formula::whiteness)
        wanted.illuminant = Illuminant::D65; // CIE whiteness is defined for D65 only
    ColourMeasure s, t;
    if (m.kind != formula::whiteness && m.kind != formula::yellowness) {
        if (!measure_colour(standard, wanted, s, &reason)) {
            reason = "standard: " + reason;
            return false;
        }
        wanted = {s.illuminant, s.observer}; // the measurement is taken as the standard was
    }
    if (!measure_colour(sample, wanted, t, &reason)) {
        reason = "measurement: " + reason;
        return false;
    }
    seen = {t.illuminant, t.observer};
    const Observer observer = t.observer.value_or(Observer::two_degree);
    switch (m.kind) {
    case formula::de76:
        value = delta_e76(s.lab, t.lab);
        break;
    case formula::de94:
        value = delta_e94(s.lab, t.lab, {m.k1, m.k2, m.k3});
        break;
    case formula::de2000:
        value = delta_e2000(s.lab, t.lab, m.k1, m.k2, m.k3);
        break;
    case formula::cmc:
        value = delta_e_cmc(s.lab, t.lab, m.k1, m.k2);
        break;
    case formula::din99o:
        value = delta_e_din99o(s.lab, t.lab, m.k1, m.k2);
        break;
    case formula::hunter:
        value = delta_e_hunter(to_HunterLab(s.xyz, s.white), to_HunterLab(t.xyz, t.white));
        break;
    case formula::lab_axes:
    case formula::lch_axes:
    case formula::hunter_axes:
        value = window_share(m, lab_deltas(s.lab, t.lab), to_HunterLab(s.xyz, s.white),
                             to_HunterLab(t.xyz, t.white));
        break;
    case formula::whiteness:
        value = cie_whiteness(t.xyz, observer).whiteness;
        break;
    case formula::yellowness: {
        const std::optional<double> yi =
            t.illuminant ? yellowness_e313(t.xyz, *t.illuminant, observer) : std::nullopt;
        if (!yi) {
            reason = "E313 yellowness needs the measurement under C or D65";
            return false;
        }
        value = *yi;
        break;
    }
    default:
        reason = m.reason.empty() ? m.name + " is not a function of one measurement" : m.reason;
        return false;
    }
    if (std::isnan(value)) {
        reason = "the value is not a number";
        return false;
    }
    return true;
}

bool evaluate_statistic(const metric& m, const ColorType& standard,
                        const std::vector<const ColorType*>& samples, const pair_request& request,
                        double& value, std::string& reason, ConditionsRequest& seen)
{
    ColourMeasure s;
    if (!measure_colour(standard, request.conditions, s, &reason)) {
        reason = "standard: " + reason;
        return false;
    }
    seen = {s.illuminant, s.observer};
    const bool spread = m.kind != formula::mean_de && m.kind < formula::rms_dl;
    if (samples.size() < (spread ? 2u : 1u)) {
        reason = spread ? "a standard deviation needs two measurements or more"
                        : "the standard has no measurements";
        return false;
    }
    std::vector<double> values;
    for (const ColorType* sample : samples) {
        ColourMeasure t;
        if (!measure_colour(*sample, {s.illuminant, s.observer}, t, &reason)) {
            reason = "measurement: " + reason;
            return false;
        }
        const LabDeltas d = lab_deltas(s.lab, t.lab);
        const LCh lch = to_LCh(t.lab);
        const double per_kind[] = {delta_e76(s.lab, t.lab),
                                   t.xyz.X,
                                   t.xyz.Y,
                                   t.xyz.Z,
                                   t.lab.L,
                                   t.lab.a,
                                   t.lab.b,
                                   lch.C,
                                   d.dH,
                                   d.dL,
                                   d.da,
                                   d.db};
        values.push_back(per_kind[int(m.kind) - int(formula::mean_de)]);
    }
    if (m.kind == formula::mean_de) {
        value = 0;
        for (double v : values)
            value += v / values.size();
    } else {
        value = spread ? stddev(values) : rms(values);
    }
    return true;
}

} // namespace kyr::colour::qc
