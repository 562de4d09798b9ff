// Zip64 extended information: writers that do not know a size in advance (reading a pipe)
// or are told to, put 0xffffffff in a 32-bit size or offset field and its real value in an
// extra field of id 1.
#ifndef KYR_IO_ZIP_ZIP64_FIELDS_HPP
#define KYR_IO_ZIP_ZIP64_FIELDS_HPP

#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace kyr::zip {

// Replaces each of `fields` that holds 0xffffffff, in the order the header lists them, by
// the next 8-byte value of the Zip64 block in the extra fields `extra`. False when the extra
// fields are malformed, the block lacks a value, or a value needs more than 32 bits: no
// document this reader accepts comes near that.
bool resolve_zip64_fields(const unsigned char* extra, std::size_t length,
                          std::initializer_list<std::uint32_t*> fields);

} // namespace kyr::zip

#endif
