// Reads the tables of a measurement-data text file, line by line.
#include <kyr/cgats/table.hpp>

#include <charconv>

namespace kyr::cgats {
namespace {

struct token
{
    std::string text;
    bool quoted = false;
};

struct line_tokens
{
    std::vector<token> tokens;
    std::size_t number = 0;
};

struct failure
{
    std::size_t line;
    std::string what;
};

// Splits one line into tokens. A `#` outside quotes ends the line; a quote that does not
// close on its line is an error.
std::optional<failure> split(std::string_view line, std::size_t number, std::vector<token>& tokens)
{
    tokens.clear();
    if (line.find('\0') != std::string_view::npos)
        return failure{number, "a NUL byte"};
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            const std::size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos)
                return failure{number, "a quoted string does not end on its line"};
            tokens.push_back({std::string(line.substr(i + 1, close - i - 1)), true});
            i = close + 1;
        } else {
            const std::size_t end = line.find_first_of(" \t#\"", i);
            const std::size_t stop = end == std::string_view::npos ? line.size() : end;
            tokens.push_back({std::string(line.substr(i, stop - i)), false});
            i = stop;
        }
    }
    return std::nullopt;
}

bool parse_count(const std::string& text, std::size_t& count)
{
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, count);
    return result.ec == std::errc() && result.ptr == end;
}

class table_reader
{
public:
    explicit table_reader(std::string_view text) : m_text(text) {}

    std::optional<failure> run(std::vector<table>& tables);

private:
    enum class state { identifier, header, data_format, data };

    bool next_line(line_tokens& line, std::optional<failure>& error);
    std::optional<failure> header_line(const line_tokens& line, table& current);
    std::optional<failure> data_format_line(const line_tokens& line, table& current);
    std::optional<failure> data_line(const line_tokens& line, table& current);
    std::optional<failure> finish_format(const line_tokens& line, const table& current) const;
    std::optional<failure> finish_data(const table& current) const;

    std::string_view m_text;
    std::size_t m_position = 0;
    std::size_t m_line = 0;
    state m_state = state::identifier;
    std::size_t m_declared_fields = 0, m_declared_fields_line = 0;
    std::size_t m_declared_sets = 0, m_declared_sets_line = 0;
    bool m_has_format = false;
};

bool table_reader::next_line(line_tokens& line, std::optional<failure>& error)
{
    if (m_position >= m_text.size())
        return false;
    const std::size_t end = m_text.find_first_of("\r\n", m_position);
    const std::size_t stop = end == std::string_view::npos ? m_text.size() : end;
    line.number = ++m_line;
    error = split(m_text.substr(m_position, stop - m_position), line.number, line.tokens);
    m_position = stop + 1;
    if (stop + 1 < m_text.size() && m_text[stop] == '\r' && m_text[stop + 1] == '\n')
        ++m_position;
    return true;
}

std::optional<failure> table_reader::header_line(const line_tokens& line, table& current)
{
    const std::vector<token>& tokens = line.tokens;
    const std::string& name = tokens[0].text;
    if (tokens[0].quoted)
        return failure{line.number, "a keyword line starts with a quoted string"};
    if (name == "BEGIN_DATA_FORMAT") {
        if (m_has_format)
            return failure{line.number, "a second data format in one table"};
        m_state = state::data_format;
        m_has_format = true;
        return std::nullopt;
    }
    if (name == "BEGIN_DATA") {
        if (!m_has_format)
            return failure{line.number, "BEGIN_DATA before the data format"};
        m_state = state::data;
        return std::nullopt;
    }
    if (tokens.size() > 2)
        return failure{line.number, "keyword " + name + " has more than one value"};
    if (name == "NUMBER_OF_FIELDS" || name == "NUMBER_OF_SETS") {
        std::size_t count = 0;
        if (tokens.size() != 2 || !parse_count(tokens[1].text, count))
            return failure{line.number, name + " needs a whole number"};
        (name == "NUMBER_OF_FIELDS" ? m_declared_fields : m_declared_sets) = count;
        (name == "NUMBER_OF_FIELDS" ? m_declared_fields_line : m_declared_sets_line) = line.number;
        return std::nullopt;
    }
    header_entry entry;
    entry.declaration = name == "KEYWORD";
    entry.line = line.number;
    if (entry.declaration) {
        if (tokens.size() != 2)
            return failure{line.number, "KEYWORD needs the name it declares"};
        entry.name = tokens[1].text;
    } else {
        entry.name = name;
        if (tokens.size() == 2) {
            entry.value = tokens[1].text;
            entry.quoted = tokens[1].quoted;
        }
    }
    current.header.push_back(std::move(entry));
    return std::nullopt;
}

std::optional<failure> table_reader::finish_format(const line_tokens& line, const table& current) const
{
    if (current.fields.empty())
        return failure{line.number, "the data format names no field"};
    if (m_declared_fields_line != 0 && m_declared_fields != current.fields.size())
        return failure{m_declared_fields_line,
                       "NUMBER_OF_FIELDS is " + std::to_string(m_declared_fields)
                           + " but the data format names " + std::to_string(current.fields.size())};
    return std::nullopt;
}

std::optional<failure> table_reader::data_format_line(const line_tokens& line, table& current)
{
    for (const token& field : line.tokens) {
        if (!field.quoted && field.text == "END_DATA_FORMAT") {
            if (&field != &line.tokens.back())
                return failure{line.number, "text after END_DATA_FORMAT"};
            m_state = state::header;
            return finish_format(line, current);
        }
        if (!field.quoted && (field.text == "BEGIN_DATA" || field.text == "END_DATA"))
            return failure{line.number,
                           "the data format does not end (no END_DATA_FORMAT before " + field.text + ")"};
        if (field.text.empty() || field.text.find_first_of(" \t") != std::string::npos)
            return failure{line.number, "a field name is empty or holds white space"};
        current.fields.push_back(field.text);
    }
    return std::nullopt;
}

std::optional<failure> table_reader::finish_data(const table& current) const
{
    if (m_declared_sets_line != 0 && m_declared_sets != current.set_count())
        return failure{m_declared_sets_line,
                       "NUMBER_OF_SETS is " + std::to_string(m_declared_sets) + " but the table has "
                           + std::to_string(current.set_count()) + " data sets"};
    return std::nullopt;
}

std::optional<failure> table_reader::data_line(const line_tokens& line, table& current)
{
    const std::vector<token>& tokens = line.tokens;
    if (tokens.size() == 1 && !tokens[0].quoted && tokens[0].text == "END_DATA") {
        m_state = state::identifier;
        return finish_data(current);
    }
    if (tokens.size() != current.fields.size())
        return failure{line.number,
                       "a data set has " + std::to_string(tokens.size())
                           + " values where the data format has " + std::to_string(current.fields.size())
                           + " fields"};
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        current.values.push_back(tokens[i].text);
        if (tokens[i].quoted)
            current.quoted_fields[i] = true;
    }
    current.set_lines.push_back(line.number);
    return std::nullopt;
}

std::optional<failure> table_reader::run(std::vector<table>& tables)
{
    line_tokens line;
    std::optional<failure> error;
    while (next_line(line, error)) {
        if (error)
            return error;
        if (line.tokens.empty())
            continue;
        switch (m_state) {
        case state::identifier: {
            tables.emplace_back();
            table& fresh = tables.back();
            fresh.line = line.number;
            m_declared_fields_line = m_declared_sets_line = 0;
            m_has_format = false;
            m_state = state::header;
            // A single bare token that is no keyword names the table; anything else is the
            // first header line of a table that has no identifier line.
            const std::string& first = line.tokens[0].text;
            if (line.tokens.size() == 1 && !line.tokens[0].quoted && first != "BEGIN_DATA_FORMAT"
                && first != "BEGIN_DATA")
                fresh.identifier = first;
            else if (tables.size() == 1)
                return failure{line.number, "the file does not start with an identifier line"};
            else
                error = header_line(line, fresh);
            break;
        }
        case state::header:
            error = header_line(line, tables.back());
            if (m_state == state::data)
                tables.back().quoted_fields.assign(tables.back().fields.size(), false);
            break;
        case state::data_format:
            error = data_format_line(line, tables.back());
            break;
        case state::data:
            error = data_line(line, tables.back());
            break;
        }
        if (error)
            return error;
    }
    if (tables.empty())
        return failure{m_line == 0 ? 1 : m_line, "no table: the file is empty"};
    if (m_state != state::identifier) {
        const char* missing = m_state == state::data ? "END_DATA"
            : m_state == state::data_format          ? "END_DATA_FORMAT"
                                                     : "BEGIN_DATA";
        return failure{m_line,
                       "the table that starts at line " + std::to_string(tables.back().line)
                           + " never ends (no " + missing + ")"};
    }
    return std::nullopt;
}

} // namespace

std::optional<std::size_t> table::field_index(std::string_view name) const
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i] == name)
            return i;
    return std::nullopt;
}

const header_entry* table::keyword(std::string_view name) const
{
    for (auto entry = header.rbegin(); entry != header.rend(); ++entry)
        if (!entry->declaration && entry->name == name)
            return &*entry;
    return nullptr;
}

std::optional<header_entry> parse_header_line(std::string_view line)
{
    std::vector<token> tokens;
    if (split(line, 0, tokens) || tokens.empty() || tokens.size() > 2 || tokens[0].quoted)
        return std::nullopt;
    header_entry entry;
    entry.declaration = tokens[0].text == "KEYWORD";
    if (entry.declaration) {
        if (tokens.size() != 2)
            return std::nullopt;
        entry.name = tokens[1].text;
        return entry;
    }
    entry.name = tokens[0].text;
    if (tokens.size() == 2) {
        entry.value = tokens[1].text;
        entry.quoted = tokens[1].quoted;
    }
    return entry;
}

read_result read(std::string_view text, std::vector<table>& tables)
{
    tables.clear();
    table_reader reader(text);
    if (const auto error = reader.run(tables)) {
        tables.clear();
        return {false, error->line, "line " + std::to_string(error->line) + ": " + error->what};
    }
    return {};
}

} // namespace kyr::cgats
