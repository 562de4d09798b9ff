#include "progress_bar.hpp"

#include <unistd.h>

#include <ostream>
#include <string>

namespace kyr_tool {
namespace {

constexpr std::size_t bar_width = 40;
// Below this many files the run is over before a bar would help.
constexpr std::size_t minimum_files_for_bar = 10;

} // namespace

progress_bar::progress_bar(std::ostream& out, std::size_t total, bool enabled)
    : out_(out), total_(total), enabled_(enabled && total > 0)
{
}

void progress_bar::clear()
{
    if (enabled_)
        out_ << "\r\033[K";
}

void progress_bar::show(std::size_t done)
{
    if (!enabled_)
        return;
    const std::size_t filled = done * bar_width / total_;
    out_ << "\r[" << std::string(filled, '#') << std::string(bar_width - filled, ' ') << "] " << done << '/'
         << total_ << std::flush;
}

bool wants_progress_bar(std::size_t files)
{
    return files >= minimum_files_for_bar && isatty(STDOUT_FILENO) == 1;
}

} // namespace kyr_tool
