#include "document.hpp"

#include "arrays.hpp"

#include <kyr/api/document_io.hpp>
#include <kyr/colour/document_colours.hpp>
#include <kyr/colour/quality_control.hpp>

#include <pybind11/stl.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kyr_python {

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

py_document adopt(kyr::Document&& document)
{
    auto held = std::make_shared<owner>();
    held->document = std::move(document);
    return py_document(held);
}

// Saving stamps the writing library into the header, replacing the stamp that was there.
void forget_write_stamp(const py_document& self)
{
    const auto& header = std::as_const(self.whole().generated()).get_Preamble().get_Header();
    if (header.isset_WriteSDKInformation())
        self.forget(identity(header.get_WriteSDKInformation()));
}

kyr::colour::ConditionsRequest request_of(const std::optional<std::string>& illuminant,
                                          std::optional<int> observer)
{
    kyr::colour::ConditionsRequest request;
    if (illuminant) {
        request.illuminant = kyr::colour::illuminant_from_name(*illuminant);
        if (!request.illuminant)
            throw py::value_error("unknown illuminant: " + *illuminant);
    }
    if (observer) {
        request.observer = kyr::colour::observer_from_degrees(*observer);
        if (!request.observer)
            throw py::value_error("the observer is 2 or 10 (degrees)");
    }
    return request;
}

// One row per colour: its XYZ (lab false) or L*a*b* (lab true), NaN where it has neither.
double_array colour_rows(const py_document& self, bool lab, const kyr::colour::ConditionsRequest& request)
{
    const kyr::Document& document = self.whole();
    const std::size_t count = document.colours().size();
    double_array result = new_matrix(count, 3);
    double* out = result.mutable_data();
    py::gil_scoped_release unlocked;
    for (std::size_t i = 0; i < count; ++i, out += 3) {
        kyr::colour::ColourMeasure measure;
        if (!kyr::colour::measure_colour(document.colours().at(i).generated(), request, measure)) {
            out[0] = out[1] = out[2] = nan;
        } else if (lab) {
            out[0] = measure.lab.L, out[1] = measure.lab.a, out[2] = measure.lab.b;
        } else {
            out[0] = measure.xyz.X, out[1] = measure.xyz.Y, out[2] = measure.xyz.Z;
        }
    }
    return result;
}

std::optional<std::vector<kyr::colour::SpectralPoint>> first_spectrum(const kyr::ColorTypeView& colour)
{
    for (auto space : colour.colour_spaces())
        if (auto spectral = space.as_colour_space_spectral())
            return kyr::colour::spectrum_of(*spectral);
    return std::nullopt;
}

// The first spectral value of every colour on the wavelengths of the first colour that has
// one; a colour without a spectrum, or with one on other wavelengths, is a row of NaN.
py::tuple spectra(const py_document& self)
{
    const kyr::Document& document = self.whole();
    std::vector<double> wavelengths, values;
    std::size_t count = 0;
    {
        py::gil_scoped_release unlocked;
        count = document.colours().size();
        std::vector<std::optional<std::vector<kyr::colour::SpectralPoint>>> found;
        for (auto colour : document.colours()) {
            found.push_back(first_spectrum(colour));
            if (wavelengths.empty() && found.back())
                for (const auto& point : *found.back())
                    wavelengths.push_back(point.wavelength_nm);
        }
        values.assign(count * wavelengths.size(), nan);
        for (std::size_t i = 0; i < count; ++i) {
            const auto& spectrum = found[i];
            if (!spectrum || spectrum->size() != wavelengths.size())
                continue;
            bool same = true;
            for (std::size_t k = 0; k < wavelengths.size(); ++k)
                same = same && (*spectrum)[k].wavelength_nm == wavelengths[k];
            for (std::size_t k = 0; same && k < wavelengths.size(); ++k)
                values[i * wavelengths.size() + k] = (*spectrum)[k].value;
        }
    }
    double_array w = new_matrix(0, wavelengths.size(), true);
    std::copy(wavelengths.begin(), wavelengths.end(), w.mutable_data());
    double_array v = new_matrix(count, wavelengths.size());
    std::copy(values.begin(), values.end(), v.mutable_data());
    return py::make_tuple(w, v);
}

py::object optional_number(const std::optional<double>& value)
{
    return value ? py::object(py::float_(*value)) : py::object(py::none());
}

py::list quality_control(const py_document& self)
{
    std::vector<kyr::colour::QcResult> results;
    {
        const kyr::Document& document = self.whole();
        py::gil_scoped_release unlocked;
        results = kyr::colour::evaluate_quality_control(document.generated());
    }
    py::list out;
    for (const auto& r : results) {
        py::dict row;
        row["record"] = r.record_name;
        row["standard"] = r.standard_name;
        row["measurement"] = r.measurement ? py::object(py::str(r.measurement_name)) : py::object(py::none());
        row["tolerance"] = r.tolerance;
        row["function"] = r.function;
        row["illuminant"] = r.illuminant ? py::object(py::str(kyr::colour::illuminant_name(*r.illuminant)))
                                         : py::object(py::none());
        row["observer"] = r.observer ? py::object(py::int_(kyr::colour::observer_degrees(*r.observer)))
                                     : py::object(py::none());
        row["value"] = optional_number(r.value);
        row["low"] = optional_number(r.low);
        row["high"] = optional_number(r.high);
        row["warning"] = optional_number(r.warning);
        row["verdict"] = kyr::colour::verdict_name(r.verdict);
        row["reason"] = r.reason;
        out.append(row);
    }
    return out;
}

} // namespace

void bind_document(py::module_& m)
{
    py::class_<py_document, py_Kyr> c(m, "Document", "A whole document, owning its document element.");
    c.def(py::init([] { return py_document(std::make_shared<owner>()); }))
        .def(
            "root",
            [](const py_document& self) { return py_Kyr(node(self.document()), self.whole().generated()); },
            "The document element.")
        .def(
            "save",
            [](const py_document& self, const std::string& path) {
                forget_write_stamp(self);
                kyr::Document& document = self.whole();
                py::gil_scoped_release unlocked;
                kyr::save(document, path);
            },
            py::arg("path"), "Writes the document: \".kyrz\" makes a container, else plain XML.")
        .def(
            "to_xml",
            [](const py_document& self) {
                forget_write_stamp(self);
                kyr::Document& document = self.whole();
                py::gil_scoped_release unlocked;
                return kyr::to_xml(document);
            },
            "The document as XML text.")
        .def("names",
             [](const py_document& self) {
                 std::vector<std::string> names;
                 for (auto colour : self.whole().colours())
                     names.push_back(colour.colour_name());
                 return names;
             })
        .def(
            "lab_array",
            [](const py_document& self, std::optional<std::string> illuminant, std::optional<int> observer) {
                return colour_rows(self, true, request_of(illuminant, observer));
            },
            py::arg("illuminant") = py::none(), py::arg("observer") = py::none(),
            "Every colour's L*a*b* as an (n, 3) array; NaN rows for colours without one.")
        .def(
            "xyz_array",
            [](const py_document& self, std::optional<std::string> illuminant, std::optional<int> observer) {
                return colour_rows(self, false, request_of(illuminant, observer));
            },
            py::arg("illuminant") = py::none(), py::arg("observer") = py::none(),
            "Every colour's XYZ as an (n, 3) array; NaN rows for colours without one.")
        .def("spectra", &spectra,
             "(wavelengths, reflectances): the first spectrum of every colour, one row each.")
        .def("evaluate_quality_control", &quality_control,
             "Every quality-control verdict of the document, one dict each.");

    m.def(
        "load",
        [](const std::string& path) {
            kyr::Document document;
            {
                py::gil_scoped_release unlocked;
                document = kyr::load(path);
            }
            return adopt(std::move(document));
        },
        py::arg("path"), "Reads the document at `path`: a \".kyrz\" container, else plain XML.");
    m.def(
        "parse",
        [](const py::object& xml) {
            const std::string text =
                py::isinstance<py::bytes>(xml) ? std::string(xml.cast<py::bytes>()) : xml.cast<std::string>();
            kyr::Document document;
            {
                py::gil_scoped_release unlocked;
                document = kyr::parse(text);
            }
            return adopt(std::move(document));
        },
        py::arg("xml"), "Reads a document from its XML text (str, or bytes in any declared encoding).");
}

void bind_spectral_arrays(py::module_& m)
{
    auto spectral =
        py::reinterpret_borrow<py::class_<py_ColorSpaceSpectralType>>(m.attr("ColorSpaceSpectralType"));
    spectral
        .def("wavelengths",
             [](const py_ColorSpaceSpectralType& self) {
                 const auto points = kyr::colour::spectrum_of(self.handle().generated());
                 double_array out = new_matrix(0, points.size(), true);
                 for (std::size_t k = 0; k < points.size(); ++k)
                     out.mutable_data()[k] = points[k].wavelength_nm;
                 return out;
             })
        .def("reflectances", [](const py_ColorSpaceSpectralType& self) {
            const auto points = kyr::colour::spectrum_of(self.handle().generated());
            double_array out = new_matrix(0, points.size(), true);
            for (std::size_t k = 0; k < points.size(); ++k)
                out.mutable_data()[k] = points[k].value;
            return out;
        });
}

} // namespace kyr_python
