// The outcome of writing a whole document to a string: its text and its code.
#ifndef KYR_SCHEMA_DOCUMENT_RESULT_HPP
#define KYR_SCHEMA_DOCUMENT_RESULT_HPP

#include <kyr/export.hpp>

#include <string>
#include <utility>

#include <kyr/lmx/error.hpp>

namespace com_kyrandel_v2 {

class KYR_API XMLDocumentResult
{
public:
    // `xml_document` is the document as UTF-16 text, empty when the write failed.
    XMLDocumentResult(std::wstring xml_document, lmx::elmx_error error)
        : m_xml_document(std::move(xml_document)), m_error(error)
    {
    }

    const std::wstring& getXmlDocument() const { return m_xml_document; }
    lmx::elmx_error getElmxError() const { return m_error; }

private:
    std::wstring m_xml_document;
    lmx::elmx_error m_error;
};

} // namespace com_kyrandel_v2

#endif
