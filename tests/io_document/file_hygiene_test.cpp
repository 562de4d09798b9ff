// What the write operations leave on disk, after success and after failure.
#include "document_io_support.hpp"

using namespace document_test;

namespace {

class FileHygiene : public scratch {
 protected:
  void SetUp() override {
    scratch::SetUp();
    ASSERT_EQ(complete_.loadFile(wide(data_path("two-palettes.kyr"))), lmx::ELMX_OK);
  }
  Kyr complete_;
  Kyr fresh_;  // lacks mandatory header content: every write fails with 46
};

}  // namespace

TEST_F(FileHygiene, ContainerLeavesNoStagedFileBesideIt) {
  ASSERT_EQ(complete_.writeFile(wpath("x.kyrz")), lmx::ELMX_OK);
  EXPECT_EQ(files(), std::set<std::string>{"x.kyrz"});
}

TEST_F(FileHygiene, AFileNamedLikeTheEntryIsNeverTouched) {
  write_bytes(path("x.kyr"), "the caller's own file");
  ASSERT_EQ(complete_.writeFile(wpath("x.kyrz")), lmx::ELMX_OK);
  EXPECT_EQ(content_of(path("x.kyr")), "the caller's own file");
  EXPECT_EQ(fresh_.writeFile(wpath("y.kyrz")), lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);
  EXPECT_EQ(content_of(path("x.kyr")), "the caller's own file");
  EXPECT_EQ(files(), (std::set<std::string>{"x.kyr", "x.kyrz"}));
}

TEST_F(FileHygiene, FailedWriteKeepsAnExistingTargetIntact) {
  write_bytes(path("old.kyr"), "previous document");
  write_bytes(path("old.kyrz"), "previous container");
  EXPECT_EQ(fresh_.writeFile(wpath("old.kyr")), lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);
  EXPECT_EQ(fresh_.writeFile(wpath("old.kyrz")), lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);
  EXPECT_EQ(content_of(path("old.kyr")), "previous document");
  EXPECT_EQ(content_of(path("old.kyrz")), "previous container");
}

TEST_F(FileHygiene, FailedDiskWriteLeavesNoFile) {
  if (!exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  for (const char* name : {"full.kyr", "full.kyrz"}) {
    ASSERT_EQ(::symlink("/dev/full", path(name).c_str()), 0);
    EXPECT_NE(complete_.writeFile(wpath(name)), lmx::ELMX_OK) << name;
    EXPECT_FALSE(exists(path(name))) << name;
  }
  EXPECT_EQ(complete_.writeFile(wpath("full.kyr")), lmx::ELMX_OK);
}
