// Locating the end record and reading the central directory of an archive.
#ifndef KYR_IO_ZIP_ZIP_CENTRAL_DIRECTORY_HPP
#define KYR_IO_ZIP_ZIP_CENTRAL_DIRECTORY_HPP

#include <cstdint>
#include <vector>

#include "zip_entry_info.hpp"
#include "zip_source.hpp"

namespace kyr::zip {

struct s_zip_central_directory
{
    std::vector<s_zip_entry_info> entries;
    std::uint64_t offset = 0; // where the directory starts; every entry's data lies before it
};

// Searches backwards for the end record (raises no_end_record when there is
// none) and reads and checks every directory record (raises generic when one
// is truncated, inconsistent or points outside the archive).
s_zip_central_directory read_central_directory(c_zip_source& source);

} // namespace kyr::zip

#endif
