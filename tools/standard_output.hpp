// The last step of every kyr run: making sure its results reached standard output.
#ifndef KYR_TOOLS_STANDARD_OUTPUT_HPP
#define KYR_TOOLS_STANDARD_OUTPUT_HPP

namespace kyr_tool {

// Standard output is buffered, so a full disk or a device that refuses the bytes shows
// only when the buffer is flushed. Flushes it and gives back `status`; when anything
// written was lost, says so on standard error and gives exit_usage_or_io instead.
int with_output_flushed(int status);

} // namespace kyr_tool

#endif
