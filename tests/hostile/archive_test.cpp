// Hostile ".kyrz" containers loaded through loadFile: a genuine deflate bomb, an honest
// entry just under the size cap, a size record that lies, a container whose document is
// itself an entity bomb, and every truncation of a real container. Each ends with a code, in
// bounded memory, without crashing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include <zlib.h>

#include "hostile_documents.hpp"
#include <kyr/io/container.hpp>

using namespace hostile;

namespace {

void put16(std::string& out, uint32_t v)
{
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>((v >> 8) & 0xff);
}

void put32(std::string& out, uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

// One deflated entry named "d.kyr" whose records declare `size` and `crc`.
std::string single_entry_archive(const std::string& deflated, uint32_t size, uint32_t crc)
{
    const std::string name = "d.kyr";
    std::string out;
    put32(out, 0x04034b50);
    put16(out, 20);
    put16(out, 0);
    put16(out, 8);
    put32(out, 0);
    put32(out, crc);
    put32(out, static_cast<uint32_t>(deflated.size()));
    put32(out, size);
    put16(out, static_cast<uint32_t>(name.size()));
    put16(out, 0);
    out += name + deflated;
    const uint32_t directory = static_cast<uint32_t>(out.size());
    put32(out, 0x02014b50);
    put16(out, 20);
    put16(out, 20);
    put16(out, 0);
    put16(out, 8);
    put32(out, 0);
    put32(out, crc);
    put32(out, static_cast<uint32_t>(deflated.size()));
    put32(out, size);
    put16(out, static_cast<uint32_t>(name.size()));
    for (int field = 0; field < 4; ++field)
        put16(out, 0);
    put32(out, 0);
    put32(out, 0);
    out += name;
    const uint32_t directory_size = static_cast<uint32_t>(out.size()) - directory;
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, 1);
    put16(out, 1);
    put32(out, directory_size);
    put32(out, directory);
    put16(out, 0);
    return out;
}

std::string deflate_raw(const std::string& data)
{
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// `data` deflated and flushed to a byte boundary, with no final block: such pieces can be
// concatenated, and a final empty block ends the stream.
std::string flushed_deflate(const std::string& data)
{
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, data.size()) + 64, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FULL_FLUSH);
    out.resize(out.size() - stream.avail_out);
    deflateEnd(&stream);
    return out;
}

const std::string k_final_block("\x03\x00", 2);

uint32_t crc_of(const std::string& data)
{
    return static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

// `document` followed by `mebibytes` MiB of spaces, as one honest deflated entry: the bomb
// repeats one flushed block of a mebibyte, which costs about a kilobyte.
std::string padded_container(const std::string& document, uint32_t mebibytes)
{
    const std::string mebibyte(1u << 20, ' ');
    const std::string block = flushed_deflate(mebibyte);
    std::string stream = flushed_deflate(document);
    const uLong block_crc = crc_of(mebibyte);
    uLong crc = crc_of(document);
    for (uint32_t i = 0; i < mebibytes; ++i) {
        stream += block;
        crc = crc32_combine(crc, block_crc, 1u << 20);
    }
    const uint64_t size = document.size() + (static_cast<uint64_t>(mebibytes) << 20);
    return single_entry_archive(stream + k_final_block, static_cast<uint32_t>(size),
                                static_cast<uint32_t>(crc));
}

struct s_container_file
{
    explicit s_container_file(const std::string& bytes)
        : path(std::string(::testing::TempDir()) + "hostile-" + std::to_string(getpid()) + ".kyrz")
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    ~s_container_file() { std::remove(path.c_str()); }
    std::string path;
};

// loadFile's code; its reader is internal, so the lexical code is given as 0.
s_outcome load_container(const std::string& bytes)
{
    const s_container_file file(bytes);
    return run_bounded([&file] {
        com_kyrandel_v2::Kyr document;
        const lmx::elmx_error code = document.loadFile(std::wstring(file.path.begin(), file.path.end()));
        return std::array<int, 2>{static_cast<int>(code), 0};
    });
}

#define EXPECT_CONTAINER_CODE(outcome, expected) EXPECT_LOAD_CODES(outcome, expected, 0)

} // namespace

TEST(HostileArchives, AnEntryAtTheCapLoadsAndIsNeverHeldWhole)
{
    // A document of one MiB and 255 MiB of white space after it: the entry is exactly as large
    // as a container may hold, and held in memory it alone would break the load's bound.
    std::string document = kyr_document("", "c");
    document.append((std::size_t(1) << 20) - document.size(), ' ');
    const std::string padded = padded_container(document, 255);
    ASSERT_EQ(std::size_t(256) << 20, kyr::io::max_container_document_size);
    EXPECT_CONTAINER_CODE(load_container(padded), lmx::ELMX_OK);
}

TEST(HostileArchives, DeflateBombIsRefused)
{
    const std::string bomb = padded_container(kyr_document("", "c"), 1024);
    ASSERT_LT(bomb.size(), 4u << 20);
    ASSERT_GT(std::size_t(1024) << 20, kyr::io::max_container_document_size);
    EXPECT_CONTAINER_CODE(load_container(bomb), lmx::ELMX_USER_DEFINED_1);
}

TEST(HostileArchives, EveryTruncationFailsCleanly)
{
    const std::string document = kyr_document("", "c");
    const uint32_t crc = crc_of(document);
    const std::string archive =
        single_entry_archive(deflate_raw(document), static_cast<uint32_t>(document.size()), crc);
    const s_container_file file("");
    const s_outcome outcome = run_bounded([&archive, &file]() -> std::array<int, 2> {
        for (size_t cut = 0; cut < archive.size(); ++cut) {
            std::ofstream(file.path, std::ios::binary | std::ios::trunc) << archive.substr(0, cut);
            com_kyrandel_v2::Kyr document;
            const lmx::elmx_error code = document.loadFile(std::wstring(file.path.begin(), file.path.end()));
            if (code != lmx::ELMX_USER_DEFINED_1)
                return {static_cast<int>(code), static_cast<int>(cut)};
        }
        return {0, 0};
    });
    EXPECT_CONTAINER_CODE(outcome, 0);
}
