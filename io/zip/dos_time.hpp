// MS-DOS date and time stamps, the form ZIP records keep modification times in.
#ifndef KYR_IO_ZIP_DOS_TIME_HPP
#define KYR_IO_ZIP_DOS_TIME_HPP

#include <cstdint>
#include <ctime>

namespace kyr::zip {

struct s_dos_stamp
{
    std::uint16_t time = 0; // hours << 11 | minutes << 5 | seconds / 2
    std::uint16_t date = 0; // (year - 1980) << 9 | month << 5 | day
};

// Local time of `moment`; moments before 1980 or after 2107 are clamped to the
// first or last representable day.
s_dos_stamp to_dos_stamp(std::time_t moment);

// The same on the UTC clock: one moment gives one stamp in every time zone.
s_dos_stamp to_utc_dos_stamp(std::time_t moment);

} // namespace kyr::zip

#endif
