// Which form a path selects: ".kyrz" first, exact and case-sensitive, then ".kyr".
#include "../../io/zip/zip_archive.hpp"
#include "document_io_support.hpp"

using namespace document_test;

namespace {

const std::string plain_document = content_of(data_path("two-palettes.kyr"));

// An archive whose entries are given as (name, content) in order.
std::string archive_of(const std::vector<std::pair<std::string, std::string>>& entries)
{
    std::string out;
    kyr::zip::c_zip_archive archive;
    archive.create(out);
    for (const auto& [name, content] : entries)
        archive.add_new_entry(name, content.data(), content.size(), std::time(nullptr));
    archive.close();
    return out;
}

class ContainerChoice : public scratch
{};

} // namespace

TEST_F(ContainerChoice, UpperCaseEndingIsPlainForLoadingAndRefusedForWriting)
{
    write_bytes(path("doc.KYRZ"), plain_document);
    Kyr document;
    EXPECT_EQ(document.loadFile(wpath("doc.KYRZ")), lmx::ELMX_OK);
    EXPECT_EQ(document.size_Palette(), 2u);
    EXPECT_EQ(document.writeFile(wpath("out.KYRZ")), lmx::ELMX_USER_DEFINED_2);
    EXPECT_EQ(document.writeFile(wpath("out.KYR")), lmx::ELMX_USER_DEFINED_2);
    EXPECT_EQ(document.writeFile(wpath("out.Kyrz")), lmx::ELMX_USER_DEFINED_2);
    EXPECT_EQ(files(), std::set<std::string>{"doc.KYRZ"});
}

TEST_F(ContainerChoice, ContainerEndingOnAPlainFileFails)
{
    write_bytes(path("doc.kyrz"), plain_document);
    write_bytes(path("doc.kyr"), plain_document);
    Kyr as_container;
    EXPECT_EQ(as_container.loadFile(wpath("doc.kyrz")), lmx::ELMX_USER_DEFINED_1);
    EXPECT_EQ(as_container.size_Palette(), 0u);
    Kyr as_plain;
    EXPECT_EQ(as_plain.loadFile(wpath("doc.kyr")), lmx::ELMX_OK);
    EXPECT_EQ(as_plain.size_Palette(), 2u);
}

TEST_F(ContainerChoice, FirstEntryLoadsWhateverItsNameAndWhateverFollows)
{
    write_bytes(path("many.kyrz"),
                archive_of({{"folder/any name.xml", plain_document},
                            {"second.kyr", "not even XML"},
                            {"third.kyr", plain_document}}));
    Kyr document;
    EXPECT_EQ(document.loadFile(wpath("many.kyrz")), lmx::ELMX_OK);
    EXPECT_EQ(document.size_Palette(), 2u);
}
