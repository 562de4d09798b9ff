#include <kyr/schema/diagnostics.hpp>

#include <kyr/lmx/xml_reader.hpp>

#include <algorithm>

namespace kyr {
namespace {

std::string local_part(const std::string& name)
{
    const std::size_t colon = name.find(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
}

// Errors of the document's content, after which the reader still stands at a tag boundary
// and can go on. Anything else (a document that is not well-formed, its end too early, an
// unknown type) leaves nothing sound to read.
bool can_read_on(lmx::elmx_error code)
{
    switch (code) {
    case lmx::ELMX_ATTRIBUTE_ALREADY_READ:
    case lmx::ELMX_BAD_END_OF_ELEMENT:
    case lmx::ELMX_LENGTH_TOO_LONG:
    case lmx::ELMX_LENGTH_TOO_SHORT:
    case lmx::ELMX_MANDATORY_ELEMENT_MISSING:
    case lmx::ELMX_NO_PATTERN_MATCHED:
    case lmx::ELMX_REQUIRED_ATTRIBUTES_MISSING:
    case lmx::ELMX_UNKNOWN_ELEMENT_IN_COMPLEX_CONTENT:
    case lmx::ELMX_UNEXPECTED_EMPTY_ELEMENT:
    case lmx::ELMX_VALUE_BAD_FORMAT:
    case lmx::ELMX_VALUE_EXCEEDS_MAX:
    case lmx::ELMX_VALUE_EXCEEDS_MIN:
    case lmx::ELMX_VALUE_NOT_ENUMERATED:
    case lmx::ELMX_UNEXPECTED_ATTRIBUTE:
    case lmx::ELMX_NILLED_ELEMENT_NOT_EMPTY:
    case lmx::ELMX_FRACTION_DIGITS_EXCEEDED:
    case lmx::ELMX_TOTAL_DIGITS_EXCEEDED:
        return true;
    default:
        return false;
    }
}

// Errors about which element stands where.
bool is_about_order(lmx::elmx_error code)
{
    return code == lmx::ELMX_MANDATORY_ELEMENT_MISSING || code == lmx::ELMX_BAD_END_OF_ELEMENT
        || code == lmx::ELMX_UNKNOWN_ELEMENT_IN_COMPLEX_CONTENT;
}

bool is_start_tag(int event)
{
    return event != lmx::ELXP_END_TAG && event != lmx::ELXP_END_OF_INPUT
        && !lmx::c_xml_reader::is_error_event(event);
}

} // namespace

void diagnostics::add(lmx::elmx_error code, std::string message, std::string path, std::size_t line,
                      std::size_t column)
{
    diagnostic entry;
    entry.code = code;
    entry.line = line;
    entry.column = column;
    entry.path = std::move(path);
    entry.message = std::move(message);
    m_list.push_back(std::move(entry));
}

void diagnostics::finish(const lmx::c_xml_reader& reader, lmx::elmx_error code)
{
    if (code == lmx::ELMX_OK || m_stopped)
        return;
    m_stopped = true;
    if (!add_strict_fault(reader))
        add(code, lmx::get_error_description(code), path(), static_cast<std::size_t>(reader.get_line_num()),
            static_cast<std::size_t>(reader.get_column_num()));
}

// A strict reader's own fault says more than the code it ends the read with.
bool diagnostics::add_strict_fault(const lmx::c_xml_reader& reader)
{
    const lmx::s_well_formed_fault& fault = reader.get_strict_fault();
    if (fault.code == lmx::ELMX_OK)
        return false;
    add(fault.code, fault.message, {}, fault.line, fault.column);
    return true;
}

lmx::elmx_error diagnostics::take(lmx::c_xml_reader& reader, lmx::elmx_error code, const std::string& item)
{
    if (m_stopped)
        return code;
    const bool read_on = can_read_on(code) && !reader.get_error_collector().is_fatal_errored();
    if (read_on && is_consequence(code, reader)) {
        m_has_value = false;
        return lmx::ELMX_OK;
    }
    if (m_list.size() >= m_limit) {
        add(code, "too many errors; reading stopped after " + std::to_string(m_limit));
        m_stopped = true;
        return code;
    }
    record(code, reader, item);
    m_has_value = false;
    if (!read_on) {
        m_stopped = true;
        return code;
    }
    return lmx::ELMX_OK;
}

bool diagnostics::is_consequence(lmx::elmx_error code, const lmx::c_xml_reader& reader) const
{
    return is_about_order(code) && m_misplaced_depth == m_steps.size()
        && is_start_tag(reader.get_current_event());
}

void diagnostics::record(lmx::elmx_error code, const lmx::c_xml_reader& reader, const std::string& item)
{
    if (add_strict_fault(reader))
        return;
    diagnostic entry;
    entry.code = code;
    entry.path = path();
    // Errors of the content have the place of their tag; the others, of the text, are where
    // the reader stopped.
    const bool at_tag = can_read_on(code) || code == lmx::ELMX_ELEMENT_NOT_FOUND;
    entry.line = static_cast<std::size_t>(at_tag ? reader.get_tag_line() : reader.get_line_num());
    entry.column = static_cast<std::size_t>(at_tag ? reader.get_tag_column() : reader.get_column_num());
    const std::string element =
        m_steps.empty() ? std::string() : m_steps.back().name.substr(0, m_steps.back().name.find('['));
    const bool at_start_tag = is_start_tag(reader.get_current_event());
    std::string clause;
    if (m_has_value) {
        entry.found = m_value;
        entry.expected = m_expected;
        clause = m_value + ' ' + m_clause;
    } else if (is_about_order(code)) {
        entry.found = at_start_tag ? reader.get_local_name() : "the end of " + element;
        if (code == lmx::ELMX_MANDATORY_ELEMENT_MISSING)
            entry.expected = local_part(item);
        else if (code == lmx::ELMX_BAD_END_OF_ELEMENT)
            entry.expected = "the end of " + element;
        else
            entry.expected = "a member of the choice " + element;
        clause = "found " + entry.found + " where " + entry.expected + " was expected";
        if (at_start_tag)
            m_misplaced_depth = m_steps.size();
    } else if (code == lmx::ELMX_UNEXPECTED_ATTRIBUTE) {
        entry.found = reader.get_local_name();
        clause = entry.found + " on " + element;
    } else if (!item.empty()) {
        clause = local_part(item);
    }
    entry.message = lmx::get_error_description(code);
    if (!clause.empty())
        entry.message += ": " + clause;
    m_list.push_back(std::move(entry));
}

void diagnostics::enter(const std::string& name)
{
    std::string local = local_part(name);
    if (!m_steps.empty()) {
        auto& children = m_steps.back().children;
        int index = 1;
        bool seen = false;
        for (auto& child : children)
            if (child.first == local) {
                index = ++child.second;
                seen = true;
                break;
            }
        if (!seen)
            children.emplace_back(local, 1);
        if (index > 1)
            local += '[' + std::to_string(index) + ']';
    }
    m_steps.push_back({std::move(local), {}});
}

void diagnostics::leave()
{
    if (m_misplaced_depth == m_steps.size())
        m_misplaced_depth = k_none;
    if (!m_steps.empty())
        m_steps.pop_back();
}

void diagnostics::note_value(const std::string& text, std::string expected, std::string clause)
{
    // A text may run to megabytes; its start is enough to recognise it.
    constexpr std::size_t k_shown = 200;
    std::size_t cut = std::min(text.size(), k_shown);
    while (cut < text.size() && cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut; // not inside a UTF-8 sequence
    m_value = cut == text.size() ? text : text.substr(0, cut) + "...";
    m_expected = std::move(expected);
    m_clause = std::move(clause);
    m_has_value = true;
}

void diagnostics::add_unwritable(lmx::elmx_error code, const std::string& message)
{
    if (m_list.size() < m_limit)
        add(code, message, path());
    else if (!m_stopped) {
        add(code, "too many errors; checking stopped after " + std::to_string(m_limit));
        m_stopped = true;
    }
}

std::string diagnostics::path() const
{
    std::string out;
    for (const step& each : m_steps)
        out += '/' + each.name;
    return out;
}

} // namespace kyr
