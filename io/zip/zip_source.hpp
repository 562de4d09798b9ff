// Random-access bytes of an archive being read: a file on disk or a caller's buffer.
#ifndef KYR_IO_ZIP_ZIP_SOURCE_HPP
#define KYR_IO_ZIP_ZIP_SOURCE_HPP

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace kyr::zip {

class c_zip_source
{
public:
    virtual ~c_zip_source() = default;

    std::uint64_t size() const { return m_size; }

    // Reads exactly `count` bytes at `offset`; raises c_zip_exception (generic)
    // when they lie outside the archive or cannot be read.
    void read_exact(std::uint64_t offset, void* buffer, std::size_t count);

protected:
    explicit c_zip_source(std::uint64_t size) : m_size(size) {}
    virtual bool read_at(std::uint64_t offset, void* buffer, std::size_t count) = 0;

private:
    std::uint64_t m_size;
};

// Opens a regular file by its UTF-8 name; raises c_zip_exception (generic) when it cannot.
std::unique_ptr<c_zip_source> open_file_source(const std::string& path);

// Borrows `size` bytes at `data` for the source's lifetime.
std::unique_ptr<c_zip_source> open_memory_source(const void* data, std::size_t size);

} // namespace kyr::zip

#endif
