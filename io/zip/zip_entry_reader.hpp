// Reads the data of one archive entry: inflates or copies it and checks its CRC-32.
#ifndef KYR_IO_ZIP_ZIP_ENTRY_READER_HPP
#define KYR_IO_ZIP_ZIP_ENTRY_READER_HPP

#include <cstddef>
#include <cstdint>
#include <vector>

#include <zlib.h>

#include "zip_central_directory.hpp"
#include "zip_source.hpp"

namespace kyr::zip {

class c_zip_entry_reader
{
public:
    // Checks the entry's local header against its directory record and its
    // place in the archive; raises c_zip_exception (generic) for an encrypted
    // entry, a method other than stored or deflated, sizes the data cannot
    // justify, or records that are truncated or overlap.
    c_zip_entry_reader(c_zip_source& source, const s_zip_central_directory& directory, std::size_t index);
    ~c_zip_entry_reader();
    c_zip_entry_reader(const c_zip_entry_reader&) = delete;
    c_zip_entry_reader& operator=(const c_zip_entry_reader&) = delete;

    // Up to `count` bytes of uncompressed data; 0 at the recorded end of the entry.
    std::size_t read(void* buffer, std::size_t count);

    // 1 when the data ended exactly at its recorded size and the CRC matches,
    // -1 when data remains; raises c_zip_exception (bad_crc) on a CRC mismatch.
    int finish();

private:
    std::size_t read_stored(unsigned char* out, std::size_t count);
    std::size_t read_deflated(unsigned char* out, std::size_t count);
    void refill();
    void inflate_step();
    bool more_deflated_data();

    c_zip_source& m_source;
    const s_zip_entry_info& m_info;
    std::uint64_t m_next_input = 0;      // archive offset of the next compressed byte to fetch
    std::uint64_t m_input_remaining = 0; // compressed bytes not fetched yet
    std::uint64_t m_produced = 0;
    std::uint32_t m_crc = 0;
    std::vector<unsigned char> m_input;
    z_stream m_stream{};
    bool m_inflating = false;
    bool m_stream_ended = false;
};

} // namespace kyr::zip

#endif
