#include "zip_central_directory.hpp"

#include <algorithm>

#include "zip64_fields.hpp"
#include "zip_exception.hpp"
#include "zip_format.hpp"

namespace kyr::zip {

namespace {

[[noreturn]] void corrupt(const char* reason)
{
    throw c_zip_exception(c_zip_exception::generic, reason);
}

struct s_end_record
{
    std::uint64_t position = 0;
    std::uint16_t entries = 0;
    std::uint32_t directory_size = 0;
    std::uint32_t directory_offset = 0;
};

// Writers that may need 64-bit sizes put a Zip64 end record and its locator between the
// directory and the end record. Only one that repeats the end record's values is taken; the
// directory must then end where it begins.
void check_zip64_end_record(c_zip_source& source, s_end_record& record)
{
    if (record.position < zip64_end_record_size + zip64_locator_size)
        return;
    unsigned char locator[zip64_locator_size];
    source.read_exact(record.position - zip64_locator_size, locator, sizeof locator);
    if (get32(locator) != zip64_locator_signature)
        return;
    const std::uint64_t start = record.position - zip64_locator_size - zip64_end_record_size;
    unsigned char p[zip64_end_record_size];
    source.read_exact(start, p, sizeof p);
    if (get32(locator + 4) != 0 || get64(locator + 8) != start || get32(locator + 16) != 1
        || get32(p) != zip64_end_record_signature || get64(p + 4) != zip64_end_record_size - 12
        || get32(p + 16) != 0 || get32(p + 20) != 0 || get64(p + 24) != record.entries
        || get64(p + 32) != record.entries || get64(p + 40) != record.directory_size
        || get64(p + 48) != record.directory_offset)
        corrupt("Zip64 end record disagrees with the end record");
    record.position = start;
}

// The record must end exactly where its comment says the file ends: a
// signature found anywhere else is comment text or trailing garbage.
s_end_record find_end_record(c_zip_source& source)
{
    const std::uint64_t size = source.size();
    if (size < end_record_size)
        throw c_zip_exception(c_zip_exception::no_end_record, "file too short for an archive");
    const std::size_t span = static_cast<std::size_t>(std::min<std::uint64_t>(size, end_record_search_span));
    std::vector<unsigned char> tail(span);
    const std::uint64_t tail_start = size - span;
    source.read_exact(tail_start, tail.data(), span);

    for (std::size_t pos = span - end_record_size + 1; pos-- > 0;) {
        const unsigned char* p = tail.data() + pos;
        if (get32(p) != end_record_signature || pos + end_record_size + get16(p + 20) != span)
            continue;
        if (get16(p + 4) != 0 || get16(p + 6) != 0 || get16(p + 8) != get16(p + 10))
            corrupt("split archives are not supported");
        s_end_record record;
        record.position = tail_start + pos;
        record.entries = get16(p + 10);
        record.directory_size = get32(p + 12);
        record.directory_offset = get32(p + 16);
        check_zip64_end_record(source, record);
        return record;
    }
    throw c_zip_exception(c_zip_exception::no_end_record, "end of central directory not found");
}

s_zip_entry_info parse_central_header(const unsigned char* p)
{
    s_zip_entry_info info;
    info.version_made_by = get16(p + 4);
    info.version_needed = get16(p + 6);
    info.flags = get16(p + 8);
    info.method = get16(p + 10);
    info.modified_time = get16(p + 12);
    info.modified_date = get16(p + 14);
    info.crc = get32(p + 16);
    info.compressed_size = get32(p + 20);
    info.uncompressed_size = get32(p + 24);
    info.external_attributes = get32(p + 38);
    info.local_header_offset = get32(p + 42);
    return info;
}

} // namespace

s_zip_central_directory read_central_directory(c_zip_source& source)
{
    const s_end_record end = find_end_record(source);
    // The directory must fill the space up to the end record exactly: anything
    // else means offsets that point elsewhere, ZIP64 records, or injected bytes.
    if (end.directory_offset > end.position || end.position - end.directory_offset != end.directory_size)
        corrupt("central directory does not end at the end record");
    if (static_cast<std::uint64_t>(end.entries) * central_header_size > end.directory_size)
        corrupt("central directory too small for its entries");

    std::vector<unsigned char> bytes(end.directory_size);
    source.read_exact(end.directory_offset, bytes.data(), bytes.size());

    s_zip_central_directory directory;
    directory.offset = end.directory_offset;
    directory.entries.reserve(end.entries);
    std::size_t pos = 0;
    for (unsigned i = 0; i < end.entries; ++i) {
        if (bytes.size() - pos < central_header_size)
            corrupt("central directory record truncated");
        const unsigned char* p = bytes.data() + pos;
        if (get32(p) != central_header_signature)
            corrupt("bad central directory signature");
        const std::size_t name_length = get16(p + 28);
        const std::size_t variable_length = name_length + get16(p + 30) + get16(p + 32);
        if (bytes.size() - pos - central_header_size < variable_length)
            corrupt("central directory record truncated");
        s_zip_entry_info info = parse_central_header(p);
        if (!resolve_zip64_fields(
                p + central_header_size + name_length, get16(p + 30),
                {&info.uncompressed_size, &info.compressed_size, &info.local_header_offset}))
            corrupt("bad Zip64 field in the central directory");
        if (static_cast<std::uint64_t>(info.local_header_offset) + local_header_size > directory.offset)
            corrupt("local header outside the archive data");
        info.name.assign(reinterpret_cast<const char*>(p + central_header_size), name_length);
        directory.entries.push_back(std::move(info));
        pos += central_header_size + variable_length;
    }
    if (pos != bytes.size())
        corrupt("unexpected bytes in the central directory");
    return directory;
}

} // namespace kyr::zip
