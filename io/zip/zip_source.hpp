// Random-access bytes of an archive being read: a file on disk or a caller's buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace kyr::zip {

class zip_source
{
public:
    virtual ~zip_source() = default;

    std::uint64_t size() const { return size_; }

    // Reads exactly `count` bytes at `offset`; raises CZipException (generic)
    // when they lie outside the archive or cannot be read.
    void read_exact(std::uint64_t offset, void* buffer, std::size_t count);

protected:
    explicit zip_source(std::uint64_t size) : size_(size) {}
    virtual bool read_at(std::uint64_t offset, void* buffer, std::size_t count) = 0;

private:
    std::uint64_t size_;
};

// Opens a regular file by its UTF-8 name; raises CZipException (generic) when it cannot.
std::unique_ptr<zip_source> open_file_source(const std::string& path);

// Borrows `size` bytes at `data` for the source's lifetime.
std::unique_ptr<zip_source> open_memory_source(const void* data, std::size_t size);

} // namespace kyr::zip
