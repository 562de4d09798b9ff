// c_xml_writer: the thin writer handed to every generated marshal.
//
// It owns no document and buffers nothing: generated code writes tags and
// values straight into the borrowed stream and asks the writer only for the
// shared state of a marshalling run: indentation, the line-end text, the
// namespace declarations of the outermost element, the class identity that
// decides whether an xsi:type attribute is needed, and the last marshalling
// error with the name of the item concerned.
#ifndef KYR_LMX_XML_WRITER_HPP
#define KYR_LMX_XML_WRITER_HPP

#include <kyr/lmx/error.hpp>
#include <kyr/lmx/namespaces.hpp>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace lmx {

class c_xml_writer
{
public:
    // Bits of the option word.
    static constexpr int include_xml_decl = 1;    // <?xml version="1.0" encoding="UTF-8"?>
    static constexpr int include_standalone = 2;  // the same with standalone="yes"

    // Both constructors switch os to the classic "C" locale, so numbers never
    // get a decimal comma or digit grouping, whatever the process locale.
    // tab and nl are borrowed and must outlive the writer. With (options & 3)
    // non-zero the XML declaration and nl are written at once.
    c_xml_writer(std::ostream& os, int options, const char* tab, const char* nl);
    c_xml_writer(std::ostream& os, const char* tab, const char* nl);
    virtual ~c_xml_writer() = default;

    c_xml_writer(const c_xml_writer&) = delete;
    c_xml_writer& operator=(const c_xml_writer&) = delete;

    // Virtual operations are declared in their slot order: the hooks, then
    // endl and nest.

    // Records code and item_name, lets user_handle_error replace the code,
    // records and returns the result. file and line name the place in the
    // generated code that found the error.
    elmx_error handle_error(elmx_error code, const std::string& item_name, const char* file, int line);
    virtual elmx_error user_handle_error(elmx_error code, const std::string& item_name, const char* file, int line);
    virtual elmx_error user_handle_error(elmx_error code);
    // 'item'-description of the handled error, or "No Error".
    virtual std::string& get_error_message(std::string* out) const;
    const std::string& get_error_item_name() const { return m_error_item_name; }
    elmx_error get_handled_error() const { return m_handled_error; }
    // The embedded collector's last report. The writer records nothing there
    // itself; the collector is offered to callers and derived writers.
    bool get_error_info(elmx_error_type* type, elmx_error* code, int* line) const;
    c_error& get_error_collector() { return m_error; }

    // Returns the stream; with true, first writes one tab text per indent
    // level (the start of a new line).
    std::ostream& operator()(bool indent);
    std::ostream& get_stream() { return m_os; }
    virtual const char* endl();      // the line-end text; writes nothing
    virtual void nest();             // writes the tab text once
    void indent() { ++m_indent; }
    void undent() { if (m_indent > 0) --m_indent; }
    int get_indent() const { return m_indent; }

    // Extra namespace declarations for the outermost element, written after
    // the selected map's, in order of addition.
    void add_namespace(const std::string& prefix, const std::string& uri);
    void add_default_namespace(const std::string& uri) { add_namespace("", uri); }
    // xsi:schemaLocation pairs; an empty namespace in the first pair selects
    // xsi:noNamespaceSchemaLocation with that pair's location alone.
    void add_schema_location(const std::string& ns, const std::string& location);
    void add_no_namespace_schema_location(const std::string& location) { add_schema_location("", location); }

    // Keeps the first map selected (that of the outermost element).
    void conditionally_select_ns_map(const s_ns_map* map);
    // Writes, once per writer, the declarations of the selected map, the added
    // namespaces, xmlns:xsi (when force_xsi or schema locations are present)
    // and the schema location attribute, each with a leading blank, into the
    // start tag just opened. Values are written as given, not escaped.
    void conditionally_write_ns_attrs(bool force_xsi);
    // Lets the next element written select a map and declare it again.
    void reenable_ns_map_output();
    // The prefix bound to uri by the selected map, else by the added
    // namespaces; "" for a default namespace, null when unbound.
    const char* get_namespace_prefix(const std::string& uri) const;

    // Identity (the address of a class's static identity string) of the type
    // a substitutable child is declared with; compared as a pointer.
    void set_expected_class_identity(const char* id) { m_expected_class_identity = id; }
    const char* get_expected_class_identity() const { return m_expected_class_identity; }
    void clear_expected_class_identity() { m_expected_class_identity = nullptr; }

private:
    void write_ns_attr(const char* prefix, const char* uri);

    std::ostream& m_os;
    int m_indent = 0;
    const char* m_tab;
    const char* m_nl;
    bool m_ns_attrs_written = false;
    c_error m_error;
    elmx_error m_handled_error = ELMX_OK;
    std::string m_error_item_name;
    const s_ns_map* m_ns_map = nullptr;
    std::vector<std::pair<std::string, std::string>> m_added_namespaces;
    std::vector<std::pair<std::string, std::string>> m_schema_locations;
    const char* m_expected_class_identity = nullptr;
};

} // namespace lmx

#endif
