// The ".kyrz" container: an archive whose first entry is the XML document, read from a file
// or from memory and made in memory. Nothing here raises; every archive failure is a false
// result.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>

namespace kyr::io {

// Largest document a container may hold. The entry is inflated into memory whole, and an
// honest deflate stream expands about 1000:1, so a larger recorded size is refused before
// anything is inflated: a 4 MiB bomb cannot make the loader allocate 4 GiB. Default 256 MiB.
constexpr std::size_t max_container_document_size = std::size_t(256) << 20;

// Entry 0 of the archive file named by a UTF-8 path, inflated and checked to
// its end (exact size, CRC-32); false for any failure, and for an entry
// larger than max_container_document_size.
bool read_first_entry(const std::string& path, std::string& content);

// The same for an archive held in memory.
bool read_first_entry(const void* data, std::size_t size, std::string& content);

// A complete archive holding `content` as its only entry, named `name` and
// dated `modified`; false when it cannot be built.
bool make_single_entry_archive(const std::string& name, const std::string& content, std::time_t modified,
                               std::string& archive);

}  // namespace kyr::io
