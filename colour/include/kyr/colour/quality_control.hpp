// Verdicts of a document's quality-control records: every measurement against its standard under
// every tolerance that applies (the standard's own and the record's), and the statistics over a
// standard's measurements. How limits, parameters and warning levels apply is the table in the
// README's "Quality control" section.
#ifndef KYR_COLOUR_QUALITY_CONTROL_HPP
#define KYR_COLOUR_QUALITY_CONTROL_HPP

#include <kyr/export.hpp>

#include <kyr/colour/colour_types.hpp>
#include <kyr/schema/classes/Kyr.hpp>

#include <optional>
#include <string>
#include <vector>

namespace kyr::colour {

// value_only: a measurement's own function, which carries no limits.
enum class Verdict { pass, warn, fail, not_evaluated, value_only };
KYR_API const char* verdict_name(Verdict verdict); // "pass", "warn", "fail", "not evaluated", "value"

struct KYR_API QcResult
{
    size_t record = 0, standard = 0;   // indexes in the document and the record
    std::optional<size_t> measurement; // empty for statistics over the standard's measurements
    std::string record_name, standard_name, measurement_name; // UTF-8; names of the records and colours
    std::string tolerance;                // the tolerance's Name; empty for a measurement's function
    std::string function;                 // "DE2000", "DEcmc", "Tolerance DE*", "MeanDE" ...
    std::optional<Illuminant> illuminant; // the conditions the colours were taken under
    std::optional<Observer> observer;
    std::optional<double> value;
    std::optional<double> low, high, warning; // the limits applied
    Verdict verdict = Verdict::not_evaluated;
    std::string reason; // why not evaluated
};

KYR_API std::vector<QcResult> evaluate_quality_control(const com_kyrandel_v2::Kyr& document);

// Computes each measurement's own functions and stores every value in the function's Result;
// returns how many were stored.
KYR_API size_t store_function_results(com_kyrandel_v2::Kyr& document);

} // namespace kyr::colour

#endif
