#include "colour_walk.hpp"

namespace kyr_tool {

void for_each_colour(const com_kyrandel_v2::Kyr& document,
                     const std::function<void(const com_kyrandel_v2::ColorType&, const colour_place&)>& visit)
{
    for (size_t i = 0; i < document.size_Color(); ++i)
        visit(document.get_Color(i), colour_place{});
    for (size_t p = 0; p < document.size_Palette(); ++p) {
        const auto& palette = document.get_Palette(p);
        for (size_t s = 0; s < palette.size_ColorSet(); ++s) {
            const auto& set = palette.get_ColorSet(s);
            for (size_t i = 0; i < set.size_Color(); ++i)
                visit(set.get_Color(i), colour_place{&palette, &set});
        }
    }
}

} // namespace kyr_tool
