// Whitespace-separated items of list values.
#include <kyr/lmx/list_tokeniser.hpp>

#include <kyr/lmx/char_tests.hpp>

namespace lmx {
namespace {

bool is_blank(char c)
{
    return xisspace(static_cast<unsigned char>(c));
}

} // namespace

void c_xml_list_tokeniser::set(const std::string& text)
{
    m_text = text;
    m_position = 0;
}

bool c_xml_list_tokeniser::get(std::string* item)
{
    const std::size_t size = m_text.size();
    while (m_position < size && is_blank(m_text[m_position]))
        ++m_position;
    if (m_position == size)
        return false;
    const std::size_t start = m_position;
    while (m_position < size && !is_blank(m_text[m_position]))
        ++m_position;
    if (item != nullptr)
        item->assign(m_text, start, m_position - start);
    return true;
}

} // namespace lmx
