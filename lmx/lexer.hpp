// The XML-aware character stream: white-space modes, comments, processing instructions,
// the XML declaration, CDATA, character and entity references, the end of a start tag.
#ifndef KYR_LMX_LEXER_HPP
#define KYR_LMX_LEXER_HPP

#include <string>

#include <kyr/lmx/whitespace.hpp>

#include "entity_name_reader.hpp"

namespace lmx {

// HT, LF, VT, FF, CR and space, as the "C" locale has them.
inline bool is_xml_ws(int c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Bytes that make up entity names: ASCII letters and digits, ".", "-", "_", ":" and every
// byte from 128 up (so any non-ASCII character).
inline bool is_entity_name_char(int c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-'
        || c == '_' || c == ':' || c >= 128;
}

class c_get_for_xml : public c_get_with_entities
{
public:
    // `char_ref_ws_obeys_mode`: white space given by a character reference follows the
    // white-space mode like any other character (the reader sets it).
    c_get_for_xml(c_read& source, c_error& error, bool char_ref_ws_obeys_mode);

    // Skips white space and returns the first other byte (or -1).
    int get_non_ws();
    // Skips white space and returns the first other byte (or -1) without taking it.
    int peek_non_ws();

    // Sets the mode and forgets a pending collapsed space.
    void set_ws_mode(elmx_whitespace mode)
    {
        m_ws_mode = mode;
        m_space_pending = false;
    }
    elmx_whitespace get_ws_mode() const { return m_ws_mode; }
    // Forgets a pending collapsed space (call before each new value).
    void reset_ws_mode() { m_space_pending = false; }
    // Appends `c` to `out` as the white-space mode says; `from_char_ref` when a character
    // reference gave it.
    void add_char_wsp(std::string* out, int c, bool from_char_ref = false);

    // Reads one byte per character of `s`; false at the first difference (that byte is
    // consumed, see get_last_mismatch), true when all match or `s` is empty.
    bool read_specified_string_from_input(const char* s);
    // The byte that broke the last failed read_specified_string_from_input.
    int get_last_mismatch() const { return m_last_mismatch; }

    // After "<!--": skips to the "-->"; a longer run of "-" before ">" is a warning.
    // False at the end of input.
    bool skip_comment();
    // Skips to "?>"; false at the end of input.
    bool skip_PI();
    // As skip_PI when `previous` was the byte just read (so "?" then ">" closes at once).
    bool skip_PI(int previous);
    // After "<?": the XML declaration (fatal once an element has been seen) or a processing
    // instruction skipped. False when either fails.
    bool read_PI();
    // After "<?xml": version, encoding and standalone, then "?>".
    bool read_xml_decl();
    // Optional white space, then a single- or double-quoted text without references.
    bool get_simple_quoted_value(std::string* value);
    // After "<![CDATA[": appends the text up to "]]>" unchanged. False when the input ended
    // first (the text read so far is kept; this is not reported).
    bool read_cdata_section(std::string* out);

    // Reads an entity name through `reader`; a ";" after it is consumed (`*had_semicolon`),
    // any other terminator pushed back.
    void read_entity_name(c_entity_name_reader& reader, std::string* name, bool* had_semicolon);
    // After "&#": appends the character a decimal or "x" hex reference names. False for no
    // digits, a value above k_max_char_reference, or zero.
    bool insert_character_entity(c_entity_name_reader& reader, std::string* out);
    // After "&": a character reference, a predefined entity (appended as is), or a declared
    // general entity, pushed on the entity stack when `reader` is from the input and else
    // expanded into `out` in place. An undeclared name is appended literally ("&name;") and
    // gives false; so do recursion and exceeding the expansion allowance (both fatal).
    bool insert_entity(c_entity_name_reader& reader, std::string* out);
    // Expands the stored text `text` into `out` through the white-space mode; each "&" or "%"
    // in it starts a nested reference, looked up as a general entity. Bounded like the entity
    // stack: a text already being expanded (here or on the stack) is a fatal recursion, every
    // byte counts against the expansion allowance, and nesting uses no call stack.
    bool expand_entity_text(const char* text, std::string* out);

    // Reads to the first ">" or "/" outside quotes; `*empty` tells "/>". A byte other than
    // white space between "/" and ">" is an error and gives false.
    bool move_to_start_tag_end(bool* empty = nullptr);

    // The reader's document state: a DOCTYPE was read; an element, end tag, text or the end
    // of input was returned. Kept here, cleared by the reader's rewind.
    bool is_dtd_read() const { return m_dtd_read; }
    void set_dtd_read(bool value) { m_dtd_read = value; }
    bool is_element_seen() const { return m_element_seen; }
    void set_element_seen(bool value) { m_element_seen = value; }

    // Clears the entities, the white-space mode and the pending space; rewinds the decoder.
    void rewind();

    // A collapsed space waiting in front of text appended without white-space handling.
    void flush_pending_space(std::string* out);

private:
    // Takes the white space the window shows and returns the plain byte after it, left in
    // place; -2 when the window cannot show one.
    int skip_ws_in_window();
    bool append_char_reference(long value, std::string* out);
    bool append_predefined(const std::string& name, std::string* out);
    bool read_reference(c_entity_name_reader& reader, char opener, std::string* out, const char** text);

    std::string m_digits;
    elmx_whitespace m_ws_mode = ELMX_WHITESPACE_PRESERVE;
    bool m_space_pending = false;
    const bool m_char_ref_ws_obeys_mode;
    int m_last_mismatch = -1;
    bool m_dtd_read = false;
    bool m_element_seen = false;
};

} // namespace lmx

#endif
