// Exit statuses shared by every kyr command, so scripts can tell a bad
// document from a bad command line.
#ifndef KYR_TOOLS_EXIT_STATUS_HPP
#define KYR_TOOLS_EXIT_STATUS_HPP

namespace kyr_tool {

enum exit_status : int {
    exit_ok = 0,         // the command did what was asked
    exit_invalid = 1,    // a document is invalid or a check failed
    exit_usage_or_io = 2 // bad arguments, or a file that cannot be read or written
};

} // namespace kyr_tool

#endif
