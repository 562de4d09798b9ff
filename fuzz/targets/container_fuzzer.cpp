// Loads a ".kyrz" container from arbitrary bytes through the same steps as loadFile:
// the first entry is inflated and checked in memory, then read as a document.
#include <cstddef>
#include <cstdint>
#include <string>

#include <kyr/schema/classes/Kyr.hpp>

#include <kyr/io/container.hpp>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string xml;
    if (!kyr::io::read_first_entry(data, size, xml))
        return 0;
    com_kyrandel_v2::Kyr document;
    document.unmarshal(xml.data(), xml.size());
    return 0;
}
