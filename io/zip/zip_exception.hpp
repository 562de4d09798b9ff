// The archive layer's error: raised inside the zip code, caught by the file operations.
#ifndef KYR_IO_ZIP_ZIP_EXCEPTION_HPP
#define KYR_IO_ZIP_ZIP_EXCEPTION_HPP

#include <exception>

namespace kyr::zip {

class c_zip_exception : public std::exception
{
public:
    enum code_type {
        generic = 100,       // corrupt or unsupported archive, I/O or zlib failure
        bad_crc = 102,       // the entry's data does not match its recorded CRC-32
        no_end_record = 118, // no end of central directory record: not an archive
    };

    c_zip_exception(code_type code, const char* reason) noexcept : m_code(code), m_reason(reason) {}

    code_type code() const noexcept { return m_code; }
    const char* what() const noexcept override { return m_reason; }

private:
    code_type m_code;
    const char* m_reason;
};

} // namespace kyr::zip

#endif
