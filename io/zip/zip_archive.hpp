// An archive object: reads the entries of an existing ZIP archive, or assembles a new one.
//
// Errors inside the archive are raised as c_zip_exception; the caller catches
// them and then closes the object with `after_failure` set.
#ifndef KYR_IO_ZIP_ZIP_ARCHIVE_HPP
#define KYR_IO_ZIP_ZIP_ARCHIVE_HPP

#include <cstddef>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "dos_time.hpp"
#include "zip_central_directory.hpp"
#include "zip_entry_info.hpp"
#include "zip_entry_reader.hpp"
#include "zip_source.hpp"

namespace kyr::zip {

class c_zip_archive
{
public:
    // Smart flag: a file shorter than 5 bytes is stored, as deflate would only make it longer.
    static constexpr int smart_keep_small_stored = 4;

    c_zip_archive() = default;
    ~c_zip_archive();
    c_zip_archive(const c_zip_archive&) = delete;
    c_zip_archive& operator=(const c_zip_archive&) = delete;

    // Opens the archive file named by a UTF-8 path for reading and reads its
    // central directory. False only when the object is already open.
    bool open(const std::string& path);
    // The same over `size` bytes at `data`, which must outlive the open archive.
    bool open_memory(const void* data, std::size_t size);
    // Starts a new archive assembled in `output`, which is cleared and must
    // outlive the open archive. False only when the object is already open.
    bool create(std::string& output);

    std::size_t entry_count() const { return m_directory.entries.size(); }
    // The entry's directory record; null for an index out of range.
    const s_zip_entry_info* entry_info(std::size_t index) const;

    // Opens entry `index` for reading; false when no archive is open for
    // reading, an entry is already open or the index is out of range.
    bool open_entry(std::size_t index);
    // Up to `count` bytes of the open entry's data; 0 at its end, when no
    // entry is open, for a null buffer or a count of 0.
    std::size_t read(void* buffer, std::size_t count);
    // 1: the entry was read to its end and its CRC-32 matches (a mismatch
    // raises bad_crc); -1: data remains; 0: no entry was open or
    // `after_failure` skipped the checks.
    int close_entry(bool after_failure = false);

    // Adds an entry holding `size` bytes at `data`, named `name` and dated
    // `modified`, deflated at `level` (-1 is zlib's default; 0 stores it).
    // False when no archive is being created.
    bool add_new_entry(const std::string& name, const char* data, std::size_t size, std::time_t modified,
                       int level = -1, int smart_flags = 7, std::size_t buffer_size = 65536);
    // The same with the date already in the archive's form.
    bool add_new_entry(const std::string& name, const char* data, std::size_t size,
                       const s_dos_stamp& modified, int level = -1, int smart_flags = 7,
                       std::size_t buffer_size = 65536);

    // Finishes a created archive with its central directory and end record,
    // unless `after_failure`; releases everything either way.
    void close(bool after_failure = false);

private:
    enum class state { closed, reading, creating };

    bool open_source(std::unique_ptr<c_zip_source> source);

    state m_state = state::closed;
    std::unique_ptr<c_zip_source> m_source;
    s_zip_central_directory m_directory;
    std::unique_ptr<c_zip_entry_reader> m_entry;
    std::string* m_output = nullptr;
};

} // namespace kyr::zip

#endif
