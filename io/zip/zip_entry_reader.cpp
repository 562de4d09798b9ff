#include "zip_entry_reader.hpp"

#include <algorithm>
#include <limits>
#include <vector>

#include "crc32.hpp"
#include "zip64_fields.hpp"
#include "zip_exception.hpp"
#include "zip_format.hpp"

namespace kyr::zip {

namespace {

constexpr std::size_t input_chunk = 65536;

[[noreturn]] void corrupt(const char* reason)
{
    throw c_zip_exception(c_zip_exception::generic, reason);
}

void check_directory_record(const s_zip_entry_info& info)
{
    if (info.flags & flag_encrypted)
        corrupt("encrypted entries are not supported");
    if (info.method == method_stored) {
        if (info.compressed_size != info.uncompressed_size)
            corrupt("stored entry with differing sizes");
    } else if (info.method == method_deflated) {
        if (info.uncompressed_size > info.compressed_size * max_inflate_ratio)
            corrupt("uncompressed size impossible for the compressed size");
    } else {
        corrupt("unsupported compression method");
    }
}

// Returns where the entry's data starts.
std::uint64_t check_local_header(c_zip_source& source, const s_zip_entry_info& info)
{
    unsigned char header[local_header_size];
    source.read_exact(info.local_header_offset, header, sizeof header);
    if (get32(header) != local_header_signature)
        corrupt("bad local header signature");
    const std::uint16_t flags = get16(header + 6);
    if (flags & flag_encrypted)
        corrupt("encrypted entries are not supported");
    if (get16(header + 8) != info.method)
        corrupt("local header disagrees with the central directory");
    const std::uint64_t extra_start =
        static_cast<std::uint64_t>(info.local_header_offset) + local_header_size + get16(header + 26);
    const std::size_t extra_length = get16(header + 28);
    // With a data descriptor the local fields may be zero; otherwise they must
    // be the final values the directory repeats, in 32 bits or in a Zip64 field.
    if (!(flags & flag_data_descriptor)) {
        std::uint32_t compressed = get32(header + 18);
        std::uint32_t uncompressed = get32(header + 22);
        if (compressed == max_field_value || uncompressed == max_field_value) {
            std::vector<unsigned char> extra(extra_length);
            source.read_exact(extra_start, extra.data(), extra.size());
            if (!resolve_zip64_fields(extra.data(), extra.size(), {&uncompressed, &compressed}))
                corrupt("bad Zip64 field in the local header");
        }
        if (get32(header + 14) != info.crc || compressed != info.compressed_size
            || uncompressed != info.uncompressed_size)
            corrupt("local header disagrees with the central directory");
    }
    return extra_start + extra_length;
}

void check_placement(const s_zip_central_directory& directory, std::size_t index, std::uint64_t data_start)
{
    const s_zip_entry_info& info = directory.entries[index];
    const std::uint64_t data_end = data_start + info.compressed_size;
    if (data_end > directory.offset)
        corrupt("entry data runs into the central directory");
    for (std::size_t i = 0; i < directory.entries.size(); ++i) {
        const std::uint64_t other = directory.entries[i].local_header_offset;
        if (i != index && other >= info.local_header_offset && other < data_end)
            corrupt("entries overlap");
    }
}

} // namespace

c_zip_entry_reader::c_zip_entry_reader(c_zip_source& source, const s_zip_central_directory& directory,
                                       std::size_t index)
    : m_source(source), m_info(directory.entries[index])
{
    check_directory_record(m_info);
    m_next_input = check_local_header(m_source, m_info);
    check_placement(directory, index, m_next_input);
    m_input_remaining = m_info.compressed_size;
    if (m_info.method == method_deflated) {
        m_input.resize(
            static_cast<std::size_t>(std::min<std::uint64_t>(input_chunk, m_info.compressed_size)));
        if (inflateInit2(&m_stream, -MAX_WBITS) != Z_OK)
            corrupt("inflate cannot start");
        m_inflating = true;
    }
}

c_zip_entry_reader::~c_zip_entry_reader()
{
    if (m_inflating)
        inflateEnd(&m_stream);
}

std::size_t c_zip_entry_reader::read(void* buffer, std::size_t count)
{
    const std::uint64_t left = m_info.uncompressed_size - m_produced;
    // zlib counts in uInt; a shorter read is allowed.
    count =
        static_cast<std::size_t>(std::min<std::uint64_t>({count, left, std::numeric_limits<uInt>::max()}));
    if (buffer == nullptr || count == 0)
        return 0;
    auto* out = static_cast<unsigned char*>(buffer);
    const std::size_t got = m_inflating ? read_deflated(out, count) : read_stored(out, count);
    m_crc = crc32_update(m_crc, out, got);
    m_produced += got;
    return got;
}

std::size_t c_zip_entry_reader::read_stored(unsigned char* out, std::size_t count)
{
    m_source.read_exact(m_next_input, out, count);
    m_next_input += count;
    m_input_remaining -= count;
    return count;
}

void c_zip_entry_reader::refill()
{
    const std::size_t n =
        static_cast<std::size_t>(std::min<std::uint64_t>(m_input.size(), m_input_remaining));
    m_source.read_exact(m_next_input, m_input.data(), n);
    m_next_input += n;
    m_input_remaining -= n;
    m_stream.next_in = m_input.data();
    m_stream.avail_in = static_cast<uInt>(n);
}

std::size_t c_zip_entry_reader::read_deflated(unsigned char* out, std::size_t count)
{
    m_stream.next_out = out;
    m_stream.avail_out = static_cast<uInt>(count);
    while (m_stream.avail_out != 0 && !m_stream_ended)
        inflate_step();
    return count - m_stream.avail_out;
}

// One call of inflate, refilling the input first when it ran dry.
void c_zip_entry_reader::inflate_step()
{
    if (m_stream.avail_in == 0 && m_input_remaining != 0)
        refill();
    const int status = inflate(&m_stream, Z_NO_FLUSH);
    if (status == Z_STREAM_END)
        m_stream_ended = true;
    else if (status == Z_BUF_ERROR)
        corrupt("compressed data ends early");
    else if (status != Z_OK)
        corrupt("compressed data is corrupt");
}

// Runs the stream on past the recorded size: true when it still yields data.
bool c_zip_entry_reader::more_deflated_data()
{
    while (!m_stream_ended) {
        unsigned char extra;
        m_stream.next_out = &extra;
        m_stream.avail_out = 1;
        inflate_step();
        if (m_stream.avail_out == 0)
            return true;
    }
    // Compressed bytes after the end of the stream are data the entry does not account for.
    return m_stream.avail_in != 0 || m_input_remaining != 0;
}

int c_zip_entry_reader::finish()
{
    if (m_produced != m_info.uncompressed_size)
        return -1;
    if (m_inflating && more_deflated_data())
        return -1;
    if (m_crc != m_info.crc)
        throw c_zip_exception(c_zip_exception::bad_crc, "CRC-32 mismatch");
    return 1;
}

} // namespace kyr::zip
