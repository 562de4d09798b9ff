// Visits every colour record of a document that a swatch user thinks of as
// "the colours": the document's own colours, then those of each palette's
// colour sets. Colours inside quality-control records are measurements, not
// swatches, and are left out.
#ifndef KYR_TOOLS_COLOUR_WALK_HPP
#define KYR_TOOLS_COLOUR_WALK_HPP

#include <kyr/schema/classes.hpp>

#include <functional>

namespace kyr_tool {

// Where a colour stands: both null for the document's own colours.
struct colour_place
{
    const com_kyrandel_v2::PaletteType* palette = nullptr;
    const com_kyrandel_v2::ColorSetType* colour_set = nullptr;
};

void for_each_colour(
    const com_kyrandel_v2::Kyr& document,
    const std::function<void(const com_kyrandel_v2::ColorType&, const colour_place&)>& visit);

} // namespace kyr_tool

#endif
