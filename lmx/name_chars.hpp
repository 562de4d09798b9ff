// Bytes of element and attribute names as the reader reads them.
#ifndef KYR_LMX_NAME_CHARS_HPP
#define KYR_LMX_NAME_CHARS_HPP

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lmx {

namespace name_chars_detail {

constexpr unsigned char k_start = 1;
constexpr unsigned char k_name = 2;
constexpr unsigned char k_ascii_name = 4;

// One lookup per byte: names are the most read bytes of a document.
constexpr std::array<unsigned char, 256> make_table()
{
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c) {
        const bool start =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 128;
        const bool name = start || (c >= '0' && c <= '9') || c == '.' || c == '-';
        table[c] = static_cast<unsigned char>((start ? k_start : 0) | (name ? k_name : 0)
                                              | (name && c < 128 ? k_ascii_name : 0));
    }
    return table;
}

constexpr std::array<unsigned char, 256> k_table = make_table();

} // namespace name_chars_detail

// ASCII letters, "_", ":" and every byte of a non-ASCII character.
inline bool is_name_start_char(int c)
{
    return c >= 0 && c < 256 && (name_chars_detail::k_table[c] & name_chars_detail::k_start);
}

// Name starters plus digits, "." and "-".
inline bool is_name_char(int c)
{
    return c >= 0 && c < 256 && (name_chars_detail::k_table[c] & name_chars_detail::k_name);
}

// The name bytes that stand for themselves: one lookup for a byte of a run in place.
inline bool is_ascii_name_byte(unsigned char c)
{
    return (name_chars_detail::k_table[c] & name_chars_detail::k_ascii_name) != 0;
}

#if defined(__SSE2__)
// One bit for each of the sixteen bytes at `bytes` that is an ASCII name byte: a letter (the
// byte with bit 5 set is "a" to "z"), "-" to ":" but "/", or "_". Bytes from 128 up fail
// every range.
inline unsigned ascii_name_bits(const unsigned char* bytes)
{
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    // Whether each byte of `offset` is at most `last`, unsigned.
    const auto at_most = [](__m128i offset, char last) {
        return _mm_cmpeq_epi8(_mm_min_epu8(offset, _mm_set1_epi8(last)), offset);
    };
    const __m128i letter =
        at_most(_mm_sub_epi8(_mm_or_si128(x, _mm_set1_epi8(0x20)), _mm_set1_epi8('a')), 25);
    const __m128i punctuation_or_digit = _mm_andnot_si128(
        _mm_cmpeq_epi8(x, _mm_set1_epi8('/')), at_most(_mm_sub_epi8(x, _mm_set1_epi8('-')), ':' - '-'));
    const __m128i underscore = _mm_cmpeq_epi8(x, _mm_set1_epi8('_'));
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(letter, punctuation_or_digit), underscore)));
}
#endif

// The length of the run of ASCII name bytes at the start of `run`, at most `available`.
// Names average fifteen to twenty bytes: sixteen are tested at once where the processor can,
// else four per step, before the byte-wise tail.
inline std::size_t ascii_name_run(const unsigned char* run, std::size_t available)
{
    using name_chars_detail::k_table;
    std::size_t length = 0;
#if defined(__SSE2__)
    for (; available - length >= 16; length += 16) {
        const unsigned others = ~ascii_name_bits(run + length) & 0xffffu;
        if (others != 0)
            return length + static_cast<std::size_t>(__builtin_ctz(others));
    }
#endif
    while (length + 4 <= available
           && (k_table[run[length]] & k_table[run[length + 1]] & k_table[run[length + 2]]
               & k_table[run[length + 3]] & name_chars_detail::k_ascii_name))
        length += 4;
    while (length < available && is_ascii_name_byte(run[length]))
        ++length;
    return length;
}

// `sizeof(Word)` bytes as one number, the first in the lowest bits: the order that SWAR scans
// count bytes in and the name maps' generator hashes them in.
template <typename Word>
inline Word little_endian_word(const void* bytes)
{
    static_assert(sizeof(Word) == 4 || sizeof(Word) == 8, "a word is four or eight bytes");
    Word word;
    std::memcpy(&word, bytes, sizeof word);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    if (sizeof(Word) == 8)
        word = static_cast<Word>(__builtin_bswap64(word));
    else
        word = static_cast<Word>(__builtin_bswap32(static_cast<std::uint32_t>(word)));
#endif
    return word;
}

// The number of bytes before the first whose top bit `flags` sets (flags is not 0), in a
// word loaded by little_endian_word.
inline std::size_t bytes_before_flag(std::uint64_t flags)
{
#if defined(__GNUC__)
    return static_cast<std::size_t>(__builtin_ctzll(flags)) / 8;
#else
    std::size_t n = 0;
    for (; (flags & 0x80) == 0; flags >>= 8)
        ++n;
    return n;
#endif
}

namespace name_chars_detail {

inline std::uint64_t word_at(const char* bytes)
{
    return little_endian_word<std::uint64_t>(bytes);
}

// A word of bytes below DEL leaves the top bits clear, added to one in every byte or not (a
// carry out of one byte only follows a byte that set its top bit).
inline std::uint64_t del_or_above(std::uint64_t word)
{
    return (word | (word + 0x0101010101010101u)) & 0x8080808080808080u;
}

} // namespace name_chars_detail

// Whether the `length` bytes at `a` and `b` are the same and, with `below_del`, all below DEL.
// Names are a few words long: compared eight bytes at a time, the last word overlapping the
// one before, they cost less than a call to memcmp.
inline bool same_name(const char* a, const char* b, std::size_t length, bool below_del = false)
{
    using name_chars_detail::word_at;
    if (length < 8) {
        for (std::size_t i = 0; i < length; ++i)
            if (a[i] != b[i] || (below_del && static_cast<unsigned char>(a[i]) >= 0x7f))
                return false;
        return true;
    }
    std::uint64_t seen = 0;
    for (std::size_t i = 0; i + 8 < length; i += 8) {
        if (word_at(a + i) != word_at(b + i))
            return false;
        seen |= name_chars_detail::del_or_above(word_at(a + i));
    }
    if (word_at(a + length - 8) != word_at(b + length - 8))
        return false;
    seen |= name_chars_detail::del_or_above(word_at(a + length - 8));
    return !below_del || seen == 0;
}

// Makes `*to` the `length` bytes at `from`, which must not lie in it. Siblings and attributes
// bring the same name again and again into the same buffer: compared first, it is left as it
// is (clear and append otherwise: assign goes through a replace that allows for aliasing).
inline void set_name(std::string* to, const char* from, std::size_t length)
{
    if (to->size() == length && same_name(to->data(), from, length))
        return;
    to->clear();
    to->append(from, length);
}

} // namespace lmx

#endif
