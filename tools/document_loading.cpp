#include "document_loading.hpp"

#include "exit_status.hpp"

#include <kyr/lmx/well_formed.hpp>
#include <kyr/lmx/xml_reader.hpp>

#include <cstdio>
#include <iostream>

namespace kyr_tool {
namespace {

using com_kyrandel_v2::Kyr;

// The strict check reads a document twice, which a pipe cannot give: the input is held in
// memory, up to the check's own bound. Lenient reading takes it as a stream, however much
// arrives, and the reader's own bounds end it.
load_result load_standard_input(Kyr& document, reading mode)
{
    if (mode == reading::lenient) {
        lmx::c_xml_reader_file reader(stdin, false);
        const load_result result = kyr::io::read_with_report(reader, document, mode);
        if (std::ferror(stdin))
            return {load_outcome::unreadable, lmx::ELMX_NO_FILE, "cannot read standard input"};
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
        return {load_outcome::unreadable, lmx::ELMX_NO_FILE, "cannot read standard input"};
    if (bytes.size() > lmx::k_max_strict_document_length)
        return {load_outcome::invalid, lmx::ELMX_NO_FILE,
                "standard input is longer than the strict check takes (128 MiB): use --lenient"};
    lmx::c_xml_reader_memory reader(bytes.data(), bytes.size());
    return kyr::io::read_with_report(reader, document, mode);
}

} // namespace

load_result load_document(const std::string& path, Kyr& document, reading mode)
{
    if (path == "-")
        return load_standard_input(document, mode);
    return kyr::io::load_with_report(path, document, mode);
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
