// The reader's binding error channel and its view of the lexical collector.
#include <kyr/lmx/xml_reader.hpp>

#include <cstdio>

namespace lmx {

elmx_error c_xml_reader::handle_error(elmx_error code, const std::string& item_name, const char* file,
                                      int line)
{
    m_handled_error = code;
    m_error_item_name = item_name;
    m_handled_error = m_error_sink ? m_error_sink->take(*this, code, item_name)
                                   : user_handle_error(code, item_name, file, line);
    return m_handled_error;
}

elmx_error c_xml_reader::user_handle_error(elmx_error code, const std::string&, const char*, int)
{
    return user_handle_error(code);
}

elmx_error c_xml_reader::user_handle_error(elmx_error code)
{
    return code;
}

std::string& c_xml_reader::get_error_message(std::string* message) const
{
    if (m_handled_error == ELMX_OK) {
        *message = get_error_description(ELMX_OK);
        return *message;
    }
    char line[32];
    // A strict reader's fault was found before the lexer read anything.
    const int line_no =
        m_strict_fault.code != ELMX_OK ? static_cast<int>(m_strict_fault.line) : get_line_num();
    std::snprintf(line, sizeof line, "line:%d-'", line_no);
    message->assign(line)
        .append(m_error_item_name)
        .append("'-")
        .append(get_error_description(m_handled_error));
    return *message;
}

elmx_error c_xml_reader::get_error() const
{
    return m_errors.get_last_error();
}

bool c_xml_reader::get_error_info(elmx_error_type* type, elmx_error* code, int* line) const
{
    return m_errors.get_error_info(type, code, line);
}

} // namespace lmx
