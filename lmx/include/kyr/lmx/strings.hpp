// Conversions between the runtime's UTF-8 narrow strings and the UTF-16 wide
// strings that schema classes hold.
//
// A std::wstring always holds UTF-16 code units, whatever the width of
// wchar_t: where wchar_t has 32 bits (Linux) a character outside the Basic
// Multilingual Plane still occupies two elements, a high and a low surrogate.
// That keeps every algorithm on wide strings identical on all platforms. Text
// produced from UTF-8 follows that rule. When converting to UTF-8, a single
// element holding a code point above FFFF (as a caller on a 32-bit wchar_t
// platform may write it) is accepted too and encoded as four bytes; an element
// above 10FFFF, which no encoding can carry, becomes U+FFFD.
#ifndef KYR_LMX_STRINGS_HPP
#define KYR_LMX_STRINGS_HPP

#include <kyr/export.hpp>

#include <cstddef>
#include <string>
#include <string_view>

namespace lmx {

// UTF-8 to UTF-16. Decoding stops, keeping what was produced, at an invalid
// lead byte, a truncated sequence, a bad continuation byte, or a high
// surrogate not followed by a low one; a high surrogate at the very end is
// dropped. Overlong forms are accepted. Returns out.
KYR_API std::wstring& vtostring(std::wstring& out, const std::string& in);
KYR_API std::wstring& convert(std::wstring* out, const std::string& in);
// The same conversion; false when it stopped before the end of `in` (or dropped
// a final high surrogate), so that `out` holds only part of the text.
KYR_API bool convert_whole(std::wstring* out, std::string_view in);

// Narrow to narrow: a plain copy. Returns out.
KYR_API std::string& vtostring(std::string& out, const std::string& in);

// UTF-16 to UTF-8 without any escaping. A surrogate pair becomes one four-byte
// sequence; a surrogate without its partner is encoded on its own as three
// bytes and the conversion carries on with the next unit. Returns *out.
KYR_API std::string& convert(std::string* out, const std::wstring& in);

KYR_API std::string convert_to_narrow(const std::wstring& in);
KYR_API std::wstring convert_to_wide(const std::string& in);

// Compares at most n characters of s starting at pos with the zero-terminated
// t, as std::string::compare does; a pos past the end compares as the empty
// text and a null t as "".
KYR_API int stringncompare(const std::string& s, const char* t, std::size_t pos, std::size_t n);

} // namespace lmx

#endif
