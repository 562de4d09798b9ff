#include <kyr/io/document_loading.hpp>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <utility>

#include <kyr/io/container.hpp>
#include <kyr/lmx/well_formed.hpp>
#include <kyr/lmx/xml_reader.hpp>
#include <kyr/schema/classes/Kyr.hpp>

namespace kyr::io {

namespace {

using com_kyrandel_v2::Kyr;

template <typename Char>
bool ends_with(std::basic_string_view<Char> path, std::basic_string_view<Char> ending)
{
    return path.size() >= ending.size()
        && path.compare(path.size() - ending.size(), ending.size(), ending) == 0;
}

s_load_report failure(load_outcome outcome, lmx::elmx_error code, std::string message)
{
    s_load_report report;
    report.outcome = outcome;
    report.code = code;
    report.message = std::move(message);
    return report;
}

// The reader's message names the line and the item; errors that bypass the reader's
// handler leave it at "No Error", so the code's own text stands in.
std::string reader_message(lmx::c_xml_reader& reader, lmx::elmx_error code)
{
    std::string message;
    reader.get_error_message(&message);
    if (message == lmx::get_error_description(lmx::ELMX_OK))
        message = lmx::get_error_description(code);
    return message;
}

// The entry is parsed as it is inflated, so its size and CRC-32 vouch for the bytes only at
// its end: a copy of the document as it was is put back when the archive fails.
s_load_report load_container(const std::string& path, Kyr& document, xml_check check)
{
    std::optional<Kyr> before;
    s_load_report report;
    std::string reason;
    const bool read = parse_first_entry(
        path,
        [&](lmx::c_read& entry) {
            before.emplace(document);
            lmx::c_xml_reader reader(entry);
            report = read_with_report(reader, document, check);
        },
        &reason);
    if (read)
        return report;
    if (before)
        document.swap(*before);
    return failure(load_outcome::invalid, lmx::ELMX_USER_DEFINED_1,
                   "not a readable .kyrz container: " + reason);
}

s_load_report load_file(const std::string& path, Kyr& document, xml_check check)
{
    const bool container = names_container(path);
    const lmx::elmx_error unopened = container ? lmx::ELMX_USER_DEFINED_1 : lmx::ELMX_NO_FILE;
    // A name with a NUL inside would open a file of a shorter name.
    if (path.find('\0') != std::string::npos)
        return failure(load_outcome::unreadable, unopened, "cannot open: the name holds a NUL character");
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error)
        return failure(load_outcome::unreadable, unopened, "cannot open: " + error.message());
    // A directory opens like a file on Linux but reads as nothing.
    if (std::filesystem::is_directory(status))
        return failure(load_outcome::unreadable, unopened, "cannot open: is a directory");
    if (container) {
        // Opened once first to tell an unreadable file from one that is not a container.
        const int probe = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (probe < 0)
            return failure(load_outcome::unreadable, unopened,
                           std::string("cannot open: ") + std::strerror(errno));
        ::close(probe);
        return load_container(path, document, check);
    }
    lmx::c_xml_reader_file reader(path.c_str());
    if (!reader.is_open())
        return failure(load_outcome::unreadable, unopened,
                       std::string("cannot open: ") + std::strerror(errno));
    return read_with_report(reader, document, check);
}

} // namespace

bool names_container(std::string_view path)
{
    return ends_with(path, std::string_view(".kyrz"));
}

bool names_container(std::wstring_view path)
{
    return ends_with(path, std::wstring_view(L".kyrz"));
}

bool names_plain_document(std::string_view path)
{
    return ends_with(path, std::string_view(".kyr"));
}

bool names_plain_document(std::wstring_view path)
{
    return ends_with(path, std::wstring_view(L".kyr"));
}

s_load_report read_with_report(lmx::c_xml_reader& reader, Kyr& document, xml_check check)
{
    reader.set_strict(check != xml_check::lenient);
    s_load_report report;
    if (check == xml_check::xml_only) {
        // The strict check runs before the first event and is all that is wanted.
        std::string name;
        reader.get_element_event(nullptr, &report.code, &name);
    } else {
        report.code = document.unmarshal(reader);
    }
    report.reader_line = reader.get_line_no();
    const lmx::s_well_formed_fault& fault = reader.get_strict_fault();
    if (fault.code != lmx::ELMX_OK) {
        report.outcome = load_outcome::invalid;
        if (report.code == lmx::ELMX_OK)
            report.code = fault.code;
        report.message = fault.message;
        report.line = fault.line;
        report.column = fault.column;
    } else if (check == xml_check::xml_only) {
        report.code = lmx::ELMX_OK;
    } else if (report.code != lmx::ELMX_OK) {
        report.outcome = load_outcome::invalid;
        report.message = reader_message(reader, report.code);
    }
    return report;
}

// Running out of memory (or into a string's size limit) ends the load with a code too.
s_load_report load_with_report(const std::string& path, Kyr& document, xml_check check)
{
    try {
        return load_file(path, document, check);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return failure(load_outcome::invalid,
                   names_container(path) ? lmx::ELMX_USER_DEFINED_1 : lmx::ELMX_UNDEFINED_ERROR,
                   "out of memory");
}

} // namespace kyr::io
