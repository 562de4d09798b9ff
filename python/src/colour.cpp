#include "colour.hpp"

#include "arrays.hpp"

#include <kyr/colour/colorimetry.hpp>
#include <kyr/colour/conversions.hpp>
#include <kyr/colour/differences.hpp>
#include <kyr/colour/quality_control.hpp>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kyr_python {

namespace {

using kyr::colour::Lab;
using difference = std::function<double(const Lab&, const Lab&)>;

Lab lab_at(const triples& t, std::size_t i)
{
    const double* p = t.row(i);
    return {p[0], p[1], p[2]};
}

// Standards and samples row by row; one triple on either side is paired with every row.
py::object differences(const py::handle& standard, const py::handle& sample, const difference& formula)
{
    const triples s = as_triples(standard, "standard");
    const triples t = as_triples(sample, "sample");
    if (s.count != t.count && s.count != 1 && t.count != 1)
        throw py::value_error("standard and sample differ in length");
    const std::size_t count = std::max(s.count, t.count);
    const bool single = s.single && t.single;
    double_array result = new_matrix(0, count, true);
    double* out = result.mutable_data();
    {
        py::gil_scoped_release unlocked;
        for (std::size_t i = 0; i < count; ++i)
            out[i] = formula(lab_at(s, i), lab_at(t, i));
    }
    if (single)
        return py::float_(out[0]);
    return std::move(result);
}

kyr::colour::Illuminant illuminant_of(const std::string& name)
{
    auto illuminant = kyr::colour::illuminant_from_name(name);
    if (!illuminant)
        throw py::value_error("unknown illuminant: " + name);
    return *illuminant;
}

kyr::colour::Observer observer_of(int degrees)
{
    auto observer = kyr::colour::observer_from_degrees(degrees);
    if (!observer)
        throw py::value_error("the observer is 2 or 10 (degrees)");
    return *observer;
}

// XYZ of each row of `spectra` (or of one spectrum), on the wavelengths given.
py::object tristimulus(const py::handle& wavelengths, const py::handle& spectra,
                       const std::string& illuminant, int observer)
{
    auto w = double_array::ensure(wavelengths);
    auto v = double_array::ensure(spectra);
    if (!w || !v || w.ndim() != 1 || v.ndim() < 1 || v.ndim() > 2 || v.shape(v.ndim() - 1) != w.shape(0))
        throw py::value_error("expected wavelengths (k,) and spectra (k,) or (n, k)");
    kyr::colour::ViewingConditions conditions;
    conditions.illuminant = illuminant_of(illuminant);
    conditions.observer = observer_of(observer);
    const std::vector<double> nodes(w.data(), w.data() + w.shape(0));
    const std::size_t k = nodes.size();
    const std::size_t count = v.ndim() == 1 ? 1 : static_cast<std::size_t>(v.shape(0));
    double_array result = new_matrix(count, 3, v.ndim() == 1);
    double* out = result.mutable_data();
    std::string error;
    {
        py::gil_scoped_release unlocked;
        // The weights take wavelengths in ascending order; the rows follow the caller's order.
        std::vector<std::size_t> order(k);
        for (std::size_t i = 0; i < k; ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(),
                  [&](std::size_t a, std::size_t b) { return nodes[a] < nodes[b]; });
        kyr::colour::WeightingTable table(nodes, conditions);
        if (table.valid()) {
            std::vector<double> row(k);
            for (std::size_t i = 0; i < count; ++i) {
                for (std::size_t j = 0; j < k; ++j)
                    row[j] = v.data()[i * k + order[j]];
                const auto xyz = table.apply(row.data());
                out[3 * i] = xyz.X, out[3 * i + 1] = xyz.Y, out[3 * i + 2] = xyz.Z;
            }
        } else {
            error = table.error();
        }
    }
    if (!error.empty())
        throw py::value_error(error);
    return std::move(result);
}

// L*a*b* of XYZ rows relative to the white of an illuminant and observer.
py::object xyz_to_lab(const py::handle& xyz, const std::string& illuminant, int observer)
{
    const triples t = as_triples(xyz, "xyz");
    const auto white = kyr::colour::white_point(illuminant_of(illuminant), observer_of(observer));
    double_array result = new_matrix(t.count, 3, t.single);
    double* out = result.mutable_data();
    py::gil_scoped_release unlocked;
    for (std::size_t i = 0; i < t.count; ++i) {
        const double* p = t.row(i);
        const Lab lab = kyr::colour::to_Lab({p[0], p[1], p[2]}, white);
        out[3 * i] = lab.L, out[3 * i + 1] = lab.a, out[3 * i + 2] = lab.b;
    }
    return std::move(result);
}

difference formula_named(const std::string& name)
{
    if (name == "DE76")
        return [](const Lab& s, const Lab& t) { return kyr::colour::delta_e76(s, t); };
    if (name == "DE94")
        return [](const Lab& s, const Lab& t) { return kyr::colour::delta_e94(s, t); };
    if (name == "DE2000")
        return [](const Lab& s, const Lab& t) { return kyr::colour::delta_e2000(s, t); };
    if (name == "DEcmc")
        return [](const Lab& s, const Lab& t) { return kyr::colour::delta_e_cmc(s, t); };
    if (name == "DIN99o")
        return [](const Lab& s, const Lab& t) { return kyr::colour::delta_e_din99o(s, t); };
    throw py::value_error("unknown formula " + name + " (DE76, DE94, DE2000, DEcmc, DIN99o)");
}

// The difference of every sample from its standard and its verdict against the tolerance:
// fail above `tolerance`, warn above `warning` when one is given, else pass.
py::tuple evaluate(const py::handle& standard, const py::handle& samples, double tolerance,
                   std::optional<double> warning, const std::string& formula)
{
    py::object values = differences(standard, samples, formula_named(formula));
    auto v = double_array::ensure(values);
    py::array_t<std::int8_t> verdicts(py::array::ShapeContainer(v.shape(), v.shape() + v.ndim()));
    const double* in = v.data();
    std::int8_t* out = verdicts.mutable_data();
    for (py::ssize_t i = 0; i < v.size(); ++i) {
        auto verdict = in[i] > tolerance  ? kyr::colour::Verdict::fail
            : warning && in[i] > *warning ? kyr::colour::Verdict::warn
                                          : kyr::colour::Verdict::pass;
        out[i] = static_cast<std::int8_t>(verdict);
    }
    return py::make_tuple(values, verdicts);
}

} // namespace

void bind_colour(py::module_& m)
{
    const auto standard = py::arg("standard"), sample = py::arg("sample");
    m.def(
        "delta_e76",
        [](const py::handle& s, const py::handle& t) { return differences(s, t, formula_named("DE76")); },
        standard, sample, "ΔE*ab of L*a*b* rows (n, 3), or of one triple.");
    m.def(
        "delta_e94",
        [](const py::handle& s, const py::handle& t, bool textiles) {
            const auto weights =
                textiles ? kyr::colour::CIE94Weights::textiles() : kyr::colour::CIE94Weights();
            return differences(s, t, [weights](const Lab& a, const Lab& b) {
                return kyr::colour::delta_e94(a, b, weights);
            });
        },
        standard, sample, py::arg("textiles") = false, "CIE94 (graphic arts, or textiles).");
    m.def(
        "delta_e2000",
        [](const py::handle& s, const py::handle& t, double kL, double kC, double kH) {
            return differences(
                s, t, [=](const Lab& a, const Lab& b) { return kyr::colour::delta_e2000(a, b, kL, kC, kH); });
        },
        standard, sample, py::arg("kL") = 1.0, py::arg("kC") = 1.0, py::arg("kH") = 1.0, "CIEDE2000.");
    m.def(
        "delta_e_cmc",
        [](const py::handle& s, const py::handle& t, double l, double c) {
            return differences(
                s, t, [=](const Lab& a, const Lab& b) { return kyr::colour::delta_e_cmc(a, b, l, c); });
        },
        standard, sample, py::arg("l") = 2.0, py::arg("c") = 1.0, "CMC l:c.");
    m.def(
        "delta_e_din99o",
        [](const py::handle& s, const py::handle& t) { return differences(s, t, formula_named("DIN99o")); },
        standard, sample, "ΔE in DIN99o.");
    m.def("tristimulus", &tristimulus, py::arg("wavelengths"), py::arg("spectra"),
          py::arg("illuminant") = "D50", py::arg("observer") = 2,
          "XYZ (Y = 100 for the perfect diffuser) of reflectance spectra.");
    m.def("xyz_to_lab", &xyz_to_lab, py::arg("xyz"), py::arg("illuminant") = "D50", py::arg("observer") = 2,
          "L*a*b* of XYZ rows relative to the white of the illuminant and observer.");
    m.def(
        "white_point",
        [](const std::string& illuminant, int observer) {
            const auto w = kyr::colour::white_point(illuminant_of(illuminant), observer_of(observer));
            return py::make_tuple(w.X, w.Y, w.Z);
        },
        py::arg("illuminant") = "D50", py::arg("observer") = 2);
    m.def("evaluate", &evaluate, standard, py::arg("samples"), py::arg("tolerance"),
          py::arg("warning") = py::none(), py::arg("formula") = "DE2000",
          "(differences, verdicts): verdicts are PASS, WARN or FAIL against the tolerance.");
    m.attr("PASS") = static_cast<int>(kyr::colour::Verdict::pass);
    m.attr("WARN") = static_cast<int>(kyr::colour::Verdict::warn);
    m.attr("FAIL") = static_cast<int>(kyr::colour::Verdict::fail);
}

} // namespace kyr_python
