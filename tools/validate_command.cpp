// kyr validate FILE...: loads each document and reports OK or the reader's
// message, then a summary line. A fault of the strict check is reported as
// compilers do: FILE:LINE:COLUMN: error: MESSAGE.
#include "commands.hpp"
#include "document_loading.hpp"
#include "exit_status.hpp"
#include "progress_bar.hpp"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace kyr_tool {
namespace {

struct tally
{
    std::size_t valid = 0;
    std::size_t invalid = 0;
    std::size_t unreadable = 0;
};

std::string plural(std::size_t count, const char* word)
{
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

int validate(const std::vector<std::string>& files, reading mode)
{
    tally counts;
    progress_bar bar(std::cout, files.size(), wants_progress_bar(files.size()));
    for (std::size_t i = 0; i < files.size(); ++i) {
        bar.show(i);
        com_kyrandel_v2::Kyr document;
        const load_result result = load_document(files[i], document, mode);
        bar.clear();
        switch (result.outcome) {
        case load_outcome::loaded:
            ++counts.valid;
            std::cout << files[i] << ": OK\n";
            break;
        case load_outcome::invalid:
            ++counts.invalid;
            if (result.line != 0)
                std::cout << files[i] << ':' << result.line << ':' << result.column
                          << ": error: " << result.message << '\n';
            else
                std::cout << files[i] << ": " << result.message << '\n';
            break;
        case load_outcome::unreadable:
            ++counts.unreadable;
            std::cout.flush();
            std::cerr << "kyr: " << files[i] << ": " << result.message << '\n';
            break;
        }
    }
    bar.clear();

    std::cout << plural(files.size(), "file") << ": " << counts.valid << " valid, " << counts.invalid
              << " invalid";
    if (counts.unreadable != 0)
        std::cout << ", " << counts.unreadable << " unreadable";
    std::cout << '\n';

    if (counts.unreadable != 0)
        return exit_usage_or_io;
    return counts.invalid != 0 ? exit_invalid : exit_ok;
}

} // namespace

command add_validate_command(CLI::App& parent)
{
    auto files = std::make_shared<std::vector<std::string>>();
    auto lenient = std::make_shared<bool>(false);
    auto xml_only = std::make_shared<bool>(false);
    CLI::App* app = parent.add_subcommand(
        "validate",
        "Check that each document is well-formed XML and reads without error; prints OK or the "
        "reader's message per file.");
    app->add_option("FILE", *files, "Documents to check (.kyr, .kyrz, or - for standard input)")->required();
    CLI::Option* lenient_flag = app->add_flag(
        "--lenient", *lenient, "Read as loadFile does, without the strict well-formedness check");
    app->add_flag("--xml-only", *xml_only, "Check well-formedness alone, so that any XML file can be checked")
        ->excludes(lenient_flag);
    return {app, [files, lenient, xml_only] {
                return validate(*files,
                                *xml_only      ? reading::xml_only
                                    : *lenient ? reading::lenient
                                               : reading::strict);
            }};
}

} // namespace kyr_tool
