// The kyr commands. Each one registers its sub-command and options on the
// application and returns the action to run once the command line is parsed.
#ifndef KYR_TOOLS_COMMANDS_HPP
#define KYR_TOOLS_COMMANDS_HPP

#include <CLI/CLI.hpp>

#include <functional>

namespace kyr_tool {

struct command
{
    CLI::App* app;
    std::function<int()> run; // returns an exit_status
};

command add_validate_command(CLI::App& parent);
command add_info_command(CLI::App& parent);
command add_convert_command(CLI::App& parent);
command add_export_command(CLI::App& parent);
command add_new_command(CLI::App& parent);
command add_colorimetry_command(CLI::App& parent);
command add_diff_command(CLI::App& parent);
command add_qc_command(CLI::App& parent);
command add_render_command(CLI::App& parent);
command add_import_command(CLI::App& parent);

} // namespace kyr_tool

#endif
