// Evaluating quality-control records: which tolerances apply to which measurement, under which
// illuminants, and how their limits make a verdict.
#include <kyr/colour/quality_control.hpp>

#include "qc_functions.hpp"

#include <kyr/lmx/strings.hpp>

namespace kyr::colour {
namespace {

using namespace com_kyrandel_v2;

// The member a function holder has chosen, whatever its element.
template <class Holder>
auto chosen_function(Holder& holder) -> decltype(&holder.get_Function())
{
    switch (holder.getchosen()) {
    case sg_Function::ec_Function:
        return &holder.get_Function();
    case sg_Function::ec_FunctionGeneric:
        return &holder.get_FunctionGeneric();
    case sg_Function::ec_FunctionDE:
        return &holder.get_FunctionDE();
    case sg_Function::ec_FunctionMeanDE:
        return &holder.get_FunctionMeanDE();
    case sg_Function::ec_FunctionDE94:
        return &holder.get_FunctionDE94();
    case sg_Function::ec_FunctionDE2000:
        return &holder.get_FunctionDE2000();
    case sg_Function::ec_FunctionDECMC:
        return &holder.get_FunctionDECMC();
    case sg_Function::ec_FunctionStdDevX:
        return &holder.get_FunctionStdDevX();
    case sg_Function::ec_FunctionStdDevY:
        return &holder.get_FunctionStdDevY();
    case sg_Function::ec_FunctionStdDevZ:
        return &holder.get_FunctionStdDevZ();
    case sg_Function::ec_FunctionStdDevL:
        return &holder.get_FunctionStdDevL();
    case sg_Function::ec_FunctionStdDevA:
        return &holder.get_FunctionStdDevA();
    case sg_Function::ec_FunctionStdDevB:
        return &holder.get_FunctionStdDevB();
    case sg_Function::ec_FunctionStdDevC:
        return &holder.get_FunctionStdDevC();
    case sg_Function::ec_FunctionStdDevH:
        return &holder.get_FunctionStdDevH();
    case sg_Function::ec_FunctionAverageStdDevL:
        return &holder.get_FunctionAverageStdDevL();
    case sg_Function::ec_FunctionAverageStdDevA:
        return &holder.get_FunctionAverageStdDevA();
    case sg_Function::ec_FunctionAverageStdDevB:
        return &holder.get_FunctionAverageStdDevB();
    default:
        return nullptr;
    }
}

std::optional<Illuminant> illuminant_of(const std::wstring& name)
{
    return illuminant_from_name(lmx::convert_to_narrow(name));
}

// One evaluation per illuminant the tolerance names (the first is the reference of a metamerism
// index, the others its test illuminants), or one under the colours' own conditions.
std::vector<qc::pair_request> requests_of(const ToleranceType& tolerance, qc::formula kind,
                                          std::string& reason)
{
    ConditionsRequest base;
    if (tolerance.isset_FieldOfView())
        base.observer = tolerance.get_FieldOfView() == L"FieldOfView_10_Degree" ? Observer::ten_degree
                                                                                : Observer::two_degree;
    std::vector<std::optional<Illuminant>> named;
    const std::pair<bool, const std::wstring*> members[] = {
        {tolerance.isset_PrimaryIlluminant(), &tolerance.get_PrimaryIlluminant()},
        {tolerance.isset_SecondaryIlluminant(), &tolerance.get_SecondaryIlluminant()},
        {tolerance.isset_TertiaryIlluminant(), &tolerance.get_TertiaryIlluminant()}};
    for (const auto& [set, name] : members)
        if (set) {
            named.push_back(illuminant_of(*name));
            if (!named.back())
                reason = "no spectral data for " + lmx::convert_to_narrow(*name);
        }
    std::vector<qc::pair_request> requests;
    if (kind == qc::formula::metamerism) {
        const std::optional<Illuminant> reference = named.empty() ? std::nullopt : named[0];
        for (size_t i = 1; i < named.size(); ++i)
            requests.push_back({{reference, base.observer}, named[i]});
        if (requests.empty())
            requests.push_back({{reference, base.observer}, std::nullopt});
        return requests;
    }
    for (const std::optional<Illuminant>& illuminant : named)
        requests.push_back({{illuminant, base.observer}, std::nullopt});
    if (requests.empty())
        requests.push_back({base, std::nullopt});
    return requests;
}

void apply_limits(const ToleranceType& tolerance, const qc::metric& m, QcResult& result)
{
    result.low = m.low;
    result.high = m.high;
    if (tolerance.isset_Limits()) {
        const LimitsType& limits = tolerance.get_Limits();
        result.high = limits.get_HighTolerance();
        result.low =
            limits.isset_LowTolerance() ? std::optional<double>(limits.get_LowTolerance()) : std::nullopt;
        if (m.kind == qc::formula::lab_axes || m.kind == qc::formula::lch_axes
            || m.kind == qc::formula::hunter_axes) {
            result.low = std::nullopt; // the windows come from the parameters
            result.high = 1;
        }
    }
    if (tolerance.isset_WarningLevel() && qc::grows_with_deviation(m.kind))
        result.warning = tolerance.get_WarningLevel();
    if (!result.value)
        return;
    if (!result.low && !result.high) {
        result.reason = "the tolerance has no limits";
        return;
    }
    const double v = *result.value;
    if ((result.low && v < *result.low) || (result.high && v > *result.high))
        result.verdict = Verdict::fail;
    else if (result.warning && v > *result.warning)
        result.verdict = Verdict::warn;
    else
        result.verdict = Verdict::pass;
}

struct standard_context
{
    QcResult base; // record, standard and their names
    const ColorType* standard;
    std::vector<const Measurement*> measurements;
    std::vector<const ColorType*> samples;
};

void evaluate_tolerance(const standard_context& c, const ToleranceType& tolerance, std::vector<QcResult>& out)
{
    const FunctionType* function = chosen_function(tolerance.get_Function());
    const qc::metric m = function ? qc::metric_of(*function) : qc::metric{};
    std::string conditions_problem;
    const std::vector<qc::pair_request> requests = requests_of(tolerance, m.kind, conditions_problem);
    for (const qc::pair_request& request : requests) {
        const bool statistic = qc::is_statistic(m.kind);
        for (size_t i = 0; i < (statistic ? 1 : c.measurements.size()); ++i) {
            QcResult result = c.base;
            result.tolerance = tolerance.isset_Name() ? lmx::convert_to_narrow(tolerance.get_Name()) : "";
            result.function = m.name;
            if (!statistic) {
                result.measurement = i;
                result.measurement_name = lmx::convert_to_narrow(c.samples[i]->get_ColorName());
            }
            double value = 0;
            ConditionsRequest seen = request.conditions;
            if (m.kind == qc::formula::unsupported || !m.reason.empty())
                result.reason = m.reason.empty() ? "the tolerance has no function" : m.reason;
            else if (!conditions_problem.empty())
                result.reason = conditions_problem;
            else if (statistic ? qc::evaluate_statistic(m, *c.standard, c.samples, request, value,
                                                        result.reason, seen)
                               : qc::evaluate_pair(m, *c.standard, *c.samples[i], request, value,
                                                   result.reason, seen))
                result.value = value;
            result.illuminant = seen.illuminant;
            result.observer = seen.observer;
            apply_limits(tolerance, m, result);
            out.push_back(result);
        }
    }
}

// A measurement's own functions: values without limits, under the colours' own conditions.
template <class Visit>
void for_each_measurement_function(const standard_context& c, Visit visit)
{
    for (size_t i = 0; i < c.measurements.size(); ++i)
        for (size_t f = 0; f < c.measurements[i]->size_Function(); ++f) {
            const FunctionType* function = chosen_function(c.measurements[i]->get_Function(f));
            const qc::metric m = function ? qc::metric_of(*function) : qc::metric{};
            QcResult result = c.base;
            result.measurement = i;
            result.measurement_name = lmx::convert_to_narrow(c.samples[i]->get_ColorName());
            result.function = m.name;
            double value = 0;
            ConditionsRequest seen;
            const bool computed = m.reason.empty() && m.kind != qc::formula::unsupported
                && (qc::is_statistic(m.kind)
                        ? qc::evaluate_statistic(m, *c.standard, c.samples, {}, value, result.reason, seen)
                        : qc::evaluate_pair(m, *c.standard, *c.samples[i], {}, value, result.reason, seen));
            if (!computed && result.reason.empty())
                result.reason = m.reason.empty() ? "the function names no formula" : m.reason;
            if (computed) {
                result.value = value;
                result.verdict = Verdict::value_only;
            }
            result.illuminant = seen.illuminant;
            result.observer = seen.observer;
            visit(result, i, f);
        }
}

template <class Visit>
void for_each_standard(const Kyr& document, Visit visit)
{
    for (size_t r = 0; r < document.size_ColorQualityControl(); ++r) {
        const ColorQualityControlType& record = document.get_ColorQualityControl(r);
        for (size_t s = 0; s < record.size_StandardAndMeasurement(); ++s) {
            const StandardAndMeasurementType& pair = record.get_StandardAndMeasurement(s);
            standard_context c;
            c.base.record = r;
            c.base.standard = s;
            c.base.record_name = record.isset_Name() ? lmx::convert_to_narrow(record.get_Name()) : "";
            const Standard& standard = pair.get_Standard();
            c.standard = standard.isnil_Standard() ? nullptr : &standard.get_Color();
            if (c.standard)
                c.base.standard_name = lmx::convert_to_narrow(c.standard->get_ColorName());
            for (size_t m = 0; m < pair.size_Measurement(); ++m) {
                c.measurements.push_back(&pair.get_Measurement(m));
                c.samples.push_back(&pair.get_Measurement(m).get_Color());
            }
            visit(record, standard, c);
        }
    }
}

} // namespace

const char* verdict_name(Verdict verdict)
{
    static const char* const names[] = {"pass", "warn", "fail", "not evaluated", "value"};
    return names[static_cast<int>(verdict)];
}

std::vector<QcResult> evaluate_quality_control(const Kyr& document)
{
    std::vector<QcResult> results;
    for_each_standard(document,
                      [&results](const ColorQualityControlType& record, const Standard& standard,
                                 const standard_context& c) {
                          if (!c.standard) {
                              QcResult nil = c.base;
                              nil.reason = "the standard is nil";
                              results.push_back(nil);
                              return;
                          }
                          for_each_measurement_function(c,
                                                        [&results](const QcResult& result, size_t, size_t) {
                                                            results.push_back(result);
                                                        });
                          for (size_t t = 0; t < standard.size_Tolerance(); ++t)
                              evaluate_tolerance(c, standard.get_Tolerance(t), results);
                          for (size_t t = 0; t < record.size_Tolerance(); ++t)
                              evaluate_tolerance(c, record.get_Tolerance(t), results);
                      });
    return results;
}

size_t store_function_results(Kyr& document)
{
    size_t stored = 0;
    for_each_standard(
        document,
        [&document, &stored](const ColorQualityControlType&, const Standard&, const standard_context& c) {
            if (!c.standard)
                return;
            for_each_measurement_function(c, [&](const QcResult& result, size_t m, size_t f) {
                if (!result.value)
                    return;
                Measurement& measurement = document.get_ColorQualityControl(result.record)
                                               .get_StandardAndMeasurement(result.standard)
                                               .get_Measurement(m);
                if (FunctionType* function = chosen_function(measurement.get_Function(f)))
                    stored += function->set_Result(*result.value) == lmx::ELMX_OK;
            });
        });
    return stored;
}

} // namespace kyr::colour
