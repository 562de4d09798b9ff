// The reader's core: markup events, attribute stores and element content over the lexer.
#ifndef KYR_LMX_XML_HPP
#define KYR_LMX_XML_HPP

#include <kyr/export.hpp>

#include <cstddef>
#include <string>
#include <string_view>

#include <kyr/lmx/error.hpp>
#include <kyr/lmx/namespaces.hpp>
#include <kyr/lmx/read.hpp>
#include <kyr/lmx/whitespace.hpp>

namespace lmx {

class c_get_for_xml;
class c_internal_dtd;

// What the reader met. 0 to 11 are fixed; generated event maps use 12 and up.
enum elxp_xml_event {
    ELXP_END_OF_INPUT = 0,
    ELXP_UNKNOWN_ITEM = 1,
    ELXP_RESERVED_ERROR = 2,
    ELXP_ERROR = 3,
    ELXP_START_TAG_END = 4,
    ELXP_VALUE = 5,
    ELXP_END_TAG = 6,
    ELXP_NAME = 7,
    ELXP_XSI_TYPE = 8,
    ELXP_XSI_NIL = 9,
    ELXP_XSI_SCHEMA_LOCATION = 10,
    ELXP_XSI_NO_NAMESPACE_SCHEMA_LOCATION = 11,
    ELXP_FIRST_USER_EVENT = 12
};

// What `tokenise` matches the current name as.
enum elxp_attr_elem { ELXP_ATTR = 0, ELXP_ELEM = 1 };

// Where a map's names sit by a hash of their length and first and last four bytes:
// slots[(key * multiplier) >> shift] is one more than the entry's position, 0 for none.
struct KYR_API s_event_index
{
    unsigned multiplier;
    unsigned shift;
    const unsigned short* slots;
};

// One entry of a generated event map; a map ends with a null name. Only the first
// entry's index is read; a map without one is scanned.
struct KYR_API s_event_map
{
    int ns_id;
    const char* name;
    unsigned length;
    int event;
    const s_event_index* index = nullptr;
};

// One element that an enclosing content model owns; a table ends with a null name.
struct KYR_API s_known_elements
{
    int ns_id;
    const char* name;
    unsigned length;
};

// Lexer, DTD, namespace table and the attribute stores of the start tag just read.
class KYR_API c_xml
{
public:
    c_xml(c_read& source, c_error& errors, bool char_ref_obeys_ws_mode);
    ~c_xml();
    c_xml(const c_xml&) = delete;
    c_xml& operator=(const c_xml&) = delete;

    // --- Document namespace table.
    int find_enumerated_namespace(const std::string& uri) const { return m_namespaces.find_namespace(uri); }
    const char* find_namespace_from_id(int id) const { return m_namespaces.find_namespace_from_id(id); }
    int add_namespace(const char* uri) { return m_namespaces.add_namespace(uri); }
    int add_namespace(const char* uri, int id) { return m_namespaces.add_namespace(uri, id); }

    // --- Name text.
    // Text before the first ":" of `qname`, or "" when there is none.
    static void get_namespace_prefix(const std::string& qname, std::string* prefix);
    // Text after the first ":" of `qname`, or the whole name.
    static void get_local_name(const std::string& qname, std::string* local_name);
    // Id of the prefix of `qname` in `scope` (an unprefixed name looks up the default namespace).
    static int get_ns_id(const c_xml_local* scope, const std::string& qname);
    // Whether the prefix of `name` resolves to the xsi namespace in `scope`.
    static bool is_xsi_attribute(const c_xml_local* scope, const std::string& name);

    // --- Markup.
    // Reads the next markup where an element may start; start-tag attributes are stored and
    // their xmlns declarations bound in `scope`; the tag's closing ">" or "/>" stays unread.
    // `expected_end`, when given, is the end tag most likely to come (the enclosing element's).
    elxp_xml_event get_element_name(c_xml_local* scope, std::string* name,
                                    const std::string* expected_end = nullptr);
    // Next stored attribute name (ELXP_NAME), else the end of the tag from the input:
    // ELXP_START_TAG_END, ELXP_END_TAG ("/>", or "?>" for a processing instruction), ELXP_ERROR,
    // or ELXP_END_OF_INPUT when the input ends inside the tag (reported as well).
    elxp_xml_event get_attribute_name(std::string* name, bool in_processing_instruction = false);
    // Value of the attribute named last, references expanded, in `mode`; false when unreadable.
    bool get_attribute_value(std::string* value, elmx_whitespace mode = ELMX_WHITESPACE_PRESERVE);
    // Passes over the value of the attribute named last.
    void skip_attribute_value();

    // --- Element content (the current event is the element's start tag).
    // Reads to the end of the start tag; `is_empty` tells whether it was "/>".
    bool skip_start_tag(bool* is_empty);
    // Simple text content checked to end with `name`'s end tag.
    bool get_simple_type_value(const std::string& name, elmx_whitespace mode, std::string* value,
                               elmx_error* error, bool* is_empty);
    // The common case of get_simple_type_value: the rest of the start tag, ">", a text that
    // `mode` leaves as it stands and "</" `name` ">", shown whole in the input's window, are
    // taken and `*text` views the text in the window until the next read; otherwise reads
    // nothing.
    bool take_simple_value_in_window(const std::string& name, elmx_whitespace mode, std::string_view* text);
    // Content of any type, markup included, as text.
    bool get_element_ur_value(const std::string& name, std::string* value, elmx_error* error, bool* is_empty);
    // Content up to the element's end tag as text; its name goes to `end_name`.
    bool get_nested_element_value(std::string* value, std::string* end_name,
                                  elmx_whitespace mode = ELMX_WHITESPACE_PRESERVE, bool unused = false);
    // Appends the text up to the next tag; comments, PIs and CDATA are handled on the way.
    bool get_element_value(std::string* value, elmx_whitespace mode, bool expand_references = true);
    // The whole current element, start tag to end tag, as text.
    bool get_any_element(const std::string& name, std::string* value,
                         elmx_whitespace mode = ELMX_WHITESPACE_PRESERVE, bool unused = false);
    bool skip_rest_of_element(const std::string& name);
    bool skip_rest_of_empty_element(const std::string& name);
    // Skips content to `name`'s end tag, nested elements included.
    bool skip_element_body(const std::string& name);
    // Whether "</" `name` ">" (white space allowed around) comes next.
    bool is_element_end_tag(const std::string& name);
    // Takes "</" `name` ">" when it comes next, whole in the input's window, for an ASCII
    // `name` read from a start tag; otherwise reads nothing.
    bool take_end_tag_in_window(const std::string& name);
    // After a start tag's ">": takes the text and "</" `name` ">" when the window shows them
    // whole and `mode` leaves the text as it stands, `*text` viewing the text in the window
    // until the next read; otherwise reads nothing.
    bool take_text_and_end_tag(const std::string& name, std::string_view* text, elmx_whitespace mode);

    // --- Entities declared before reading.
    void add_general_entity(const char* name, const char* value);
    void add_parameter_entity(const char* name, const char* value);

    int get_line_num() const;
    int get_column_num() const;
    // Where the "<" of the last tag get_element_name read stands, once note_tag_places is on.
    void note_tag_places(bool on);
    int get_tag_line() const { return m_tag_line; }
    int get_tag_column() const { return m_tag_column; }
    const char* get_source_id() const;
    bool is_open() const { return m_source.is_open(); }
    // Back to the first byte: clears the namespace table, entities, DTD and decoder state.
    void rewind();

protected:
    // Defined where the lexer's class is known (the reader's own sources).
    inline c_get_for_xml& lexer();
    inline const c_get_for_xml& lexer() const;
    size_t get_attribute_read_position() const { return m_attribute_pos; }
    const char* get_attribute_data() const { return m_attributes.data(); }
    // Walks stored attributes from the first one again.
    void restart_attributes();
    // Entry of the ordinary store at `pos`: name, quote, raw value; false at the store's end.
    bool attribute_at(size_t* pos, const char** name, char* quote, const char** raw) const;
    // Expands references of a stored raw value and applies `mode`.
    bool expand_attribute_value(size_t raw_pos, std::string* value, elmx_whitespace mode);
    // The document bounds of reader_limits.hpp.
    enum e_limit {
        LIMIT_DEPTH,
        LIMIT_NAME_LENGTH,
        LIMIT_ATTRIBUTE_COUNT,
        LIMIT_ATTRIBUTE_LENGTH,
        LIMIT_TEXT_LENGTH
    };
    // Fatal report of a broken document bound; always false.
    bool fail_limit(e_limit limit);

private:
    inline c_internal_dtd& dtd();
    // Appends a name after its first byte to `name` (at most one byte past the name bound)
    // and returns the byte that ends it, taken from the input unless `leave_end`.
    int read_name(int first, std::string* name, bool leave_end = false);
    // Empties the attribute stores of the last start tag.
    void clear_attributes();
    bool collect_attributes(c_xml_local* scope);
    // Reads an attribute whose name's first byte is next into the stores.
    bool read_attribute(c_xml_local* scope);
    void bind_declaration(c_xml_local* scope, const char* prefix, const char* raw);
    void report_missing_quote(int c);
    void take_plain_value(int quote, std::string* store);
    bool read_end_tag_name(std::string* name);
    // Takes the rest of the end tag "</" `name` ">" after its "<" when the window shows it.
    bool take_expected_end_tag(const std::string& name);
    bool copy_start_tag_rest(std::string* out, bool* is_empty);
    bool capture_content(std::string* value, std::string* end_name, elmx_whitespace mode);
    bool report_mismatch(const std::string& start_name, const std::string& end_name);
    void skip_to_tag_end();

    // The lexer and the DTD reader, held by value but built and used only by the reader's own
    // sources, so that their classes stay out of the installed headers (xml.cpp checks the sizes).
    static constexpr size_t k_lexer_size = 408;
    static constexpr size_t k_dtd_size = sizeof(void*);
    alignas(void*) unsigned char m_lexer[k_lexer_size];
    bool m_note_tag_places = false;
    int m_tag_line = 0;
    int m_tag_column = 0;
    alignas(void*) unsigned char m_dtd[k_dtd_size];
    c_enumerated_namespaces m_namespaces;
    // name \0 quote raw-value \0 ... \0
    std::string m_attributes;
    size_t m_attribute_pos;
    bool m_value_pending;
    // name \0 quote raw-value \0 ...
    std::string m_declarations;
    std::string m_prefix;
    std::string m_scratch;
    c_read& m_source;
};

} // namespace lmx

#endif
