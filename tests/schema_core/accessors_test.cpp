// Accessor semantics: growing lists, facet checks in setters, unset values,
// enumerations, presence of complex children, copies and writing order.
#include "schema_test_support.hpp"

#include <kyr/schema/classes.hpp>

#include <gtest/gtest.h>

using namespace com_kyrandel_v2;
using schema_test::k_ns;
using schema_test::write_fragment;

namespace {

TEST(Accessors, SimpleListsCheckEachValue)
{
    Header header;
    EXPECT_EQ(header.append_ChangeHistory(lmx::c_datetime("2024-01-01T00:00:00Z")), lmx::ELMX_OK);
    EXPECT_EQ(header.append_ChangeHistory(lmx::c_datetime("2024-01-02T00:00:00")),
              lmx::ELMX_NO_PATTERN_MATCHED);
    EXPECT_EQ(header.size_ChangeHistory(), 1u);
    EXPECT_EQ(header.set_ChangeHistory(4, lmx::c_datetime("2024-01-03T00:00:00+02:00")), lmx::ELMX_OK);
    EXPECT_EQ(header.insert_ChangeHistory(0, lmx::c_datetime("2023-12-31T00:00:00Z")), lmx::ELMX_OK);
    ASSERT_EQ(header.size_ChangeHistory(), 3u);
    EXPECT_EQ(header.get_ChangeHistory(0).get_as_string(), "2023-12-31T00:00:00Z");
    EXPECT_EQ(header.get_ChangeHistory(2).get_as_string(), "2024-01-03T00:00:00+02:00");
    header.delete_ChangeHistory(1);
    EXPECT_EQ(header.get_ChangeHistory(1).get_as_string(), "2024-01-03T00:00:00+02:00");

    OwnerType owner;
    owner.append_Company(L"x");
    owner.set_Company(0, L"y");
    EXPECT_EQ(owner.get_Company(0), L"y");
    owner.clear_Company();
    EXPECT_EQ(owner.size_Company(), 0u);
}

// Texts keep their order through inserts and deletes anywhere, a list's own value can be
// appended while the list grows, and copies are deep.
TEST(Accessors, TextListsKeepOrderAndCopiesAreDeep)
{
    const auto joined = [](const OwnerType& owner) {
        std::wstring out;
        for (std::size_t i = 0; i < owner.size_Company(); ++i)
            out += owner.get_Company(i);
        return out;
    };
    OwnerType owner;
    for (const wchar_t* text : {L"b", L"d"})
        owner.append_Company(text);
    owner.insert_Company(1, L"c");
    owner.insert_Company(0, L"a");
    owner.append_Company(owner.get_Company(0));
    const OwnerType copy(owner);
    owner.delete_Company(2);
    owner.delete_Company(0);
    EXPECT_EQ(joined(owner), L"bda");
    EXPECT_EQ(joined(copy), L"abcda");
    while (owner.size_Company())
        owner.delete_Company(0);
    owner.insert_Company(3, L"e");
    EXPECT_EQ(joined(owner), L"e");
}

TEST(Accessors, Enumerations)
{
    ProfileType profile;
    EXPECT_EQ(profile.getenum_Direction(), ProfileType::Eenum_Direction_none);
    EXPECT_TRUE(profile.setenum_Direction(ProfileType::Eenum_Direction_Profile_Both));
    EXPECT_EQ(profile.get_Direction(), L"Profile_Both");
    EXPECT_EQ(profile.getenum_Direction(), 3);
    EXPECT_FALSE(profile.setenum_Direction(ProfileType::Eenum_Direction_none));
    EXPECT_FALSE(profile.setenum_Direction(static_cast<ProfileType::Eenum_Direction>(4)));
    EXPECT_EQ(profile.get_Direction(), L"Profile_Both");
    EXPECT_EQ(profile.set_Direction(L"profile_both"), lmx::ELMX_VALUE_NOT_ENUMERATED);
    EXPECT_EQ(profile.get_Direction(), L"Profile_Both");

    DensityType density;
    density.set_DensityStatus(L"Status_DIN-NB");
    EXPECT_EQ(density.getenum_DensityStatus(), DensityType::Eenum_DensityStatus_Status_DIN_NB);
    EXPECT_EQ(density.getenum_DensityStatus(), 12);
    EXPECT_FALSE(density.setenum_DensityFilter(static_cast<DensityType::Eenum_DensityFilter>(11)));
}

TEST(Accessors, AttributesAreWrittenInSchemaOrderAndOnlyWhenSet)
{
    TagCategory category;
    lmx::elmx_error error;
    EXPECT_EQ(write_fragment(category, "Kyr:Category", &error),
              "<Kyr:Category xmlns:Kyr=\"http://kyr-format.org/v2\" "
              "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"/>\n");
    schema_test::recording_reader reader(std::string("<Kyr:Category") + k_ns
                                         + " Name=\"n\" UniqueID=\"u\"/>");
    ASSERT_EQ(schema_test::read_fragment(category, reader, Kyr::ns_map()), lmx::ELMX_OK);
    category.unset_Name();
    category.set_UniqueID(L"<&\">'");
    const std::string written = write_fragment(category, "Kyr:Category", &error);
    EXPECT_EQ(error, lmx::ELMX_OK);
    EXPECT_EQ(
        written.substr(written.find("xmlns:xsi")),
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" UniqueID=\"&lt;&amp;&quot;>&apos;\"/>\n");
    category.set_Name(L"n");
    const std::string both = write_fragment(category, "Kyr:Category", &error);
    EXPECT_LT(both.find("UniqueID="), both.find(" Name="));
}

TEST(Accessors, NilSimpleContent)
{
    SDKVersion version;
    EXPECT_FALSE(version.is_occurs_ok());
    lmx::elmx_error error;
    write_fragment(version, "Kyr:SDKVersion", &error);
    EXPECT_EQ(error, lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);
    version.set_SDKVersion(L"1.0");
    EXPECT_EQ(write_fragment(version, "Kyr:SDKVersion", &error), "<Kyr:SDKVersion>1.0</Kyr:SDKVersion>\n");
    version.setnil_SDKVersion();
    EXPECT_TRUE(version.isnil_SDKVersion());
    EXPECT_EQ(write_fragment(version, "Kyr:SDKVersion", &error), "<Kyr:SDKVersion xsi:nil=\"true\"/>\n");
}

} // namespace

namespace {

TEST(Accessors, WildcardEntriesAreWrittenAsGiven)
{
    Revision revision;
    lmx::elmx_error error;
    write_fragment(revision, "Kyr:Revision", &error);
    EXPECT_EQ(error, lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);
    revision.append_any("<b:Second xmlns:b=\"urn:b\"/>");
    revision.insert_any(0, "<a:First xmlns:a=\"urn:a\">x</a:First>");
    revision.insert_any(9, "<Kyr:Third/>");
    ASSERT_EQ(revision.size_any(), 3u);
    std::string ns = "unchanged", name = "unchanged", xml;
    revision.get_any(1, &ns, &name, &xml);
    EXPECT_EQ(xml, "<b:Second xmlns:b=\"urn:b\"/>");
    EXPECT_EQ(ns, "");
    EXPECT_EQ(name, "");
    revision.delete_any(1);
    const std::string written = write_fragment(revision, "Kyr:Revision", &error);
    EXPECT_EQ(error, lmx::ELMX_OK);
    EXPECT_EQ(written.substr(written.find('>')),
              ">\n\t<a:First xmlns:a=\"urn:a\">x</a:First>\n\t<Kyr:Third/>\n</Kyr:Revision>\n");
    revision.clear_any();
    EXPECT_FALSE(revision.is_occurs_ok());
}

} // namespace
