// kyr: validate, inspect, convert, export, create and import Kyr colour documents.
#include "commands.hpp"
#include "exit_status.hpp"
#include "standard_output.hpp"

#include <kyr/version.hpp>

#include <CLI/CLI.hpp>

#include <iostream>
#include <new>
#include <vector>

int main(int argc, char** argv)
{
    using namespace kyr_tool;

    CLI::App app{"Validate, inspect, convert, export and create Kyr colour documents.", "kyr"};
    app.set_version_flag("--version", std::string("kyr ") + KYR_VERSION_STRING);
    app.require_subcommand(0, 1);

    const std::vector<command> commands = {add_validate_command(app), add_info_command(app),
                                           add_convert_command(app),  add_export_command(app),
                                           add_new_command(app),      add_import_command(app)};
    const std::vector<command> colour_commands = {add_colorimetry_command(app), add_diff_command(app),
                                                  add_qc_command(app)};
    const std::vector<command> page_commands = {add_render_command(app)};

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return with_output_flushed(app.exit(e));
    } catch (const CLI::CallForVersion& e) {
        return with_output_flushed(app.exit(e));
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return exit_usage_or_io;
    }

    for (const auto* group : {&commands, &colour_commands, &page_commands}) {
        for (const command& c : *group) {
            if (!c.app->parsed())
                continue;
            try {
                return with_output_flushed(c.run());
            } catch (const std::bad_alloc&) {
                std::cerr << "kyr: out of memory\n";
                return exit_usage_or_io;
            }
        }
    }
    // No command at all: say what there is to choose from.
    std::cerr << app.help();
    return exit_usage_or_io;
}
