// Name-to-value tables: declared entities, namespace ids and prefixes.
#ifndef KYR_LMX_REPOSITORY_HPP
#define KYR_LMX_REPOSITORY_HPP

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include <kyr/lmx/limits.hpp>

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

} // namespace lmx

#endif
