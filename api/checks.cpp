// The conversions and checks the generated handles share.
#include <kyr/api/handle.hpp>

#include <kyr/lmx/strings.hpp>

#include <stdexcept>

namespace kyr::detail {

std::string utf8(const std::wstring& text)
{
    std::string out;
    lmx::convert(&out, text);
    return out;
}

std::wstring wide(std::string_view text)
{
    std::wstring out;
    if (!lmx::convert_whole(&out, text))
        throw error(lmx::ELMX_BAD_CHAR_ENCODING, "text is not UTF-8");
    return out;
}

lmx::c_datetime stamp(std::string_view text)
{
    const std::string stamp_text(text);
    if (!lmx::c_datetime::is_valid(stamp_text))
        throw error(lmx::ELMX_VALUE_BAD_FORMAT, "not a date and time: " + stamp_text);
    return lmx::c_datetime(stamp_text);
}

void check(lmx::elmx_error code, const char* item)
{
    if (code != lmx::ELMX_OK)
        throw error(code, std::string(item) + ": " + lmx::get_error_description(code));
}

void check_enum(bool stored, const char* item)
{
    if (!stored)
        check(lmx::ELMX_VALUE_NOT_ENUMERATED, item);
}

void check_index(std::size_t index, std::size_t size, const char* item)
{
    if (index >= size)
        throw std::out_of_range(std::string(item) + ": index " + std::to_string(index) + " of "
                                + std::to_string(size));
}

} // namespace kyr::detail
