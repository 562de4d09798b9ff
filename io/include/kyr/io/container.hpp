// The ".kyrz" container: an archive whose first entry is the XML document, read from a file
// or from memory and made in memory. Nothing here raises; every archive failure is a false
// result.
#ifndef KYR_IO_CONTAINER_HPP
#define KYR_IO_CONTAINER_HPP

#include <kyr/export.hpp>

#include <cstddef>
#include <ctime>
#include <functional>
#include <string>

namespace lmx {
class c_read;
}

namespace kyr::io {

// Largest document a container may hold. An honest deflate stream expands about 1000:1, so
// without a cap a 4 MiB bomb would feed the reader 4 GiB; a larger recorded size is refused
// before anything is inflated. Default 256 MiB.
constexpr std::size_t max_container_document_size = std::size_t(256) << 20;

// Called with a byte source over the entry as it is inflated, a window at a time. The
// source gives -1 at the end of the entry and also from the first archive failure on.
using entry_parser = std::function<void(lmx::c_read& entry)>;

// Runs `parse` over entry 0 of the archive file named by a UTF-8 path, then checks the
// entry to its end whatever `parse` left unread (exact size, CRC-32). False for any failure
// of the archive, for an entry larger than max_container_document_size and when `parse`
// raises; only a true result vouches for the bytes `parse` saw.
KYR_API bool parse_first_entry(const std::string& path, const entry_parser& parse);

// The same for an archive held in memory.
KYR_API bool parse_first_entry(const void* data, std::size_t size, const entry_parser& parse);

// The same for a file, saying on failure in *reason what broke, in words a user can act on:
// "not a zip archive or truncated: ...", "no entry", "entry larger than 256 MiB",
// "CRC-32 mismatch", "unsupported compression method", "compressed data ends early" ...
// With `entries`, also the number of entries the archive's directory lists (0 when it
// could not be read), since a container holds exactly one.
KYR_API bool parse_first_entry(const std::string& path, const entry_parser& parse, std::string* reason,
                               std::size_t* entries = nullptr);

// The clock an entry's date is read on. ZIP tools show local time; on the UTC clock one
// moment gives the same bytes in every time zone, which reproducible files need.
enum class entry_clock { local, utc };

// A complete archive holding `content` as its only entry, named `name` and
// dated `modified` on `clock`; false when it cannot be built.
KYR_API bool make_single_entry_archive(const std::string& name, const std::string& content,
                                       std::time_t modified, std::string& archive,
                                       entry_clock clock = entry_clock::local);

} // namespace kyr::io

#endif
