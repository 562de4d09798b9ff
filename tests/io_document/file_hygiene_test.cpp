// What the write operations leave on disk, after success and after failure.
#include "document_io_support.hpp"

using namespace document_test;

namespace {

class FileHygiene : public scratch
{
protected:
    void SetUp() override
    {
        scratch::SetUp();
        ASSERT_EQ(m_complete.loadFile(wide(data_path("two-palettes.kyr"))), lmx::ELMX_OK);
    }
    Kyr m_complete;
    Kyr m_fresh; // lacks mandatory header content: every write fails with 46
};

} // namespace

TEST_F(FileHygiene, ContainerLeavesNoStagedFileBesideIt)
{
    ASSERT_EQ(m_complete.writeFile(wpath("x.kyrz")), lmx::ELMX_OK);
    EXPECT_EQ(files(), std::set<std::string>{"x.kyrz"});
}

TEST_F(FileHygiene, AFileNamedLikeTheEntryIsNeverTouched)
{
    write_bytes(path("x.kyr"), "the caller's own file");
    ASSERT_EQ(m_complete.writeFile(wpath("x.kyrz")), lmx::ELMX_OK);
    EXPECT_EQ(content_of(path("x.kyr")), "the caller's own file");
    EXPECT_EQ(m_fresh.writeFile(wpath("y.kyrz")), lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);
    EXPECT_EQ(content_of(path("x.kyr")), "the caller's own file");
    EXPECT_EQ(files(), (std::set<std::string>{"x.kyr", "x.kyrz"}));
}

TEST_F(FileHygiene, FailedWriteKeepsAnExistingTargetIntact)
{
    write_bytes(path("old.kyr"), "previous document");
    write_bytes(path("old.kyrz"), "previous container");
    EXPECT_EQ(m_fresh.writeFile(wpath("old.kyr")), lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);
    EXPECT_EQ(m_fresh.writeFile(wpath("old.kyrz")), lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);
    EXPECT_EQ(content_of(path("old.kyr")), "previous document");
    EXPECT_EQ(content_of(path("old.kyrz")), "previous container");
}

TEST_F(FileHygiene, SuccessfulWriteReplacesAnExistingTarget)
{
    write_bytes(path("old.kyr"), std::string(100000, 'x'));
    ASSERT_EQ(m_complete.writeFile(wpath("old.kyr")), lmx::ELMX_OK);
    EXPECT_EQ(wide(content_of(path("old.kyr"))), m_complete.writeString().getXmlDocument());
}

TEST_F(FileHygiene, Utf16PathsBecomeUtf8Names)
{
    // "Café" and a musical G clef, a character outside the Basic Multilingual Plane.
    const std::wstring name = std::wstring(L"Caf\u00e9 ") + wchar_t(0xD834) + wchar_t(0xDD1E);
    ASSERT_EQ(m_complete.writeFile(wide(m_dir) + name + L".kyr"), lmx::ELMX_OK);
    ASSERT_EQ(m_complete.writeFile(wide(m_dir) + name + L".kyrz"), lmx::ELMX_OK);
    EXPECT_EQ(
        files(),
        (std::set<std::string>{"Caf\xc3\xa9 \xf0\x9d\x84\x9e.kyr", "Caf\xc3\xa9 \xf0\x9d\x84\x9e.kyrz"}));
    Kyr plain, container;
    EXPECT_EQ(plain.loadFile(wide(m_dir) + name + L".kyr"), lmx::ELMX_OK);
    EXPECT_EQ(container.loadFile(wide(m_dir) + name + L".kyrz"), lmx::ELMX_OK);
    EXPECT_EQ(container.size_Palette(), 2u);
}
