#include "zip_entry_writer.hpp"

#include <algorithm>

#include <zlib.h>

#include "crc32.hpp"
#include "zip_exception.hpp"
#include "zip_format.hpp"

namespace kyr::zip {

namespace {

[[noreturn]] void fail(const char* reason)
{
    throw c_zip_exception(c_zip_exception::generic, reason);
}

// Bits 1 and 2 of the flags tell extractors which deflate level was used.
std::uint16_t level_flags(int level)
{
    switch (level) {
    case 1:
        return 6;
    case 2:
        return 4;
    case 8:
    case 9:
        return 2;
    default:
        return 0;
    }
}

bool has_non_ascii(const std::string& name)
{
    return std::any_of(name.begin(), name.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

void deflate_into(std::string& archive, const s_zip_entry_source& entry)
{
    z_stream stream{};
    if (deflateInit2(&stream, entry.level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        fail("deflate cannot start");
    const std::size_t chunk = std::clamp<std::size_t>(entry.chunk, 1024, 1u << 30);
    std::string out(chunk, '\0');
    std::size_t offset = 0;
    int status = Z_OK;
    while (status != Z_STREAM_END) {
        const std::size_t n = std::min(chunk, entry.size - offset);
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(entry.data + offset));
        stream.avail_in = static_cast<uInt>(n);
        offset += n;
        const int flush = offset == entry.size ? Z_FINISH : Z_NO_FLUSH;
        do {
            stream.next_out = reinterpret_cast<Bytef*>(out.data());
            stream.avail_out = static_cast<uInt>(chunk);
            status = deflate(&stream, flush);
            if (status == Z_STREAM_ERROR) {
                deflateEnd(&stream);
                fail("deflate failed");
            }
            archive.append(out.data(), chunk - stream.avail_out);
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
}

void put_common_fields(std::string& out, const s_zip_entry_info& info)
{
    put16(out, info.version_needed);
    put16(out, info.flags);
    put16(out, info.method);
    put16(out, info.modified_time);
    put16(out, info.modified_date);
    put32(out, info.crc);
    put32(out, info.compressed_size);
    put32(out, info.uncompressed_size);
    put16(out, static_cast<std::uint16_t>(info.name.size()));
    put16(out, 0); // extra field length
}

} // namespace

s_zip_entry_info append_entry(std::string& archive, const s_zip_entry_source& entry)
{
    if (entry.name.empty() || entry.name.size() > 0xffff)
        fail("entry name empty or too long");
    if (archive.size() > max_field_value || entry.size > max_field_value)
        fail("archive would need ZIP64");

    s_zip_entry_info info;
    info.name = entry.name;
    info.version_made_by = version_made_by;
    info.version_needed = version_needed_file;
    info.method = entry.level == 0 ? method_stored : method_deflated;
    info.flags = static_cast<std::uint16_t>(level_flags(entry.level)
                                            | (has_non_ascii(entry.name) ? flag_utf8_name : 0));
    info.modified_time = entry.modified.time;
    info.modified_date = entry.modified.date;
    info.external_attributes = external_attributes_file;
    info.local_header_offset = static_cast<std::uint32_t>(archive.size());
    info.uncompressed_size = static_cast<std::uint32_t>(entry.size);

    const std::size_t header_at = archive.size();
    put32(archive, local_header_signature);
    put_common_fields(archive, info);
    archive += info.name;

    const std::size_t data_at = archive.size();
    if (info.method == method_stored) {
        if (entry.size != 0)
            archive.append(entry.data, entry.size);
    } else {
        deflate_into(archive, entry);
    }
    if (archive.size() - data_at > max_field_value || archive.size() > max_field_value)
        fail("archive would need ZIP64");

    info.crc = crc32_update(0, reinterpret_cast<const unsigned char*>(entry.data), entry.size);
    info.compressed_size = static_cast<std::uint32_t>(archive.size() - data_at);
    patch32(archive, header_at + 14, info.crc);
    patch32(archive, header_at + 18, info.compressed_size);
    return info;
}

void append_central_directory(std::string& archive, const std::vector<s_zip_entry_info>& entries)
{
    if (entries.size() > 0xffff || archive.size() > max_field_value)
        fail("archive would need ZIP64");
    const std::size_t directory_at = archive.size();
    for (const s_zip_entry_info& info : entries) {
        put32(archive, central_header_signature);
        put16(archive, info.version_made_by);
        put_common_fields(archive, info);
        put16(archive, 0); // comment length
        put16(archive, 0); // disk number start
        put16(archive, 0); // internal attributes
        put32(archive, info.external_attributes);
        put32(archive, info.local_header_offset);
        archive += info.name;
    }
    const std::size_t directory_size = archive.size() - directory_at;
    if (archive.size() > max_field_value)
        fail("archive would need ZIP64");
    put32(archive, end_record_signature);
    put16(archive, 0); // this disk
    put16(archive, 0); // disk where the directory starts
    put16(archive, static_cast<std::uint16_t>(entries.size()));
    put16(archive, static_cast<std::uint16_t>(entries.size()));
    put32(archive, static_cast<std::uint32_t>(directory_size));
    put32(archive, static_cast<std::uint32_t>(directory_at));
    put16(archive, 0); // comment length
}

} // namespace kyr::zip
