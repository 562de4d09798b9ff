// kyr export --format cgats: a document's colours as measurement-data tables.
#ifndef KYR_TOOLS_CGATS_EXPORT_HPP
#define KYR_TOOLS_CGATS_EXPORT_HPP

#include <kyr/schema/classes.hpp>

namespace kyr_tool {

// Writes the tables to standard output and names, on standard error, the colour spaces
// the tables have no fields for. Returns an exit_status.
int export_cgats(const com_kyrandel_v2::Kyr& document);

} // namespace kyr_tool

#endif
