// One entry of an archive as its central directory records it.
#ifndef KYR_IO_ZIP_ZIP_ENTRY_INFO_HPP
#define KYR_IO_ZIP_ZIP_ENTRY_INFO_HPP

#include <cstdint>
#include <string>

namespace kyr::zip {

struct s_zip_entry_info
{
    std::string name;
    std::uint16_t version_made_by = 0;
    std::uint16_t version_needed = 0;
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint16_t modified_time = 0; // MS-DOS format, local time
    std::uint16_t modified_date = 0;
    std::uint32_t crc = 0;
    std::uint32_t compressed_size = 0;
    std::uint32_t uncompressed_size = 0;
    std::uint32_t external_attributes = 0;
    std::uint32_t local_header_offset = 0;
};

} // namespace kyr::zip

#endif
