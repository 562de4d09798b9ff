#include <kyr/io/write_check.hpp>

#include <kyr/lmx/xml_writer.hpp>

#include <ostream>

namespace kyr::io {

lmx::elmx_error check_writable(const com_kyrandel_v2::Kyr& document, kyr::diagnostics& found)
{
    // The text itself is not wanted: a stream without a buffer drops it.
    std::ostream nowhere(nullptr);
    lmx::c_xml_writer writer(nowhere, lmx::c_xml_writer::include_xml_decl, "\t", "\n");
    writer.set_error_sink(&found);
    const lmx::elmx_error code = document.marshal(writer, "Kyr:Kyr");
    if (code != lmx::ELMX_OK && found.empty())
        found.add(code, lmx::get_error_description(code), "/Kyr");
    return found.first_code();
}

} // namespace kyr::io
