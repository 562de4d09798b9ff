// The entity stack: replacement text read as if it stood in the input.
#ifndef KYR_LMX_ENTITIES_HPP
#define KYR_LMX_ENTITIES_HPP

#include <cstddef>
#include <unordered_set>
#include <vector>

#include <kyr/lmx/repository.hpp>

#include "decoder.hpp"

namespace lmx {

// The decoder with an entity stack on top: replacement text pushed on the stack is read
// before the input continues. Holds the declared general and parameter entities.
class c_get_with_entities : public c_get_as_utf8
{
public:
    c_get_with_entities(c_read& source, c_error& error);

    // The next byte (0 to 255) from the entity stack, or from the decoder when it is empty.
    int get() { return m_stack.empty() ? c_get_as_utf8::get() : get_from_stack(); }
    // As the decoder's, and empty while an entity's text is read.
    const unsigned char* peek_run(size_t* available) const
    {
        const unsigned char* run = c_get_as_utf8::peek_run(available);
        if (!m_stack.empty())
            *available = 0;
        return run;
    }
    // Pushes back onto the top entity's text when the stack is not empty, else the decoder's.
    void unget(int c)
    {
        if (m_stack.empty())
            c_get_as_utf8::unget(c);
        else
            m_stack.back().unget.unget(c);
    }

    // Reads `text`, a stored replacement text, as input next. False after the fatal report
    // when that text is already being read (recursion).
    bool set_input_entity_value(const char* text);
    size_t get_entity_stack_depth() const { return m_stack.size(); }
    // Whether `text` (by address) is being read from the entity stack.
    bool is_on_entity_stack(const char* text) const;

    // Declares (or redeclares: the last declaration wins) an entity.
    void add_general_entity(const char* name, const char* value) { m_general.add(name, value); }
    void add_parameter_entity(const char* name, const char* value) { m_parameter.add(name, value); }
    // True and the stored text when declared.
    bool get_general_entity(const char* name, const char** value) const
    {
        return m_general.find(name, value);
    }
    bool get_parameter_entity(const char* name, const char** value) const
    {
        return m_parameter.find(name, value);
    }

    // Counts `n` bytes produced by entity expansion; past the document's allowance (see
    // k_entity_expansion_floor) a fatal ELMX_RECURSIVE_ENTITY is reported and false returned.
    bool count_expansion(size_t n);
    size_t get_expanded_bytes() const { return m_expanded; }

    // Clears both repositories and the entity stack, then rewinds the decoder.
    void rewind();

protected:
    // The fatal report of `text` being expanded inside itself; always false.
    bool fail_recursion(const char* text);

private:
    struct stack_entry
    {
        const unsigned char* next;
        const char* start; // the entry's identity
        c_unget_buffer unget;
    };

    int get_from_stack();

    std::vector<stack_entry> m_stack;
    // Identities of the texts on the stack: the recursion test stays cheap however deep.
    std::unordered_set<const char*> m_on_stack;
    c_repository<const char*> m_general;
    c_repository<const char*> m_parameter;
    size_t m_expanded = 0;
};

} // namespace lmx

#endif
