// Reads the data of one archive entry: inflates or copies it and checks its CRC-32.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <zlib.h>

#include "zip_central_directory.hpp"
#include "zip_source.hpp"

namespace kyr::zip {

class zip_entry_reader
{
public:
    // Checks the entry's local header against its directory record and its
    // place in the archive; raises CZipException (generic) for an encrypted
    // entry, a method other than stored or deflated, sizes the data cannot
    // justify, or records that are truncated or overlap.
    zip_entry_reader(zip_source& source, const zip_central_directory& directory, std::size_t index);
    ~zip_entry_reader();
    zip_entry_reader(const zip_entry_reader&) = delete;
    zip_entry_reader& operator=(const zip_entry_reader&) = delete;

    // Up to `count` bytes of uncompressed data; 0 at the recorded end of the entry.
    std::size_t read(void* buffer, std::size_t count);

    // 1 when the data ended exactly at its recorded size and the CRC matches,
    // -1 when data remains; raises CZipException (bad_crc) on a CRC mismatch.
    int finish();

private:
    std::size_t read_stored(unsigned char* out, std::size_t count);
    std::size_t read_deflated(unsigned char* out, std::size_t count);
    void refill();
    bool more_deflated_data();

    zip_source& source_;
    const zip_entry_info& info_;
    std::uint64_t next_input_ = 0;      // archive offset of the next compressed byte to fetch
    std::uint64_t input_remaining_ = 0; // compressed bytes not fetched yet
    std::uint64_t produced_ = 0;
    std::uint32_t crc_ = 0;
    std::vector<unsigned char> input_;
    z_stream stream_{};
    bool inflating_ = false;
    bool stream_ended_ = false;
};

} // namespace kyr::zip
