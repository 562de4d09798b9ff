// The entries' CRC-32 must be zlib's to the bit, for every length, alignment and split.
#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>
#include <zlib.h>

#include "../../io/zip/crc32.hpp"

namespace {

const std::string bytes = [] {
    std::mt19937 random(20261206);
    std::string b(70000, '\0');
    for (char& c : b)
        c = static_cast<char>(random());
    return b;
}();

const unsigned char* at(std::size_t offset)
{
    return reinterpret_cast<const unsigned char*>(bytes.data() + offset);
}

std::uint32_t zlib_crc(std::uint32_t crc, std::size_t offset, std::size_t size)
{
    return static_cast<std::uint32_t>(crc32(crc, at(offset), static_cast<uInt>(size)));
}

} // namespace

TEST(Crc32, MatchesZlibForEveryShortLengthAndAlignment)
{
    for (std::size_t offset = 0; offset < 16; ++offset)
        for (std::size_t size = 0; size <= 300; ++size) {
            ASSERT_EQ(kyr::zip::crc32_update(0, at(offset), size), zlib_crc(0, offset, size))
                << offset << " " << size;
            ASSERT_EQ(kyr::zip::crc32_update(0x9e3779b9u, at(offset), size),
                      zlib_crc(0x9e3779b9u, offset, size))
                << offset << " " << size;
        }
}

TEST(Crc32, MatchesZlibForLongRunsAndAnySplit)
{
    EXPECT_EQ(kyr::zip::crc32_update(0, at(0), bytes.size()), zlib_crc(0, 0, bytes.size()));
    EXPECT_EQ(kyr::zip::crc32_update(0, at(3), 65536 + 17), zlib_crc(0, 3, 65536 + 17));
    const std::uint32_t whole = zlib_crc(0, 0, 10000);
    for (std::size_t split : {1u, 15u, 63u, 64u, 65u, 4097u, 9999u})
        EXPECT_EQ(kyr::zip::crc32_update(kyr::zip::crc32_update(0, at(0), split), at(split), 10000 - split),
                  whole)
            << split;
}
