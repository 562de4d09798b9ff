// What a quality-control function computes, and computing it for a standard and its measurements.
#ifndef KYR_COLOUR_QC_FUNCTIONS_HPP
#define KYR_COLOUR_QC_FUNCTIONS_HPP

#include <kyr/colour/document_colours.hpp>
#include <kyr/schema/classes.hpp>

#include <optional>
#include <string>
#include <vector>

namespace kyr::colour::qc {

enum class formula {
    de76,
    de94,
    de2000,
    cmc,
    din99o,
    hunter, // differences of a pair
    lab_axes,
    lch_axes,
    hunter_axes, // per-axis windows of a pair
    metamerism,
    whiteness,
    yellowness,
    strength, // indices
    mean_de,
    stddev_x,
    stddev_y,
    stddev_z,
    stddev_l,
    stddev_a,
    stddev_b,
    stddev_c,
    stddev_h,
    rms_dl,
    rms_da,
    rms_db, // statistics over the measurements
    unsupported
};

// A window of one axis: Param_L, Param_a, Param_b, Param_C or Param_H.
struct axis_window
{
    char axis; // 'L', 'a', 'b', 'C', 'H'
    double low, high;
};

struct metric
{
    std::string name;
    formula kind = formula::unsupported;
    double k1 = 1, k2 = 1, k3 = 1; // kL/kC/kH, l/c, kE/kCH
    std::vector<axis_window> windows;
    std::optional<double> low, high; // limits the function's own parameters give
    std::string reason;              // why it cannot be evaluated
};

bool is_statistic(formula kind);
// Differences, axis shares and statistics grow with the deviation; indices do not.
bool grows_with_deviation(formula kind);

metric metric_of(const com_kyrandel_v2::FunctionType& function);

// The conditions a tolerance asks for; the metamerism index also takes a test illuminant (A
// when none is named) besides the reference in `conditions` (D65 when none is named).
struct pair_request
{
    ConditionsRequest conditions;
    std::optional<Illuminant> test_illuminant;
};

// The value of a pair function for one sample; false with the reason when it cannot be computed.
// `seen` receives the conditions the colours were taken under.
bool evaluate_pair(const metric& m, const com_kyrandel_v2::ColorType& standard,
                   const com_kyrandel_v2::ColorType& sample, const pair_request& request, double& value,
                   std::string& reason, ConditionsRequest& seen);

// The value of a statistic over all measurements of a standard.
bool evaluate_statistic(const metric& m, const com_kyrandel_v2::ColorType& standard,
                        const std::vector<const com_kyrandel_v2::ColorType*>& samples,
                        const pair_request& request, double& value, std::string& reason,
                        ConditionsRequest& seen);

} // namespace kyr::colour::qc

#endif
