#include "zip_archive.hpp"

#include <utility>

#include "dos_time.hpp"
#include "zip_entry_writer.hpp"

namespace kyr::zip {

c_zip_archive::~c_zip_archive()
{
    close(true);
}

bool c_zip_archive::open(const std::string& path)
{
    if (m_state != state::closed)
        return false;
    return open_source(open_file_source(path));
}

bool c_zip_archive::open_memory(const void* data, std::size_t size)
{
    if (m_state != state::closed)
        return false;
    return open_source(open_memory_source(data, size));
}

bool c_zip_archive::open_source(std::unique_ptr<c_zip_source> source)
{
    m_directory = read_central_directory(*source);
    m_source = std::move(source);
    m_state = state::reading;
    return true;
}

bool c_zip_archive::create(std::string& output)
{
    if (m_state != state::closed)
        return false;
    output.clear();
    m_output = &output;
    m_state = state::creating;
    return true;
}

const s_zip_entry_info* c_zip_archive::entry_info(std::size_t index) const
{
    return index < m_directory.entries.size() ? &m_directory.entries[index] : nullptr;
}

bool c_zip_archive::open_entry(std::size_t index)
{
    if (m_state != state::reading || m_entry || index >= m_directory.entries.size())
        return false;
    m_entry = std::make_unique<c_zip_entry_reader>(*m_source, m_directory, index);
    return true;
}

std::size_t c_zip_archive::read(void* buffer, std::size_t count)
{
    return m_entry ? m_entry->read(buffer, count) : 0;
}

int c_zip_archive::close_entry(bool after_failure)
{
    if (!m_entry)
        return 0;
    // Released before the checks so that a raised CRC error leaves no entry open.
    const std::unique_ptr<c_zip_entry_reader> entry = std::move(m_entry);
    return after_failure ? 0 : entry->finish();
}

bool c_zip_archive::add_new_entry(const std::string& name, const char* data, std::size_t size,
                                  std::time_t modified, int level, int smart_flags, std::size_t buffer_size)
{
    return add_new_entry(name, data, size, to_dos_stamp(modified), level, smart_flags, buffer_size);
}

bool c_zip_archive::add_new_entry(const std::string& name, const char* data, std::size_t size,
                                  const s_dos_stamp& modified, int level, int smart_flags,
                                  std::size_t buffer_size)
{
    if (m_state != state::creating)
        return false;
    s_zip_entry_source entry;
    entry.name = name;
    entry.data = data;
    entry.size = size;
    entry.level = (smart_flags & smart_keep_small_stored) && size < 5 ? 0 : level;
    entry.chunk = buffer_size;
    entry.modified = modified;
    m_directory.entries.push_back(append_entry(*m_output, entry));
    return true;
}

void c_zip_archive::close(bool after_failure)
{
    const bool finish = m_state == state::creating && !after_failure;
    std::string* output = m_output;
    const std::vector<s_zip_entry_info> entries = std::move(m_directory.entries);
    // Released first, so that the object is closed even when writing the directory raises.
    m_entry.reset();
    m_source.reset();
    m_directory = s_zip_central_directory();
    m_output = nullptr;
    m_state = state::closed;
    if (finish)
        append_central_directory(*output, entries);
}

} // namespace kyr::zip
