// Declared entities and the entity stack: replacement text read as if it stood in the input.
#ifndef KYR_LMX_ENTITIES_HPP
#define KYR_LMX_ENTITIES_HPP

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include <kyr/lmx/decoder.hpp>

namespace lmx {

// How a c_repository stores its values: plain values as they are...
template <class T>
struct c_rep_ops
{
    using stored_type = T;
    static stored_type store(T value) { return value; }
    static T view(const stored_type& stored) { return stored; }
};

// ...and texts as private copies whose address never changes.
template <>
struct c_rep_ops<const char*>
{
    using stored_type = std::unique_ptr<char[]>;
    static stored_type store(const char* value)
    {
        const size_t size = std::strlen(value) + 1;
        stored_type copy(new char[size]);
        std::memcpy(copy.get(), value, size);
        return copy;
    }
    static const char* view(const stored_type& stored) { return stored.get(); }
};

// Name-to-value table with exact, case-sensitive lookup; names are private copies. Small
// tables are scanned; past k_repository_index_threshold names a hash index answers instead,
// so a document declaring many entities cannot make each lookup a long scan.
// For texts, a value that is replaced stays allocated until clear(): the entity stack may
// still be reading it.
template <class T, class Ops = c_rep_ops<T>>
class c_repository
{
public:
    c_repository() = default;
    c_repository(const c_repository& other) { copy_from(other); }
    c_repository& operator=(const c_repository& other)
    {
        c_repository copy(other);
        swap(copy);
        return *this;
    }

    // Frees every name and value.
    virtual void clear()
    {
        m_entries.clear();
        m_replaced.clear();
        m_index.reset();
    }
    virtual ~c_repository() = default;

    // Replaces the value of `name`, or appends the pair.
    void add(const char* name, T value)
    {
        const size_t at = position(name);
        if (at < m_entries.size()) {
            entry& e = m_entries[at];
            if constexpr (std::is_pointer_v<T>)
                m_replaced.push_back(std::move(e.value));
            e.value = Ops::store(value);
            return;
        }
        m_entries.push_back(entry{c_rep_ops<const char*>::store(name), Ops::store(value)});
        if (m_index) {
            m_index->emplace(m_entries.back().name.get(), m_entries.size() - 1);
        } else if (m_entries.size() > k_repository_index_threshold) {
            m_index = std::make_unique<index_type>();
            for (size_t i = 0; i < m_entries.size(); ++i)
                m_index->emplace(m_entries[i].name.get(), i);
        }
    }
    // True and the value when `name` is present.
    bool find(std::string_view name, T* value) const
    {
        const size_t at = position(name);
        if (at == m_entries.size())
            return false;
        *value = Ops::view(m_entries[at].value);
        return true;
    }

    size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    const char* get_name(size_t index) const { return m_entries[index].name.get(); }
    T get_value(size_t index) const { return Ops::view(m_entries[index].value); }

    void swap(c_repository& other)
    {
        m_entries.swap(other.m_entries);
        m_replaced.swap(other.m_replaced);
        m_index.swap(other.m_index);
    }

private:
    struct entry
    {
        std::unique_ptr<char[]> name;
        typename Ops::stored_type value;
    };

    void copy_from(const c_repository& other)
    {
        for (const entry& e : other.m_entries)
            add(e.name.get(), Ops::view(e.value));
    }
    // Index of `name`, or size() when absent.
    size_t position(std::string_view name) const
    {
        if (m_index) {
            const auto found = m_index->find(name);
            return found == m_index->end() ? m_entries.size() : found->second;
        }
        size_t i = 0;
        while (i < m_entries.size() && !is_named(m_entries[i].name.get(), name))
            ++i;
        return i;
    }
    static bool is_named(const char* stored, std::string_view name)
    {
        size_t k = 0;
        for (; k < name.size(); ++k)
            if (stored[k] == '\0' || stored[k] != name[k])
                return false;
        return stored[k] == '\0';
    }

    std::vector<entry> m_entries;
    std::vector<typename Ops::stored_type> m_replaced;
    // Keys view the names' own copies, whose addresses never change.
    // Made once the table is long enough to need it: most tables (a scope's own prefixes)
    // stay short, and an empty pointer costs nothing to make and drop.
    using index_type = std::unordered_map<std::string_view, size_t>;
    std::unique_ptr<index_type> m_index;
};

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

// Reads a zero-terminated text from an index.
class c_entity_name_reader_for_c_str : public c_entity_name_reader
{
public:
    explicit c_entity_name_reader_for_c_str(const char* text, size_t index = 0)
        : c_entity_name_reader(false), m_text(text), m_index(index)
    {
    }
    int get() override
    {
        const unsigned char c = static_cast<unsigned char>(m_text[m_index]);
        if (c == 0)
            return -1;
        ++m_index;
        return c;
    }
    void unget(int c) override
    {
        if (c != -1 && m_index > 0)
            --m_index;
    }
    size_t get_index() const { return m_index; }

private:
    const char* m_text;
    size_t m_index;
};

// Reads a replacement text through the caller's pointer, which it advances.
class c_entity_name_reader_for_entity : public c_entity_name_reader
{
public:
    explicit c_entity_name_reader_for_entity(const char*& position)
        : c_entity_name_reader(false), m_position(position), m_start(position)
    {
    }
    int get() override
    {
        const unsigned char c = static_cast<unsigned char>(*m_position);
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
    const char*& m_position;
    const char* m_start;
};

// Reads the stored attribute data of the current tag from the caller's read position.
class c_entity_name_reader_for_attribute_data : public c_entity_name_reader
{
public:
    c_entity_name_reader_for_attribute_data(const char* data, size_t& position)
        : c_entity_name_reader(false), m_data(data), m_position(position)
    {
    }
    int get() override
    {
        const unsigned char c = static_cast<unsigned char>(m_data[m_position]);
        if (c == 0)
            return -1;
        ++m_position;
        return c;
    }
    void unget(int c) override
    {
        if (c != -1 && m_position > 0)
            --m_position;
    }

private:
    const char* m_data;
    size_t& m_position;
};

} // namespace lmx

#endif
