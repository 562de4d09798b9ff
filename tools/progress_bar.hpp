// A one-line progress bar for long runs on a terminal. It redraws itself in
// place and steps aside (clears its line) whenever a result line is printed.
#ifndef KYR_TOOLS_PROGRESS_BAR_HPP
#define KYR_TOOLS_PROGRESS_BAR_HPP

#include <cstddef>
#include <iosfwd>

namespace kyr_tool {

class progress_bar
{
public:
    // Draws nothing unless `enabled`; `total` is the number of steps.
    progress_bar(std::ostream& out, std::size_t total, bool enabled);

    void clear();                // erase the bar before printing a line
    void show(std::size_t done); // draw the bar for `done` of `total` steps

private:
    std::ostream& out_;
    std::size_t total_;
    bool enabled_;
};

// Whether a run over `files` files on this standard output deserves a bar.
bool wants_progress_bar(std::size_t files);

} // namespace kyr_tool

#endif
