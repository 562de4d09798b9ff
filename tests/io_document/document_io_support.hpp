// Helpers shared by the whole-document tests: a scratch directory, file
// inspection, and documents ready to be written.
#ifndef KYR_TESTS_IO_DOCUMENT_DOCUMENT_IO_SUPPORT_HPP
#define KYR_TESTS_IO_DOCUMENT_DOCUMENT_IO_SUPPORT_HPP

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include <kyr/lmx/strings.hpp>
#include <kyr/schema/classes/Kyr.hpp>
#include <kyr/schema/document_result.hpp>

namespace document_test {

using com_kyrandel_v2::Kyr;
using com_kyrandel_v2::XMLDocumentResult;

inline std::string data_path(const std::string& name)
{
    return std::string(KYR_TEST_DATA_DIR) + "/io/" + name;
}

inline std::wstring wide(const std::string& utf8)
{
    std::wstring out;
    lmx::convert(&out, utf8);
    return out;
}

inline std::string narrow(const std::wstring& utf16)
{
    std::string out;
    lmx::convert(&out, utf16);
    return out;
}

inline bool exists(const std::string& path)
{
    struct stat s;
    return ::lstat(path.c_str(), &s) == 0;
}

inline std::string content_of(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void write_bytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Sets what a fresh document's header lacks before it can be written.
inline void complete_header(Kyr& document)
{
    auto& header = document.get_Preamble().get_Header();
    header.set_Creator(L"io test");
    header.set_CreatorVersion(L"2.0");
    header.append_ChangeHistory(lmx::c_datetime("2026-03-14T09:30:00Z"));
    header.set_Purpose(L"writing");
}

// A fresh scratch directory per test, removed with everything in it.
class scratch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = ::testing::TempDir() + "kyr_io_" + std::to_string(::getpid()) + "_" + info->name() + "/";
        ::mkdir(m_dir.c_str(), 0700);
    }
    void TearDown() override { std::system(("rm -rf '" + m_dir + "'").c_str()); }

    std::string path(const std::string& name) const { return m_dir + name; }
    std::wstring wpath(const std::string& name) const { return wide(m_dir + name); }

    // Names in the scratch directory.
    std::set<std::string> files() const
    {
        std::set<std::string> names;
        if (DIR* d = ::opendir(m_dir.c_str())) {
            while (const dirent* e = ::readdir(d))
                if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                    names.insert(e->d_name);
            ::closedir(d);
        }
        return names;
    }

    std::string m_dir;
};

} // namespace document_test

#endif
