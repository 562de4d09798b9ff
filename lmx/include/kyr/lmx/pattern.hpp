// Pattern facets: XML Schema regular expressions, matched against whole values.
#ifndef KYR_LMX_PATTERN_HPP
#define KYR_LMX_PATTERN_HPP

#include <kyr/export.hpp>

#include <string>
#include <string_view>

struct _xmlRegexp;

namespace lmx {

// Owns one compiled expression; an expression that does not compile, or is not
// well-formed UTF-8, matches nothing.
class KYR_API c_regex
{
public:
    explicit c_regex(const std::string& expression);
    virtual ~c_regex();
    c_regex(const c_regex&) = delete;
    c_regex& operator=(const c_regex&) = delete;

    // True when the whole UTF-8 `value` (up to its first zero byte) matches; false for an
    // uncompiled expression, for a value that is not well-formed UTF-8, and when the
    // engine reports a failure.
    bool is_match(const std::string& value) const;

private:
    _xmlRegexp* m_compiled;
};

class KYR_API c_pattern
{
public:
    // A hand-written check of one expression: 1 for a match, 0 for none, -1 when the
    // value is beyond what it decides exactly as the expression would.
    using quick_check = int (*)(std::string_view value);

    explicit c_pattern(const char* expression); // null is the empty expression
    // The expression, with a quick check tried before the engine.
    c_pattern(const char* expression, quick_check quick);

    bool is_match(std::string_view value) const;
    // Converts UTF-16 `value` to UTF-8, then matches.
    bool is_match(const std::wstring& value) const;

private:
    c_regex m_regex;
    quick_check m_quick = nullptr;
};

} // namespace lmx

#endif
