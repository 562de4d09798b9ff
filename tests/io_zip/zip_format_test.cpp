// The bytes of a written archive, field by field.
#include <gtest/gtest.h>

#include "../../io/zip/dos_time.hpp"
#include "zip_test_support.hpp"

using namespace zip_test;

namespace {

std::string inflate_raw(const std::string& compressed, std::size_t size)
{
    std::string out(size, '\0');
    z_stream s{};
    EXPECT_EQ(inflateInit2(&s, -15), Z_OK);
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    s.avail_in = static_cast<uInt>(compressed.size());
    s.next_out = reinterpret_cast<Bytef*>(out.data());
    s.avail_out = static_cast<uInt>(size);
    EXPECT_EQ(inflate(&s, Z_FINISH), Z_STREAM_END);
    EXPECT_EQ(s.avail_in, 0u);
    inflateEnd(&s);
    return out;
}

const std::string document =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Kyr:Kyr>aaaaaaaaaaaaaaaaaaaaaaaaaaaa</Kyr:Kyr>\n";

} // namespace

TEST(ZipFormat, LocalHeaderCarriesFinalValues)
{
    const std::string b = make_archive("swatches.kyr", document);
    const kyr::zip::s_dos_stamp stamp = kyr::zip::to_dos_stamp(fixed_moment());
    EXPECT_EQ(u32(b, 0), 0x04034b50u);
    EXPECT_EQ(u16(b, 4), 20u); // version needed
    EXPECT_EQ(u16(b, 6), 0u);  // flags: default level, no encryption, no descriptor
    EXPECT_EQ(u16(b, 8), 8u);  // deflate
    EXPECT_EQ(u16(b, 10), stamp.time);
    EXPECT_EQ(u16(b, 12), stamp.date);
    EXPECT_EQ(u32(b, 14), crc_of(document));
    const std::uint32_t compressed = u32(b, 18);
    EXPECT_EQ(u32(b, 22), document.size());
    EXPECT_EQ(u16(b, 26), 12u);
    EXPECT_EQ(u16(b, 28), 0u); // no extra field
    EXPECT_EQ(b.substr(30, 12), "swatches.kyr");
    EXPECT_EQ(inflate_raw(b.substr(42, compressed), document.size()), document);
    EXPECT_LT(compressed, document.size());
    EXPECT_EQ(layout(b).directory, 42u + compressed);
}

TEST(ZipFormat, CentralDirectoryRepeatsTheEntry)
{
    const std::string b = make_archive("swatches.kyr", document);
    const std::size_t cd = layout(b).directory;
    EXPECT_EQ(u32(b, cd), 0x02014b50u);
    EXPECT_EQ(u16(b, cd + 4) & 0xff, 46u);           // format version 4.6
    EXPECT_EQ(u16(b, cd + 4) >> 8, 3u);              // Unix attributes
    for (std::size_t field = 6; field < 32; ++field) // version needed .. extra length
        EXPECT_EQ(b[cd + field], b[field - 2]) << "field byte " << field;
    EXPECT_EQ(u16(b, cd + 32), 0u);             // comment length
    EXPECT_EQ(u16(b, cd + 34), 0u);             // disk
    EXPECT_EQ(u16(b, cd + 36), 0u);             // internal attributes
    EXPECT_EQ(u32(b, cd + 38), 0100644u << 16); // regular file rw-r--r--
    EXPECT_EQ(u32(b, cd + 42), 0u);             // local header offset
    EXPECT_EQ(b.substr(cd + 46, 12), "swatches.kyr");
    EXPECT_EQ(cd + 46 + 12, layout(b).s_end_record);
}

TEST(ZipFormat, EndRecordClosesTheFile)
{
    const std::string b = make_archive("swatches.kyr", document);
    const std::size_t end = b.size() - 22;
    EXPECT_EQ(u32(b, end), 0x06054b50u);
    EXPECT_EQ(u16(b, end + 4), 0u);
    EXPECT_EQ(u16(b, end + 6), 0u);
    EXPECT_EQ(u16(b, end + 8), 1u);
    EXPECT_EQ(u16(b, end + 10), 1u);
    EXPECT_EQ(u32(b, end + 12), 46u + 12u);
    EXPECT_EQ(u32(b, end + 16), layout(b).directory);
    EXPECT_EQ(u16(b, end + 20), 0u);
}

TEST(ZipFormat, ShortFilesAreStoredLongerOnesDeflated)
{
    for (std::size_t size = 0; size <= 6; ++size) {
        const std::string data = std::string("<a/>\n!").substr(0, size);
        const std::string b = make_archive("x.kyr", data);
        const bool stored = size < 5;
        EXPECT_EQ(u16(b, 8), stored ? 0u : 8u) << size;
        EXPECT_EQ(u16(b, 6), 0u) << size;
        EXPECT_EQ(u32(b, 14), crc_of(data)) << size;
        EXPECT_EQ(u32(b, 22), size) << size;
        if (stored) {
            EXPECT_EQ(u32(b, 18), size);
            EXPECT_EQ(b.substr(35, size), data);
        }
        EXPECT_EQ(read_memory_entry0(b).data, data) << size;
    }
}

TEST(ZipFormat, LevelIsRecordedInFlagBitsOneAndTwo)
{
    const std::pair<int, unsigned> expected[] = {{-1, 0}, {1, 6}, {2, 4}, {3, 0},
                                                 {6, 0},  {8, 2}, {9, 2}, {0, 0}};
    for (const auto& [level, flags] : expected) {
        const std::string b = make_archive("x.kyr", document, level);
        EXPECT_EQ(u16(b, 6), flags) << "level " << level;
        EXPECT_EQ(u16(b, layout(b).central(8)), flags) << "level " << level;
        EXPECT_EQ(u16(b, 8), level == 0 ? 0u : 8u) << "level " << level;
        EXPECT_EQ(read_memory_entry0(b).data, document) << "level " << level;
    }
}

TEST(ZipFormat, DosStampsAndTheirLimits)
{
    const kyr::zip::s_dos_stamp s = kyr::zip::to_dos_stamp(fixed_moment());
    EXPECT_EQ(s.date, (44u << 9) | (3u << 5) | 15u);
    EXPECT_EQ(s.time, (13u << 11) | (45u << 5) | 15u);
    std::tm early{};
    early.tm_year = 70;
    early.tm_mday = 2;
    early.tm_isdst = -1;
    const kyr::zip::s_dos_stamp first = kyr::zip::to_dos_stamp(std::mktime(&early));
    EXPECT_EQ(first.date, (1u << 5) | 1u);
    EXPECT_EQ(first.time, 0u);
}
