// The stored text of an optional string member.
//
// Most documents leave out most optional texts (a colour space's Comments,
// UniqueID and Name, a filter's CustomOrPartial ...), and an embedded
// std::wstring costs 32 bytes whether it holds anything or not. A boxed_text is
// one pointer; the string is created on the heap when a non-empty value is
// stored. Readers see a const std::wstring& either way.
#ifndef KYR_SCHEMA_BOXED_TEXT_HPP
#define KYR_SCHEMA_BOXED_TEXT_HPP

#include <string>
#include <utility>

namespace kyr {
namespace schema {

class boxed_text
{
public:
    boxed_text() = default;
    boxed_text(const boxed_text& other) : m_text(other.m_text ? new std::wstring(*other.m_text) : nullptr) {}
    boxed_text(boxed_text&& other) noexcept : m_text(other.m_text) { other.m_text = nullptr; }
    boxed_text& operator=(boxed_text other) noexcept
    {
        swap(other);
        return *this;
    }
    ~boxed_text() { delete m_text; }
    void swap(boxed_text& other) noexcept { std::swap(m_text, other.m_text); }

    const std::wstring& text() const
    {
        static const std::wstring empty;
        return m_text ? *m_text : empty;
    }
    operator const std::wstring&() const { return text(); }

    void assign(const std::wstring& value)
    {
        if (value.empty())
            drop();
        else if (m_text)
            *m_text = value;
        else
            m_text = new std::wstring(value);
    }
    // The string to read a value into, created if there is none.
    std::wstring& edit()
    {
        if (!m_text)
            m_text = new std::wstring;
        return *m_text;
    }
    // Gives back the string of an empty value: it reads the same without one.
    void drop_if_empty()
    {
        if (m_text && m_text->empty())
            drop();
    }

private:
    void drop()
    {
        delete m_text;
        m_text = nullptr;
    }

    std::wstring* m_text = nullptr;
};

} // namespace schema
} // namespace kyr

#endif
