// The reader core's lexer and DTD reader, as the core's own sources reach them.
#ifndef KYR_LMX_XML_LEXER_HPP
#define KYR_LMX_XML_LEXER_HPP

#include <new>

#include <kyr/lmx/xml.hpp>

#include "dtd.hpp"

namespace lmx {

c_get_for_xml& c_xml::lexer()
{
    return *std::launder(reinterpret_cast<c_get_for_xml*>(m_lexer));
}

const c_get_for_xml& c_xml::lexer() const
{
    return *std::launder(reinterpret_cast<const c_get_for_xml*>(m_lexer));
}

c_internal_dtd& c_xml::dtd()
{
    return *std::launder(reinterpret_cast<c_internal_dtd*>(m_dtd));
}

} // namespace lmx

#endif
