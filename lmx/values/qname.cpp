// Storing QName values in their four target forms.
#include <kyr/lmx/qname.hpp>

#include <kyr/lmx/strings.hpp>

namespace lmx {

void make_qname(std::string* out, const std::string& text, const std::string&, const std::string&)
{
    *out = text;
}

void make_qname(std::wstring* out, const std::string& text, const std::string&, const std::string&)
{
    convert(out, text);
}

void make_qname(ct_qname<std::string>* out, const std::string&, const std::string& ns,
                const std::string& local)
{
    out->first = ns;
    out->second = local;
}

void make_qname(ct_qname<std::wstring>* out, const std::string&, const std::string& ns,
                const std::string& local)
{
    convert(&out->first, ns);
    convert(&out->second, local);
}

} // namespace lmx
