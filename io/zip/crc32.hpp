// The CRC-32 of zip entries (the one zlib's crc32 computes), with carry-less multiplication
// where the processor has it: zlib's table-driven loop costs several instructions a byte,
// which shows against inflate itself.
#ifndef KYR_IO_ZIP_CRC32_HPP
#define KYR_IO_ZIP_CRC32_HPP

#include <cstddef>
#include <cstdint>

namespace kyr::zip {

// `crc` continued over `size` bytes at `data`; start from 0.
std::uint32_t crc32_update(std::uint32_t crc, const unsigned char* data, std::size_t size);

} // namespace kyr::zip

#endif
