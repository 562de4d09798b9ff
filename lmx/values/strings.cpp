// UTF-8 <-> UTF-16 conversion of the runtime's strings.
#include <kyr/lmx/strings.hpp>

#include "utf8_encode.hpp"

#include <cstring>

namespace lmx {

namespace {

// Decodes the sequence at s[i] (of length len, already checked to fit) and
// returns false when a continuation byte is malformed.
bool decode_sequence(const std::string& s, std::size_t i, int len, std::uint32_t* value)
{
    static const unsigned char lead_mask[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    std::uint32_t v = static_cast<unsigned char>(s[i]) & lead_mask[len];
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return false;
        v = (v << 6) | (b & 0x3F);
    }
    *value = v;
    return true;
}

} // namespace

std::wstring& vtostring(std::wstring& out, const std::string& in)
{
    out.clear();
    out.reserve(in.size());
    std::uint32_t held_high = 0;
    std::size_t i = 0;
    while (i < in.size()) {
        const int len = detail::utf8_sequence_length(static_cast<unsigned char>(in[i]));
        std::uint32_t v = 0;
        if (len == 0 || in.size() - i < static_cast<std::size_t>(len) || !decode_sequence(in, i, len, &v))
            break;
        i += len;
        if (held_high != 0) {
            if (!detail::is_low_surrogate(v))
                break;
            out.push_back(static_cast<wchar_t>(held_high));
            out.push_back(static_cast<wchar_t>(v));
            held_high = 0;
        } else if (detail::is_high_surrogate(v)) {
            held_high = v;
        } else if (v > 0xFFFF) {
            out.push_back(static_cast<wchar_t>(0xD800 + (((v - 0x10000) >> 10) & 0x3FF)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (v & 0x3FF)));
        } else {
            out.push_back(static_cast<wchar_t>(v));
        }
    }
    return out;
}

std::wstring& convert(std::wstring* out, const std::string& in)
{
    return vtostring(*out, in);
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
        if (detail::is_high_surrogate(u) && i + 1 < in.size() && detail::is_low_surrogate(detail::unit_value(in[i + 1]))) {
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
