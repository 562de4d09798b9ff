// Archives made to mislead the reader: each case of data/io/zip_hostile.txt patches fields of
// a good one-entry archive and must end with the expected outcome of reading its entry: 0 (read
// whole), -1 (a failed check of read or close) or the archive error's code. Nothing large may be
// allocated on the way, and no single-byte change may crash the reader or pass off wrong data.
#include <gtest/gtest.h>

#include <case_file.hpp>

#include <sstream>
#include <vector>

#include "zip_test_support.hpp"

using namespace zip_test;

namespace {

std::string sample_document()
{
    std::string d = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Kyr:Kyr xmlns:Kyr=\"urn:k\">\n";
    for (int i = 0; i < 40; ++i)
        d += "\t<Color Name=\"c" + std::to_string(i * 7919 % 1000) + "\"/>\n";
    return d + "</Kyr:Kyr>\n";
}

const std::string document = sample_document();

// Applies "R+offset:width=value" patches, R one of L (local header), C (directory record),
// E (end record), B (both headers, offset of the local field); value in hex, or +n / -n / ^n
// applied to the field. "stored" builds the archive unpacked; "cut n" drops its last n bytes;
// "append n" adds n zero bytes; "twice" lists the entry's directory record twice; "ratio n" and
// "prefix" set the sizes and "pad" adds a byte as explained where they are read.
std::string patched(const std::string& patches)
{
    std::string b;
    std::istringstream in(patches);
    std::string word;
    bool stored = patches.find("stored") != std::string::npos;
    b = make_archive("d.kyr", document, stored ? 0 : -1);
    while (in >> word) {
        if (word == "stored")
            continue;
        if (word == "cut" || word == "append") {
            std::size_t n = 0;
            in >> n;
            if (word == "cut")
                b.resize(b.size() - n);
            else
                b.append(n, '\0');
            continue;
        }
        if (word == "ratio") { // a size of the compressed size times deflate's limit, plus n
            std::uint32_t n = 0;
            in >> n;
            const std::uint32_t size = u32(b, lh_compressed) * 1032 + n;
            for (std::size_t p : {std::size_t(lh_uncompressed), layout(b).central(cd_uncompressed)})
                set32(b, p, size);
            continue;
        }
        if (word == "prefix") { // sizes and CRC describe all but the last byte of the data
            const std::string prefix = document.substr(0, document.size() - 1);
            for (std::size_t p : {std::size_t(lh_uncompressed), layout(b).central(cd_uncompressed)})
                set32(b, p, static_cast<std::uint32_t>(prefix.size()));
            for (std::size_t p : {std::size_t(lh_crc), layout(b).central(cd_crc)})
                set32(b, p, crc_of(prefix));
            continue;
        }
        if (word == "pad") { // a stray byte between the directory and the end record, counted in
            const std::size_t end = layout(b).s_end_record; // the directory's size
            b.insert(end, 1, '\0');
            set32(b, end + 1 + 12, u32(b, end + 1 + 12) + 1);
            continue;
        }
        if (word == "twice") {
            const layout l(b);
            const std::string record = b.substr(l.directory, l.s_end_record - l.directory);
            b.insert(l.s_end_record, record);
            const std::size_t end = b.size() - 22;
            set16(b, end + 8, 2);
            set16(b, end + 10, 2);
            set32(b, end + 12, static_cast<std::uint32_t>(2 * record.size()));
            continue;
        }
        const layout l(b);
        const std::size_t offset = std::stoul(word.substr(2, word.find(':') - 2));
        const int width = word[word.find(':') + 1] - '0';
        const std::string value = word.substr(word.find('=') + 1);
        std::vector<std::size_t> at;
        if (word[0] == 'L' || word[0] == 'B')
            at.push_back(offset);
        if (word[0] == 'C')
            at.push_back(l.central(offset));
        if (word[0] == 'B')
            at.push_back(l.central(offset + 2));
        if (word[0] == 'E')
            at.push_back(l.s_end_record + offset);
        for (std::size_t p : at) {
            const std::uint32_t old = width == 2 ? u16(b, p) : u32(b, p);
            const bool relative = value[0] == '+' || value[0] == '-' || value[0] == '^';
            const std::uint32_t n =
                static_cast<std::uint32_t>(std::stoul(value.substr(relative ? 1 : 0), nullptr, 16));
            const std::uint32_t v = value[0] == '+' ? old + n
                : value[0] == '-'                   ? old - n
                : value[0] == '^'                   ? old ^ n
                                                    : n;
            if (width == 2)
                set16(b, p, v);
            else
                set32(b, p, v);
        }
    }
    return b;
}

TEST(ZipHostile, EveryCaseEndsWithItsOutcome)
{
    const auto cases = kyr_test::read_cases(KYR_TEST_DATA_DIR "/io/zip_hostile.txt");
    ASSERT_GT(cases.size(), 25u);
    for (const kyr_test::s_case& c : cases)
        EXPECT_EQ(std::to_string(read_memory_entry0(patched(c.input)).code), c.expected)
            << "zip_hostile.txt line " << c.line;
    EXPECT_EQ(read_memory_entry0("").code, 118);
    EXPECT_EQ(read_memory_entry0(document).code, 118);
}

TEST(ZipHostile, EveryFlippedCompressedByteIsCaught)
{
    const std::string b = make_archive("d.kyr", document);
    const std::size_t data = 30 + 5;
    const std::size_t size = u32(b, lh_compressed);
    // The last byte may end in padding bits that inflate ignores.
    for (std::size_t i = data; i + 1 < data + size; ++i) {
        std::string flipped = b;
        flipped[i] = static_cast<char>(flipped[i] ^ 0x10);
        EXPECT_NE(read_memory_entry0(flipped).code, 0) << "byte " << i;
    }
}

TEST(ZipHostile, NoSingleByteChangeCrashesOrLies)
{
    const std::string b = make_archive("d.kyr", document.substr(0, 120));
    for (std::size_t i = 0; i < b.size(); ++i) {
        for (unsigned char v : {0x00, 0x01, 0x7f, 0x80, 0xff}) {
            std::string changed = b;
            changed[i] = static_cast<char>(v);
            const read_result r = read_memory_entry0(changed);
            // Either the change is harmless (a time stamp, a name byte) or it is refused.
            if (r.code == 0) {
                EXPECT_EQ(r.data, document.substr(0, 120)) << "byte " << i << " value " << int(v);
            } else {
                EXPECT_TRUE(r.code == -1 || r.code == 100 || r.code == 102 || r.code == 118) << r.code;
            }
        }
    }
}

} // namespace
