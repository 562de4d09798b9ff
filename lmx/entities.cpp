#include "entities.hpp"

#include <string>

#include "messages.hpp"

namespace lmx {

c_get_with_entities::c_get_with_entities(c_read& source, c_error& error) : c_get_as_utf8(source, error) {}

int c_get_with_entities::get_from_stack()
{
    if (get_error_handler().is_fatal_errored())
        return -1;
    while (!m_stack.empty() && m_stack.back().unget.empty() && *m_stack.back().next == 0) {
        m_on_stack.erase(m_stack.back().start);
        m_stack.pop_back();
    }
    if (m_stack.empty())
        return c_get_as_utf8::get();
    stack_entry& top = m_stack.back();
    if (!top.unget.empty())
        return top.unget.get();
    if (!count_expansion(1))
        return -1;
    return *top.next++;
}

bool c_get_with_entities::is_on_entity_stack(const char* text) const
{
    return m_on_stack.count(text) != 0;
}

bool c_get_with_entities::set_input_entity_value(const char* text)
{
    if (is_on_entity_stack(text))
        return fail_recursion(text);
    m_stack.push_back(stack_entry{reinterpret_cast<const unsigned char*>(text), text, c_unget_buffer()});
    m_on_stack.insert(text);
    return true;
}

bool c_get_with_entities::fail_recursion(const char* text)
{
    error(ELMX_ERROR_TYPE_FATAL, ELMX_BAD_DTD, message::recursive_entity(text));
    return false;
}

bool c_get_with_entities::count_expansion(size_t n)
{
    m_expanded += n;
    if (m_expanded <= k_entity_expansion_floor || m_expanded / k_entity_expansion_ratio <= get_bytes_read())
        return true;
    error(ELMX_ERROR_TYPE_FATAL, ELMX_RECURSIVE_ENTITY, message::k_expansion_limit);
    return false;
}

void c_get_with_entities::rewind()
{
    m_stack.clear();
    m_on_stack.clear();
    m_general.clear();
    m_parameter.clear();
    m_expanded = 0;
    c_get_as_utf8::rewind();
}

} // namespace lmx
