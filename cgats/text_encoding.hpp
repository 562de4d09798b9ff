// Files from older instrument software are often ISO-8859-1 rather than UTF-8: such a file's
// texts are taken byte for byte as Latin-1 characters and written back the same way.
#ifndef KYR_CGATS_TEXT_ENCODING_HPP
#define KYR_CGATS_TEXT_ENCODING_HPP

#include <kyr/cgats/table.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace kyr::cgats {

bool is_utf8(std::string_view text);

// True when every text of the tables is UTF-8.
bool all_utf8(const std::vector<table>& tables);

// Every text of the table converted, Latin-1 to UTF-8 or back (characters above U+00FF
// become '?').
void latin1_to_utf8(table& t);
void utf8_to_latin1(table& t);

} // namespace kyr::cgats

#endif
