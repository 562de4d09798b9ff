// Measurement-data text files: one or more tables, each an identifier line, keywords, a data
// format (the field names) and the data sets. This layer knows the file's syntax only; the
// meaning of fields and keywords belongs to the document mapping.
#ifndef KYR_CGATS_TABLE_HPP
#define KYR_CGATS_TABLE_HPP

#include <kyr/export.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kyr::cgats {

// One header line of a table: a keyword with its value, or the declaration of a name
// (`KEYWORD "NAME"`) that the file uses as a keyword or a field.
struct KYR_API header_entry
{
    bool declaration = false;
    std::string name;
    std::string value;   // without quotes; empty for a declaration or a bare keyword
    bool quoted = false; // the value was a quoted string
    std::size_t line = 0;
};

struct KYR_API table
{
    std::string identifier; // "CGATS.17", "CTI1", ...; may be empty for a later table
    std::vector<header_entry> header;
    std::vector<std::string> fields;
    std::vector<bool> quoted_fields; // a field any of whose values was quoted
    std::vector<std::string> values; // set after set, fields.size() per set
    std::vector<std::size_t> set_lines;
    std::size_t line = 0; // of the identifier, or of the first header line

    std::size_t set_count() const { return set_lines.size(); }
    const std::string& value(std::size_t set, std::size_t field) const
    {
        return values[set * fields.size() + field];
    }
    std::optional<std::size_t> field_index(std::string_view name) const;
    // The value of the last keyword of that name, if the table has one.
    const header_entry* keyword(std::string_view name) const;
};

struct KYR_API read_result
{
    bool ok = true;
    std::size_t line = 0; // where the fault is, when not ok
    std::string message;  // "line 12: ...", when not ok
};

// Reads every table of `text` into `tables` (replacing what it held). Spaces and tabs
// separate tokens, lines end in LF, CRLF or CR, `#` starts a comment outside quotes.
KYR_API read_result read(std::string_view text, std::vector<table>& tables);

// Writes the tables back: header entries in order, then the data format and the data with
// NUMBER_OF_FIELDS and NUMBER_OF_SETS from the content. Values of quoted fields, and any value
// that holds white space, a `#` or a quote or is empty, are written between quotes.
KYR_API std::string write(const std::vector<table>& tables);

// One header entry as the line `write` gives it, and back; none for a line that is not one
// keyword with at most one value or one declaration.
KYR_API std::string header_line(const header_entry& entry);
KYR_API std::optional<header_entry> parse_header_line(std::string_view line);

} // namespace kyr::cgats

#endif
