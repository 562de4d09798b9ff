// Wide string arguments and COM-style string results of the flat exports.
#include "flat_runtime.hpp"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace kyr {
namespace interop {

namespace {

const std::uint32_t k_prefix = sizeof(std::uint32_t);
const std::uint32_t k_terminator = sizeof(char16_t);

// Block of prefix + byte_count + terminator; returns the text's address.
unsigned char* allocate(std::uint32_t byte_count)
{
    if (byte_count > std::numeric_limits<std::uint32_t>::max() - k_prefix - k_terminator)
        return nullptr;
    unsigned char* block = static_cast<unsigned char*>(std::malloc(k_prefix + byte_count + k_terminator));
    if (!block)
        return nullptr;
    std::memcpy(block, &byte_count, k_prefix);
    std::memset(block + k_prefix + byte_count, 0, k_terminator);
    return block + k_prefix;
}

} // namespace

std::wstring wide(const char16_t* text)
{
    std::wstring out;
    if (!text)
        return out;
    for (; *text; ++text)
        out.push_back(static_cast<wchar_t>(*text));
    return out;
}

char16_t* SysAllocStringLen(const wchar_t* text, std::uint32_t length)
{
    if (length > std::numeric_limits<std::uint32_t>::max() / sizeof(char16_t))
        return nullptr;
    unsigned char* bytes = allocate(length * sizeof(char16_t));
    if (!bytes)
        return nullptr;
    char16_t* units = reinterpret_cast<char16_t*>(bytes);
    for (std::uint32_t i = 0; i < length; ++i)
        units[i] = static_cast<char16_t>(text[i]);
    return units;
}

char16_t* SysAllocStringByteLen(const char* text, std::uint32_t length)
{
    unsigned char* bytes = allocate(length);
    if (!bytes)
        return nullptr;
    if (length)
        std::memcpy(bytes, text, length);
    return reinterpret_cast<char16_t*>(bytes);
}

char16_t* com_string(const std::wstring& text)
{
    if (text.size() > std::numeric_limits<std::uint32_t>::max())
        return nullptr;
    return SysAllocStringLen(text.data(), static_cast<std::uint32_t>(text.size()));
}

char16_t* com_string(const std::string& text)
{
    if (text.size() > std::numeric_limits<std::uint32_t>::max())
        return nullptr;
    return SysAllocStringByteLen(text.data(), static_cast<std::uint32_t>(text.size()));
}

} // namespace interop
} // namespace kyr
