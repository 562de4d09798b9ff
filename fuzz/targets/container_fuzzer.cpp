// Loads a ".kyrz" container from arbitrary bytes through the same steps as loadFile:
// the first entry is read as a document while it is inflated, then checked to its end.
#include <cstddef>
#include <cstdint>

#include <kyr/lmx/xml_reader.hpp>
#include <kyr/schema/classes/Kyr.hpp>

#include <kyr/io/container.hpp>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    com_kyrandel_v2::Kyr document;
    kyr::io::parse_first_entry(data, size, [&](lmx::c_read& entry) {
        lmx::c_xml_reader reader(entry);
        document.unmarshal(reader);
    });
    return 0;
}
