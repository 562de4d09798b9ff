// Writes tables in the layout most tools read: keywords one per line, the field names on one
// line, one data set per line with tabs between values, LF line ends.
#include <kyr/cgats/table.hpp>

namespace kyr::cgats {
namespace {

bool needs_quotes(const std::string& value)
{
    return value.empty() || value.find_first_of(" \t#\"") != std::string::npos;
}

// The format has no escape for a quote inside a quoted string: it becomes an apostrophe.
void append_quoted(std::string& out, const std::string& value)
{
    out += '"';
    for (char c : value)
        out += c == '"' ? '\'' : c;
    out += '"';
}

void append_value(std::string& out, const std::string& value, bool quoted)
{
    if (quoted || needs_quotes(value))
        append_quoted(out, value);
    else
        out += value;
}

void append_table(std::string& out, const table& t)
{
    if (!t.identifier.empty())
        out += t.identifier + "\n\n";
    for (const header_entry& entry : t.header)
        out += header_line(entry) + '\n';
    out += "\nNUMBER_OF_FIELDS " + std::to_string(t.fields.size()) + "\nBEGIN_DATA_FORMAT\n";
    for (std::size_t i = 0; i < t.fields.size(); ++i) {
        if (i > 0)
            out += '\t';
        out += t.fields[i];
    }
    out += "\nEND_DATA_FORMAT\n\nNUMBER_OF_SETS " + std::to_string(t.set_count()) + "\nBEGIN_DATA\n";
    const std::size_t width = t.fields.size();
    for (std::size_t i = 0; i < t.values.size(); ++i) {
        const std::size_t field = i % width;
        append_value(out, t.values[i], field < t.quoted_fields.size() && t.quoted_fields[field]);
        out += field + 1 == width ? '\n' : '\t';
    }
    out += "END_DATA\n";
}

} // namespace

std::string header_line(const header_entry& entry)
{
    std::string out;
    if (entry.declaration) {
        out += "KEYWORD ";
        append_quoted(out, entry.name);
    } else {
        out += entry.name;
        if (!entry.value.empty() || entry.quoted) {
            out += ' ';
            append_value(out, entry.value, entry.quoted);
        }
    }
    return out;
}

std::string write(const std::vector<table>& tables)
{
    std::string out;
    for (const table& t : tables)
        append_table(out, t);
    return out;
}

} // namespace kyr::cgats
