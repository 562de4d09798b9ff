// Names of the illuminants and observers, as people and documents write them.
#include <kyr/colour/colour_types.hpp>

namespace kyr::colour {
namespace {

constexpr const char* names[illuminant_count] = {"A", "C",  "D50", "D55", "D65", "D75",
                                                 "E", "F2", "F3",  "F7",  "F11", "F12"};

} // namespace

const char* illuminant_name(Illuminant illuminant)
{
    return names[static_cast<int>(illuminant)];
}

std::optional<Illuminant> illuminant_from_name(const std::string& name)
{
    static const std::string document_prefix = "Illuminant_";
    const std::string bare = name.compare(0, document_prefix.size(), document_prefix) == 0
        ? name.substr(document_prefix.size())
        : name;
    for (int i = 0; i < illuminant_count; ++i)
        if (bare == names[i])
            return static_cast<Illuminant>(i);
    return std::nullopt;
}

int observer_degrees(Observer observer)
{
    return observer == Observer::two_degree ? 2 : 10;
}

std::optional<Observer> observer_from_degrees(int degrees)
{
    if (degrees == 2)
        return Observer::two_degree;
    if (degrees == 10)
        return Observer::ten_degree;
    return std::nullopt;
}

} // namespace kyr::colour
