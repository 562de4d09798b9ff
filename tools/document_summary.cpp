#include "document_summary.hpp"

#include "colour_walk.hpp"
#include "text.hpp"

namespace kyr_tool {
namespace {

using namespace com_kyrandel_v2;

library_stamp stamp_of(const SDKType& sdk)
{
    const SDKVersion& version = sdk.get_SDKVersion();
    library_stamp stamp{utf8(sdk.get_SDKName()), std::nullopt};
    if (!version.isnil_SDKVersion())
        stamp.version = utf8(version.get_SDKVersion());
    return stamp;
}

void summarise_header(const Header& header, document_summary& summary)
{
    if (header.isset_Name())
        summary.name = utf8(header.get_Name());
    summary.creator = utf8(header.get_Creator());
    summary.creator_version = utf8(header.get_CreatorVersion());
    summary.purpose = utf8(header.get_Purpose());
    if (header.isset_Comments())
        summary.comments = utf8(header.get_Comments());
    for (size_t i = 0; i < header.size_ChangeHistory(); ++i)
        summary.change_history.push_back(header.get_ChangeHistory(i).get_as_string());
    if (header.isset_ReadSDKInformation())
        summary.read_library = stamp_of(header.get_ReadSDKInformation());
    if (header.isset_WriteSDKInformation())
        summary.written_library = stamp_of(header.get_WriteSDKInformation());
}

void count_colour_spaces(const ColorType& colour, document_summary& summary)
{
    std::array<bool, colour_space_count> seen{};
    for (size_t i = 0; i < colour.size_ColorSpace(); ++i) {
        const int index = colour_space_index(colour.get_ColorSpace(i));
        if (index >= 0 && !seen[index]) {
            seen[index] = true;
            ++summary.colours_per_space[index];
        }
    }
}

} // namespace

document_summary summarise(const Kyr& document)
{
    document_summary summary;
    summarise_header(document.get_Preamble().get_Header(), summary);
    summary.palettes = document.size_Palette();
    for (size_t p = 0; p < document.size_Palette(); ++p)
        summary.colour_sets += document.get_Palette(p).size_ColorSet();
    summary.quality_control_records = document.size_ColorQualityControl();
    for_each_colour(document, [&summary](const ColorType& colour, const colour_place&) {
        ++summary.colours;
        count_colour_spaces(colour, summary);
    });
    return summary;
}

} // namespace kyr_tool
