// Sources a reference after "&" is read from: the input or a stored text.
#ifndef KYR_LMX_ENTITY_NAME_READER_HPP
#define KYR_LMX_ENTITY_NAME_READER_HPP

#include <cstddef>

#include "entities.hpp"

namespace lmx {

// Character source for reading a reference after "&". The from-input flag tells whether the
// reference stood in the main input (its text then goes on the entity stack and is parsed)
// or in stored text (its text is then expanded in place).
class c_entity_name_reader
{
public:
    explicit c_entity_name_reader(bool from_input) : m_from_input(from_input) {}
    virtual ~c_entity_name_reader() = default;
    // The next byte as 0 to 255, or -1 at the end.
    virtual int get() = 0;
    virtual void unget(int c) = 0;

    bool is_from_input() const { return m_from_input; }

protected:
    c_entity_name_reader(const c_entity_name_reader&) = default;
    c_entity_name_reader& operator=(const c_entity_name_reader&) = default;

private:
    bool m_from_input;
};

// Reads the lexer's input (entity stack included); from-input.
class c_entity_name_reader_for_c_get : public c_entity_name_reader
{
public:
    explicit c_entity_name_reader_for_c_get(c_get_with_entities& getter)
        : c_entity_name_reader(true), m_getter(getter)
    {
    }
    int get() override { return m_getter.get(); }
    void unget(int c) override { m_getter.unget(c); }

private:
    c_get_with_entities& m_getter;
};

// Reads a zero-terminated stored text (an entity's replacement text, a tag's attribute data)
// from the caller's read position, which it advances. Pushing back never goes before the
// position it started at.
class c_entity_name_reader_for_text : public c_entity_name_reader
{
public:
    c_entity_name_reader_for_text(const char* text, size_t& position)
        : c_entity_name_reader(false), m_text(text), m_position(position), m_start(position)
    {
    }
    int get() override
    {
        const unsigned char c = static_cast<unsigned char>(m_text[m_position]);
        if (c == 0)
            return -1;
        ++m_position;
        return c;
    }
    void unget(int c) override
    {
        if (c != -1 && m_position > m_start)
            --m_position;
    }

private:
    const char* m_text;
    size_t& m_position;
    size_t m_start;
};

} // namespace lmx

#endif
