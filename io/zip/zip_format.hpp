// Record layouts and limits of the ZIP archive format, and little-endian field access.
#ifndef KYR_IO_ZIP_ZIP_FORMAT_HPP
#define KYR_IO_ZIP_ZIP_FORMAT_HPP

#include <cstddef>
#include <cstdint>
#include <string>

namespace kyr::zip {

constexpr std::uint32_t local_header_signature = 0x04034b50;
constexpr std::uint32_t central_header_signature = 0x02014b50;
constexpr std::uint32_t end_record_signature = 0x06054b50;
constexpr std::uint32_t zip64_end_record_signature = 0x06064b50;
constexpr std::uint32_t zip64_locator_signature = 0x07064b50;
constexpr std::uint16_t zip64_extra_id = 0x0001;

constexpr std::size_t local_header_size = 30;
constexpr std::size_t central_header_size = 46;
constexpr std::size_t end_record_size = 22;
constexpr std::size_t zip64_end_record_size = 56; // without extensible data
constexpr std::size_t zip64_locator_size = 20;

// The end record may be followed by a comment of up to 65535 bytes, so it
// lies within this many bytes of the end of the file.
constexpr std::size_t end_record_search_span = end_record_size + 0xffff;

constexpr std::uint16_t method_stored = 0;
constexpr std::uint16_t method_deflated = 8;

constexpr std::uint16_t flag_encrypted = 0x0001;
constexpr std::uint16_t flag_data_descriptor = 0x0008;
constexpr std::uint16_t flag_utf8_name = 0x0800;

// 2.0: deflate. The low byte of "version made by" is the format revision
// this writer follows (4.6); the high byte 3 says the attributes are Unix ones.
constexpr std::uint16_t version_needed_file = 20;
constexpr std::uint16_t version_made_by = (3u << 8) | 46u;
// Regular file, rw-r--r--, in the high half as Unix hosts expect.
constexpr std::uint32_t external_attributes_file = 0100644u << 16;

// Deflate cannot expand more than about 1032:1, so a larger declared ratio is
// a lie meant to make the reader allocate.
constexpr std::uint64_t max_inflate_ratio = 1032;

// Largest value of a 32-bit size or offset field; beyond it ZIP64 would be needed.
constexpr std::uint64_t max_field_value = 0xffffffffu;

inline std::uint16_t get16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t get32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
        | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::uint64_t get64(const unsigned char* p)
{
    return get32(p) | (static_cast<std::uint64_t>(get32(p + 4)) << 32);
}

inline void put16(std::string& out, std::uint16_t v)
{
    out.push_back(static_cast<char>(v & 0xff));
    out.push_back(static_cast<char>(v >> 8));
}

inline void put32(std::string& out, std::uint32_t v)
{
    put16(out, static_cast<std::uint16_t>(v & 0xffff));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

inline void patch32(std::string& out, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

} // namespace kyr::zip

#endif
