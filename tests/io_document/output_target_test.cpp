// The file a document is written to: created first, replaced only when complete.
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "../../io/output_target.hpp"

namespace {

std::string temp_path(const std::string& name) {
  return ::testing::TempDir() + "kyr_output_target_" + std::to_string(::getpid()) + "_" + name;
}

bool exists(const std::string& path) {
  struct stat s;
  return ::stat(path.c_str(), &s) == 0;
}

std::string content_of(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

TEST(OutputTarget, NewFileIsRemovedUnlessCompleted) {
  const std::string path = temp_path("new.kyr");
  {
    kyr::io::output_target target(path);
    ASSERT_TRUE(target.is_open());
    EXPECT_TRUE(exists(path));
  }
  EXPECT_FALSE(exists(path));
  {
    kyr::io::output_target target(path);
    ASSERT_TRUE(target.replace_content("<done/>"));
    EXPECT_FALSE(target.is_open());
  }
  EXPECT_EQ(content_of(path), "<done/>");
  ::unlink(path.c_str());
}

TEST(OutputTarget, ExistingFileKeepsItsContentUntilReplaced) {
  const std::string path = temp_path("existing.kyr");
  std::ofstream(path, std::ios::binary) << "the caller's long previous content";
  {
    kyr::io::output_target target(path);
    ASSERT_TRUE(target.is_open());
    EXPECT_EQ(content_of(path), "the caller's long previous content");
  }
  EXPECT_EQ(content_of(path), "the caller's long previous content");
  {
    kyr::io::output_target target(path);
    ASSERT_TRUE(target.replace_content("short"));
  }
  EXPECT_EQ(content_of(path), "short");
  ::unlink(path.c_str());
}

TEST(OutputTarget, FailedWriteLeavesNoFile) {
  if (!exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  // A symbolic link to /dev/full: opening works, every write fails.
  const std::string path = temp_path("full.kyr");
  ASSERT_EQ(::symlink("/dev/full", path.c_str()), 0);
  {
    kyr::io::output_target target(path);
    ASSERT_TRUE(target.is_open());
    EXPECT_FALSE(target.replace_content("data that cannot be written"));
  }
  struct stat s;
  EXPECT_NE(::lstat(path.c_str(), &s), 0);
  EXPECT_TRUE(exists("/dev/full"));
}
