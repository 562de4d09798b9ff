#include <kyr/lmx/read.hpp>

#include "decoder.hpp"

namespace lmx {

bool c_read::is_open() const
{
    return true;
}

const char* c_read::get_source_id() const
{
    return nullptr;
}

// The whole buffer is the window: next_byte never needs a call.
c_read_memory::c_read_memory(const char* data, size_t length)
    : m_start(reinterpret_cast<const unsigned char*>(data))
{
    m_next = m_start;
    m_limit = m_start + length;
}

int c_read_memory::read()
{
    return m_next < m_limit ? *m_next++ : -1;
}

void c_read_memory::rewind()
{
    m_next = m_start;
}

c_read_string::c_read_string(const std::string& text) : c_read_memory(text.data(), text.size()) {}

c_read_file::c_read_file(const char* name) : m_name(name), m_file(std::fopen(name, "rb")) {}

namespace {

// Each 16-bit unit on its own: a surrogate pair becomes two three-byte groups.
std::string utf16_units_to_utf8(const wchar_t* name)
{
    std::string out;
    char bytes[5];
    for (; *name; ++name)
        out += unicode_char_to_utf8(static_cast<int>(*name), bytes);
    return out;
}

} // namespace

c_read_file::c_read_file(const wchar_t* name)
    : m_name(utf16_units_to_utf8(name)), m_file(std::fopen(m_name.c_str(), "rb"))
{
}

c_read_file::c_read_file(FILE* stream) : m_file(stream) {}

c_read_file::~c_read_file()
{
    if (m_close_on_delete)
        close();
}

int c_read_file::read()
{
    if (m_next < m_limit)
        return *m_next++;
    if (!m_file)
        return -1;
    const size_t n = std::fread(m_buffer, 1, sizeof m_buffer, m_file);
    if (n == 0)
        return -1;
    m_next = m_buffer + 1;
    m_limit = m_buffer + n;
    return m_buffer[0];
}

void c_read_file::rewind()
{
    if (m_file)
        std::fseek(m_file, 0, SEEK_SET);
    m_next = m_limit = nullptr;
}

void c_read_file::close()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
}

} // namespace lmx
