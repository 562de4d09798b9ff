// Document type declarations: the internal subset is read for its entity declarations;
// everything else is skipped and nothing external is ever fetched.
#ifndef KYR_LMX_DTD_HPP
#define KYR_LMX_DTD_HPP

#include <string>

#include "lexer.hpp"

namespace lmx {

// Pieces shared by DTD reading, working on the lexer.
class c_dtd_util
{
public:
    explicit c_dtd_util(c_get_for_xml& getter) : m_getter(getter) {}
    c_dtd_util(const c_dtd_util&) = delete;
    c_dtd_util& operator=(const c_dtd_util&) = delete;

    c_get_for_xml& getter() { return m_getter; }
    int get() { return m_getter.get(); }
    void unget(int c) { m_getter.unget(c); }

    // Skips white space, then takes bytes up to white space, ">" or the end (pushed back); a
    // "%" expands a parameter entity instead. False when that expansion fails.
    bool get_entity_value(std::string* value);
    // Skips white space, then reads a quoted entity value: "%" expands a parameter entity,
    // "&#" a character reference; other references are kept for later. False when no quote
    // opens it or an expansion fails.
    bool get_quoted_entity_value(std::string* value);
    // After "%": pushes the named parameter entity's text on the entity stack; an undeclared
    // name is reported and passed over (true). False on recursion.
    bool select_parameter_entity();

private:
    c_get_for_xml& m_getter;
};

// Reads <!DOCTYPE ...> with its internal subset.
class c_internal_dtd : public c_dtd_util
{
public:
    explicit c_internal_dtd(c_get_for_xml& getter) : c_dtd_util(getter) {}

    // Nothing to reset: declarations live in the lexer.
    void reset() {}
    // After "<!DOCTYPE": skips to "[" or ">", then reads the internal subset. Sets the
    // lexer's DTD-read flag on success. End of input is a fatal ELMX_UNEXPECTED_END_OF_MESSAGE.
    bool read_doctype_decl();
    // After "<!D" in front of an element: the rest of "DOCTYPE" and the declaration, refused
    // after the first element or a second time. False, skipped to the end of the tag, when
    // it is refused or broken.
    bool read_doctype();

private:
    bool read_subset();
    bool read_declaration();
    bool read_entity_decl();
    bool skip_declaration_rest();
    bool fail_end_of_input();
    void skip_to_tag_end(int last);
};

} // namespace lmx

#endif
