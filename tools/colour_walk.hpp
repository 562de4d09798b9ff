// Visits every colour record of a document that a swatch user thinks of as
// "the colours": the document's own colours, then those of each palette's
// colour sets. Colours inside quality-control records are measurements, not
// swatches, and are left out.
#pragma once

#include <kyr/schema/classes.hpp>

#include <functional>

namespace kyr_tool {

void for_each_colour(const com_kyrandel_v2::Kyr& document,
                     const std::function<void(const com_kyrandel_v2::ColorType&)>& visit);

} // namespace kyr_tool
