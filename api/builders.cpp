// The builders: what the examples and the tool used to spell out by hand.
#include <kyr/api/builders.hpp>

namespace kyr {
namespace {

// Conditions every value of the library's own making shares: no filter, no polarisation,
// reflectance.
template <class Measurement>
void describe_device(Measurement measurement, const conditions& measured)
{
    measurement.device_filter().set_value("Filter_None");
    measurement.device_polarization().set_value(false);
    measurement.change_histories().push_back(measured.stamp);
    measurement.spectrum().set_value("Spectrum_Reflectance");
}

} // namespace

Header fill_header(Document& document, const header_fields& fields)
{
    Header header = document.preamble().header();
    header.set_creator(fields.creator);
    header.set_creator_version(fields.creator_version);
    header.set_purpose(fields.purpose);
    header.change_histories().push_back(fields.stamp);
    return header;
}

ColorSpaceCIELabType add_lab(ColorType colour, std::string_view name, const lab& value,
                             const conditions& measured)
{
    colour.set_colour_name(name);
    if (colour.change_histories().empty())
        colour.change_histories().push_back(measured.stamp);
    ColorSpaceCIELabType lab_value = colour.colour_spaces().push_back().choose_colour_space_cie_lab();
    lab_value.change_histories().push_back(measured.stamp);
    auto measurement = lab_value.colour_space_specification_spectrum_tristimulus();
    describe_device(measurement, measured);
    measurement.illumination_options().choose_illuminant().set_value(measured.illuminant);
    measurement.set_field_of_view(measured.observer);
    lab_value.set_l(value.l);
    lab_value.set_a(value.a);
    lab_value.set_b(value.b);
    return lab_value;
}

ColorSpaceSpectralType add_spectrum(ColorType colour, const spectrum& value, const conditions& measured)
{
    ColorSpaceSpectralType spectral = colour.colour_spaces().push_back().choose_colour_space_spectral();
    spectral.change_histories().push_back(measured.stamp);
    auto measurement = spectral.colour_space_specification_spectrum_spectral();
    describe_device(measurement, measured);
    measurement.geometry_choice().set_sphere_geometry("Sphere_Included");
    for (std::size_t i = 0; i < value.values.size(); ++i) {
        auto point = spectral.reflectance_points().push_back();
        point.set_wavelength(value.start + value.interval * static_cast<double>(i));
        point.set_value(value.values[i]);
    }
    return spectral;
}

} // namespace kyr
