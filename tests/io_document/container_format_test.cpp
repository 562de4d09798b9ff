// The archive writeFile produces, and archives of the standard tools read by loadFile.

#include "../../io/zip/zip_archive.hpp"
#include "document_io_support.hpp"
#include "run_command.hpp"

using namespace document_test;

namespace {

std::uint32_t u16(const std::string& b, std::size_t at)
{
    return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}

std::uint32_t u32(const std::string& b, std::size_t at)
{
    return u16(b, at) | (u16(b, at + 2) << 16);
}

using kyr_test::command_result;
using kyr_test::have_tool;
using kyr_test::run_command;

class ContainerFormat : public scratch
{
protected:
    void SetUp() override
    {
        scratch::SetUp();
        ASSERT_EQ(m_document.loadFile(wide(data_path("two-palettes.kyr"))), lmx::ELMX_OK);
        const XMLDocumentResult text = m_document.writeString();
        ASSERT_EQ(text.getElmxError(), lmx::ELMX_OK);
        m_xml = narrow(text.getXmlDocument());
    }

    Kyr m_document;
    std::string m_xml; // what every write of m_document produces
};

} // namespace

TEST_F(ContainerFormat, OneDeflatedEntryNamedAfterTheTarget)
{
    ::mkdir(path("sub").c_str(), 0700);
    ASSERT_EQ(m_document.writeFile(wpath("sub/swatches.kyrz")), lmx::ELMX_OK);
    const std::string b = content_of(path("sub/swatches.kyrz"));
    ASSERT_GT(b.size(), 30u + 22u);
    EXPECT_EQ(u32(b, 0), 0x04034b50u);
    EXPECT_EQ(u16(b, 4), 20u);
    EXPECT_EQ(u16(b, 6), 0u);
    EXPECT_EQ(u16(b, 8), 8u);
    EXPECT_EQ(u32(b, 22), m_xml.size());
    EXPECT_EQ(u16(b, 26), 12u);
    EXPECT_EQ(b.substr(30, 12), "swatches.kyr");
    const std::size_t end = b.size() - 22;
    EXPECT_EQ(u32(b, end), 0x06054b50u);
    EXPECT_EQ(u16(b, end + 10), 1u);

    kyr::zip::c_zip_archive archive;
    ASSERT_TRUE(archive.open(path("sub/swatches.kyrz")));
    ASSERT_EQ(archive.entry_count(), 1u);
    EXPECT_EQ(archive.entry_info(0)->name, "swatches.kyr");
    EXPECT_EQ(archive.entry_info(0)->crc,
              crc32(0, reinterpret_cast<const Bytef*>(m_xml.data()), static_cast<uInt>(m_xml.size())));
    ASSERT_TRUE(archive.open_entry(0));
    std::string content(m_xml.size(), '\0');
    EXPECT_EQ(archive.read(content.data(), content.size()), m_xml.size());
    EXPECT_EQ(archive.close_entry(), 1);
    EXPECT_EQ(content, m_xml);
}

TEST_F(ContainerFormat, ContainersOfTheStandardToolsLoad)
{
    write_bytes(path("doc.kyr"), m_xml);
    write_bytes(path("note.txt"), "second entry\n");
    std::vector<std::string> makers = {
        "python3 -c \"import zipfile\nwith zipfile.ZipFile('py.kyrz', 'w', zipfile.ZIP_DEFLATED) as z:\n"
        "    z.write('doc.kyr', 'inner/any.xml')\n    z.write('note.txt')\"",
        "python3 -c \"import zipfile\nwith zipfile.ZipFile('pystored.kyrz', 'w') as z:\n"
        "    z.write('doc.kyr')\n    z.write('note.txt')\""};
    if (have_tool("zip")) {
        makers.push_back("zip -q zip.kyrz doc.kyr note.txt");
        makers.push_back("zip -q -0 zipstored.kyrz doc.kyr note.txt");
    }
    if (have_tool("7z"))
        makers.push_back("7z a -tzip seven.kyrz doc.kyr note.txt");
    for (const std::string& maker : makers) {
        const command_result made = run_command("cd '" + m_dir + "' && " + maker);
        ASSERT_EQ(made.status, 0) << maker << "\n" << made.output;
    }
    for (const char* name : {"py.kyrz", "pystored.kyrz", "zip.kyrz", "zipstored.kyrz", "seven.kyrz"}) {
        if (!exists(path(name)))
            continue;
        Kyr loaded;
        EXPECT_EQ(loaded.loadFile(wpath(name)), lmx::ELMX_OK) << name;
        EXPECT_EQ(narrow(loaded.writeString().getXmlDocument()), m_xml) << name;
    }
}
