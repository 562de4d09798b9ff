// Splits the text of a list-typed value into its whitespace-separated items.
#ifndef KYR_LMX_LIST_TOKENISER_HPP
#define KYR_LMX_LIST_TOKENISER_HPP

#include <kyr/export.hpp>

#include <cstddef>
#include <string>

namespace lmx {

class KYR_API c_xml_list_tokeniser
{
public:
    explicit c_xml_list_tokeniser(const std::string& text) : m_text(text) {}

    // Replaces the text and rewinds to its start.
    void set(const std::string& text);
    // Stores the next item in `*item` (skips it when `item` is null) and returns true;
    // false when only whitespace remains.
    bool get(std::string* item);

private:
    std::string m_text;
    std::size_t m_position = 0;
};

} // namespace lmx

#endif
