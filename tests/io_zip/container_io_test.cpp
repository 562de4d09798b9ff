// Reading and building ".kyrz" containers without exceptions, with bounded memory.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <new>
#include <stdexcept>

#include <gtest/gtest.h>

#include "zip_test_support.hpp"
#include <kyr/io/container.hpp>
#include <kyr/lmx/read.hpp>
#include <kyr/schema/classes/Kyr.hpp>

using namespace zip_test;

namespace {

// Largest single allocation made while tracking is on.
std::atomic<bool> tracking{false};
std::atomic<std::size_t> largest{0};
// Allocations left before one fails; negative: none fails.
std::atomic<long> allocations_left{-1};

struct allocation_tracker
{
    allocation_tracker()
    {
        largest = 0;
        tracking = true;
    }
    ~allocation_tracker() { tracking = false; }
};

const std::string document = [] {
    std::string d = "<?xml version=\"1.0\"?>\n<Kyr:Kyr xmlns:Kyr=\"urn:k\">";
    d.append(5000, ' ');
    return d + "</Kyr:Kyr>\n";
}();

// Several windows of text that deflate cannot shrink to nothing.
const std::string long_document = [] {
    std::string d;
    for (unsigned i = 0; d.size() < 300000; ++i)
        d += "<p n=\"" + std::to_string(i * 2654435761u) + "\"/>\n";
    return d;
}();

// What is left of an entry, byte by byte.
std::string rest_of(lmx::c_read& entry)
{
    std::string rest;
    for (int c; (c = entry.next_byte()) != -1;)
        rest += static_cast<char>(c);
    return rest;
}

// Entry 0 as a parser sees it.
bool read_entry(const std::string& archive, std::string& content)
{
    content.clear();
    return kyr::io::parse_first_entry(archive.data(), archive.size(),
                                      [&](lmx::c_read& entry) { content = rest_of(entry); });
}

// The same, taking whole windows in place.
bool read_entry_by_windows(const std::string& archive, std::string& content)
{
    content.clear();
    return kyr::io::parse_first_entry(archive.data(), archive.size(), [&](lmx::c_read& entry) {
        for (int c; (c = entry.next_byte()) != -1;) {
            content += static_cast<char>(c);
            content.append(reinterpret_cast<const char*>(entry.window()), entry.window_size());
            entry.skip(entry.window_size());
        }
    });
}

} // namespace

// GCC pairs the inlined std::free with the built-in new it assumes, not with this one.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size)
{
    if (tracking && size > largest)
        largest = size;
    if (allocations_left >= 0 && allocations_left-- == 0)
        throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
#pragma GCC diagnostic pop

TEST(ContainerIo, AnEntryOfManyWindowsReadsTheSameEitherWay)
{
    for (int level : {0, 1, 9}) {
        const std::string archive = make_archive("long.kyr", long_document, level);
        std::string by_bytes, by_windows;
        ASSERT_TRUE(read_entry(archive, by_bytes)) << level;
        ASSERT_TRUE(read_entry_by_windows(archive, by_windows)) << level;
        EXPECT_EQ(by_bytes, long_document) << level;
        EXPECT_EQ(by_windows, long_document) << level;
    }
}

TEST(ContainerIo, WhatTheParserLeavesUnreadIsStillChecked)
{
    const std::string good = make_archive("long.kyr", long_document);
    std::string bad_crc = good;
    set32(bad_crc, lh_crc, u32(bad_crc, lh_crc) ^ 1);
    set32(bad_crc, layout(bad_crc).central(cd_crc), u32(bad_crc, lh_crc));
    std::size_t seen = 0;
    const auto read_ten = [&](lmx::c_read& entry) {
        for (seen = 0; seen < 10 && entry.next_byte() != -1;)
            ++seen;
    };
    EXPECT_TRUE(kyr::io::parse_first_entry(good.data(), good.size(), read_ten));
    EXPECT_EQ(seen, 10u);
    EXPECT_FALSE(kyr::io::parse_first_entry(bad_crc.data(), bad_crc.size(), read_ten));
    EXPECT_EQ(seen, 10u);
    EXPECT_FALSE(kyr::io::parse_first_entry(bad_crc.data(), bad_crc.size(), [](lmx::c_read&) {}));
}

TEST(ContainerIo, ARaisingParserIsAFailure)
{
    const std::string good = make_archive("d.kyr", document);
    EXPECT_FALSE(kyr::io::parse_first_entry(good.data(), good.size(), [](lmx::c_read& entry) {
        entry.next_byte();
        throw std::runtime_error("parser gave up");
    }));
}

TEST(ContainerIo, DamagedDataEndsTheBytesEarly)
{
    std::string archive = make_archive("long.kyr", long_document);
    archive[30 + 8 + 400] ^= 0x55; // well inside the deflate stream
    std::string content;
    EXPECT_FALSE(read_entry(archive, content));
    EXPECT_LT(content.size(), long_document.size());
}

TEST(ContainerIo, EveryFailureIsFalse)
{
    std::string empty_archive;
    c_zip_archive writer;
    writer.create(empty_archive);
    writer.close();
    std::string bad_crc = make_archive("d.kyr", document);
    set32(bad_crc, lh_crc, u32(bad_crc, lh_crc) ^ 4);
    set32(bad_crc, layout(bad_crc).central(cd_crc), u32(bad_crc, lh_crc));
    std::string longer = make_archive("d.kyr", document);
    for (std::size_t at : {lh_uncompressed, layout(longer).central(cd_uncompressed)})
        set32(longer, at, static_cast<std::uint32_t>(document.size() - 1));
    for (std::size_t at : {lh_crc, layout(longer).central(cd_crc)})
        set32(longer, at, crc_of(document.substr(0, document.size() - 1)));
    const std::string cases[] = {empty_archive, bad_crc, longer, document, std::string()};
    std::string content;
    for (const std::string& bytes : cases)
        EXPECT_FALSE(read_entry(bytes, content));
    EXPECT_FALSE(
        kyr::io::parse_first_entry(::testing::TempDir() + "no such archive.kyrz", [](lmx::c_read&) {}));
}

TEST(ContainerIo, ALyingSizeCostsNoLargeAllocation)
{
    std::string b = make_archive("d.kyr", document);
    for (std::size_t at : {lh_uncompressed, layout(b).central(cd_uncompressed)})
        set32(b, at, 0xfffffff0u);
    std::string content;
    allocation_tracker tracker;
    EXPECT_FALSE(read_entry(b, content));
    // The inflate window and the directory are all that a refused entry may cost.
    EXPECT_LT(largest.load(), std::size_t(64) << 10);
    // An entry count the directory cannot hold is refused before room is made for the entries.
    std::string crowded = make_archive("d.kyr", document);
    for (std::size_t at : {crowded.size() - 22 + 8, crowded.size() - 22 + 10})
        set16(crowded, at, 0xffff);
    largest = 0;
    EXPECT_FALSE(read_entry(crowded, content));
    EXPECT_LT(largest.load(), std::size_t(64) << 10);
}

TEST(ContainerIo, AnEntryIsNeverHeldWhole)
{
    const std::string archive = make_archive("long.kyr", long_document);
    std::size_t seen = 0;
    allocation_tracker tracker;
    EXPECT_TRUE(kyr::io::parse_first_entry(archive.data(), archive.size(), [&](lmx::c_read& entry) {
        while (entry.next_byte() != -1)
            ++seen;
    }));
    EXPECT_EQ(seen, long_document.size());
    // Windows of compressed and of inflated bytes, nothing the size of the entry.
    EXPECT_LT(largest.load(), std::size_t(128) << 10);
}

TEST(ContainerIo, RunningOutOfMemoryAnywhereInALoadGivesTheDocumentBack)
{
    std::ifstream in(std::string(KYR_TEST_DATA_DIR) + "/io/two-palettes.kyr", std::ios::binary);
    const std::string xml{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GT(xml.size(), 1000u);
    std::string archive;
    ASSERT_TRUE(kyr::io::make_single_entry_archive("d.kyr", xml, fixed_moment(), archive));
    const std::string path = ::testing::TempDir() + "out-of-memory.kyrz";
    std::ofstream(path, std::ios::binary) << archive;
    const std::wstring wide_path(path.begin(), path.end());

    com_kyrandel_v2::Kyr held;
    ASSERT_EQ(held.unmarshal(xml), lmx::ELMX_OK);
    std::string before;
    held.marshal(&before);
    // Before the archive is open, a failed allocation leaves loadFile as it would leave any
    // function of the library; from then on it is the archive's failure, 1000.
    lmx::elmx_error code = lmx::ELMX_USER_DEFINED_1;
    long failing = 0;
    for (; code == lmx::ELMX_USER_DEFINED_1 && failing < 100000; ++failing) {
        allocations_left = failing;
        try {
            code = held.loadFile(wide_path);
        } catch (const std::bad_alloc&) {
            code = lmx::ELMX_USER_DEFINED_1;
        }
        allocations_left = -1;
        if (code == lmx::ELMX_USER_DEFINED_1) {
            std::string after;
            held.marshal(&after);
            ASSERT_EQ(after, before) << "allocation " << failing;
        }
    }
    std::remove(path.c_str());
    EXPECT_EQ(code, lmx::ELMX_OK);
    EXPECT_GT(failing, 50); // each allocation of a whole load failed once, in turn
    EXPECT_EQ(held.size_Palette(), 4u);
}
