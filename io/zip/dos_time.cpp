#include "dos_time.hpp"

namespace kyr::zip {

dos_stamp to_dos_stamp(std::time_t moment) {
  std::tm local{};
  if (localtime_r(&moment, &local) == nullptr || local.tm_year < 80) return {0, (1 << 5) | 1};
  if (local.tm_year > 80 + 127) return {(23 << 11) | (59 << 5) | 29, (127 << 9) | (12 << 5) | 31};
  dos_stamp stamp;
  stamp.time = static_cast<std::uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
  stamp.date = static_cast<std::uint16_t>(((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
  return stamp;
}

}  // namespace kyr::zip
