// Spectra to tristimulus values: weighting factors by Lagrange interpolation of the reflectance
// onto the illuminant-observer products (the ASTM E2022 construction), applied as in ASTM E308.
#include <kyr/colour/colorimetry.hpp>

#include "cie_tables.hpp"

#include <algorithm>
#include <cmath>

namespace kyr::colour {
namespace {

constexpr double observer_last_nm = cie::observer_first_nm + cie::observer_rows - 1;

struct product
{
    double wavelength;
    double x, y, z;
};

// S·x̄, S·ȳ, S·z̄ at the illuminant's own nodes inside the observer's range, or at every
// nanometre between them.
std::vector<product> products_of(Illuminant illuminant, Observer observer, bool to_1nm)
{
    const cie::sampled_power& power = cie::illuminant_power[static_cast<int>(illuminant)];
    const auto& cmf = observer == Observer::two_degree ? cie::observer_2_degree : cie::observer_10_degree;
    const int step = to_1nm ? 1 : power.step_nm;
    const int last = power.first_nm + (power.count - 1) * power.step_nm;
    std::vector<product> products;
    for (int wavelength = power.first_nm; wavelength <= last; wavelength += step) {
        const int node = (wavelength - power.first_nm) / power.step_nm;
        const int offset = (wavelength - power.first_nm) % power.step_nm;
        double s = power.values[node];
        if (offset != 0)
            s += (power.values[node + 1] - s) * offset / power.step_nm;
        const double* row = cmf[wavelength - cie::observer_first_nm];
        products.push_back({double(wavelength), s * row[0], s * row[1], s * row[2]});
    }
    return products;
}

bool evenly_spaced(const std::vector<double>& nodes)
{
    if (nodes.size() < 2)
        return false;
    const double step = nodes[1] - nodes[0];
    for (size_t i = 2; i < nodes.size(); ++i)
        if (std::fabs(nodes[i] - nodes[i - 1] - step) > 1e-9 * step)
            return false;
    return true;
}

// Adds one product to the weights of the nodes whose interpolant covers its wavelength: three
// nodes in the first and last interval, four inside, the nearest node outside the nodes' range.
void spread(const std::vector<double>& nodes, size_t& interval, const product& p,
            std::vector<double>& weights)
{
    const size_t n = nodes.size();
    auto add = [&weights, &p](size_t node, double coefficient) {
        weights[3 * node] += coefficient * p.x;
        weights[3 * node + 1] += coefficient * p.y;
        weights[3 * node + 2] += coefficient * p.z;
    };
    if (p.wavelength <= nodes.front()) {
        add(0, 1.0);
        return;
    }
    if (p.wavelength >= nodes.back()) {
        add(n - 1, 1.0);
        return;
    }
    while (nodes[interval + 1] < p.wavelength)
        ++interval;
    size_t first = interval == 0 ? 0 : interval - 1;
    size_t last = std::min(interval + 2, n - 1);
    if (interval == 0 && n > 2)
        last = 2; // quadratic through the first three nodes
    if (interval + 2 == n && n > 2)
        first = n - 3; // quadratic through the last three nodes
    for (size_t i = first; i <= last; ++i) {
        double coefficient = 1.0;
        for (size_t j = first; j <= last; ++j)
            if (j != i)
                coefficient *= (p.wavelength - nodes[j]) / (nodes[i] - nodes[j]);
        add(i, coefficient);
    }
}

// E308's bandpass correction R' = B·R folded into the weights: W' = Bᵀ·W.
void fold_bandpass_correction(std::vector<double>& weights)
{
    const size_t n = weights.size() / 3;
    if (n < 2)
        return;
    const std::vector<double> w = weights;
    for (size_t i = 0; i < n; ++i)
        for (int k = 0; k < 3; ++k) {
            const double own = (i == 0 || i == n - 1) ? 1.083 : 1.166;
            double sum = own * w[3 * i + k];
            if (i > 0)
                sum -= 0.083 * w[3 * (i - 1) + k];
            if (i + 1 < n)
                sum -= 0.083 * w[3 * (i + 1) + k];
            weights[3 * i + k] = sum;
        }
}

} // namespace

XYZ white_point(Illuminant illuminant, Observer observer, bool illuminant_to_1nm)
{
    XYZ sum{0, 0, 0};
    for (const product& p : products_of(illuminant, observer, illuminant_to_1nm)) {
        sum.X += p.x;
        sum.Y += p.y;
        sum.Z += p.z;
    }
    return {100.0 * sum.X / sum.Y, 100.0, 100.0 * sum.Z / sum.Y};
}

WeightingTable::WeightingTable(const std::vector<double>& wavelengths_nm, const ViewingConditions& conditions)
    : m_wavelengths(wavelengths_nm), m_conditions(conditions)
{
    if (m_wavelengths.empty()) {
        m_error = "no wavelengths";
        return;
    }
    for (double wavelength : m_wavelengths)
        if (!std::isfinite(wavelength) || wavelength <= 0) {
            m_error = "a wavelength is not a positive number";
            return;
        }
    std::sort(m_wavelengths.begin(), m_wavelengths.end());
    if (std::adjacent_find(m_wavelengths.begin(), m_wavelengths.end()) != m_wavelengths.end()) {
        m_error = "a wavelength occurs twice";
        return;
    }
    const bool even = evenly_spaced(m_wavelengths);
    if (conditions.bandpass == Bandpass::uncorrected_table5 && !even && m_wavelengths.size() > 1) {
        m_error = "the bandpass correction needs evenly spaced wavelengths";
        return;
    }

    // An even grid of 1 nm or coarser is extended by its own step over the observer's range
    // (finer grids are not E308 intervals, and extending them could take unbounded memory).
    std::vector<double> nodes = m_wavelengths;
    size_t below = 0;
    if (even && m_wavelengths[1] - m_wavelengths[0] >= 1.0) {
        const double step = m_wavelengths[1] - m_wavelengths[0];
        std::vector<double> extended;
        for (double w = m_wavelengths.front() - step; w >= cie::observer_first_nm - 1e-9; w -= step)
            extended.insert(extended.begin(), w);
        below = extended.size();
        extended.insert(extended.end(), m_wavelengths.begin(), m_wavelengths.end());
        for (double w = m_wavelengths.back() + step; w <= observer_last_nm + 1e-9; w += step)
            extended.push_back(w);
        nodes.swap(extended);
    }

    std::vector<double> weights(3 * nodes.size(), 0.0);
    double sum_y = 0;
    size_t interval = 0;
    for (const product& p :
         products_of(conditions.illuminant, conditions.observer, conditions.illuminant_to_1nm)) {
        spread(nodes, interval, p, weights);
        sum_y += p.y;
    }

    // The unmeasured nodes' weights go to the nearest measured node.
    const size_t n = m_wavelengths.size();
    m_weights.assign(3 * n, 0.0);
    for (size_t node = 0; node < nodes.size(); ++node) {
        const size_t target = node < below ? 0 : std::min(node - below, n - 1);
        for (int k = 0; k < 3; ++k)
            m_weights[3 * target + k] += weights[3 * node + k];
    }
    if (conditions.bandpass == Bandpass::uncorrected_table5)
        fold_bandpass_correction(m_weights);
    for (double& w : m_weights)
        w *= 100.0 / sum_y;
    const std::vector<double> ones(n, 1.0);
    m_white = apply(ones.data());
}

XYZ WeightingTable::weight(size_t n) const
{
    return {m_weights[3 * n], m_weights[3 * n + 1], m_weights[3 * n + 2]};
}

XYZ WeightingTable::apply(const double* values) const
{
    double x = 0, y = 0, z = 0;
    const double* w = m_weights.data();
    for (size_t i = 0, n = m_wavelengths.size(); i < n; ++i, w += 3) {
        x += w[0] * values[i];
        y += w[1] * values[i];
        z += w[2] * values[i];
    }
    return {x, y, z};
}

bool tristimulus(const std::vector<SpectralPoint>& spectrum, const ViewingConditions& conditions, XYZ& result,
                 std::string* error)
{
    for (const SpectralPoint& point : spectrum)
        if (!std::isfinite(point.wavelength_nm)) {
            if (error)
                *error = "a wavelength is not a positive number";
            return false;
        }
    std::vector<SpectralPoint> sorted = spectrum;
    std::sort(sorted.begin(), sorted.end(), [](const SpectralPoint& a, const SpectralPoint& b) {
        return a.wavelength_nm < b.wavelength_nm;
    });
    std::vector<double> wavelengths, values;
    for (const SpectralPoint& point : sorted) {
        if (!std::isfinite(point.value)) {
            if (error)
                *error = "a spectral value is not a finite number";
            return false;
        }
        wavelengths.push_back(point.wavelength_nm);
        values.push_back(point.value);
    }
    const WeightingTable table(wavelengths, conditions);
    if (!table.valid()) {
        if (error)
            *error = table.error();
        return false;
    }
    result = table.apply(values.data());
    return true;
}

bool emission_tristimulus(const std::vector<SpectralPoint>& emission, Observer observer, Bandpass bandpass,
                          XYZ& result, std::string* error)
{
    XYZ sum{0, 0, 0};
    if (!tristimulus(emission, {Illuminant::E, observer, bandpass}, sum, error))
        return false;
    if (!(sum.Y > 0) || !std::isfinite(sum.X + sum.Y + sum.Z)) {
        if (error)
            *error = "the emission has no finite luminance above 0";
        return false;
    }
    const double scale = 100.0 / sum.Y;
    result = {sum.X * scale, 100.0, sum.Z * scale};
    return true;
}

} // namespace kyr::colour
