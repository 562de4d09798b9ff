// What load_with_report reports for each kind of file, and that loadFile returns the same code.
#include "document_io_support.hpp"
#include <kyr/io/container.hpp>
#include <kyr/io/document_loading.hpp>

using namespace document_test;
using kyr::io::load_outcome;

namespace {

class LoadReport : public scratch
{};

TEST_F(LoadReport, OutcomeCodeAndMessageOfEachKindOfFile)
{
    const std::string valid = content_of(data_path("two-palettes.kyr"));
    std::string archive;
    ASSERT_TRUE(kyr::io::make_single_entry_archive("doc.kyr", valid, 0, archive));
    write_bytes(path("good.kyr"), valid);
    write_bytes(path("good.kyrz"), archive);
    write_bytes(path("cut.kyr"), valid.substr(0, valid.find("<Kyr:Palette ")));
    write_bytes(path("bad.kyrz"), "PK not an archive");
    ::mkdir(path("dir.kyr").c_str(), 0700);
    const struct
    {
        const char* name;
        load_outcome outcome;
        lmx::elmx_error code;
        const char* message_start;
    } cases[] = {
        {"good.kyr", load_outcome::loaded, lmx::ELMX_OK, ""},
        {"good.kyrz", load_outcome::loaded, lmx::ELMX_OK, ""},
        {"missing.kyr", load_outcome::unreadable, lmx::ELMX_NO_FILE,
         "cannot open: No such file or directory"},
        {"missing.kyrz", load_outcome::unreadable, lmx::ELMX_USER_DEFINED_1, "cannot open: No such file"},
        {"dir.kyr", load_outcome::unreadable, lmx::ELMX_NO_FILE, "cannot open: is a directory"},
        {"bad.kyrz", load_outcome::invalid, lmx::ELMX_USER_DEFINED_1,
         "not a readable .kyrz container: not a zip archive or truncated"},
        {"cut.kyr", load_outcome::invalid, lmx::ELMX_UNEXPECTED_END_OF_MESSAGE, "line:"},
    };
    for (const auto& c : cases) {
        Kyr document;
        const kyr::io::s_load_report report = kyr::io::load_with_report(path(c.name), document);
        EXPECT_EQ(report.outcome, c.outcome) << c.name;
        EXPECT_EQ(report.code, c.code) << c.name;
        EXPECT_EQ(report.message.rfind(c.message_start, 0), 0u) << c.name << ": " << report.message;
        Kyr again;
        EXPECT_EQ(again.loadFile(wide(path(c.name))), c.code) << c.name;
    }
}

TEST(DocumentNames, EndingsAreComparedExactly)
{
    const struct
    {
        const char* name;
        bool container;
        bool plain;
    } cases[] = {{"a.kyrz", true, false},  {"a.kyr", false, true},      {".kyrz", true, false},
                 {"a.KYRZ", false, false}, {"a.kyr.bak", false, false}, {"kyrz", false, false},
                 {"", false, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(kyr::io::names_container(std::string(c.name)), c.container) << c.name;
        EXPECT_EQ(kyr::io::names_container(wide(c.name)), c.container) << c.name;
        EXPECT_EQ(kyr::io::names_plain_document(std::string(c.name)), c.plain) << c.name;
        EXPECT_EQ(kyr::io::names_plain_document(wide(c.name)), c.plain) << c.name;
    }
}

} // namespace
