// What the tool reads out of one colour-space value: its element name, its
// components and the conditions its specification states.
#ifndef KYR_TOOLS_COLOUR_SPACES_HPP
#define KYR_TOOLS_COLOUR_SPACES_HPP

#include <kyr/schema/classes.hpp>
#include <kyr/schema/classes/member_names.hpp>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace kyr_tool {

// Number of members of the colour-space group, in member order.
constexpr int colour_space_count = static_cast<int>(std::size(com_kyrandel_v2::sg_ColorSpace_member_names));

// Element name of member `index` ("ColorSpaceCIELab"); null outside the members.
const char* colour_space_name(int index);

// Member index of the value held, or -1 when nothing is chosen.
int colour_space_index(const com_kyrandel_v2::sg_ColorSpace& value);

struct colour_components
{
    // Components in document order with their text: ("L", "52.9"), ("Cyan", "40"), ink and
    // axis names, and the names of the named systems ("ColorName", "S 1050-Y90R").
    std::vector<std::pair<std::string, std::string>> named;
    // Spectral points: (wavelength in nm, value).
    std::vector<std::pair<double, double>> spectral;
    // The illuminant ("D50", a custom name, "x=0.3457 y=0.3585", "5000K") and the
    // observer in degrees ("2", "10"); empty where the value does not state them.
    std::string illuminant;
    std::string observer;
};

colour_components components_of(const com_kyrandel_v2::sg_ColorSpace& value);

} // namespace kyr_tool

#endif
