// Accessor semantics: growing lists, facet checks in setters, unset values,
// enumerations, presence of complex children, copies and writing order.
#include "schema_test_support.hpp"

#include <kyr/schema/classes.hpp>

#include <gtest/gtest.h>

using namespace com_kyrandel_v2;
using schema_test::k_ns;
using schema_test::write_fragment;

namespace {

TEST(Accessors, NonConstIndexGrowsAComplexList)
{
    OwnerType owner;
    owner.get_Person(5).set_Name(L"sixth");
    EXPECT_EQ(owner.size_Person(), 6u);
    EXPECT_EQ(owner.get_Person(5).get_Name(), L"sixth");
    EXPECT_FALSE(owner.get_Person(0).is_occurs_ok());
    owner.assign_Person(7, owner.get_Person(5));
    EXPECT_EQ(owner.size_Person(), 8u);
    EXPECT_EQ(owner.back_Person().get_Name(), L"sixth");
}

TEST(Accessors, InsertDeleteAndClearKeepOrder)
{
    OwnerType owner;
    owner.append_Person();
    owner.get_Person(0).set_Name(L"a");
    EXPECT_EQ(owner.insert_Person(0), lmx::ELMX_OK);
    owner.get_Person(0).set_Name(L"b");
    owner.insert_Person(9);  // past the end: appended
    owner.back_Person().set_Name(L"c");
    ASSERT_EQ(owner.size_Person(), 3u);
    EXPECT_EQ(owner.get_Person(0).get_Name(), L"b");
    EXPECT_EQ(owner.get_Person(1).get_Name(), L"a");
    owner.delete_Person(0);
    EXPECT_EQ(owner.get_Person(0).get_Name(), L"a");
    EXPECT_EQ(owner.get_Person(1).get_Name(), L"c");
    owner.clear_Person();
    EXPECT_EQ(owner.size_Person(), 0u);
}

TEST(Accessors, SimpleListsCheckEachValue)
{
    Header header;
    EXPECT_EQ(header.append_ChangeHistory(lmx::c_datetime("2024-01-01T00:00:00Z")), lmx::ELMX_OK);
    EXPECT_EQ(header.append_ChangeHistory(lmx::c_datetime("2024-01-02T00:00:00")), lmx::ELMX_NO_PATTERN_MATCHED);
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

TEST(Accessors, RefusedValueLeavesTheMemberUnchanged)
{
    CustomAttributeType attribute;
    EXPECT_EQ(attribute.set_Name(L"kept"), lmx::ELMX_OK);
    EXPECT_EQ(attribute.set_Name(L""), lmx::ELMX_LENGTH_TOO_SHORT);
    EXPECT_EQ(attribute.get_Name(), L"kept");

    ProfileType_Parameters parameters;
    EXPECT_EQ(parameters.set_Name(L"ab"), lmx::ELMX_LENGTH_TOO_LONG);
    EXPECT_EQ(parameters.set_Name(L"\u00e9"), lmx::ELMX_OK);  // one character, two bytes
}

TEST(Accessors, UnsetClearsOnlyThePresentFlag)
{
    Header header;
    EXPECT_FALSE(header.isset_Name());
    header.set_Name(L"x");
    EXPECT_TRUE(header.isset_Name());
    header.unset_Name();
    EXPECT_FALSE(header.isset_Name());
    EXPECT_EQ(header.get_Name(), L"x");
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

TEST(Accessors, ComplexChildPresence)
{
    Preamble preamble;
    const Preamble& view = preamble;
    view.get_Owner();
    EXPECT_FALSE(preamble.isset_Owner());
    preamble.get_Owner();
    EXPECT_TRUE(preamble.isset_Owner());
    preamble.unset_Owner();
    Version version;
    version.set_Version(L"7");
    preamble.assign_Version(version);
    EXPECT_TRUE(preamble.isset_Version());
    EXPECT_EQ(preamble.get_Version().get_Version(), L"7");
}

TEST(Accessors, CopiesAreDeepAndIndependent)
{
    Kyr original;
    ASSERT_EQ(original.unmarshal(schema_test::data("valid/header_full.kyr")), lmx::ELMX_OK);
    Kyr copy(original);
    copy.get_Preamble().get_Header().get_CustomAttribute(0).set_Name(L"changed");
    copy.get_Preamble().get_Owner().delete_Person(0);
    EXPECT_EQ(original.get_Preamble().get_Header().get_CustomAttribute(0).get_Name(), L"Batch");
    EXPECT_EQ(original.get_Preamble().get_Owner().size_Person(), 2u);

    Kyr assigned;
    assigned = original;
    std::string a, b;
    EXPECT_EQ(original.marshal(&a), lmx::ELMX_OK);
    EXPECT_EQ(assigned.marshal(&b), lmx::ELMX_OK);
    EXPECT_EQ(a, b);

    assigned.swap(copy);
    EXPECT_EQ(assigned.get_Preamble().get_Owner().size_Person(), 1u);
    EXPECT_EQ(copy.get_Preamble().get_Owner().size_Person(), 2u);
    copy.reset();
    EXPECT_EQ(copy.get_Preamble().get_Header().size_CustomAttribute(), 0u);
}

TEST(Accessors, UnmarshalAddsToExistingContent)
{
    Kyr kyr;
    ASSERT_EQ(kyr.unmarshal(schema_test::data("valid/header_full.kyr")), lmx::ELMX_OK);
    ASSERT_EQ(kyr.unmarshal(schema_test::data("valid/header_full.kyr")), lmx::ELMX_OK);
    EXPECT_EQ(kyr.get_Preamble().get_Header().size_CustomAttribute(), 6u);
    EXPECT_EQ(kyr.get_Preamble().get_Owner().size_Company(), 4u);
}

TEST(Accessors, AttributesAreWrittenInSchemaOrderAndOnlyWhenSet)
{
    TagCategory category;
    lmx::elmx_error error;
    EXPECT_EQ(write_fragment(category, "Kyr:Category", &error),
              "<Kyr:Category xmlns:Kyr=\"http://kyr-format.org/v2\" "
              "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"/>\n");
    schema_test::recording_reader reader(std::string("<Kyr:Category") + k_ns + " Name=\"n\" UniqueID=\"u\"/>");
    ASSERT_EQ(schema_test::read_fragment(category, reader, Kyr::ns_map()), lmx::ELMX_OK);
    category.unset_Name();
    category.set_UniqueID(L"<&\">'");
    const std::string written = write_fragment(category, "Kyr:Category", &error);
    EXPECT_EQ(error, lmx::ELMX_OK);
    EXPECT_EQ(written.substr(written.find("xmlns:xsi")),
              "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" UniqueID=\"&lt;&amp;&quot;>&apos;\"/>\n");
    category.set_Name(L"n");
    const std::string both = write_fragment(category, "Kyr:Category", &error);
    EXPECT_LT(both.find("UniqueID="), both.find(" Name="));
}

TEST(Accessors, TagAlwaysWritesItsCategory)
{
    Tag tag;
    EXPECT_TRUE(tag.is_occurs_ok());
    lmx::elmx_error error;
    const std::string written = write_fragment(tag, "Kyr:Tag", &error);
    EXPECT_EQ(error, lmx::ELMX_OK);
    EXPECT_EQ(written.substr(written.find('>')), ">\n\t<Kyr:Category/>\n</Kyr:Tag>\n");

    Tag read;
    schema_test::recording_reader reader(std::string("<Kyr:Tag") + k_ns + " Name=\"t\"></Kyr:Tag>");
    EXPECT_EQ(schema_test::read_fragment(read, reader, Kyr::ns_map()), lmx::ELMX_OK);
    EXPECT_TRUE(reader.reports.empty());
    EXPECT_EQ(read.get_Name(), L"t");
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

TEST(Accessors, WholeDocumentWriteFailsBeforeTheStartTag)
{
    Header header;
    std::string out = "untouched";
    lmx::elmx_error error;
    EXPECT_EQ(write_fragment(header, "Kyr:Header", &error), "");
    EXPECT_EQ(error, lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);

    Kyr kyr;
    kyr.get_Preamble().get_Header().set_Creator(L"c");  // ChangeHistory and more still missing
    EXPECT_EQ(kyr.marshal(&out), lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);
    EXPECT_EQ(out, "untouched");
    const std::string path = std::string(KYR_BINARY_DIR) + "/schema_core_failed_write.kyr";
    EXPECT_EQ(kyr.marshal(path.c_str()), lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);
    EXPECT_FALSE(std::ifstream(path).good());
}

TEST(Accessors, DocumentFileRoundTrip)
{
    const std::string source = schema_test::data_path("valid/header_full.kyr");
    lmx::elmx_error error = lmx::ELMX_UNDEFINED_ERROR;
    Kyr kyr(source.c_str(), &error);
    EXPECT_EQ(error, lmx::ELMX_OK);
    const std::string path = std::string(KYR_BINARY_DIR) + "/schema_core_written.kyr";
    EXPECT_EQ(kyr.marshal(path.c_str()), lmx::ELMX_OK);
    EXPECT_EQ(schema_test::read_file(path), schema_test::data("valid/header_full.kyr"));
    std::remove(path.c_str());
    Kyr missing("/nonexistent/dir/file.kyr", &error);
    EXPECT_EQ(error, lmx::ELMX_NO_FILE);
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
