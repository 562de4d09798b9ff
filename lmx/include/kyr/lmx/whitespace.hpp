// The white-space modes a value's text is read in.
#ifndef KYR_LMX_WHITESPACE_HPP
#define KYR_LMX_WHITESPACE_HPP

namespace lmx {

// How a value's white space is read.
enum elmx_whitespace : int {
    ELMX_WHITESPACE_PRESERVE = 0, // characters stay as read
    ELMX_WHITESPACE_REPLACE = 1,  // each white-space character becomes one space
    ELMX_WHITESPACE_COLLAPSE = 2  // runs become one space; leading and trailing ones go
};

} // namespace lmx

#endif
