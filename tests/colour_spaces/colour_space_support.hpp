// Documents around one colour-space element taken from the rich sample, and loaders that report
// the code and the item named with it.
#ifndef KYR_TESTS_COLOUR_SPACE_SUPPORT_HPP
#define KYR_TESTS_COLOUR_SPACE_SUPPORT_HPP

#include <kyr/kyr.hpp>

#include <fstream>
#include <sstream>
#include <string>

namespace colour_space_test {

inline const std::string& rich_sample()
{
    static const std::string text = [] {
        std::ifstream in(std::string(KYR_SOURCE_DIR) + "/examples/rich-sample.kyr", std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }();
    return text;
}

// The first element of that name in the sample, from the start of its line (indentation kept)
// to its end tag; empty when the sample has none.
inline std::string sample_element(const std::string& element)
{
    const std::string& text = rich_sample();
    const std::string open = "<Kyr:" + element;
    size_t start = 0;
    while ((start = text.find(open, start)) != std::string::npos) {
        const char after = text[start + open.size()];
        if (after == ' ' || after == '>')
            break;
        start += open.size();
    }
    if (start == std::string::npos)
        return std::string();
    const std::string close = "</Kyr:" + element + ">";
    const size_t end = text.find(close, start);
    const size_t line_start = text.rfind('\n', start) + 1;
    return text.substr(line_start, end + close.size() - line_start);
}

// The indentation of a fragment's own children.
inline std::string child_indent(const std::string& fragment)
{
    return "\n" + fragment.substr(0, fragment.find('<')) + "\t";
}

// A whole document whose one colour record carries the fragment.
inline std::string document_with(const std::string& fragment)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<Kyr:Kyr xmlns:Kyr=\"http://kyr-format.org/v2\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
           "\t<Kyr:Preamble>\n\t\t<Kyr:Header>\n"
           "\t\t\t<Kyr:Creator>c</Kyr:Creator>\n\t\t\t<Kyr:CreatorVersion>1</Kyr:CreatorVersion>\n"
           "\t\t\t<Kyr:ChangeHistory>2026-03-14T09:30:00Z</Kyr:ChangeHistory>\n"
           "\t\t\t<Kyr:Purpose>p</Kyr:Purpose>\n"
           // What a load records about the reading library, so a written document equals its input.
           "\t\t\t<Kyr:ReadSDKInformation>\n\t\t\t\t<Kyr:SDKName>Kyr2-LMX-3.7.6</Kyr:SDKName>\n"
           "\t\t\t\t<Kyr:SDKVersion>1.0</Kyr:SDKVersion>\n\t\t\t</Kyr:ReadSDKInformation>\n\t\t</Kyr:Header>\n\t</Kyr:Preamble>\n"
           "\t<Kyr:Color ColorName=\"c\">\n"
           "\t\t<Kyr:ChangeHistory>2026-03-14T09:30:00Z</Kyr:ChangeHistory>\n" +
           fragment + "\n\t</Kyr:Color>\n</Kyr:Kyr>\n";
}

// Replaces the text of the fragment's own child element (the first one at child depth).
inline bool replace_child_text(std::string* fragment, const std::string& child, const std::string& value)
{
    const std::string open = child_indent(*fragment) + "<Kyr:" + child + ">";
    const size_t start = fragment->find(open);
    if (start == std::string::npos)
        return false;
    const size_t text_start = start + open.size();
    const size_t text_end = fragment->find("</Kyr:" + child + ">", text_start);
    fragment->replace(text_start, text_end - text_start, value);
    return true;
}

// Removes every own child element of that name (with its line); returns how many.
inline int remove_children(std::string* fragment, const std::string& child)
{
    const std::string indent = child_indent(*fragment);
    const std::string close = "</Kyr:" + child + ">";
    int removed = 0;
    size_t start = 0;
    while ((start = fragment->find(indent + "<Kyr:" + child, start)) != std::string::npos) {
        const char after = (*fragment)[start + indent.size() + 5 + child.size()];
        if (after != ' ' && after != '>') {
            ++start;
            continue;
        }
        const size_t end = fragment->find(close, start);
        fragment->erase(start, end + close.size() - start);
        ++removed;
    }
    return removed;
}

// The code of a whole-document load through the buffer entry point.
inline lmx::elmx_error load_code(const std::string& text)
{
    com_kyrandel_v2::Kyr document;
    return document.unmarshal(text.data(), text.size());
}

struct load_report
{
    lmx::elmx_error code;
    std::string item;
};

// The code of a load through a reader, with the item name the reader recorded.
inline load_report load_with_item(const std::string& text)
{
    lmx::c_xml_reader_memory reader(text.data(), text.size());
    com_kyrandel_v2::Kyr document;
    const lmx::elmx_error code = document.unmarshal(reader);
    return {code, reader.get_error_item_name()};
}

} // namespace colour_space_test

#endif
