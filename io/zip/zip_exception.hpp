// The archive layer's error: raised inside the zip code, caught by the file operations.
#pragma once

#include <exception>

namespace kyr::zip {

class CZipException : public std::exception
{
public:
    enum code_type {
        generic = 100,       // corrupt or unsupported archive, I/O or zlib failure
        bad_crc = 102,       // the entry's data does not match its recorded CRC-32
        no_end_record = 118, // no end of central directory record: not an archive
    };

    CZipException(code_type code, const char* reason) noexcept : code_(code), reason_(reason) {}

    code_type code() const noexcept { return code_; }
    const char* what() const noexcept override { return reason_; }

private:
    code_type code_;
    const char* reason_;
};

} // namespace kyr::zip
