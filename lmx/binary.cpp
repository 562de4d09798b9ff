// Byte storage of binary values.
#include <kyr/lmx/binary.hpp>

#include <algorithm>
#include <cstring>

namespace lmx {

void c_binary::set(const unsigned char* data, std::size_t size)
{
    if (data == nullptr)
        size = 0;
    m_bytes.assign(data, data + size);
}

unsigned char* c_binary::get(unsigned char* dest, std::size_t max) const
{
    const std::size_t count = dest == nullptr ? 0 : std::min(m_bytes.size(), max);
    if (count != 0)
        std::memcpy(dest, m_bytes.data(), count);
    return dest;
}

bool c_binary::equal(const unsigned char* data, std::size_t size) const
{
    if (size != m_bytes.size() || (data == nullptr && size != 0))
        return false;
    return size == 0 || std::memcmp(data, m_bytes.data(), size) == 0;
}

} // namespace lmx
