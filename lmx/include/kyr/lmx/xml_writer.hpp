// c_xml_writer: the thin writer handed to every generated marshal.
//
// It owns no document. Besides the borrowed stream it holds the shared state
// of a marshalling run: indentation, the line-end text, the namespace
// declarations of the outermost element, the class identity that decides
// whether an xsi:type attribute is needed, and the last marshalling error with
// the name of the item concerned.
//
// Generated code writes tags and values through the writer's buffered output
// (write, start_line, end_line and the write_* functions of output.hpp), which
// collects text in a buffer of the writer's own and hands it to the stream in
// large pieces: one std::ostream insertion per piece of markup costs more than
// the markup. Whatever reaches the writer is in the stream when the outermost
// marshal call returns, and before the stream is handed out or written directly
// by the writer (operator(), get_stream(), the declaration, the namespace
// declarations, the error hooks), so callers that mix both never see their
// order change.
#ifndef KYR_LMX_XML_WRITER_HPP
#define KYR_LMX_XML_WRITER_HPP

#include <kyr/export.hpp>

#include <kyr/lmx/error.hpp>
#include <kyr/lmx/error_sink.hpp>
#include <kyr/lmx/namespaces.hpp>

#include <cstddef>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace lmx {

class KYR_API c_xml_writer
{
public:
    // Bits of the option word.
    static constexpr int include_xml_decl = 1;   // <?xml version="1.0" encoding="UTF-8"?>
    static constexpr int include_standalone = 2; // the same with standalone="yes"

    // Both constructors switch os to the classic "C" locale, so numbers never
    // get a decimal comma or digit grouping, whatever the process locale.
    // tab and nl are borrowed and must outlive the writer. With (options & 3)
    // non-zero the XML declaration and nl are written at once.
    c_xml_writer(std::ostream& os, int options, const char* tab, const char* nl);
    c_xml_writer(std::ostream& os, const char* tab, const char* nl);
    // Hands what is still buffered to the stream; it does not flush the stream.
    virtual ~c_xml_writer();

    c_xml_writer(const c_xml_writer&) = delete;
    c_xml_writer& operator=(const c_xml_writer&) = delete;

    // Virtual operations are declared in their slot order: the hooks, then
    // endl and nest.

    // Records code and item_name, lets user_handle_error replace the code,
    // records and returns the result. file and line name the place in the
    // generated code that found the error.
    elmx_error handle_error(elmx_error code, const std::string& item_name, const char* file, int line);
    virtual elmx_error user_handle_error(elmx_error code, const std::string& item_name, const char* file,
                                         int line);
    virtual elmx_error user_handle_error(elmx_error code);
    // 'item'-description of the handled error, or "No Error".
    virtual std::string& get_error_message(std::string* out) const;
    const std::string& get_error_item_name() const { return m_error_item_name; }
    elmx_error get_handled_error() const { return m_handled_error; }
    // The embedded collector's last report. The writer records nothing there
    // itself; the collector is offered to callers and derived writers.
    bool get_error_info(elmx_error_type* type, elmx_error* code, int* line) const;
    c_error& get_error_collector() { return m_error; }
    // With a sink, every error goes to it instead of the hooks, and writing goes on: the
    // writer then checks a document rather than writing one.
    void set_error_sink(c_error_sink* sink) { m_error_sink = sink; }
    c_error_sink* get_error_sink() const { return m_error_sink; }

    // Returns the stream; with true, first writes one tab text per indent
    // level (the start of a new line). Buffered text is in the stream first.
    std::ostream& operator()(bool indent);
    std::ostream& get_stream()
    {
        flush();
        return m_os;
    }
    // The stream's format state (fill, precision, flags, locale) for output
    // that depends on it; nothing is written through it.
    std::ios& get_format() { return m_os; }
    virtual const char* endl(); // the line-end text; writes nothing
    virtual void nest();        // writes the tab text once
    void indent() { ++m_indent; }
    void undent()
    {
        if (m_indent > 0)
            --m_indent;
    }
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
    void conditionally_select_ns_map(const s_ns_map* map)
    {
        if (m_ns_map == nullptr)
            m_ns_map = map;
    }
    // Writes, once per writer, the declarations of the selected map, the added
    // namespaces, xmlns:xsi (when force_xsi or schema locations are present)
    // and the schema location attribute, each with a leading blank, into the
    // start tag just opened. Values are written as given, not escaped.
    void conditionally_write_ns_attrs(bool force_xsi)
    {
        if (!m_ns_attrs_written)
            write_ns_attrs(force_xsi);
    }
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

    // Whether a value written through write_escaped was cut short at a lone
    // high surrogate, which no UTF-8 text can carry.
    void note_lost_text() { m_lost_text = true; }
    bool lost_text() const { return m_lost_text; }

    // -- Buffered output

    // One marshal call, from its start tag to its end tag: when the outermost
    // scope ends, everything written is handed to the stream.
    class c_output_scope
    {
    public:
        explicit c_output_scope(c_xml_writer& writer) : m_writer(writer) { writer.open_scope(); }
        ~c_output_scope() { m_writer.close_scope(); }
        c_output_scope(const c_output_scope&) = delete;
        c_output_scope& operator=(const c_output_scope&) = delete;

    private:
        c_xml_writer& m_writer;
    };

    // Room that reserve() guarantees at most.
    static constexpr std::size_t max_reserve = 1024;

    void write(const char* text, std::size_t length)
    {
        if (length > static_cast<std::size_t>(m_buffer_end - m_next)) {
            write_through(text, length);
            return;
        }
        std::memcpy(m_next, text, length);
        m_next += length;
    }
    void write(const char* text) { write(text, std::strlen(text)); }
    void write(char c)
    {
        if (m_next == m_buffer_end)
            flush();
        *m_next++ = c;
    }
    // Returns room for length (at most max_reserve) chars; the chars put there
    // are written by commit(end), end being one past the last.
    char* reserve(std::size_t length)
    {
        if (length > static_cast<std::size_t>(m_buffer_end - m_next))
            flush();
        return m_next;
    }
    void commit(char* end) { m_next = end; }
    // The indentation of a new line (what operator()(true) writes) and the
    // line-end text (endl()). Both run once per element: the common case, this
    // class's own layout with room in the buffer, is a copy of a few chars here.
    void start_line()
    {
        const std::size_t length = static_cast<std::size_t>(m_indent) * m_tab_length;
        if (m_own_layout && m_indent > 0 && length <= k_indentation_reach
            && static_cast<std::size_t>(m_buffer_end - m_next) >= k_indentation_reach
            && m_indentation.size() >= k_indentation_reach) {
            // A fixed-size copy compiles to a few moves; what lies past length is overwritten later.
            std::memcpy(m_next, m_indentation.data(), k_indentation_reach);
            m_next += length;
            return;
        }
        start_line_slowly();
    }
    void end_line()
    {
        if (m_own_layout && m_nl_length == 1 && m_next != m_buffer_end) {
            *m_next++ = *m_nl;
            return;
        }
        end_line_slowly();
    }
    // Hands the buffered text to the stream.
    void flush();

private:
    static constexpr std::size_t k_buffer_size = 16384;
    // Indentations up to this many chars are copied in one fixed-size piece.
    static constexpr std::size_t k_indentation_reach = 32;

    void start_line_slowly();
    void end_line_slowly();

    void write_ns_attr(const char* prefix, const char* uri);
    void write_ns_attrs(bool force_xsi);
    void write_through(const char* text, std::size_t length);
    void open_scope();
    void close_scope();
    void flush_from_destructor() noexcept;

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
    bool m_lost_text = false;
    c_error_sink* m_error_sink = nullptr;

    std::unique_ptr<char[]> m_buffer;
    char* m_next;
    char* m_buffer_end;
    int m_scope_depth = 0;
    // Whether nest() and endl() are this class's own (not overridden), so
    // that lines start and end from the cached texts below.
    bool m_own_layout = false;
    std::string m_indentation; // the tab text repeated for the deepest level so far
    std::size_t m_tab_length;
    std::size_t m_nl_length;
};

} // namespace lmx

#endif
