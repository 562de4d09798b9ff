#include "zip_source.hpp"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "zip_exception.hpp"

namespace kyr::zip {

void c_zip_source::read_exact(std::uint64_t offset, void* buffer, std::size_t count)
{
    if (offset > m_size || count > m_size - offset)
        throw c_zip_exception(c_zip_exception::generic, "record extends past the end of the archive");
    if (count != 0 && !read_at(offset, buffer, count))
        throw c_zip_exception(c_zip_exception::generic, "archive could not be read");
}

namespace {

class file_source final : public c_zip_source
{
public:
    file_source(int fd, std::uint64_t size) : c_zip_source(size), m_fd(fd) {}
    ~file_source() override { ::close(m_fd); }
    file_source(const file_source&) = delete;
    file_source& operator=(const file_source&) = delete;

private:
    bool read_at(std::uint64_t offset, void* buffer, std::size_t count) override
    {
        auto* out = static_cast<char*>(buffer);
        while (count != 0) {
            ssize_t got = ::pread(m_fd, out, count, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            out += got;
            offset += static_cast<std::uint64_t>(got);
            count -= static_cast<std::size_t>(got);
        }
        return true;
    }

    int m_fd;
};

class memory_source final : public c_zip_source
{
public:
    memory_source(const void* data, std::size_t size)
        : c_zip_source(size), m_data(static_cast<const unsigned char*>(data))
    {
    }

private:
    bool read_at(std::uint64_t offset, void* buffer, std::size_t count) override
    {
        std::memcpy(buffer, m_data + offset, count);
        return true;
    }

    const unsigned char* m_data;
};

} // namespace

std::unique_ptr<c_zip_source> open_file_source(const std::string& path)
{
    // A name with a NUL inside would open a file of a shorter name.
    // Opening a FIFO waits for a writer unless told not to; the type is known only once open.
    int fd =
        path.find('\0') == std::string::npos ? ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    if (fd < 0)
        throw c_zip_exception(c_zip_exception::generic, "archive file cannot be opened");
    struct stat info;
    // Only a regular file has a size to search backwards from; a device or a
    // pipe could be endless.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::fcntl(fd, F_SETFL, 0) != 0) {
        ::close(fd);
        throw c_zip_exception(c_zip_exception::generic, "archive is not a regular file");
    }
    return std::make_unique<file_source>(fd, static_cast<std::uint64_t>(info.st_size));
}

std::unique_ptr<c_zip_source> open_memory_source(const void* data, std::size_t size)
{
    return std::make_unique<memory_source>(data, size);
}

} // namespace kyr::zip
