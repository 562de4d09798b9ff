// Zip64 fields and records that other tools write for small files (reading a pipe, or told
// to): read when they repeat the sizes the 32-bit fields escape, refused when they do not.
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "run_command.hpp"
#include "zip_test_support.hpp"

using namespace zip_test;

namespace {

const std::string k_python =
    "python3 -c \"import sys, zipfile\nwith zipfile.ZipFile(sys.stdout.buffer, 'w', zipfile.ZIP_";
const std::string k_entry =
    ") as z:\n with z.open('d.kyr', 'w', force_zip64=True) as f: f.write(sys.stdin.buffer.read())\"";
// The local Zip64 size and the entry count of the Zip64 end record.
void resize_local(std::string& b)
{
    set32(b, 30 + u16(b, 26) + 4, 1);
}
void miscount(std::string& b)
{
    set32(b, b.find("PK\x06\x06") + 24, 2);
}

} // namespace

TEST(Zip64, ConsistentRecordsAreRead)
{
    if (!kyr_test::have_tool("zip"))
        GTEST_SKIP() << "zip not installed";
    // Each maker writes the archive of its standard input to a seekable standard output.
    const struct
    {
        std::string maker;
        void (*patch)(std::string&);
        int code;
    } cases[] = {
        {"zip -q - -", nullptr, 0},
        {"zip -q - - | cat", nullptr, 0},
        {k_python + "DEFLATED" + k_entry, nullptr, 0},
        {k_python + "STORED" + k_entry, nullptr, 0},
        {"zip -q - -", miscount, c_zip_exception::generic},
        {"zip -q - -", resize_local, c_zip_exception::generic},
        {k_python + "DEFLATED" + k_entry, resize_local, c_zip_exception::generic},
    };
    std::string document = "<d>";
    for (int i = 0; i < 300; ++i)
        document += "<c n=\"" + std::to_string(i * 7919 % 4099) + "\"/>";
    const std::string file = ::testing::TempDir() + "kyr_zip64_" + std::to_string(::getpid());
    for (const auto& c : cases) {
        std::ofstream(file + ".xml", std::ios::binary) << document;
        ASSERT_EQ(kyr_test::run_command("(" + c.maker + ") < '" + file + ".xml' > '" + file + ".zip'").status,
                  0)
            << c.maker;
        std::ifstream in(file + ".zip", std::ios::binary);
        std::string archive{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (c.patch)
            c.patch(archive);
        const read_result r = read_memory_entry0(archive);
        EXPECT_EQ(r.code, c.code) << c.maker;
        EXPECT_EQ(r.data == document, c.code == 0) << c.maker;
    }
    kyr_test::run_command("rm -f '" + file + ".xml' '" + file + ".zip'");
}
