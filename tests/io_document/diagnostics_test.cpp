// Loads with diagnostics: what a user reads for each kind of error, reading on past errors,
// the bound, container failures, and the check before writing.
#include "document_io_support.hpp"

#include <kyr/io/container.hpp>
#include <kyr/io/diagnosed_load.hpp>
#include <kyr/io/write_check.hpp>
#include <kyr/schema/classes/ColorType.hpp>
#include <kyr/schema/classes/Header.hpp>
#include <kyr/schema/classes/Preamble.hpp>

using namespace document_test;

namespace {

const std::string small = content_of(std::string(KYR_TEST_DATA_DIR) + "/tool/small.kyr");

// The small tool document with each `from` replaced by its `to`, in order.
std::string edited(std::initializer_list<std::pair<const char*, const char*>> edits)
{
    std::string xml = small;
    for (const auto& [from, to] : edits) {
        const std::size_t at = xml.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos)
            xml.replace(at, std::strlen(from), to);
    }
    return xml;
}

kyr::diagnostics diagnose(const std::string& xml, kyr::io::checking mode = kyr::io::checking::lenient)
{
    kyr::diagnostics found;
    Kyr document;
    kyr::io::load_string_with_diagnostics(xml, document, found, mode);
    return found;
}

std::string place(const kyr::diagnostic& d)
{
    return std::to_string(d.line) + ":" + std::to_string(d.column) + " " + d.path;
}

struct s_case
{
    const char* from;
    const char* to;
    const char* place;
    const char* found;
    const char* expected;
    const char* message;
};

TEST(Diagnostics, EachKindOfErrorSaysWhereWhatWasFoundAndWhatWasExpected)
{
    const s_case cases[] = {
        {"<Kyr:CreatorVersion>", "<Kyr:Creator>Again</Kyr:Creator><Kyr:CreatorVersion>",
         "6:4 /Kyr/Preamble/Header", "Creator", "CreatorVersion",
         "Mandatory element missing: found Creator where CreatorVersion was expected"},
        {"<Kyr:L>50</Kyr:L>\n\t\t\t<Kyr:A>60.5</Kyr:A>", "<Kyr:A>60.5</Kyr:A><Kyr:L>50</Kyr:L>",
         "35:4 /Kyr/Color/ColorSpaceCIELab", "A", "L",
         "Mandatory element missing: found A where L was expected"},
        {"<Kyr:Purpose>Tool tests</Kyr:Purpose>", "", "10:4 /Kyr/Preamble/Header", "Name", "Purpose",
         "Mandatory element missing: found Name where Purpose was expected"},
        {"<Kyr:B>-0.25</Kyr:B>", "", "38:3 /Kyr/Color/ColorSpaceCIELab", "the end of ColorSpaceCIELab", "B",
         "Mandatory element missing: found the end of ColorSpaceCIELab where B was expected"},
        {"<Kyr:Name>Small book</Kyr:Name>", "<Kyr:Bogus/>", "10:4 /Kyr/Preamble/Header", "Bogus",
         "the end of Header", "Bad end of element: found Bogus where the end of Header was expected"},
        {"<Kyr:L>50<", "<Kyr:L>248.13<", "35:4 /Kyr/Color/ColorSpaceCIELab/L", "248.13", "at most 150",
         "Value greater than specified maximum: 248.13 is greater than the maximum 150"},
        {"<Kyr:L>50<", "<Kyr:L>-1<", "35:4 /Kyr/Color/ColorSpaceCIELab/L", "-1", "at least 0",
         "Value less than specified minimum: -1 is less than the minimum 0"},
        {"<Kyr:A>60.5<", "<Kyr:A>6O<", "36:4 /Kyr/Color/ColorSpaceCIELab/A", "6O", "a number",
         "Invalid value format for this type: 6O is not a number"},
        {">FieldOfView_2_Degree<", ">FieldOfView_3_Degree<",
         "33:5 /Kyr/Color/ColorSpaceCIELab/ColorSpaceSpecificationSpectrumTristimulus/FieldOfView",
         "FieldOfView_3_Degree", "one of FieldOfView_2_Degree, FieldOfView_10_Degree",
         "Value does not match enumerations: FieldOfView_3_Degree is not one of FieldOfView_2_Degree, "
         "FieldOfView_10_Degree"},
        {"ColorName=\"Red, warm\"", "ColorName=\"Red\" Shade=\"warm\"", "21:2 /Kyr/Color", "Shade", "",
         "Unexpected attribute: Shade on Color"},
        {"Wavelength=\"410\"", "Wavelength=\"x\"",
         "85:4 /Kyr/Color[2]/ColorSpaceSpectral/ReflectancePoint/@Wavelength", "x", "a number",
         "Invalid value format for this type: x is not a number"},
    };
    for (const s_case& c : cases) {
        const kyr::diagnostics found = diagnose(edited({{c.from, c.to}}));
        ASSERT_EQ(found.list().size(), 1u) << c.to << ": " << found.list().back().message;
        const kyr::diagnostic& d = found.list().front();
        EXPECT_EQ(place(d), c.place) << c.to;
        EXPECT_EQ(d.found, c.found) << c.to;
        EXPECT_EQ(d.expected, c.expected) << c.to;
        EXPECT_EQ(d.message, c.message) << c.to;
    }
}

TEST(Diagnostics, ThreeIndependentErrorsGiveThreeDiagnosticsAndTheFirstCode)
{
    const std::string xml =
        edited({{"<Kyr:L>50</Kyr:L>\n\t\t\t<Kyr:A>60.5</Kyr:A>", "<Kyr:A>60.5</Kyr:A><Kyr:L>50</Kyr:L>"},
                {"<Kyr:L>60<", "<Kyr:L>248.13<"},
                {">Sphere_Included<", ">Sphere_Round<"}});
    kyr::diagnostics found;
    Kyr document;
    EXPECT_EQ(kyr::io::load_string_with_diagnostics(xml, document, found),
              lmx::ELMX_MANDATORY_ELEMENT_MISSING);
    ASSERT_EQ(found.list().size(), 3u);
    EXPECT_EQ(place(found.list()[1]), "69:4 /Kyr/Color[2]/ColorSpaceCIELab/L");
    EXPECT_EQ(found.list()[2].code, lmx::ELMX_VALUE_NOT_ENUMERATED);
    // Reading went on: the colours after the errors are there.
    EXPECT_EQ(document.size_Color(), 2u);
    EXPECT_EQ(document.size_Palette(), 1u);
    // The specified call still stops at the first error with its own code.
    Kyr plain;
    EXPECT_EQ(plain.loadString(wide(xml)), lmx::ELMX_MANDATORY_ELEMENT_MISSING);
}

TEST(Diagnostics, AValueOutsideItsEnumerationIsKeptByCopiesAndWrittenBack)
{
    kyr::diagnostics found;
    Kyr document;
    EXPECT_EQ(kyr::io::load_string_with_diagnostics(edited({{">Sphere_Included<", ">Sphere_Round<"}}),
                                                    document, found),
              lmx::ELMX_VALUE_NOT_ENUMERATED);
    const Kyr copy(document);
    document = Kyr();
    std::string written;
    ASSERT_EQ(copy.marshal(&written), lmx::ELMX_OK);
    EXPECT_NE(written.find(">Sphere_Round<"), std::string::npos);
    EXPECT_NE(written.find(">FieldOfView_10_Degree<"), std::string::npos);
}

TEST(Diagnostics, AreBoundedAndEndWithTooManyErrors)
{
    std::string xml = small;
    const std::string bad = "<Kyr:ChangeHistory>never</Kyr:ChangeHistory>";
    std::string many;
    for (int i = 0; i < 150; ++i)
        many += bad;
    xml.replace(xml.find("<Kyr:Purpose>"), 0, many);
    kyr::diagnostics found(100);
    Kyr document;
    kyr::io::load_string_with_diagnostics(xml, document, found);
    ASSERT_EQ(found.list().size(), 101u);
    EXPECT_EQ(found.list()[99].path, "/Kyr/Preamble/Header/ChangeHistory[102]");
    EXPECT_EQ(found.list().back().message, "too many errors; reading stopped after 100");
    EXPECT_TRUE(found.stopped());
}

TEST(Diagnostics, StopAtWhatCannotBeReadPast)
{
    const kyr::diagnostics broken =
        diagnose(edited({{"<Kyr:Name>Small book</Kyr:Name>", "<Kyr:Name>a & b</Kyr:Name>"}}),
                 kyr::io::checking::strict);
    ASSERT_EQ(broken.list().size(), 1u);
    EXPECT_EQ(broken.list()[0].code, lmx::ELMX_NOT_WELL_FORMED);
    EXPECT_EQ(broken.list()[0].line, 10u);
    const kyr::diagnostics cut = diagnose(small.substr(0, small.find("<Kyr:Palette")));
    ASSERT_FALSE(cut.empty());
    EXPECT_TRUE(cut.stopped());
    EXPECT_EQ(cut.list().back().code, lmx::ELMX_UNEXPECTED_END_OF_MESSAGE);
}

std::string archive_path(const std::string& name, const std::string& bytes)
{
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(Diagnostics, ContainerFailuresNameTheirReason)
{
    std::string archive;
    ASSERT_TRUE(kyr::io::make_single_entry_archive("doc.kyr", small, 0, archive));
    const std::size_t directory = archive.size() - 22 - 46 - 7;
    std::string bad_crc = archive, bad_method = archive;
    bad_crc[14] ^= 1;
    bad_crc[directory + 16] ^= 1;
    bad_method[8] = bad_method[directory + 10] = 99;
    const std::string no_entry("PK\5\6" + std::string(18, '\0'));
    const std::pair<std::string, const char*> cases[] = {
        {small,
         "not a readable .kyrz container: not a zip archive or truncated: end of central directory not "
         "found"},
        {archive.substr(0, archive.size() / 2),
         "not a readable .kyrz container: not a zip archive or truncated"},
        {bad_crc, "not a readable .kyrz container: CRC-32 mismatch"},
        {bad_method, "not a readable .kyrz container: unsupported compression method"},
        {no_entry, "not a readable .kyrz container: no entry"},
    };
    for (const auto& [bytes, reason] : cases) {
        kyr::diagnostics found;
        Kyr document;
        EXPECT_EQ(kyr::io::load_file_with_diagnostics(archive_path("reason.kyrz", bytes), document, found),
                  lmx::ELMX_USER_DEFINED_1);
        ASSERT_FALSE(found.empty());
        EXPECT_EQ(found.list().back().message.rfind(reason, 0), 0u) << found.list().back().message;
    }
}

TEST(Diagnostics, TheCheckBeforeWritingNamesEveryMissingItemAndUnwritableText)
{
    Kyr document;
    ASSERT_EQ(document.loadString(wide(small)), lmx::ELMX_OK);
    com_kyrandel_v2::Header& header = document.get_Preamble().get_Header();
    header = com_kyrandel_v2::Header();
    header.set_Creator(L"Tests");
    document.get_Color(1).clear_ChangeHistory();
    document.get_Color(0).set_ColorName(L"Red\x1 warm");
    kyr::diagnostics found;
    EXPECT_EQ(kyr::io::check_writable(document, found), lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);
    std::vector<std::string> seen;
    for (const kyr::diagnostic& d : found.list())
        seen.push_back(std::to_string(d.code) + " " + d.path + " " + d.message);
    const std::vector<std::string> expected = {
        "46 /Kyr/Preamble/Header Mandatory element missing: CreatorVersion is not set",
        "46 /Kyr/Preamble/Header Mandatory element missing: ChangeHistory is not set",
        "46 /Kyr/Preamble/Header Mandatory element missing: Purpose is not set",
        "6 /Kyr/Color/@ColorName Bad character encoding: the text holds U+0001, which XML cannot carry",
        "46 /Kyr/Color[2] Mandatory element missing: ChangeHistory is not set",
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(document.writeString().getElmxError(), lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);
}

} // namespace
