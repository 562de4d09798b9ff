#include "cgats_export.hpp"

#include "exit_status.hpp"

#include <kyr/cgats/document.hpp>

#include <iostream>

namespace kyr_tool {

int export_cgats(const com_kyrandel_v2::Kyr& document)
{
    std::vector<std::string> skipped;
    const std::vector<kyr::cgats::table> tables = kyr::cgats::from_document(document, skipped);
    for (const std::string& name : skipped)
        std::cerr << "kyr: " << name << " values have no CGATS fields and are left out\n";
    std::cout << kyr::cgats::write(tables);
    std::cout.flush();
    return std::cout ? exit_ok : exit_usage_or_io;
}

} // namespace kyr_tool
