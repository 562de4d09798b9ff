#include <kyr/lmx/string_stack.hpp>

namespace lmx {

size_t c_string_stack::push(const std::string& name)
{
    const size_t offset = m_bytes.size();
    m_bytes.append(name.c_str(), name.size() + 1);
    return offset;
}

void c_string_stack::pop_to(size_t size)
{
    if (size < m_bytes.size())
        m_bytes.resize(size);
}

c_string_stack_node::c_string_stack_node(c_string_stack& stack, const std::string& name)
    : m_stack(stack), m_offset(stack.push(name))
{
}

c_string_stack_node::~c_string_stack_node()
{
    m_stack.pop_to(m_offset);
}

} // namespace lmx
