// UTF-8 <-> UTF-16 conversion of the runtime's strings.
#include <kyr/lmx/strings.hpp>

#include "utf8_encode.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace lmx {

namespace {

// Decodes the sequence at s (of length len, already checked to fit) and
// returns false when a continuation byte is malformed.
bool decode_sequence(const char* s, int len, std::uint32_t* value)
{
    static const unsigned char lead_mask[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    std::uint32_t v = static_cast<unsigned char>(s[0]) & lead_mask[len];
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[k]);
        if ((b & 0xC0) != 0x80)
            return false;
        v = (v << 6) | (b & 0x3F);
    }
    *value = v;
    return true;
}

bool is_ascii(std::string_view text)
{
    constexpr std::uint64_t k_top_bits = 0x8080808080808080;
    std::size_t i = 0;
    for (std::uint64_t word; text.size() - i >= 8; i += 8) {
        std::memcpy(&word, text.data() + i, sizeof word);
        if ((word & k_top_bits) != 0)
            return false;
    }
    for (; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return false;
    return true;
}

// Decoded units collect here and join the string in runs, which costs less
// than growing it by one unit at a time.
class c_unit_runs
{
public:
    explicit c_unit_runs(std::wstring& out) : m_out(out) {}
    ~c_unit_runs() { flush(); }
    c_unit_runs(const c_unit_runs&) = delete;
    c_unit_runs& operator=(const c_unit_runs&) = delete;

    // Copies the ASCII bytes from p on, as many as the run has room for, and
    // returns the first byte not copied.
    const char* put_ascii(const char* p, const char* end)
    {
        if (m_count == k_run)
            flush();
        const char* const stop =
            p + std::min<std::size_t>(k_run - m_count, static_cast<std::size_t>(end - p));
        wchar_t* unit = m_units + m_count;
        // Eight bytes at a time while none has its top bit set.
        constexpr std::uint64_t k_top_bits = 0x8080808080808080;
        for (std::uint64_t word; stop - p >= 8; p += 8, unit += 8) {
            std::memcpy(&word, p, sizeof word);
            if ((word & k_top_bits) != 0)
                break;
            for (int k = 0; k < 8; ++k)
                unit[k] = static_cast<wchar_t>(p[k]);
        }
        for (; p < stop && static_cast<unsigned char>(*p) < 0x80; ++p)
            *unit++ = static_cast<wchar_t>(*p);
        m_count = static_cast<std::size_t>(unit - m_units);
        return p;
    }
    void put(std::uint32_t unit)
    {
        if (m_count == k_run)
            flush();
        m_units[m_count++] = static_cast<wchar_t>(unit);
    }

private:
    static constexpr std::size_t k_run = 256;

    void flush()
    {
        m_out.append(m_units, m_count);
        m_count = 0;
    }

    std::wstring& m_out;
    wchar_t m_units[k_run];
    std::size_t m_count = 0;
};

} // namespace

namespace {

// The decoding of vtostring; true when it reached the end of `in` with nothing dropped.
bool decode_utf8(std::wstring& out, std::string_view in)
{
    // Most texts are ASCII: widened in one pass into a string of their exact size.
    if (is_ascii(in)) {
        out = std::wstring(in.begin(), in.end());
        return true;
    }
    out.clear();
    out.reserve(in.size());
    c_unit_runs units(out);
    std::uint32_t held_high = 0;
    const char* p = in.data();
    const char* const end = p + in.size();
    while (p < end) {
        const auto lead = static_cast<unsigned char>(*p);
        if (lead < 0x80 && held_high == 0) {
            p = units.put_ascii(p, end);
            continue;
        }
        const int len = detail::utf8_sequence_length(lead);
        std::uint32_t v = 0;
        if (len == 0 || end - p < len || !decode_sequence(p, len, &v))
            break;
        p += len;
        if (held_high != 0) {
            if (!detail::is_low_surrogate(v))
                break;
            units.put(held_high);
            units.put(v);
            held_high = 0;
        } else if (detail::is_high_surrogate(v)) {
            held_high = v;
        } else if (v > 0xFFFF) {
            units.put(0xD800 + (((v - 0x10000) >> 10) & 0x3FF));
            units.put(0xDC00 + (v & 0x3FF));
        } else {
            units.put(v);
        }
    }
    return p == end && held_high == 0;
}

} // namespace

std::wstring& vtostring(std::wstring& out, const std::string& in)
{
    decode_utf8(out, in);
    return out;
}

std::wstring& convert(std::wstring* out, const std::string& in)
{
    return vtostring(*out, in);
}

bool convert_whole(std::wstring* out, std::string_view in)
{
    return decode_utf8(*out, in);
}

std::string& vtostring(std::string& out, const std::string& in)
{
    out = in;
    return out;
}

std::string& convert(std::string* out, const std::wstring& in)
{
    std::string& s = *out;
    s.clear();
    s.reserve(in.size());
    char buf[4];
    for (std::size_t i = 0; i < in.size(); ++i) {
        std::uint32_t u = detail::unit_value(in[i]);
        if (detail::is_high_surrogate(u) && i + 1 < in.size()
            && detail::is_low_surrogate(detail::unit_value(in[i + 1]))) {
            u = detail::join_surrogates(u, detail::unit_value(in[i + 1]));
            ++i;
        }
        s.append(buf, detail::put_utf8(buf, u));
    }
    return s;
}

std::string convert_to_narrow(const std::wstring& in)
{
    std::string out;
    convert(&out, in);
    return out;
}

std::wstring convert_to_wide(const std::string& in)
{
    std::wstring out;
    convert(&out, in);
    return out;
}

int stringncompare(const std::string& s, const char* t, std::size_t pos, std::size_t n)
{
    if (pos > s.size())
        pos = s.size();
    return s.compare(pos, n, t != nullptr ? t : "");
}

} // namespace lmx
