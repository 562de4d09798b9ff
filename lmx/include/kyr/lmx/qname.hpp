// Qualified-name values: a namespace text and a local name.
#ifndef KYR_LMX_QNAME_HPP
#define KYR_LMX_QNAME_HPP

#include <kyr/export.hpp>

#include <string>

namespace lmx {

template <typename S>
struct ct_qname
{
    S first;  // namespace
    S second; // local name
};

// Stores a QName value read as (text, namespace, local name). The plain string
// targets receive the text as written; the pair targets receive the namespace
// and the local name. Wide targets get UTF-16.
KYR_API void make_qname(std::string* out, const std::string& text, const std::string& ns,
                        const std::string& local);
KYR_API void make_qname(std::wstring* out, const std::string& text, const std::string& ns,
                        const std::string& local);
KYR_API void make_qname(ct_qname<std::string>* out, const std::string& text, const std::string& ns,
                        const std::string& local);
KYR_API void make_qname(ct_qname<std::wstring>* out, const std::string& text, const std::string& ns,
                        const std::string& local);

} // namespace lmx

#endif
