// The one way the handles report failure: a kyr::error exception carrying the
// library's code, its message and, for a document that failed to read, the line.
#ifndef KYR_API_ERROR_HPP
#define KYR_API_ERROR_HPP

#include <kyr/export.hpp>

#include <kyr/lmx/error.hpp>
#include <kyr/schema/diagnostics.hpp>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace kyr {

/// A failed load, parse, save or change. what() is the reader's own message when a
/// document failed to read ("line:4-'Kyr:Header'-Mandatory element missing"), else the
/// item concerned and the code's text ("L: Value greater than specified maximum").
class KYR_API error : public std::runtime_error
{
public:
    /// An error with the library's `code`, the message `message`, the `line` of the input
    /// it concerns (0 when it concerns no input) and every diagnostic found.
    error(lmx::elmx_error code, const std::string& message, int line = 0,
          std::vector<diagnostic> diagnostics = {})
        : std::runtime_error(message), m_code(code), m_line(line), m_diagnostics(std::move(diagnostics))
    {
    }

    /// The library's code (lmx::get_error_description gives its fixed text).
    lmx::elmx_error code() const noexcept { return m_code; }
    /// The line of the input the reader stopped at; 0 when no input was read.
    int line() const noexcept { return m_line; }
    /// Every error found, each with its line, column, element path, what was found and what
    /// was expected: all a load could read past, or all that keeps a document from being
    /// saved. Empty when the failure has no such detail (a file that cannot be opened).
    const std::vector<diagnostic>& diagnostics() const noexcept { return m_diagnostics; }

private:
    lmx::elmx_error m_code;
    int m_line;
    std::vector<diagnostic> m_diagnostics;
};

} // namespace kyr

#endif
