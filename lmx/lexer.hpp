// The XML-aware character stream: white-space modes, comments, processing instructions,
// the XML declaration, CDATA, character and entity references, the end of a start tag.
#ifndef KYR_LMX_LEXER_HPP
#define KYR_LMX_LEXER_HPP

#include <cstddef>
#include <cstdint>
#include <string>

#include <kyr/lmx/whitespace.hpp>

#include "entity_name_reader.hpp"
#include "name_chars.hpp"

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

// The length of the run of spaces, tabs and line feeds that starts `run`, counted sixteen or
// eight bytes at a time over the whole words of the `available` bytes, and its line feeds. A
// run that goes on past the last whole word is counted up to that word's end.
inline size_t white_space_words(const unsigned char* run, size_t available, int* line_feeds)
{
    constexpr std::uint64_t k_ones = 0x0101010101010101u;
    constexpr std::uint64_t k_low = 0x7f7f7f7f7f7f7f7fu;
    constexpr std::uint64_t k_tops = 0x8080808080808080u;
    // The top bit of every byte that is not 0; no byte carries into the next.
    const auto nonzero = [](std::uint64_t x) { return ((x & k_low) + k_low) | x; };
    // The number of top bits set in `flags`, one a byte.
    const auto count = [](std::uint64_t flags) { return static_cast<int>(((flags >> 7) * k_ones) >> 56); };
    size_t length = 0;
    int feeds = 0;
#if defined(__SSE2__)
    // Sixteen bytes at once where the processor can: one block holds nearly every run.
    for (; available - length >= 16; length += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(run + length));
        const __m128i feed = _mm_cmpeq_epi8(x, _mm_set1_epi8('\n'));
        const __m128i blank =
            _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('\t')), _mm_cmpeq_epi8(x, _mm_set1_epi8(' ')));
        const unsigned other = ~static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(feed, blank))) & 0xffffu;
        unsigned feeds_here = static_cast<unsigned>(_mm_movemask_epi8(feed));
        if (other != 0)
            feeds_here &= (other & (~other + 1)) - 1;
        for (; feeds_here != 0; feeds_here &= feeds_here - 1)
            ++feeds;
        if (other != 0) {
            *line_feeds = feeds;
            return length + static_cast<size_t>(__builtin_ctz(other));
        }
    }
#endif
    for (; available - length >= 8; length += 8) {
        const std::uint64_t x = little_endian_word<std::uint64_t>(run + length);
        const std::uint64_t not_feed = nonzero(x ^ (k_ones * '\n'));
        const std::uint64_t other =
            not_feed & nonzero(x ^ (k_ones * '\t')) & nonzero(x ^ (k_ones * ' ')) & k_tops;
        const std::uint64_t feeds_here = ~not_feed & k_tops;
        if (other != 0) {
            *line_feeds = feeds + count(feeds_here & ((other & (~other + 1)) - 1));
            return length + bytes_before_flag(other);
        }
        feeds += count(feeds_here);
    }
    *line_feeds = feeds;
    return length;
}

class c_get_for_xml : public c_get_with_entities
{
public:
    // `char_ref_ws_obeys_mode`: white space given by a character reference follows the
    // white-space mode like any other character (the reader sets it).
    c_get_for_xml(c_read& source, c_error& error, bool char_ref_ws_obeys_mode);

    // Skips white space and returns the first other byte (or -1).
    int get_non_ws()
    {
        size_t length = 0;
        int line_feeds = 0;
        if (const int plain = indentation_in_window(&length, &line_feeds)) {
            take_run(length + 1, line_feeds);
            return plain;
        }
        return get_non_ws_bytewise();
    }
    // Skips white space and returns the first other byte (or -1) without taking it.
    int peek_non_ws()
    {
        size_t length = 0;
        int line_feeds = 0;
        if (const int plain = indentation_in_window(&length, &line_feeds)) {
            take_run(length, line_feeds);
            return plain;
        }
        return peek_non_ws_bytewise();
    }

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
    // The white space at the start of the window and the plain byte after it (neither taken),
    // with the run's line feeds; 0 when the window does not show both.
    // Indentation is a line feed and a few tabs or spaces: one word holds most runs.
    int indentation_in_window(size_t* length, int* line_feeds)
    {
        size_t available = 0;
        const unsigned char* run = peek_run(&available);
        if (available != 0 && is_plain_byte(run[0]))
            return run[0];
        *length = white_space_words(run, available, line_feeds);
        return *length < available && is_plain_byte(run[*length]) ? run[*length] : 0;
    }
    static bool is_plain_byte(unsigned char c) { return c > ' ' && c < 0x7f; }
    // Takes the white space the window shows and returns the plain byte after it, left in
    // place; -2 when the window cannot show one.
    int skip_ws_in_window();
    int get_non_ws_bytewise();
    int peek_non_ws_bytewise();
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
