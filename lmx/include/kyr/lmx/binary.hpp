// Byte sequences of the schema's hexBinary and base64Binary simple types.
#ifndef KYR_LMX_BINARY_HPP
#define KYR_LMX_BINARY_HPP

#include <kyr/export.hpp>

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace lmx {

class KYR_API c_binary
{
public:
    c_binary() = default;
    c_binary(const unsigned char* data, std::size_t size) { set(data, size); }

    void swap(c_binary& other) noexcept { m_bytes.swap(other.m_bytes); }
    void set(const unsigned char* data, std::size_t size);

    std::size_t size() const { return m_bytes.size(); }
    unsigned char& operator[](std::size_t index) { return m_bytes[index]; }
    const unsigned char& operator[](std::size_t index) const { return m_bytes[index]; }
    // The one checked access of the library: throws std::out_of_range at or beyond size().
    unsigned char& at(std::size_t index) { return m_bytes.at(index); }
    const unsigned char& at(std::size_t index) const { return m_bytes.at(index); }

    // Copies min(size(), max) bytes to `dest` (nothing when it is null) and returns `dest`.
    unsigned char* get(unsigned char* dest, std::size_t max) const;
    c_binary& operator+=(unsigned char byte)
    {
        m_bytes.push_back(byte);
        return *this;
    }

    bool equal(const unsigned char* data, std::size_t size) const;
    bool operator==(const c_binary& other) const { return m_bytes == other.m_bytes; }
    bool operator!=(const c_binary& other) const { return m_bytes != other.m_bytes; }

    static bool is_valid_hex(const std::string& text);
    static bool is_valid_base64(const std::string& text);
    // Decoding trusts a text that passed its check: bad characters are skipped
    // (base64) or mapped to arbitrary values (hex), never reported.
    void from_hex(const std::string& text);
    void from_base64(const std::string& text);
    // Upper-case digits, two per byte; the stream's flags are restored, its fill stays '0'.
    void out_hex(std::ostream& os) const;
    // One unbroken run with "=" padding.
    void out_base64(std::ostream& os) const;

private:
    std::vector<unsigned char> m_bytes;
};

inline void swap(c_binary& a, c_binary& b) noexcept
{
    a.swap(b);
}

// The name under which the schema's classes hold binary values.
typedef c_binary tc_binary;

// Output wrappers: `os << c_as_hex<c_binary>(value)` writes the value's text form.
template <typename T>
class c_as_hex
{
public:
    explicit c_as_hex(const T& value) : m_value(value) {}
    friend std::ostream& operator<<(std::ostream& os, const c_as_hex& wrapper)
    {
        wrapper.m_value.out_hex(os);
        return os;
    }

private:
    const T& m_value;
};

template <typename T>
class c_as_base64
{
public:
    explicit c_as_base64(const T& value) : m_value(value) {}
    friend std::ostream& operator<<(std::ostream& os, const c_as_base64& wrapper)
    {
        wrapper.m_value.out_base64(os);
        return os;
    }

private:
    const T& m_value;
};

} // namespace lmx

#endif
