// Stack of element names kept while generated code descends into a document.
#ifndef KYR_LMX_STRING_STACK_HPP
#define KYR_LMX_STRING_STACK_HPP

#include <kyr/export.hpp>

#include <cstddef>
#include <string>

namespace lmx {

// Names pushed one after the other as zero-terminated texts in one byte array, so the
// stack of open elements costs no allocation per element once the array has grown.
class KYR_API c_string_stack
{
public:
    // Appends `name` and its terminator; returns the offset where it starts.
    size_t push(const std::string& name);
    // Cuts the array back to `size` bytes.
    void pop_to(size_t size);
    // Bytes in use, terminators included.
    size_t get_stack_size() const { return m_bytes.size(); }
    // The text starting at `offset`.
    const char* at(size_t offset) const { return m_bytes.data() + offset; }

private:
    std::string m_bytes;
};

// Pushes a name for its own lifetime; nested nodes keep the stack equal to the open path.
class KYR_API c_string_stack_node
{
public:
    c_string_stack_node(c_string_stack& stack, const std::string& name);
    ~c_string_stack_node();
    c_string_stack_node(const c_string_stack_node&) = delete;
    c_string_stack_node& operator=(const c_string_stack_node&) = delete;

    const char* get_str() const { return m_stack.at(m_offset); }
    bool operator==(const std::string& name) const { return name == get_str(); }
    bool operator!=(const std::string& name) const { return !(*this == name); }

private:
    c_string_stack& m_stack;
    size_t m_offset;
};

} // namespace lmx

#endif
