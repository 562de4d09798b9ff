// kyr validate FILE...: loads each document and reports OK or the reader's
// message, then a summary line.
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

int validate(const std::vector<std::string>& files)
{
    tally counts;
    progress_bar bar(std::cout, files.size(), wants_progress_bar(files.size()));
    for (std::size_t i = 0; i < files.size(); ++i) {
        bar.show(i);
        com_kyrandel_v2::Kyr document;
        const load_result result = load_document(files[i], document);
        bar.clear();
        switch (result.outcome) {
        case load_outcome::loaded:
            ++counts.valid;
            std::cout << files[i] << ": OK\n";
            break;
        case load_outcome::invalid:
            ++counts.invalid;
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
    CLI::App* app = parent.add_subcommand(
        "validate", "Check that each document reads without error; prints OK or the reader's message per file.");
    app->add_option("FILE", *files, "Documents to check (.kyr, .kyrz, or - for standard input)")->required();
    return {app, [files] { return validate(*files); }};
}

} // namespace kyr_tool
