// Writing entries, the central directory and the end record of a new archive.
#ifndef KYR_IO_ZIP_ZIP_ENTRY_WRITER_HPP
#define KYR_IO_ZIP_ZIP_ENTRY_WRITER_HPP

#include <cstddef>
#include <string>
#include <vector>

#include "dos_time.hpp"
#include "zip_entry_info.hpp"

namespace kyr::zip {

struct s_zip_entry_source
{
    std::string name; // as stored, without directories
    const char* data = nullptr;
    std::size_t size = 0;
    int level = -1;            // zlib level; 0 stores the data uncompressed
    std::size_t chunk = 65536; // bytes handed to deflate at a time
    s_dos_stamp modified;
};

// Appends the entry's local header (with its final CRC-32 and sizes) and its
// data to `archive`; returns the record the central directory repeats.
// Raises c_zip_exception (generic) when deflate fails or a size or offset
// would not fit the 32-bit fields.
s_zip_entry_info append_entry(std::string& archive, const s_zip_entry_source& entry);

// Appends the central directory of `entries` and the end record.
void append_central_directory(std::string& archive, const std::vector<s_zip_entry_info>& entries);

} // namespace kyr::zip

#endif
