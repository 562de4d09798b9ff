#include "document_check.hpp"

#include <kyr/io/diagnosed_load.hpp>
#include <kyr/io/write_check.hpp>
#include <kyr/lmx/well_formed.hpp>
#include <kyr/lmx/xml_reader.hpp>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <new>
#include <system_error>

namespace kyr_tool {
namespace {

using kyr::io::checking;

check_result unreadable(std::string why)
{
    check_result result;
    result.outcome = load_outcome::unreadable;
    result.unreadable = std::move(why);
    return result;
}

// Why `path` cannot be opened for reading, or "" when it can.
std::string open_failure(const std::string& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error)
        return "cannot open: " + error.message();
    if (std::filesystem::is_directory(status))
        return "cannot open: is a directory";
    const int probe = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (probe < 0)
        return "cannot open: " + std::generic_category().message(errno);
    ::close(probe);
    return {};
}

// Standard input is read whole: the strict check reads a document twice, which a pipe
// cannot give, and only up to that check's bound.
bool read_standard_input(std::string* bytes)
{
    char chunk[65536];
    // Reserved at once: doubling on the way would need twice the bound.
    bytes->reserve(lmx::k_max_strict_document_length + sizeof chunk);
    while (bytes->size() <= lmx::k_max_strict_document_length) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, stdin);
        if (got == 0)
            break;
        bytes->append(chunk, got);
    }
    return !std::ferror(stdin);
}

void load(const std::string& path, reading mode, kyr::diagnostics& found, com_kyrandel_v2::Kyr& document)
{
    const checking how = mode == reading::lenient ? checking::lenient : checking::strict;
    if (path != "-") {
        kyr::io::load_file_with_diagnostics(path, document, found, how);
        return;
    }
    if (how == checking::lenient) {
        lmx::c_xml_reader_file reader(stdin, false);
        kyr::io::load_with_diagnostics(reader, document, found, how);
        return;
    }
    std::string bytes;
    if (!read_standard_input(&bytes))
        found.add(lmx::ELMX_NO_FILE, "cannot read standard input");
    else if (bytes.size() > lmx::k_max_strict_document_length)
        found.add(lmx::ELMX_NOT_WELL_FORMED,
                  "standard input is longer than the strict check takes (128 MiB): use --lenient");
    else
        kyr::io::load_string_with_diagnostics(bytes, document, found, how);
}

// Well-formedness alone: the strict reader's first fault is all there is to say.
check_result check_xml_only(const std::string& path)
{
    com_kyrandel_v2::Kyr document;
    const load_result loaded = load_document(path, document, reading::xml_only);
    check_result result;
    result.outcome = loaded.outcome;
    if (loaded.outcome == load_outcome::unreadable)
        result.unreadable = loaded.message;
    else if (loaded.outcome == load_outcome::invalid) {
        kyr::diagnostic fault;
        fault.code = lmx::ELMX_NOT_WELL_FORMED;
        fault.line = loaded.line;
        fault.column = loaded.column;
        fault.message = loaded.message;
        result.diagnostics.push_back(fault);
    }
    return result;
}

} // namespace

check_result check_document(const std::string& path, reading mode, std::size_t limit)
{
    if (path != "-") {
        const std::string failure = open_failure(path);
        if (!failure.empty())
            return unreadable(failure);
    }
    if (mode == reading::xml_only)
        return check_xml_only(path);
    try {
        kyr::diagnostics found(limit);
        com_kyrandel_v2::Kyr document;
        load(path, mode, found, document);
        if (found.empty())
            kyr::io::check_writable(document, found);
        check_result result;
        if (!found.empty()) {
            result.outcome = load_outcome::invalid;
            result.diagnostics = found.list();
        }
        if (path == "-" && std::ferror(stdin))
            return unreadable("cannot read standard input");
        return result;
    } catch (const std::bad_alloc&) {
        return unreadable("out of memory");
    }
}

} // namespace kyr_tool
