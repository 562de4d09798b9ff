#include "zip_archive.hpp"

#include <utility>

#include "dos_time.hpp"
#include "zip_entry_writer.hpp"

namespace kyr::zip {

CZipArchive::~CZipArchive()
{
    close(true);
}

bool CZipArchive::open(const std::string& path)
{
    if (state_ != state::closed)
        return false;
    return open_source(open_file_source(path));
}

bool CZipArchive::open_memory(const void* data, std::size_t size)
{
    if (state_ != state::closed)
        return false;
    return open_source(open_memory_source(data, size));
}

bool CZipArchive::open_source(std::unique_ptr<zip_source> source)
{
    directory_ = read_central_directory(*source);
    source_ = std::move(source);
    state_ = state::reading;
    return true;
}

bool CZipArchive::create(std::string& output)
{
    if (state_ != state::closed)
        return false;
    output.clear();
    output_ = &output;
    state_ = state::creating;
    return true;
}

const zip_entry_info* CZipArchive::entry_info(std::size_t index) const
{
    return index < directory_.entries.size() ? &directory_.entries[index] : nullptr;
}

bool CZipArchive::open_entry(std::size_t index)
{
    if (state_ != state::reading || entry_ || index >= directory_.entries.size())
        return false;
    entry_ = std::make_unique<zip_entry_reader>(*source_, directory_, index);
    return true;
}

std::size_t CZipArchive::read(void* buffer, std::size_t count)
{
    return entry_ ? entry_->read(buffer, count) : 0;
}

int CZipArchive::close_entry(bool after_failure)
{
    if (!entry_)
        return 0;
    // Released before the checks so that a raised CRC error leaves no entry open.
    const std::unique_ptr<zip_entry_reader> entry = std::move(entry_);
    return after_failure ? 0 : entry->finish();
}

bool CZipArchive::add_new_entry(const std::string& name, const char* data, std::size_t size,
                                std::time_t modified, int level, int smart_flags, std::size_t buffer_size)
{
    return add_new_entry(name, data, size, to_dos_stamp(modified), level, smart_flags, buffer_size);
}

bool CZipArchive::add_new_entry(const std::string& name, const char* data, std::size_t size,
                                const dos_stamp& modified, int level, int smart_flags,
                                std::size_t buffer_size)
{
    if (state_ != state::creating)
        return false;
    zip_entry_source entry;
    entry.name = name;
    entry.data = data;
    entry.size = size;
    entry.level = (smart_flags & smart_keep_small_stored) && size < 5 ? 0 : level;
    entry.chunk = buffer_size;
    entry.modified = modified;
    directory_.entries.push_back(append_entry(*output_, entry));
    return true;
}

void CZipArchive::close(bool after_failure)
{
    const bool finish = state_ == state::creating && !after_failure;
    std::string* output = output_;
    const std::vector<zip_entry_info> entries = std::move(directory_.entries);
    // Released first, so that the object is closed even when writing the directory raises.
    entry_.reset();
    source_.reset();
    directory_ = zip_central_directory();
    output_ = nullptr;
    state_ = state::closed;
    if (finish)
        append_central_directory(*output, entries);
}

} // namespace kyr::zip
