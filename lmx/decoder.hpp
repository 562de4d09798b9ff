// Character decoding: detects the document's encoding, turns every character into UTF-8
// bytes, folds line ends to a line feed and counts lines. Also the free UTF-8 helpers.
#ifndef KYR_LMX_DECODER_HPP
#define KYR_LMX_DECODER_HPP

#include <cstddef>
#include <string>

#include <kyr/lmx/error.hpp>
#include <kyr/lmx/limits.hpp>
#include <kyr/lmx/read.hpp>

namespace lmx {

// Writes the UTF-8 form of `c` and a terminating zero into `out` (room for five bytes);
// a negative value is stored as its low byte alone. Returns `out`.
char* unicode_char_to_utf8(int c, char* out);

// Decodes the sequence at `seq` into `*out`. False for a bad lead byte (`*out` = -1) or at
// the first byte that is not a continuation byte (`*out` then holds the partial value).
bool utf8_to_unicode_char(const char* seq, int* out);

// Checks the lead byte and, where it matters, the second byte of a UTF-8 sequence.
bool is_valid_utf8_char_sequence(const char* seq);

// Exchanges `n` bytes between `a` and `b`.
void bswap(void* a, void* b, size_t n);

// Last-in, first-out stack of up to k_unget_capacity pushed-back characters.
class c_unget_buffer
{
public:
    // A push onto a full stack is dropped.
    void unget(int c)
    {
        if (m_count < k_unget_capacity)
            m_slots[m_count++] = c;
    }
    // The most recent push; the stack must not be empty.
    int get() { return m_slots[--m_count]; }
    bool empty() const { return m_count == 0; }
    size_t size() const { return static_cast<size_t>(m_count); }
    void clear() { m_count = 0; }

private:
    int m_slots[k_unget_capacity] = {};
    int m_count = 0;
};

// What the first bytes (and the XML declaration) said the document's bytes are.
enum elmx_encoding : int {
    ELMX_ENCODING_UNDETERMINED = 0,
    ELMX_ENCODING_SINGLE_BYTE = 1, // ISO-8859-1 or US-ASCII
    ELMX_ENCODING_UTF8 = 2,
    ELMX_ENCODING_UTF16_BE = 3,
    ELMX_ENCODING_UTF16_LE = 4,
    ELMX_ENCODING_UCS2_BE = 5,
    ELMX_ENCODING_UCS2_LE = 6
};

// The document's bytes as UTF-8, one at a time, with line ends folded and counted.
class c_get_as_utf8
{
public:
    // Becomes the collector's current getter, so reports carry this decoder's lines.
    c_get_as_utf8(c_read& source, c_error& error);
    c_get_as_utf8(const c_get_as_utf8&) = delete;
    c_get_as_utf8& operator=(const c_get_as_utf8&) = delete;
    virtual ~c_get_as_utf8() = default;

    // The next UTF-8 byte as 0 to 255, or -1 at the end (for good after a fatal report).
    // Plain ASCII from a windowed source is handled here without a call.
    int get()
    {
        if (m_fast_path && m_unget.empty() && !m_pending && !m_error.is_fatal_errored()) {
            int c = m_source.next_byte();
            // Only the first byte of the window is looked at: a non-ASCII byte, a CR or a
            // LF after a CR needs the full algorithm.
            if (c >= 0 && c < 0x7f && c != '\r' && (c != '\n' || m_last != '\r')) {
                ++m_bytes_read;
                m_last = c;
                if (c == '\n')
                    ++m_line;
                return c;
            }
            return get_fetched(c);
        }
        return get_slow();
    }
    // Pushes `c` back; the next get returns it (at most k_unget_capacity pending).
    void unget(int c) { m_unget.unget(c); }

    // The bytes the next gets would return one by one, while they are ASCII below DEL and not CR:
    // the caller scans a run in place and takes it with take_run. Empty (with `*available`
    // 0) whenever get has to decode, and after a CR, whose LF is folded.
    const unsigned char* peek_run(size_t* available) const
    {
        const bool direct =
            m_fast_path && m_unget.empty() && !m_pending && m_last != '\r' && !m_error.is_fatal_errored();
        *available = direct ? m_source.window_size() : 0;
        return m_source.window();
    }
    // Takes the first `n` bytes of a run from peek_run, all ASCII below DEL and not CR, of which
    // `line_feeds` are LF.
    void take_run(size_t n, int line_feeds = 0)
    {
        if (n == 0)
            return;
        m_last = m_source.window()[n - 1];
        m_source.skip(n);
        m_bytes_read += n;
        m_line += line_feeds;
    }

    // Applies the encoding named in the XML declaration; false after a fatal report.
    bool set_encoding(const char* name);
    // Back to the first byte, encoding undetermined, line 1. The collector is untouched.
    void rewind();

    int get_line_num() const { return m_line; }
    // Columns are counted on request (a reader with an error sink) and only on the byte-wise
    // path, so that the fast paths never pay for them.
    void track_line_starts(bool on);
    // Column of the next byte to be read, counted in bytes of the source from 1 (1 while a
    // line end is pushed back), while line starts are tracked.
    int get_column_num() const
    {
        const size_t taken = m_bytes_read - m_line_start;
        return taken > m_unget.size() ? static_cast<int>(taken - m_unget.size()) + 1 : 1;
    }
    const char* get_source_id() const { return m_source.get_source_id(); }
    c_error& get_error_handler() const { return m_error; }
    elmx_encoding get_encoding() const { return m_encoding; }
    // Bytes taken from the source since construction or rewind.
    size_t get_bytes_read() const { return m_bytes_read; }

    // Report through the collector with this source's id and the current line.
    void error(elmx_error_type type, elmx_error code, const char* message);
    void error(elmx_error_type type, elmx_error code, const std::string& message);

private:
    int get_slow();
    // Continues get with the byte `c` already taken from the source (fast path miss).
    int get_fetched(int c);
    int deliver(int c);
    int fetch();
    int decode(int b);
    int source_byte();
    int detect(int b0);
    int decode_utf8(int lead);
    int decode_utf16(int b0);
    int read_unit(int b0);
    int deliver_code_point(int cp);
    int deliver_sequence(size_t length);
    void set_state(elmx_encoding state);
    int fail_encoding();
    void new_line()
    {
        ++m_line;
        m_line_start = m_bytes_read;
    }

    c_read& m_source;
    c_error& m_error;
    c_getter_error_binder m_binder;
    elmx_encoding m_encoding = ELMX_ENCODING_UNDETERMINED;
    int m_last = 0;
    c_unget_buffer m_unget;
    // UTF-8 bytes of the character being delivered: [m_pending, m_pending_end) still to come.
    unsigned char m_pending_buffer[7] = {};
    const unsigned char* m_pending = nullptr;
    const unsigned char* m_pending_end = nullptr;
    int m_line = 1;
    // m_bytes_read just past the last line end.
    size_t m_line_start = 0;
    bool m_track_line_starts = false;
    // A byte read ahead while detecting the encoding, decoded on the next fetch; -2 for none.
    int m_lookahead = -2;
    // Encoding is UTF-8 or single-byte, no lookahead waits and line starts are not tracked:
    // get may take ASCII inline.
    bool m_fast_path = false;
    size_t m_bytes_read = 0;
};

} // namespace lmx

#endif
