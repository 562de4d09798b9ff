// Helpers shared by the archive tests: building archives, patching their
// fields, and reading entry 0 the way the document loader does.
#ifndef KYR_TESTS_IO_ZIP_ZIP_TEST_SUPPORT_HPP
#define KYR_TESTS_IO_ZIP_ZIP_TEST_SUPPORT_HPP

#include <cstdint>
#include <string>

#include <zlib.h>

#include "../../io/zip/zip_archive.hpp"
#include "../../io/zip/zip_exception.hpp"

namespace zip_test {

using kyr::zip::c_zip_archive;
using kyr::zip::c_zip_exception;

// A moment whose MS-DOS form does not depend on rounding: 2024-03-15 13:45:30 local time.
inline std::time_t fixed_moment()
{
    std::tm t{};
    t.tm_year = 124;
    t.tm_mon = 2;
    t.tm_mday = 15;
    t.tm_hour = 13;
    t.tm_min = 45;
    t.tm_sec = 30;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

inline std::string make_archive(const std::string& name, const std::string& data, int level = -1)
{
    std::string out;
    c_zip_archive archive;
    archive.create(out);
    archive.add_new_entry(name, data.data(), data.size(), fixed_moment(), level);
    archive.close();
    return out;
}

inline std::uint32_t crc_of(const std::string& data)
{
    return static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

inline std::uint32_t u16(const std::string& b, std::size_t at)
{
    return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}

inline std::uint32_t u32(const std::string& b, std::size_t at)
{
    return u16(b, at) | (u16(b, at + 2) << 16);
}

inline void set16(std::string& b, std::size_t at, std::uint32_t v)
{
    b[at] = static_cast<char>(v & 0xff);
    b[at + 1] = static_cast<char>((v >> 8) & 0xff);
}

inline void set32(std::string& b, std::size_t at, std::uint32_t v)
{
    set16(b, at, v & 0xffff);
    set16(b, at + 2, v >> 16);
}

// Offsets of the records of an archive whose end record has no comment.
struct layout
{
    std::size_t s_end_record;
    std::size_t directory;
    explicit layout(const std::string& b) : s_end_record(b.size() - 22), directory(u32(b, b.size() - 22 + 16))
    {
    }
    // Fields of the first entry, in the local header and in its directory record.
    std::size_t local(std::size_t field) const { return field; }
    std::size_t central(std::size_t field) const { return directory + field; }
};

// Local header field offsets; the directory record has the same fields 2 bytes further on.
constexpr std::size_t lh_flags = 6, lh_method = 8, lh_crc = 14, lh_compressed = 18, lh_uncompressed = 22;
constexpr std::size_t cd_flags = 8, cd_method = 10, cd_crc = 16, cd_compressed = 20, cd_uncompressed = 24,
                      cd_local_offset = 42;

// Outcome of reading entry 0 as the loader does: 0 with the data, -1 for a
// failed check of read or close, or the code of a raised archive error.
struct read_result
{
    int code = 0;
    std::string data;
};

inline read_result read_entry0(c_zip_archive& archive)
{
    read_result result;
    try {
        if (!archive.open_entry(0))
            return {-1, {}};
        result.data.resize(archive.entry_info(0)->uncompressed_size);
        if (archive.read(result.data.data(), result.data.size()) != result.data.size())
            result.code = -1;
        char extra;
        if (result.code == 0 && archive.read(&extra, 1) != 0)
            result.code = -1;
        if (result.code == 0 && archive.close_entry() != 1)
            result.code = -1;
    } catch (const c_zip_exception& e) {
        result.code = e.code();
    }
    archive.close(result.code != 0);
    return result;
}

inline read_result read_memory_entry0(const std::string& bytes)
{
    c_zip_archive archive;
    try {
        archive.open_memory(bytes.data(), bytes.size());
    } catch (const c_zip_exception& e) {
        return {e.code(), {}};
    }
    return read_entry0(archive);
}

inline read_result read_file_entry0(const std::string& path)
{
    c_zip_archive archive;
    try {
        archive.open(path);
    } catch (const c_zip_exception& e) {
        return {e.code(), {}};
    }
    return read_entry0(archive);
}

} // namespace zip_test

#endif
