// What the tool reads out of one colour-space value: its element name and its
// numeric components.
#pragma once

#include <kyr/schema/classes.hpp>

#include <string>
#include <utility>
#include <vector>

namespace kyr_tool {

// Number of members of the colour-space group, in member order.
constexpr int colour_space_count = 28;

// Element name of member `index` ("ColorSpaceCIELab"); null outside 0..27.
const char* colour_space_name(int index);

// Member index of the value held, or -1 when nothing is chosen.
int colour_space_index(const com_kyrandel_v2::sg_ColorSpace& value);

struct colour_components
{
    // Named components in document order: ("L", 52.9), ("Cyan", 40), ink or axis names.
    std::vector<std::pair<std::string, double>> named;
    // Spectral points: (wavelength in nm, value).
    std::vector<std::pair<double, double>> spectral;
};

colour_components components_of(const com_kyrandel_v2::sg_ColorSpace& value);

} // namespace kyr_tool
