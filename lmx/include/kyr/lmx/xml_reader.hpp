// The pull reader every generated unmarshal drives, its scopes and its owning variants.
#ifndef KYR_LMX_XML_READER_HPP
#define KYR_LMX_XML_READER_HPP

#include <kyr/export.hpp>

#include <cstddef>
#include <cstdio>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include <kyr/lmx/error.hpp>
#include <kyr/lmx/error_sink.hpp>
#include <kyr/lmx/namespaces.hpp>
#include <kyr/lmx/read.hpp>
#include <kyr/lmx/string_stack.hpp>
#include <kyr/lmx/well_formed.hpp>
#include <kyr/lmx/xml.hpp>

namespace lmx {

class c_xml_reader;

// A namespace scope that is the reader's current one while it lives.
class KYR_API c_xml_reader_local : public c_xml_local
{
public:
    // Unbound until `set_reader`.
    c_xml_reader_local() : m_previous(nullptr), m_reader(nullptr) {}
    // A child of the reader's current scope, made current.
    explicit c_xml_reader_local(c_xml_reader& reader) : c_xml_reader_local() { set_reader(&reader); }
    // The same for the content of the element `element` (which must outlive the scope): its
    // end tag is taken at once when the input's window shows it next.
    c_xml_reader_local(c_xml_reader& reader, const std::string& element) : c_xml_reader_local(reader)
    {
        m_element = &element;
    }
    inline ~c_xml_reader_local();
    c_xml_reader_local(const c_xml_reader_local&) = delete;
    c_xml_reader_local& operator=(const c_xml_reader_local&) = delete;

    inline void set_reader(c_xml_reader* reader);
    // The element whose content this scope reads, when it was given.
    const std::string* get_element() const { return m_element; }

private:
    c_xml_reader_local* m_previous;
    c_xml_reader* m_reader;
    const std::string* m_element = nullptr;
};

// Marks the text where `get_namespace` finds an unresolved prefix; never a URI.
extern KYR_API const char* const k_namespace_not_found;

// Keeps the lexical collector alive before the core that reports to it is built.
struct KYR_API s_reader_errors
{
    c_error m_errors;
};

class KYR_API c_xml_reader : private s_reader_errors, public c_xml
{
public:
    explicit c_xml_reader(c_read& source);
    virtual ~c_xml_reader();

    // --- Events.
    // Next markup as an event; a start tag is cracked in the current scope and, with `map`,
    // tokenised. `error` is set for error events and the end of input, else left alone.
    int get_element_event(const s_event_map* map, elmx_error* error, std::string* name);
    // As get_element_event, but skips whole elements in neither `map` nor the known elements.
    int get_known_element_event(const s_event_map* map, elmx_error* error, std::string* name);
    // True while an attribute (or an error) was read; false once the start tag has ended.
    bool get_attribute_event(const s_event_map* map, elmx_error* error, std::string* name);
    // Sets the current event from the current name and `map`.
    int tokenise(const s_event_map* map, elxp_attr_elem kind);
    int get_current_event() const { return m_current_event; }
    void restore_event(int event) { m_current_event = event; }
    bool is_current_event_tokenisable() const;
    static bool is_error_event(int event) { return event == ELXP_RESERVED_ERROR || event == ELXP_ERROR; }

    // --- Current name.
    const std::string& get_full_name() const { return m_current_name.get_full_name(); }
    bool get_has_ns_prefix() const { return m_current_name.get_has_ns_prefix(); }
    int get_ns_id() const { return m_current_name.get_ns_id(); }
    const std::string& get_local_name() const { return m_current_name.get_local_name(); }
    int get_element_ns_id() const { return m_current_name.get_element_ns_id(); }
    using c_xml::get_local_name;
    using c_xml::get_ns_id;

    // --- Attributes of the start tag just read.
    // Searches from the read position for (ns_id, local_name); the position restarts after.
    bool get_named_attribute(int ns_id, const std::string& local_name, std::string* value);
    // The xsi:type of the start tag as the id of its prefix and its local part.
    bool get_xsi_type(int* ns_id, std::string* type_name);
    bool is_xsi_attribute(const std::string& name) const;
    using c_xml::is_xsi_attribute;
    // URI bound to the prefix of `qname`; "" for no namespace, k_namespace_not_found if unbound.
    void get_namespace(const std::string& qname, std::string* uri) const;
    bool is_valid_qname(const std::string& name) const;

    // --- Content: the reader's variants leave ELXP_END_TAG as the current event.
    bool get_nested_element_value(std::string* value, std::string* end_name,
                                  elmx_whitespace mode = ELMX_WHITESPACE_PRESERVE, bool unused = false);
    bool take_end_tag_in_window(const std::string& name);
    bool take_text_and_end_tag(const std::string& name, std::string_view* text, elmx_whitespace mode);

    // --- Scopes, tables, presets.
    c_xml_reader_local* get_reader_local() const { return m_current_local; }
    void set_reader_local(c_xml_reader_local* local) { m_current_local = local; }
    c_string_stack& get_element_name_stack() { return m_element_name_stack; }
    void set_known_elements(const s_known_elements* known) { m_known_elements = known; }
    const s_known_elements* get_known_elements() const { return m_known_elements; }
    void set_ns_map(const s_ns_map* map);
    void add_namespace_mapping(const std::string& prefix, const std::string& uri);
    void add_default_namespace_mapping(const std::string& uri);
    int get_line_no() const { return get_line_num(); }

    // --- Strict reading, off by default. Before its first event a strict reader checks the
    // whole document (check_well_formed of well_formed.hpp) and fails at once with the first
    // fault, its code then reported to the collector with the fault's line.
    void set_strict(bool strict) { m_strict = strict; }
    bool is_strict() const { return m_strict; }
    // The fault the strict check found: code ELMX_OK while there is none.
    const s_well_formed_fault& get_strict_fault() const { return m_strict_fault; }

    // --- Binding error channel.
    // With a sink, every binding error goes to it instead of the hooks below.
    void set_error_sink(c_error_sink* sink)
    {
        m_error_sink = sink;
        note_tag_places(sink != nullptr);
    }
    c_error_sink* get_error_sink() const { return m_error_sink; }
    // Records `code` and `item_name`, asks the hook, records and returns its answer.
    elmx_error handle_error(elmx_error code, const std::string& item_name, const char* file, int line);
    virtual elmx_error user_handle_error(elmx_error code, const std::string& item_name, const char* file,
                                         int line);
    virtual elmx_error user_handle_error(elmx_error code);
    // "line:N-'item'-description" for a handled error, else "No Error".
    virtual std::string& get_error_message(std::string* message) const;
    // Last code of the lexical channel.
    elmx_error get_error() const;
    bool get_error_info(elmx_error_type* type, elmx_error* code, int* line) const;
    const std::string& get_error_item_name() const { return m_error_item_name; }
    elmx_error get_handled_error() const { return m_handled_error; }
    c_error& get_error_collector() { return m_errors; }

    // A name buffer for the element being read at the current depth, shared by every
    // element read at that depth, so that element names allocate only while it grows.
    std::string& get_depth_name_buffer()
    {
        return m_depth < m_depth_names.size() ? m_depth_names[m_depth] : grow_depth_names();
    }

    // Scratch texts for generated code: element names, attribute values, anything else.
    std::string m_name;
    std::string m_value;
    std::string m_text;

private:
    friend class c_xml_reader_local;
    std::string& grow_depth_names();
    int read_element_event(const s_event_map* map, elmx_error* error, std::string* name, int* raw_event);
    bool is_known_element() const;
    void set_current_name(const std::string& name)
    {
        m_current_name.set(m_current_local, name);
        m_tokenised_map = nullptr;
    }
    bool skip_unwanted_element(const std::string& name);
    // Runs the strict check once; false when it found a fault.
    bool check_strictly();

    c_xml_reader_local* m_current_local;
    c_xml_reader_local m_root_local;
    size_t m_depth;
    elmx_error m_handled_error;
    std::string m_error_item_name;
    c_string_stack m_element_name_stack;
    c_cracked_name m_current_name;
    int m_current_event;
    // The last map the current name was tokenised with, as what and to which event.
    const s_event_map* m_tokenised_map = nullptr;
    elxp_attr_elem m_tokenised_kind = ELXP_ELEM;
    int m_tokenised_event = ELXP_UNKNOWN_ITEM;
    std::vector<std::pair<std::string, std::string>> m_ns_presets;
    const s_known_elements* m_known_elements;
    std::deque<std::string> m_depth_names; // grows at the back: references stay valid
    c_read& m_strict_source;
    bool m_strict = false;
    bool m_strict_checked = false;
    s_well_formed_fault m_strict_fault;
    c_error_sink* m_error_sink = nullptr;
};

// Made and dropped for every element read: defined here so that they inline.
void c_xml_reader_local::set_reader(c_xml_reader* reader)
{
    m_reader = reader;
    m_previous = reader->get_reader_local();
    set_parent(m_previous);
    reader->set_reader_local(this);
    ++reader->m_depth;
}

c_xml_reader_local::~c_xml_reader_local()
{
    if (!m_reader)
        return;
    m_reader->set_reader_local(m_previous);
    --m_reader->m_depth;
}

// Installs a known-elements table for its lifetime.
class KYR_API c_known_elements_selector
{
public:
    c_known_elements_selector(c_xml_reader& reader, const s_known_elements* known);
    ~c_known_elements_selector();
    c_known_elements_selector(const c_known_elements_selector&) = delete;
    c_known_elements_selector& operator=(const c_known_elements_selector&) = delete;

private:
    c_xml_reader& m_reader;
    const s_known_elements* m_previous;
};

// Keeps the source ahead of the reader that reads it.
struct KYR_API s_file_source
{
    explicit s_file_source(const char* name) : m_file(name) {}
    explicit s_file_source(const wchar_t* name) : m_file(name) {}
    s_file_source(FILE* stream, bool close_on_delete) : m_file(stream)
    {
        m_file.leave_file_open_on_delete(!close_on_delete);
    }
    c_read_file m_file;
};

struct KYR_API s_memory_source
{
    s_memory_source(const char* data, size_t length) : m_memory(data, length) {}
    c_read_memory m_memory;
};

// A reader that owns a file source.
class KYR_API c_xml_reader_file : private s_file_source, public c_xml_reader
{
public:
    explicit c_xml_reader_file(const char* name);
    explicit c_xml_reader_file(const wchar_t* name);
    explicit c_xml_reader_file(FILE* stream, bool close_on_delete = true);
};

// A reader over a caller's bytes, which must outlive it.
class KYR_API c_xml_reader_memory : private s_memory_source, public c_xml_reader
{
public:
    c_xml_reader_memory(const char* data, size_t length);
};

} // namespace lmx

#endif
