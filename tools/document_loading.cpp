#include "document_loading.hpp"

#include "exit_status.hpp"
#include "text.hpp"

#include <kyr/io/container.hpp>
#include <kyr/lmx/well_formed.hpp>
#include <kyr/lmx/xml_reader.hpp>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace kyr_tool {
namespace {

using com_kyrandel_v2::Kyr;

bool ends_with(const std::string& text, const std::string& ending)
{
    return text.size() >= ending.size()
        && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

// The reader's message names the line and the item; errors that bypass the
// reader's handler leave it at "No Error", so fall back to the code's text.
std::string reader_message(lmx::c_xml_reader& reader, lmx::elmx_error code)
{
    std::string message;
    reader.get_error_message(&message);
    if (message == lmx::get_error_description(lmx::ELMX_OK))
        message = lmx::get_error_description(code);
    return message;
}

load_result parse(lmx::c_xml_reader& reader, Kyr& document, reading mode)
{
    reader.set_strict(mode != reading::lenient);
    lmx::elmx_error code = lmx::ELMX_OK;
    if (mode == reading::xml_only) {
        // The strict check runs before the first event and is all that is wanted.
        std::string name;
        reader.get_element_event(nullptr, &code, &name);
    } else {
        code = document.unmarshal(reader);
    }
    const lmx::s_well_formed_fault& fault = reader.get_strict_fault();
    if (fault.code != lmx::ELMX_OK)
        return {load_outcome::invalid, fault.message, fault.line, fault.column};
    if (code == lmx::ELMX_OK || mode == reading::xml_only)
        return {load_outcome::loaded, {}};
    return {load_outcome::invalid, reader_message(reader, code)};
}

// The strict check reads a document twice, which a pipe cannot give: the input is held in
// memory, up to the check's own bound. Lenient reading takes it as a stream, however much
// arrives, and the reader's own bounds end it.
load_result load_standard_input(Kyr& document, reading mode)
{
    if (mode == reading::lenient) {
        lmx::c_xml_reader_file reader(stdin, false);
        const load_result result = parse(reader, document, mode);
        if (std::ferror(stdin))
            return {load_outcome::unreadable, "cannot read standard input"};
        return result;
    }
    std::string bytes;
    char chunk[65536];
    bytes.reserve(lmx::k_max_strict_document_length + sizeof chunk);
    while (bytes.size() <= lmx::k_max_strict_document_length) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, stdin);
        if (got == 0)
            break;
        bytes.append(chunk, got);
    }
    if (std::ferror(stdin))
        return {load_outcome::unreadable, "cannot read standard input"};
    if (bytes.size() > lmx::k_max_strict_document_length)
        return {load_outcome::invalid,
                "standard input is longer than the strict check takes (128 MiB): use --lenient"};
    lmx::c_xml_reader_memory reader(bytes.data(), bytes.size());
    return parse(reader, document, mode);
}

// The entry is read here rather than through loadFile so that the reader's
// message, with its line number, is available for the entry too.
load_result load_container(const std::string& path, Kyr& document, reading mode)
{
    // Opened once first to tell an unreadable file from one that is not a container.
    const int probe = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (probe < 0)
        return {load_outcome::unreadable, std::string("cannot open: ") + std::strerror(errno)};
    ::close(probe);
    load_result result{load_outcome::invalid, {}};
    std::string reason;
    const bool read = kyr::io::parse_first_entry(
        path,
        [&](lmx::c_read& entry) {
            lmx::c_xml_reader reader(entry);
            result = parse(reader, document, mode);
        },
        &reason);
    if (!read)
        return {load_outcome::invalid, "not a readable .kyrz container: " + reason};
    return result;
}

bool is_container_name(const std::string& path)
{
    return ends_with(path, ".kyrz");
}

} // namespace

load_result load_document(const std::string& path, Kyr& document, reading mode)
{
    if (path == "-")
        return load_standard_input(document, mode);

    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error)
        return {load_outcome::unreadable, "cannot open: " + error.message()};
    if (std::filesystem::is_directory(status))
        return {load_outcome::unreadable, "cannot open: is a directory"};

    if (is_container_name(path))
        return load_container(path, document, mode);

    lmx::c_xml_reader_file reader(path.c_str());
    if (!reader.is_open())
        return {load_outcome::unreadable, std::string("cannot open: ") + std::strerror(errno)};
    return parse(reader, document, mode);
}

int load_for_command(const std::string& path, Kyr& document)
{
    const load_result loaded = load_document(path, document);
    if (loaded.outcome == load_outcome::loaded)
        return exit_ok;
    std::cerr << "kyr: " << path << ": " << loaded.message << '\n';
    return loaded.outcome == load_outcome::invalid ? exit_invalid : exit_usage_or_io;
}

} // namespace kyr_tool
