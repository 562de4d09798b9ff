// Namespace ids, the document's table of namespace URIs, prefix scopes and cracked names.
#ifndef KYR_LMX_NAMESPACES_HPP
#define KYR_LMX_NAMESPACES_HPP

#include <kyr/export.hpp>

#include <string>
#include <string_view>
#include <vector>

#include <kyr/lmx/repository.hpp>

namespace lmx {

// Fixed namespace ids. Matching compares these integers, never URIs.
constexpr int k_ns_id_unresolved = 0; // undeclared prefix, or a URI not in the table
constexpr int k_ns_id_none = 1;       // no namespace
constexpr int k_ns_id_xml = 2;        // always bound to the prefix "xml"
constexpr int k_ns_id_xsi = 5;        // XML Schema instance
constexpr int k_ns_id_first_document = 1000;

constexpr const char* k_xml_namespace_uri = "http://www.w3.org/XML/1998/namespace";
constexpr const char* k_xsi_namespace_uri = "http://www.w3.org/2001/XMLSchema-instance";

// One entry of a generated namespace table; a table ends with a null URI.
struct KYR_API s_ns_map
{
    int ns_id;
    const char* prefix;
    const char* ns;
};

// Gives every namespace URI of a document a small integer id.
class KYR_API c_enumerated_namespaces
{
public:
    c_enumerated_namespaces();

    // Id of `uri`, or 0 when it is not in the table.
    int find_namespace(const std::string& uri) const;
    // URI of the first entry with `id`, or null.
    const char* find_namespace_from_id(int id) const;
    // Existing id of `uri`, or the next free id given to it.
    int add_namespace(const char* uri);
    // Adds `uri` with `id` unless present; the next free id moves past `id` either way.
    int add_namespace(const char* uri, int id);
    // Back to the xsi and XML entries with the next free id 1000.
    void clear();

private:
    int m_next_id;
    c_repository<int> m_ids;
};

// One namespace scope; the default namespace is bound under the prefix "".
class KYR_API c_xml_local
{
public:
    // An empty root scope.
    c_xml_local() : m_parent(nullptr), m_declaring(nullptr) {}
    // Not a copy: an empty child scope of `parent`.
    c_xml_local(const c_xml_local& parent);
    c_xml_local& operator=(const c_xml_local&) = delete;

    // Binds (or rebinds) `prefix` in this scope.
    void add_namespace(const char* prefix, int id);
    // Id bound to `prefix` here or in an enclosing scope; "xml" is always 2; 0 when unbound.
    // Nearly every element name repeats the prefix of the one before it, and unprefixed
    // attribute names ask for the default namespace in between: the nearest declaring scope
    // remembers both answers until its declarations change, and a remembered one is
    // answered here without a call.
    int find_namespace_id(std::string_view prefix) const
    {
        if (m_declaring) {
            const c_xml_local& owner = *m_declaring;
            if (prefix.empty() ? owner.m_default_memo != k_no_memo_id : owner.is_memo(prefix))
                return prefix.empty() ? owner.m_default_memo : owner.m_memo_id;
        }
        return look_up_namespace_id(prefix);
    }
    // Prefix bound to `id` in the innermost scope that binds it; null when none.
    const char* find_namespace_prefix(int id) const;
    // Prefix bound to `id` in the outermost scope that binds it; null when none.
    const char* find_first_namespace_prefix(int id) const;
    // Removes this scope's own declarations (the reader clears its scope before every tag,
    // and nearly every scope has none).
    void clear()
    {
        if (m_prefixes.size() != 0)
            drop_declarations();
    }

    const c_xml_local* get_parent() const { return m_parent; }

protected:
    void set_parent(const c_xml_local* parent)
    {
        m_parent = parent;
        m_declaring = m_prefixes.size() ? this : parent ? parent->m_declaring : nullptr;
        forget_memo();
    }

private:
    const c_xml_local* next_declaring(const c_xml_local* scope) const;
    void drop_declarations();
    // find_namespace_id past the memo, which it fills (the memo never holds "xml").
    int look_up_namespace_id(std::string_view prefix) const;
    // Prefixes are a few bytes: a loop beats a call to memcmp.
    bool is_memo(std::string_view prefix) const
    {
        if (m_memo_length == k_no_memo || prefix.size() != m_memo_length)
            return false;
        for (size_t i = 0; i < prefix.size(); ++i)
            if (prefix[i] != m_memo_prefix[i])
                return false;
        return true;
    }
    const char* prefix_in_scope(int id) const;
    void forget_memo() const
    {
        m_memo_length = k_no_memo;
        m_default_memo = k_no_memo_id;
    }

    static constexpr unsigned char k_no_memo = 0xff;
    static constexpr int k_no_memo_id = -1;

    const c_xml_local* m_parent;
    const c_xml_local* m_declaring; // nearest scope, this or an ancestor, with declarations
    c_repository<int> m_prefixes;
    // The last prefix looked up from the scopes this one declares for, and its id; the id
    // of the default namespace once looked up.
    mutable char m_memo_prefix[16] = {};
    mutable unsigned char m_memo_length = k_no_memo;
    mutable int m_memo_id = k_ns_id_unresolved;
    mutable int m_default_memo = k_no_memo_id;
};

// A qualified name split at its first ":" and resolved in a scope. The reader cracks every
// element and attribute name, so it keeps the bytes in a buffer of its own that only grows,
// and makes the string forms of the name and its parts on first request.
class KYR_API c_cracked_name
{
public:
    c_cracked_name();
    c_cracked_name(const c_xml_local* scope, const std::string& name);
    void set(const c_xml_local* scope, const std::string& name) { set(scope, name.data(), name.size()); }
    void set(const c_xml_local* scope, const char* name, size_t length);

    const std::string& get_full_name() const;
    bool get_has_ns_prefix() const { return m_has_ns_prefix; }
    // The raw id: 0 for an undeclared prefix or an unprefixed name without default namespace.
    int get_ns_id() const { return m_ns_id; }
    const std::string& get_local_name() const;
    const std::string& get_ns_prefix() const;
    // As an element name: an unprefixed name without default namespace is in no namespace (1).
    int get_element_ns_id() const;

    std::string_view full_name_view() const { return std::string_view(m_bytes.data(), m_length); }
    std::string_view local_name_view() const { return full_name_view().substr(m_local_start); }
    std::string_view ns_prefix_view() const
    {
        return std::string_view(m_bytes.data(), m_has_ns_prefix ? m_local_start - 1 : 0);
    }

private:
    std::vector<char> m_bytes;
    size_t m_length = 0;
    bool m_has_ns_prefix;
    int m_ns_id;
    // Filled from the bytes when asked for; m_strings_made tells whether they are current.
    mutable std::string m_full_name;
    mutable std::string m_local_name;
    mutable std::string m_ns_prefix;
    size_t m_local_start = 0;
    mutable bool m_strings_made = true;
};

} // namespace lmx

#endif
