// The facts `kyr info` reports about a document, gathered once and then
// printed either as text or as JSON.
#ifndef KYR_TOOLS_DOCUMENT_SUMMARY_HPP
#define KYR_TOOLS_DOCUMENT_SUMMARY_HPP

#include "colour_spaces.hpp"

#include <kyr/schema/classes.hpp>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kyr_tool {

struct library_stamp
{
    std::string name;
    std::optional<std::string> version; // nothing when the version element is nil
};

struct document_summary
{
    std::optional<std::string> name;
    std::string creator;
    std::string creator_version;
    std::string purpose;
    std::optional<std::string> comments;
    std::vector<std::string> change_history; // as written in the document
    std::optional<library_stamp> read_library;
    std::optional<library_stamp> written_library;

    std::size_t colours = 0;
    std::size_t palettes = 0;
    std::size_t colour_sets = 0;
    std::size_t quality_control_records = 0;
    // Colours carrying each colour space, by member index; a colour with two
    // values in one space counts once.
    std::array<std::size_t, colour_space_count> colours_per_space{};
};

document_summary summarise(const com_kyrandel_v2::Kyr& document);

} // namespace kyr_tool

#endif
