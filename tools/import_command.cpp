// kyr import FILE -o OUT: reads a measurement-data text file (.txt, .ti1, .ti3, .cgats ...)
// and writes it as a document, one colour per data set.
#include "commands.hpp"
#include "document_saving.hpp"
#include "exit_status.hpp"
#include "swatch_document.hpp"

#include <kyr/cgats/document.hpp>
#include <kyr/schema/classes.hpp>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>

namespace kyr_tool {
namespace {

struct import_options
{
    std::string input;
    std::string output;
};

bool read_input(const std::string& path, std::string& text)
{
    if (path == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return !std::cin.bad();
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return !in.bad();
}

int import_file(const import_options& options)
{
    if (!is_writable_name(options.output)) {
        std::cerr << "kyr: " << options.output << ": the output name must end in .kyr or .kyrz (or be -)\n";
        return exit_usage_or_io;
    }
    std::string text;
    if (!read_input(options.input, text)) {
        std::cerr << "kyr: " << options.input << ": cannot read the file\n";
        return exit_usage_or_io;
    }
    std::vector<kyr::cgats::table> tables;
    const kyr::cgats::read_result read = kyr::cgats::read(text, tables);
    if (!read.ok) {
        std::cerr << "kyr: " << options.input << ": " << read.message << '\n';
        return exit_invalid;
    }
    const std::string name =
        options.input == "-" ? "standard input" : std::filesystem::path(options.input).filename().string();
    com_kyrandel_v2::Kyr document;
    const kyr::cgats::import_result imported =
        kyr::cgats::to_document(tables, name, "kyr", creation_time(), document);
    if (!imported.ok) {
        std::cerr << "kyr: " << options.input << ": " << imported.message << '\n';
        return exit_invalid;
    }
    return save_for_command(document, options.output);
}

} // namespace

command add_import_command(CLI::App& parent)
{
    auto options = std::make_shared<import_options>();
    CLI::App* app = parent.add_subcommand(
        "import",
        "Read a measurement-data text file (CGATS: .txt, .ti1, .ti3, .cgats) into a document: one colour per "
        "sample, one colour set per table.");
    app->add_option("FILE", options->input, "Text file to read (- for standard input)")->required();
    app->add_option("-o,--output", options->output,
                    "Document to write (.kyr, .kyrz, or - for plain XML on standard output)")
        ->required();
    return {app, [options] { return import_file(*options); }};
}

} // namespace kyr_tool
