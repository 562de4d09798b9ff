// Reading archives: entry 0, the object's states, and the records it accepts.
#include <cstdio>
#include <fstream>

#include <gtest/gtest.h>

#include "zip_test_support.hpp"

using namespace zip_test;

namespace {

const std::string document =
    "<?xml version=\"1.0\"?>\n<Kyr:Kyr xmlns:Kyr=\"urn:x\">colours colours colours</Kyr:Kyr>\n";

// Two entries; the document first.
std::string two_entries()
{
    std::string out;
    c_zip_archive archive;
    archive.create(out);
    archive.add_new_entry("first.xml", document.data(), document.size(), fixed_moment());
    archive.add_new_entry("second.txt", "other", 5, fixed_moment());
    archive.close();
    return out;
}

} // namespace

TEST(ZipReader, EntryInfoDescribesEveryEntry)
{
    const std::string b = two_entries();
    c_zip_archive archive;
    ASSERT_TRUE(archive.open_memory(b.data(), b.size()));
    ASSERT_EQ(archive.entry_count(), 2u);
    const kyr::zip::s_zip_entry_info* first = archive.entry_info(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->name, "first.xml");
    EXPECT_EQ(first->method, 8u);
    EXPECT_EQ(first->uncompressed_size, document.size());
    EXPECT_EQ(first->crc, crc_of(document));
    EXPECT_EQ(first->local_header_offset, 0u);
    EXPECT_EQ(archive.entry_info(1)->name, "second.txt");
    EXPECT_EQ(archive.entry_info(1)->method, 8u);
    EXPECT_EQ(archive.entry_info(2), nullptr);
}

TEST(ZipReader, ArchiveWithoutEntriesHasNoEntryZero)
{
    std::string b;
    c_zip_archive writer;
    writer.create(b);
    writer.close();
    ASSERT_EQ(b.size(), 22u);
    c_zip_archive archive;
    ASSERT_TRUE(archive.open_memory(b.data(), b.size()));
    EXPECT_EQ(archive.entry_count(), 0u);
    EXPECT_FALSE(archive.open_entry(0));
}

TEST(ZipReader, DataDescriptorFlagAllowsZeroLocalFields)
{
    std::string b = make_archive("d.kyr", document);
    const layout l(b);
    const std::uint32_t crc = u32(b, lh_crc), compressed = u32(b, lh_compressed);
    set16(b, lh_flags, 8);
    set16(b, l.central(cd_flags), 8);
    set32(b, lh_crc, 0);
    set32(b, lh_compressed, 0);
    set32(b, lh_uncompressed, 0);
    // The descriptor follows the data; shift the directory to make room.
    std::string descriptor = "PK\x07\x08";
    descriptor.resize(16);
    set32(descriptor, 4, crc);
    set32(descriptor, 8, compressed);
    set32(descriptor, 12, static_cast<std::uint32_t>(document.size()));
    b.insert(l.directory, descriptor);
    set32(b, b.size() - 22 + 16, static_cast<std::uint32_t>(l.directory + 16));
    EXPECT_EQ(read_memory_entry0(b).data, document);
}
