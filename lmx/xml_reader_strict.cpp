// The strict check of a reader: the whole document is read once and checked before the
// first event, then read again from its first byte.
#include <kyr/lmx/xml_reader.hpp>

namespace lmx {

bool c_xml_reader::check_strictly()
{
    m_strict_checked = true;
    std::string bytes;
    for (int byte; (byte = m_strict_source.next_byte()) >= 0;) {
        if (bytes.size() == k_max_strict_document_length) {
            m_strict_fault.code = ELMX_NOT_WELL_FORMED;
            m_strict_fault.line = 1;
            m_strict_fault.column = 1;
            m_strict_fault.message = "a document too long for the strict check";
            break;
        }
        bytes.push_back(static_cast<char>(byte));
    }
    m_strict_source.rewind();
    if (m_strict_fault.code == ELMX_OK && check_well_formed(bytes, &m_strict_fault) == ELMX_OK)
        return true;
    m_errors.error(ELMX_ERROR_TYPE_FATAL, m_strict_fault.code, get_source_id(),
                   static_cast<int>(m_strict_fault.line), m_strict_fault.message.c_str());
    return false;
}

} // namespace lmx
