// Internal: the grammar and the well-formedness constraints over decoded text.
#ifndef KYR_LMX_WELL_FORMED_CHECKER_HPP
#define KYR_LMX_WELL_FORMED_CHECKER_HPP

#include <kyr/lmx/error.hpp>

#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace lmx::well_formed {

class c_checker
{
public:
    explicit c_checker(const std::u32string& text) : m_text(&text) {}
    // ELMX_OK, or the first fault's code; then fault_offset() and fault_message() tell more.
    elmx_error check_document();
    std::size_t fault_offset() const { return m_fault_at; }
    const std::string& fault_message() const { return m_message; }

private:
    struct s_entity
    {
        bool external = false;
        bool unparsed = false;
        std::u32string value; // the replacement text of an internal entity
    };

    // -- Cursor
    bool at_end() const { return m_at >= m_text->size(); }
    char32_t peek(std::size_t ahead = 0) const
    {
        return m_at + ahead < m_text->size() ? (*m_text)[m_at + ahead] : U'\0';
    }
    bool looking_at(const char* ascii) const;
    bool take(const char* ascii);
    bool take_char(char32_t c);
    bool skip_space(); // true when some was skipped
    bool fail(elmx_error code, const char* message);

    // -- Lexical items
    bool read_name(std::u32string* name);
    bool read_nmtoken();
    bool read_quoted(std::u32string* value);
    bool read_char_ref(char32_t* c);
    bool is_qname(const std::u32string& name) const;
    bool is_ncname(const std::u32string& name) const { return name.find(U':') == std::u32string::npos; }

    // -- Prolog and DTD
    bool xml_declaration();
    bool misc(bool* taken);
    bool comment();
    bool processing_instruction();
    bool doctype();
    bool internal_subset(bool in_entity);
    bool markup_declaration();
    bool element_declaration();
    bool content_particle(int depth);
    bool attlist_declaration();
    bool entity_declaration();
    bool notation_declaration();
    bool external_id(bool public_alone);
    bool entity_value(std::u32string* value);
    bool parameter_reference_between_declarations();

    // -- Elements
    // Runs check over an internal entity's replacement text, then comes back after the
    // reference; faults inside are reported at the reference.
    bool within_entity(std::size_t reference_at, const std::u32string& name, const std::u32string& text,
                       const std::function<bool()>& check);
    bool element(int depth);
    // Content up to an end tag, or with whole_text (an entity's text) to the end of the text.
    bool content(int depth, bool whole_text);
    bool attribute_value(std::u32string* value);
    // The rest of a value up to quote, or with quote 0 to the end of the text.
    bool attribute_text(std::u32string* value, char32_t quote);
    bool reference_in_content(int depth);
    bool check_namespaces(const std::vector<std::pair<std::u32string, std::u32string>>& attributes,
                          const std::u32string& element_name);
    void bind(const std::u32string& prefix, const std::u32string& uri);
    const std::u32string* namespace_of(const std::u32string& prefix) const;
    bool entities_must_be_declared() const;

    const std::u32string* m_text;
    std::size_t m_at = 0;
    std::size_t m_outer_at = 0; // the reference's place while an entity's text is checked
    int m_entity_depth = 0;
    std::size_t m_expanded = 0; // characters of entity text checked so far
    elmx_error m_code = ELMX_OK;
    std::size_t m_fault_at = 0;
    std::string m_message;

    bool m_has_doctype = false;
    bool m_external_subset = false;
    bool m_parameter_references = false;
    bool m_standalone = false;
    bool m_declarations_skipped = false; // after a reference to a parameter entity not read
    std::map<std::u32string, s_entity> m_general;
    std::map<std::u32string, s_entity> m_parameter;
    std::vector<std::u32string> m_open_entities;
    std::set<std::u32string> m_tokenised; // "element attribute" of the types other than CDATA
    // The namespaces each prefix is bound to in scope, innermost last ("" for the default
    // namespace), and the prefixes in order of declaration, to undo at each element's end.
    std::map<std::u32string, std::vector<std::u32string>> m_bindings;
    std::vector<std::u32string> m_declared;
};

} // namespace lmx::well_formed

#endif
