// Archives exchanged with the standard ZIP tools, in both directions.
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "run_command.hpp"
#include "zip_test_support.hpp"

using namespace zip_test;

namespace {

using kyr_test::command_result;
using kyr_test::have_tool;
using kyr_test::run_command;

void write_file(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string sample_document()
{
    std::string d = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Kyr:Kyr xmlns:Kyr=\"urn:k\">\n";
    for (int i = 0; i < 200; ++i)
        d += "\t<Color Name=\"swatch " + std::to_string(i * 7919 % 4099) + "\"/>\n";
    return d + "</Kyr:Kyr>\n";
}

class ZipInterop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = ::testing::TempDir() + "kyr_zip_interop_" + std::to_string(::getpid()) + "/";
        ::mkdir(m_dir.c_str(), 0700);
        write_file(m_dir + "doc.xml", m_document);
        write_file(m_dir + "other.txt", "a second entry that must be ignored\n");
    }
    void TearDown() override { run_command("rm -rf '" + m_dir + "'"); }

    std::string written_archive()
    {
        const std::string path = m_dir + "swatches.kyrz";
        write_file(path, make_archive("swatches.kyr", m_document));
        return path;
    }

    std::string m_dir;
    const std::string m_document = sample_document();
};

} // namespace

TEST_F(ZipInterop, UnzipTestsOurArchiveClean)
{
    if (!have_tool("unzip"))
        GTEST_SKIP() << "unzip not installed";
    const std::string archive = written_archive();
    const command_result test = run_command("unzip -t '" + archive + "'");
    EXPECT_EQ(test.status, 0) << test.output;
    EXPECT_NE(test.output.find("testing: swatches.kyr"), std::string::npos) << test.output;
    EXPECT_NE(test.output.find("No errors detected"), std::string::npos) << test.output;
    const command_result listing = run_command("unzip -Z -v '" + archive + "'");
    EXPECT_NE(listing.output.find("compression method:                             deflated"),
              std::string::npos)
        << listing.output;
    const command_result extracted = run_command("unzip -p '" + archive + "' swatches.kyr");
    EXPECT_EQ(extracted.status, 0);
    EXPECT_EQ(extracted.output, m_document);
}

TEST_F(ZipInterop, PythonZipfileExtractsOurArchive)
{
    const std::string archive = written_archive();
    const command_result r = run_command("python3 -c \"import sys, zipfile\n"
                                         "z = zipfile.ZipFile(sys.argv[1])\n"
                                         "assert z.testzip() is None\n"
                                         "i = z.infolist()\n"
                                         "assert [e.filename for e in i] == ['swatches.kyr'], i\n"
                                         "assert i[0].compress_type == zipfile.ZIP_DEFLATED\n"
                                         "sys.stdout.buffer.write(z.read('swatches.kyr'))\" '"
                                         + archive + "'");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output, m_document);
}

TEST_F(ZipInterop, ReadsArchivesOfTheZipTool)
{
    if (!have_tool("zip"))
        GTEST_SKIP() << "zip not installed";
    for (const char* options : {"-q", "-q -0", "-q -9", "-q -X"}) {
        const std::string archive = m_dir + "made.zip";
        std::remove(archive.c_str());
        const command_result made =
            run_command("cd '" + m_dir + "' && zip " + options + " made.zip doc.xml other.txt");
        ASSERT_EQ(made.status, 0) << made.output;
        const read_result r = read_file_entry0(archive);
        EXPECT_EQ(r.code, 0) << options;
        EXPECT_EQ(r.data, m_document) << options;
    }
}

TEST_F(ZipInterop, ReadsStreamedArchivesOfTheZipTool)
{
    if (!have_tool("zip"))
        GTEST_SKIP() << "zip not installed";
    // Written to a pipe, zip cannot seek back: sizes come after the data in a descriptor.
    const command_result made = run_command("cd '" + m_dir + "' && zip -q - doc.xml | cat > piped.zip");
    ASSERT_EQ(made.status, 0) << made.output;
    const std::string bytes = read_file(m_dir + "piped.zip");
    ASSERT_EQ(u16(bytes, lh_flags) & 8, 8u);
    const read_result r = read_memory_entry0(bytes);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.data, m_document);
}
