#include "zip64_fields.hpp"

#include "zip_format.hpp"

namespace kyr::zip {

bool resolve_zip64_fields(const unsigned char* extra, std::size_t length,
                          std::initializer_list<std::uint32_t*> fields)
{
    const unsigned char* block = nullptr;
    std::size_t block_size = 0;
    for (std::size_t pos = 0; pos < length;) {
        if (length - pos < 4 || length - pos - 4 < get16(extra + pos + 2))
            return false;
        if (get16(extra + pos) == zip64_extra_id && block == nullptr) {
            block = extra + pos + 4;
            block_size = get16(extra + pos + 2);
        }
        pos += 4 + get16(extra + pos + 2);
    }
    std::size_t used = 0;
    for (std::uint32_t* field : fields) {
        if (*field != max_field_value)
            continue;
        if (block_size - used < 8)
            return false;
        const std::uint64_t value = get64(block + used);
        used += 8;
        if (value >= max_field_value)
            return false;
        *field = static_cast<std::uint32_t>(value);
    }
    return true;
}

} // namespace kyr::zip
