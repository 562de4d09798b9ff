// kyr convert IN OUT: reads a document and writes it back in canonical form;
// OUT's ending chooses plain XML (.kyr) or a container (.kyrz).
#include "commands.hpp"
#include "document_loading.hpp"
#include "document_saving.hpp"
#include "exit_status.hpp"

#include <iostream>
#include <memory>
#include <string>

namespace kyr_tool {
namespace {

struct convert_options
{
    std::string input;
    std::string output;
};

int convert(const convert_options& options)
{
    if (!is_writable_name(options.output)) {
        std::cerr << "kyr: " << options.output << ": the output name must end in .kyr or .kyrz (or be -)\n";
        return exit_usage_or_io;
    }
    com_kyrandel_v2::Kyr document;
    if (const int status = load_for_command(options.input, document); status != exit_ok)
        return status;
    return save_for_command(document, options.output);
}

} // namespace

command add_convert_command(CLI::App& parent)
{
    auto options = std::make_shared<convert_options>();
    CLI::App* app = parent.add_subcommand(
        "convert",
        "Rewrite a document in canonical form; OUT ending in .kyrz makes a container, .kyr plain XML.");
    app->add_option("IN", options->input, "Document to read (.kyr, .kyrz, or - for standard input)")
        ->required();
    app->add_option("OUT", options->output,
                    "File to write (.kyr, .kyrz, or - for plain XML on standard output)")
        ->required();
    return {app, [options] { return convert(*options); }};
}

} // namespace kyr_tool
