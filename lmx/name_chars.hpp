// Bytes of element and attribute names as the reader reads them.
#ifndef KYR_LMX_NAME_CHARS_HPP
#define KYR_LMX_NAME_CHARS_HPP

#include <kyr/lmx/lexer.hpp>

namespace lmx {

// ASCII letters, "_", ":" and every byte of a non-ASCII character.
inline bool is_name_start_char(int c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 128;
}

// Name starters plus digits, "." and "-".
inline bool is_name_char(int c) { return is_entity_name_char(c); }

} // namespace lmx

#endif
