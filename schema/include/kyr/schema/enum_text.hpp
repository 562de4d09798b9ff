// The stored text of an enumerated string member.
//
// A document repeats a few enumeration values many times; each member holds a
// pointer to its enumeration's shared string instead of a string of its own.
// A text the enumeration lacks (a lenient read keeps what it found) gets a
// string of its own. Readers see a const std::wstring& either way.
#ifndef KYR_SCHEMA_ENUM_TEXT_HPP
#define KYR_SCHEMA_ENUM_TEXT_HPP

#include <kyr/schema/value_traits.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace kyr {
namespace schema {

class enum_text
{
public:
    enum_text() = default;
    enum_text(const enum_text& other) : m_bits(other.owns() ? own(other.text()) : other.m_bits) {}
    enum_text(enum_text&& other) noexcept : m_bits(other.m_bits) { other.m_bits = 0; }
    enum_text& operator=(enum_text other) noexcept
    {
        swap(other);
        return *this;
    }
    ~enum_text()
    {
        if (owns())
            delete &text();
    }
    void swap(enum_text& other) noexcept { std::swap(m_bits, other.m_bits); }

    const std::wstring& text() const
    {
        static const std::wstring empty;
        return m_bits ? *reinterpret_cast<const std::wstring*>(m_bits & ~k_owned) : empty;
    }
    operator const std::wstring&() const { return text(); }

    // Stores value: the enumeration's own string when the facets list it.
    void assign(const std::wstring& value, const s_facets& facets)
    {
        enum_text fresh;
        if (facets.values && facets.texts) {
            // Lengths first: most enumerators differ in length from the value.
            const std::wstring* texts = facets.texts();
            for (std::size_t i = 0; facets.values[i] && !fresh.m_bits; ++i)
                if (texts[i] == value)
                    fresh.m_bits = reinterpret_cast<std::uintptr_t>(&texts[i]);
        }
        if (!fresh.m_bits)
            fresh.m_bits = own(value);
        swap(fresh);
    }
    // The same for UTF-8 text read from a document; true when the facets enumerate it.
    KYR_API bool assign_utf8(std::string_view text, const s_facets& facets);

private:
    void share(const std::wstring& text)
    {
        enum_text fresh;
        fresh.m_bits = reinterpret_cast<std::uintptr_t>(&text);
        swap(fresh);
    }

    // A string of its own is marked in the pointer's low bit (strings are aligned wider).
    static constexpr std::uintptr_t k_owned = 1;
    static_assert(alignof(std::wstring) > 1, "the low bit of a string's address is free");

    bool owns() const { return (m_bits & k_owned) != 0; }
    static std::uintptr_t own(const std::wstring& value)
    {
        return reinterpret_cast<std::uintptr_t>(new std::wstring(value)) | k_owned;
    }

    std::uintptr_t m_bits = 0; // 0: empty
};

// Checks a text read from a document and stores it, as parse_value does for a string.
KYR_API lmx::elmx_error parse_value(std::string_view text, enum_text* value, const s_facets& facets);

} // namespace schema
} // namespace kyr

#endif
