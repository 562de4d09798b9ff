// The ".kyrz" container: an archive whose first entry is the XML document.
// Nothing here raises; every archive failure is a false result.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>

namespace kyr::io {

// Entry 0 of the archive file named by a UTF-8 path, inflated and checked to
// its end (exact size, CRC-32); false for any failure.
bool read_first_entry(const std::string& path, std::string& content);

// The same for an archive held in memory.
bool read_first_entry(const void* data, std::size_t size, std::string& content);

// A complete archive holding `content` as its only entry, named `name` and
// dated `modified`; false when it cannot be built.
bool make_single_entry_archive(const std::string& name, const std::string& content, std::time_t modified,
                               std::string& archive);

}  // namespace kyr::io
