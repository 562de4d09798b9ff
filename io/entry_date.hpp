// The date written on a container's entry.
#ifndef KYR_IO_ENTRY_DATE_HPP
#define KYR_IO_ENTRY_DATE_HPP

#include <ctime>

#include <kyr/io/container.hpp>

namespace kyr::io {

struct s_entry_date
{
    std::time_t moment;
    entry_clock clock;
};

// Now, on the local clock as ZIP tools show it; or, when SOURCE_DATE_EPOCH holds a
// whole number of seconds, that moment on the UTC clock, so that a document written
// at different times and in different time zones gives the same bytes.
s_entry_date container_entry_date();

} // namespace kyr::io

#endif
