#include "dos_time.hpp"

namespace kyr::zip {

namespace {

// `calendar` is null when the moment could not be broken down.
s_dos_stamp from_calendar(const std::tm* calendar)
{
    if (calendar == nullptr || calendar->tm_year < 80)
        return {0, (1 << 5) | 1};
    if (calendar->tm_year > 80 + 127)
        return {(23 << 11) | (59 << 5) | 29, (127 << 9) | (12 << 5) | 31};
    s_dos_stamp stamp;
    stamp.time = static_cast<std::uint16_t>((calendar->tm_hour << 11) | (calendar->tm_min << 5)
                                            | (calendar->tm_sec / 2));
    stamp.date = static_cast<std::uint16_t>(((calendar->tm_year - 80) << 9) | ((calendar->tm_mon + 1) << 5)
                                            | calendar->tm_mday);
    return stamp;
}

} // namespace

s_dos_stamp to_dos_stamp(std::time_t moment)
{
    std::tm local{};
    return from_calendar(localtime_r(&moment, &local));
}

s_dos_stamp to_utc_dos_stamp(std::time_t moment)
{
    std::tm utc{};
    return from_calendar(gmtime_r(&moment, &utc));
}

} // namespace kyr::zip
