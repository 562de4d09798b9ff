// Every error a load can get past, each with its place, instead of the first one alone.
// Given to a reader, the collector takes the binding errors the generated classes report,
// records them with the line, the column and the element path, and lets reading go on
// wherever the document's structure allows it.
#ifndef KYR_SCHEMA_DIAGNOSTICS_HPP
#define KYR_SCHEMA_DIAGNOSTICS_HPP

#include <kyr/export.hpp>
#include <kyr/lmx/error.hpp>
#include <kyr/lmx/error_sink.hpp>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace kyr {

// One error: where it is, what it is, what was there and what the format wanted there.
struct KYR_API diagnostic
{
    lmx::elmx_error code = lmx::ELMX_OK;
    std::size_t line = 0;   // counted from 1; 0 when the error has no place in the text
    std::size_t column = 0; // in bytes from 1; 0 without a place
    std::string path;       // "/Kyr/Color[3]/ColorSpaceCIELab/L"; "" when the error has none
    std::string found;      // "A", "the end of Header", "248.13"; "" when nothing is to say
    std::string expected;   // "L", "at most 150"; "" when nothing is to say
    std::string message;    // the whole sentence a user reads
};

class KYR_API diagnostics : public lmx::c_error_sink
{
public:
    // Errors recorded before the last entry says there were too many and reading stops.
    static constexpr std::size_t default_limit = 100;

    explicit diagnostics(std::size_t limit = default_limit) : m_limit(limit) {}

    const std::vector<diagnostic>& list() const { return m_list; }
    bool empty() const { return m_list.empty(); }
    // The code of the first error; ELMX_OK when there is none.
    lmx::elmx_error first_code() const { return m_list.empty() ? lmx::ELMX_OK : m_list.front().code; }
    // True once an error ended the read (every later error is unknown).
    bool stopped() const { return m_stopped; }

    // Adds an error found outside the reader (an archive, a check before writing).
    void add(lmx::elmx_error code, std::string message, std::string path = {}, std::size_t line = 0,
             std::size_t column = 0);
    // After a read that ended with `code`: records it when no error reported so far did.
    void finish(const lmx::c_xml_reader& reader, lmx::elmx_error code);

    lmx::elmx_error take(lmx::c_xml_reader& reader, lmx::elmx_error code, const std::string& item) override;
    void enter(const std::string& name) override;
    void leave() override;
    void note_value(const std::string& text, std::string expected, std::string clause) override;
    void add_unwritable(lmx::elmx_error code, const std::string& message) override;

private:
    struct step
    {
        std::string name; // with its index among same-named siblings when past the first
        std::vector<std::pair<std::string, int>> children;
    };

    std::string path() const;
    // An order error in an element that already had one: the first misplaced child puts
    // every later particle out of step, so only the first is worth reading.
    bool is_consequence(lmx::elmx_error code, const lmx::c_xml_reader& reader) const;
    void record(lmx::elmx_error code, const lmx::c_xml_reader& reader, const std::string& item);
    bool add_strict_fault(const lmx::c_xml_reader& reader);

    std::size_t m_limit;
    std::vector<diagnostic> m_list;
    std::vector<step> m_steps;
    bool m_stopped = false;
    static constexpr std::size_t k_none = static_cast<std::size_t>(-1);
    // The depth of the element whose content had a child out of place; k_none when none has.
    std::size_t m_misplaced_depth = k_none;
    // The value about to be reported.
    std::string m_value;
    std::string m_expected;
    std::string m_clause;
    bool m_has_value = false;
};

} // namespace kyr

#endif
