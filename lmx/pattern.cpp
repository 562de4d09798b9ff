// Pattern facets over the XML Schema regular-expression engine of libxml2.
#include <kyr/lmx/pattern.hpp>

#include <kyr/lmx/strings.hpp>

#include <libxml/globals.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlregexp.h>

namespace lmx {
namespace {

extern "C" void ignore_generic_error(void*, const char*, ...) {}
extern "C" void ignore_structured_error(void*, xmlErrorPtr) {}

// The engine prints compile errors through the calling thread's error handlers; a bad
// expression is reported by matching nothing, so silence them while compiling.
class c_quiet_libxml_errors
{
public:
    c_quiet_libxml_errors()
        : m_generic(xmlGenericError), m_generic_context(xmlGenericErrorContext),
          m_structured(xmlStructuredError), m_structured_context(xmlStructuredErrorContext)
    {
        xmlSetGenericErrorFunc(nullptr, ignore_generic_error);
        xmlSetStructuredErrorFunc(nullptr, ignore_structured_error);
    }
    ~c_quiet_libxml_errors()
    {
        xmlSetGenericErrorFunc(m_generic_context, m_generic);
        xmlSetStructuredErrorFunc(m_structured_context, m_structured);
    }
    c_quiet_libxml_errors(const c_quiet_libxml_errors&) = delete;
    c_quiet_libxml_errors& operator=(const c_quiet_libxml_errors&) = delete;

private:
    xmlGenericErrorFunc m_generic;
    void* m_generic_context;
    xmlStructuredErrorFunc m_structured;
    void* m_structured_context;
};

// Strict UTF-8 (no overlong forms, no surrogates, nothing above 10FFFF) up to the first
// zero byte, which is where the engine stops reading. The engine loops forever on some
// malformed sequences inside a character class, so nothing malformed may reach it.
bool is_well_formed_utf8(const std::string& text)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text.c_str());
    while (*p != 0) {
        const unsigned char lead = *p++;
        if (lead < 0x80)
            continue;
        int continuations;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            continuations = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            continuations = 2;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            continuations = 3;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        // The first continuation byte carries the range limits; a zero byte fails here too.
        if (*p < low || *p > high)
            return false;
        ++p;
        for (int i = 1; i < continuations; ++i, ++p)
            if (*p < 0x80 || *p > 0xBF)
                return false;
    }
    return true;
}

_xmlRegexp* compile(const std::string& expression)
{
    if (!is_well_formed_utf8(expression))
        return nullptr;
    c_quiet_libxml_errors quiet;
    return xmlRegexpCompile(reinterpret_cast<const xmlChar*>(expression.c_str()));
}

} // namespace

c_regex::c_regex(const std::string& expression) : m_compiled(compile(expression)) {}

c_regex::~c_regex()
{
    xmlRegFreeRegexp(m_compiled);
}

// Only a positive result is a match: a negative one is an engine failure, which must
// not let the value through.
bool c_regex::is_match(const std::string& value) const
{
    if (m_compiled == nullptr || !is_well_formed_utf8(value))
        return false;
    return xmlRegexpExec(m_compiled, reinterpret_cast<const xmlChar*>(value.c_str())) > 0;
}

c_pattern::c_pattern(const char* expression) : m_regex(expression != nullptr ? expression : "") {}

c_pattern::c_pattern(const char* expression, quick_check quick) : c_pattern(expression)
{
    m_quick = quick;
}

bool c_pattern::is_match(std::string_view value) const
{
    if (m_quick) {
        const int answer = m_quick(value);
        if (answer >= 0)
            return answer == 1;
    }
    // The engine reads a zero-terminated text.
    return m_regex.is_match(std::string(value));
}

bool c_pattern::is_match(const std::wstring& value) const
{
    std::string utf8;
    convert(&utf8, value);
    return is_match(std::string_view(utf8));
}

} // namespace lmx
