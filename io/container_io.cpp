#include <kyr/io/container.hpp>

#include <algorithm>
#include <new>

#include "zip/zip_archive.hpp"
#include "zip/zip_exception.hpp"

namespace kyr::io {

namespace {

using kyr::zip::CZipArchive;
using kyr::zip::CZipException;

// The buffer grows with the data actually inflated, not with the size the
// record claims, so a lying record costs no more than the data it delivers.
constexpr std::size_t read_piece = std::size_t(1) << 20;

bool read_open_entry(CZipArchive& archive, std::string& content) {
  if (!archive.open_entry(0)) return false;
  const std::size_t expected = archive.entry_info(0)->uncompressed_size;
  if (expected > max_container_document_size) return false;
  content.clear();
  content.reserve(std::min(expected, 16 * read_piece));
  while (content.size() < expected) {
    const std::size_t before = content.size();
    content.resize(before + std::min(read_piece, expected - before));
    const std::size_t got = archive.read(&content[before], content.size() - before);
    content.resize(before + got);
    if (got == 0) return false;
  }
  char extra;
  return archive.read(&extra, 1) == 0 && archive.close_entry() == 1;
}

template <typename Open>
bool read_with(Open open, std::string& content) {
  CZipArchive archive;
  bool ok = false;
  try {
    ok = open(archive) && read_open_entry(archive, content);
  } catch (const CZipException&) {
    ok = false;
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  archive.close(!ok);
  if (!ok) content.clear();
  return ok;
}

}  // namespace

bool read_first_entry(const std::string& path, std::string& content) {
  return read_with([&](CZipArchive& archive) { return archive.open(path); }, content);
}

bool read_first_entry(const void* data, std::size_t size, std::string& content) {
  return read_with([&](CZipArchive& archive) { return archive.open_memory(data, size); }, content);
}

bool make_single_entry_archive(const std::string& name, const std::string& content, std::time_t modified,
                               std::string& archive) {
  CZipArchive zip;
  try {
    bool ok = zip.create(archive) && zip.add_new_entry(name, content.data(), content.size(), modified);
    zip.close(!ok);
    return ok;
  } catch (const CZipException&) {
  } catch (const std::bad_alloc&) {
  }
  zip.close(true);
  return false;
}

}  // namespace kyr::io
