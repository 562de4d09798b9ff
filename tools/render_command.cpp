// kyr render FILE -o OUT.html|OUT.svg|- [--format html|svg]: the document as a page to look at.
#include "commands.hpp"
#include "document_loading.hpp"
#include "exit_status.hpp"
#include "page_writers.hpp"
#include "render_page.hpp"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

namespace kyr_tool {
namespace {

struct render_options
{
    std::string input;
    std::string output;
    std::string format; // "html", "svg", or empty to follow the output's ending
};

bool ends_with(const std::string& text, const std::string& ending)
{
    return text.size() >= ending.size()
        && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

std::string format_of(const render_options& options)
{
    if (!options.format.empty())
        return options.format;
    if (options.output == "-" || ends_with(options.output, ".html") || ends_with(options.output, ".htm"))
        return "html";
    if (ends_with(options.output, ".svg"))
        return "svg";
    return "";
}

// The whole page is built before the file is opened, and a file that cannot be written whole is
// removed, so a failed render leaves nothing behind.
bool write_output(const std::string& path, const std::string& text)
{
    if (path == "-") {
        std::cout << text;
        std::cout.flush();
        return static_cast<bool>(std::cout);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file.write(text.data(), static_cast<std::streamsize>(text.size())) && file.flush())
        return true;
    file.close();
    std::remove(path.c_str());
    return false;
}

int render(const render_options& options)
{
    const std::string format = format_of(options);
    if (format.empty()) {
        std::cerr << "kyr: " << options.output
                  << ": the output name must end in .html or .svg (or give --format)\n";
        return exit_usage_or_io;
    }
    com_kyrandel_v2::Kyr document;
    if (const int status = load_for_command(options.input, document); status != exit_ok)
        return status;
    const page shown = build_page(document, options.input);
    if (!write_output(options.output, format == "svg" ? svg_page(shown) : html_page(shown))) {
        std::cerr << "kyr: " << options.output << ": cannot be written\n";
        return exit_usage_or_io;
    }
    return exit_ok;
}

} // namespace

command add_render_command(CLI::App& parent)
{
    auto options = std::make_shared<render_options>();
    CLI::App* app = parent.add_subcommand(
        "render", "Draw the colours as a page: swatches, spectral curves and quality-control verdicts.");
    app->add_option("FILE", options->input, "Document to read (.kyr, .kyrz, or - for standard input)")
        ->required();
    app->add_option("-o,--output", options->output, "Page to write: .html, .svg, or - for standard output")
        ->required();
    app->add_option("--format", options->format,
                    "html or svg (default: from the output's ending; html for -)")
        ->check(CLI::IsMember({"html", "svg"}));
    return {app, [options] { return render(*options); }};
}

} // namespace kyr_tool
