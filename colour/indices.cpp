// Whiteness, tint, yellowness, metamerism index and colour strength.
#include <kyr/colour/indices.hpp>

#include <kyr/colour/conversions.hpp>
#include <kyr/colour/differences.hpp>

#include <algorithm>
#include <cmath>

namespace kyr::colour {
namespace {

void say(std::string* error, const std::string& why)
{
    if (error)
        *error = why;
}

std::vector<SpectralPoint> sorted(std::vector<SpectralPoint> spectrum)
{
    std::sort(spectrum.begin(), spectrum.end(), [](const SpectralPoint& a, const SpectralPoint& b) {
        return a.wavelength_nm < b.wavelength_nm;
    });
    return spectrum;
}

bool same_wavelengths(const std::vector<SpectralPoint>& a, const std::vector<SpectralPoint>& b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](const SpectralPoint& p, const SpectralPoint& q) {
               return p.wavelength_nm == q.wavelength_nm;
           });
}

} // namespace

WhitenessTint cie_whiteness(const XYZ& sample_d65, Observer observer)
{
    const xyY white = to_xyY(white_point(Illuminant::D65, observer), {1, 1, 1});
    return cie_whiteness(sample_d65, white.x, white.y, observer);
}

WhitenessTint cie_whiteness(const XYZ& sample, double xn, double yn, Observer observer)
{
    const xyY s = to_xyY(sample, {1, 1, 1});
    const double k = observer == Observer::two_degree ? 1000.0 : 900.0;
    return {s.Y + 800.0 * (xn - s.x) + 1700.0 * (yn - s.y), k * (xn - s.x) - 650.0 * (yn - s.y)};
}

std::optional<double> yellowness_e313(const XYZ& sample, Illuminant illuminant, Observer observer)
{
    const bool two = observer == Observer::two_degree;
    double cx, cz;
    if (illuminant == Illuminant::C) {
        cx = two ? 1.2769 : 1.2871;
        cz = two ? 1.0592 : 1.0781;
    } else if (illuminant == Illuminant::D65) {
        cx = two ? 1.2985 : 1.3013;
        cz = two ? 1.1335 : 1.1498;
    } else {
        return std::nullopt;
    }
    if (sample.Y == 0)
        return std::nullopt;
    return 100.0 * (cx * sample.X - cz * sample.Z) / sample.Y;
}

double metamerism_index(const XYZ& standard_reference, const XYZ& sample_reference, const XYZ& standard_test,
                        const XYZ& sample_test, const XYZ& test_white)
{
    auto ratio = [](double a, double b) { return b == 0 ? 1.0 : a / b; };
    const XYZ corrected{sample_test.X * ratio(standard_reference.X, sample_reference.X),
                        sample_test.Y * ratio(standard_reference.Y, sample_reference.Y),
                        sample_test.Z * ratio(standard_reference.Z, sample_reference.Z)};
    return delta_e76(to_Lab(standard_test, test_white), to_Lab(corrected, test_white));
}

bool metamerism_index(const std::vector<SpectralPoint>& standard, const std::vector<SpectralPoint>& sample,
                      const ViewingConditions& reference, const ViewingConditions& test, double& result,
                      std::string* error)
{
    XYZ standard_reference, sample_reference, standard_test, sample_test;
    if (!tristimulus(standard, reference, standard_reference, error)
        || !tristimulus(sample, reference, sample_reference, error)
        || !tristimulus(standard, test, standard_test, error)
        || !tristimulus(sample, test, sample_test, error))
        return false;
    result = metamerism_index(standard_reference, sample_reference, standard_test, sample_test,
                              white_point(test.illuminant, test.observer));
    return true;
}

double kubelka_munk(double reflectance)
{
    const double r = std::max(reflectance, 0.0001);
    return (1.0 - r) * (1.0 - r) / (2.0 * r);
}

bool colour_strength(const std::vector<SpectralPoint>& standard, const std::vector<SpectralPoint>& sample,
                     StrengthMethod method, const ViewingConditions& conditions, double& percent,
                     std::string* error)
{
    const std::vector<SpectralPoint> s = sorted(standard), m = sorted(sample);
    if (s.empty() || !same_wavelengths(s, m)) {
        say(error, "the standard and the sample need the same wavelengths");
        return false;
    }
    double standard_sum = 0, sample_sum = 0;
    if (method == StrengthMethod::maximum_absorption) {
        const auto darkest =
            std::min_element(s.begin(), s.end(), [](const SpectralPoint& a, const SpectralPoint& b) {
                return a.value < b.value;
            });
        const size_t i = size_t(darkest - s.begin());
        standard_sum = kubelka_munk(s[i].value);
        sample_sum = kubelka_munk(m[i].value);
    } else {
        std::vector<double> wavelengths;
        for (const SpectralPoint& p : s)
            wavelengths.push_back(p.wavelength_nm);
        const WeightingTable table(wavelengths, conditions);
        if (!table.valid()) {
            say(error, table.error());
            return false;
        }
        for (size_t i = 0; i < s.size(); ++i) {
            const XYZ w = table.weight(i);
            const double weight = w.X + w.Y + w.Z;
            standard_sum += weight * kubelka_munk(s[i].value);
            sample_sum += weight * kubelka_munk(m[i].value);
        }
    }
    if (!(standard_sum > 0) || !std::isfinite(sample_sum)) {
        say(error, "the standard absorbs nothing");
        return false;
    }
    percent = 100.0 * sample_sum / standard_sum;
    return true;
}

} // namespace kyr::colour
