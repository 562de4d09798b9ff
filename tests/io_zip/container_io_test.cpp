// Reading and building ".kyrz" containers without exceptions, with bounded memory.
#include <atomic>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include <kyr/io/container.hpp>
#include "zip_test_support.hpp"

using namespace zip_test;

namespace {

// Largest single allocation made while tracking is on.
std::atomic<bool> tracking{false};
std::atomic<std::size_t> largest{0};

struct allocation_tracker {
  allocation_tracker() {
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

}  // namespace

// GCC pairs the inlined std::free with the built-in new it assumes, not with this one.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  if (tracking && size > largest) largest = size;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

TEST(ContainerIo, BuildsAndReadsBackOneEntry) {
  std::string archive;
  ASSERT_TRUE(kyr::io::make_single_entry_archive("swatches.kyr", document, fixed_moment(), archive));
  EXPECT_EQ(archive.substr(30, 12), "swatches.kyr");
  EXPECT_EQ(u16(archive, archive.size() - 22 + 10), 1u);
  std::string content;
  ASSERT_TRUE(kyr::io::read_first_entry(archive.data(), archive.size(), content));
  EXPECT_EQ(content, document);
}

TEST(ContainerIo, RefusesWhatCannotBeAnEntryName) {
  std::string archive;
  EXPECT_FALSE(kyr::io::make_single_entry_archive("", document, fixed_moment(), archive));
  EXPECT_FALSE(kyr::io::make_single_entry_archive(std::string(70000, 'n'), document, fixed_moment(), archive));
}

TEST(ContainerIo, EveryFailureIsFalseWithNoContent) {
  std::string empty_archive;
  CZipArchive writer;
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
  for (const std::string& bytes : cases) {
    std::string content = "previous";
    EXPECT_FALSE(kyr::io::read_first_entry(bytes.data(), bytes.size(), content));
    EXPECT_EQ(content, "");
  }
  std::string content;
  EXPECT_FALSE(kyr::io::read_first_entry(::testing::TempDir() + "no such archive.kyrz", content));
}

TEST(ContainerIo, ALyingSizeCostsNoLargeAllocation) {
  std::string b = make_archive("d.kyr", document);
  for (std::size_t at : {lh_uncompressed, layout(b).central(cd_uncompressed)}) set32(b, at, 0xfffffff0u);
  std::string content;
  allocation_tracker tracker;
  EXPECT_FALSE(kyr::io::read_first_entry(b.data(), b.size(), content));
  // The inflate window and the directory are all that a refused entry may cost.
  EXPECT_LT(largest.load(), std::size_t(64) << 10);
}
