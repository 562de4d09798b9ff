// Names of the elements opened while content is skipped or copied, bounded in depth.
#ifndef KYR_LMX_OPEN_ELEMENTS_HPP
#define KYR_LMX_OPEN_ELEMENTS_HPP

#include <string>
#include <vector>

#include <kyr/lmx/reader_limits.hpp>
#include <kyr/lmx/string_stack.hpp>

namespace lmx {

// Keeps nesting in a heap array instead of on the call stack.
class c_open_elements
{
public:
    // False when that would open more than k_max_element_depth elements.
    bool push(const std::string& name)
    {
        if (m_starts.size() >= k_max_element_depth)
            return false;
        m_starts.push_back(m_names.push(name));
        return true;
    }
    void pop()
    {
        m_names.pop_to(m_starts.back());
        m_starts.pop_back();
    }
    const char* top() const { return m_names.at(m_starts.back()); }
    bool empty() const { return m_starts.empty(); }

private:
    c_string_stack m_names;
    std::vector<size_t> m_starts;
};

} // namespace lmx

#endif
