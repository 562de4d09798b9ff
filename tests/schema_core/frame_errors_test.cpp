// Each error of the frame, the item name it is reported with, and how reading
// goes on when the reader's handler swallows it.
#include "schema_test_support.hpp"

#include <kyr/schema/classes.hpp>

#include <gtest/gtest.h>

using namespace com_kyrandel_v2;
using schema_test::document;
using schema_test::header_document;
using schema_test::k_ns;
using schema_test::read_fragment;
using schema_test::recording_reader;
using report = std::pair<lmx::elmx_error, std::string>;
using reports = std::vector<report>;

namespace {

template <typename C>
reports fragment_reports(C& object, const std::string& text, bool swallow, lmx::elmx_error* result)
{
    recording_reader reader(text, swallow);
    *result = read_fragment(object, reader, Kyr::ns_map());
    return reader.reports;
}

reports document_reports(Kyr& kyr, const std::string& text, bool swallow, lmx::elmx_error* result)
{
    recording_reader reader(text, swallow);
    *result = kyr.unmarshal(reader);
    return reader.reports;
}

TEST(FrameErrors, AttributeReadTwiceNamesTheAttribute)
{
    const std::string text = std::string("<Kyr:Category") + k_ns + " Name=\"a\" UniqueID=\"u\" Name=\"b\"/>";
    TagCategory category;
    lmx::elmx_error result;
    EXPECT_EQ(fragment_reports(category, text, false, &result), (reports{{lmx::ELMX_ATTRIBUTE_ALREADY_READ, "Name"}}));
    EXPECT_EQ(result, lmx::ELMX_ATTRIBUTE_ALREADY_READ);

    TagCategory swallowed;
    EXPECT_EQ(fragment_reports(swallowed, text, true, &result).size(), 1u);
    EXPECT_EQ(result, lmx::ELMX_OK);
    EXPECT_EQ(swallowed.get_Name(), L"b");
    EXPECT_EQ(swallowed.get_UniqueID(), L"u");
}

TEST(FrameErrors, MisplacedRepeatedAndUnknownChildrenEndWithBadEndOfElement)
{
    const char* bodies[] = {
        "<Kyr:Owner><Kyr:Company>x</Kyr:Company><Kyr:Copyright>c</Kyr:Copyright></Kyr:Owner>",
        "<Kyr:Person><Kyr:Name>a</Kyr:Name><Kyr:Name>b</Kyr:Name></Kyr:Person>",
        "<Kyr:Owner><Kyr:Unknown/></Kyr:Owner>",
    };
    for (const char* body : bodies) {
        std::string text(body);
        text.insert(text.find('>'), k_ns);
        lmx::elmx_error result;
        if (text.compare(0, 11, "<Kyr:Person") == 0) {
            Person person;
            EXPECT_EQ(fragment_reports(person, text, false, &result),
                      (reports{{lmx::ELMX_BAD_END_OF_ELEMENT, "Kyr:Person"}}));
        } else {
            OwnerType owner;
            EXPECT_EQ(fragment_reports(owner, text, false, &result),
                      (reports{{lmx::ELMX_BAD_END_OF_ELEMENT, "Kyr:Owner"}}));
        }
        EXPECT_EQ(result, lmx::ELMX_BAD_END_OF_ELEMENT) << body;
    }
}

TEST(FrameErrors, SwallowedBadEndAbandonsTheElementAsRead)
{
    std::string text = "<Kyr:Owner><Kyr:Company>x</Kyr:Company><Kyr:Copyright>c</Kyr:Copyright></Kyr:Owner>";
    text.insert(10, k_ns);
    OwnerType owner;
    lmx::elmx_error result;
    EXPECT_EQ(fragment_reports(owner, text, true, &result).size(), 1u);
    EXPECT_EQ(result, lmx::ELMX_OK);
    EXPECT_EQ(owner.size_Company(), 1u);
    EXPECT_EQ(owner.size_Copyright(), 0u);
}

TEST(FrameErrors, DocumentElementOfAnotherNameOrNamespace)
{
    Kyr kyr;
    lmx::elmx_error result;
    EXPECT_EQ(document_reports(kyr, "<Kyr:Other xmlns:Kyr=\"http://kyr-format.org/v2\"/>", false, &result),
              (reports{{lmx::ELMX_ELEMENT_NOT_FOUND, "Kyr:Other"}}));
    EXPECT_EQ(result, lmx::ELMX_ELEMENT_NOT_FOUND);
    EXPECT_EQ(document_reports(kyr, "<Kyr><Preamble/></Kyr>", false, &result),
              (reports{{lmx::ELMX_ELEMENT_NOT_FOUND, "Kyr"}}));
    // Another prefix for the same namespace is the same element.
    const std::string renamed = "<k:Kyr xmlns:k=\"http://kyr-format.org/v2\"><k:Preamble><k:Header>"
                                "<k:Creator>c</k:Creator><k:CreatorVersion>1</k:CreatorVersion>"
                                "<k:ChangeHistory>2024-01-01T00:00:00Z</k:ChangeHistory><k:Purpose>p</k:Purpose>"
                                "</k:Header></k:Preamble></k:Kyr>";
    EXPECT_TRUE(document_reports(kyr, renamed, false, &result).empty());
    EXPECT_EQ(result, lmx::ELMX_OK);
}

TEST(FrameErrors, LengthFacets)
{
    lmx::elmx_error result;
    std::string text = std::string("<Kyr:CustomAttribute") + k_ns +
                       "><Kyr:Name></Kyr:Name><Kyr:ValueChoice><Kyr:DoubleValue>1</Kyr:DoubleValue>"
                       "</Kyr:ValueChoice></Kyr:CustomAttribute>";
    CustomAttributeType attribute;
    EXPECT_EQ(fragment_reports(attribute, text, false, &result), (reports{{lmx::ELMX_LENGTH_TOO_SHORT, "Kyr:Name"}}));

    text = std::string("<Kyr:Parameters") + k_ns +
           "><Kyr:Name>ab</Kyr:Name><Kyr:ValueChoice><Kyr:StringValue>s</Kyr:StringValue>"
           "</Kyr:ValueChoice></Kyr:Parameters>";
    ProfileType_Parameters parameters;
    EXPECT_EQ(fragment_reports(parameters, text, true, &result), (reports{{lmx::ELMX_LENGTH_TOO_LONG, "Kyr:Name"}}));
    EXPECT_EQ(result, lmx::ELMX_OK);
    EXPECT_EQ(parameters.get_Name(), L"ab");  // a swallowed failure keeps the value
}

TEST(FrameErrors, MissingMandatoryChildren)
{
    Kyr kyr;
    lmx::elmx_error result;
    EXPECT_EQ(document_reports(kyr, document("<Kyr:Preamble><Kyr:Owner/></Kyr:Preamble>"), false, &result),
              (reports{{lmx::ELMX_MANDATORY_ELEMENT_MISSING, "Kyr:Header"}}));
    EXPECT_EQ(document_reports(kyr, document(""), false, &result),
              (reports{{lmx::ELMX_MANDATORY_ELEMENT_MISSING, "Kyr:Preamble"}}));

    // A missing first ChangeHistory, then the shortfall at the end of the Header.
    const std::string no_history = document("<Kyr:Preamble><Kyr:Header><Kyr:Creator>c</Kyr:Creator>"
                                            "<Kyr:CreatorVersion>1</Kyr:CreatorVersion><Kyr:Purpose>p</Kyr:Purpose>"
                                            "</Kyr:Header></Kyr:Preamble>");
    EXPECT_EQ(document_reports(kyr, no_history, false, &result),
              (reports{{lmx::ELMX_MANDATORY_ELEMENT_MISSING, "Kyr:ChangeHistory"}}));
    Kyr swallowed;
    EXPECT_EQ(document_reports(swallowed, no_history, true, &result),
              (reports{{lmx::ELMX_MANDATORY_ELEMENT_MISSING, "Kyr:ChangeHistory"},
                       {lmx::ELMX_MANDATORY_ELEMENT_MISSING, "Kyr:Header"}}));
    EXPECT_EQ(result, lmx::ELMX_OK);
    EXPECT_EQ(swallowed.get_Preamble().get_Header().get_Purpose(), L"p");
}

TEST(FrameErrors, MissingChildSwallowedLeavesItAbsentSoWritingFails)
{
    std::string text = std::string("<Kyr:Person") + k_ns + "><Kyr:ContactInfo>x</Kyr:ContactInfo></Kyr:Person>";
    Person person;
    lmx::elmx_error result;
    EXPECT_EQ(fragment_reports(person, text, true, &result),
              (reports{{lmx::ELMX_MANDATORY_ELEMENT_MISSING, "Kyr:Name"}}));
    EXPECT_EQ(result, lmx::ELMX_OK);
    EXPECT_EQ(person.get_ContactInfo(), L"x");
    EXPECT_FALSE(person.is_occurs_ok());
    schema_test::write_fragment(person, "Kyr:Person", &result);
    EXPECT_EQ(result, lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);
}

TEST(FrameErrors, ChangeHistoryNeedsATimeZone)
{
    Kyr kyr;
    lmx::elmx_error result;
    const std::string base = "<Kyr:Preamble><Kyr:Header><Kyr:Creator>c</Kyr:Creator>"
                             "<Kyr:CreatorVersion>1</Kyr:CreatorVersion><Kyr:ChangeHistory>";
    const std::string rest = "</Kyr:ChangeHistory><Kyr:Purpose>p</Kyr:Purpose></Kyr:Header></Kyr:Preamble>";
    EXPECT_EQ(document_reports(kyr, document(base + "2008-03-07T09:05:00" + rest), false, &result),
              (reports{{lmx::ELMX_NO_PATTERN_MATCHED, "Kyr:ChangeHistory"}}));
    EXPECT_EQ(document_reports(kyr, document(base + "2008-03-07 09:05:00Z" + rest), false, &result),
              (reports{{lmx::ELMX_VALUE_BAD_FORMAT, "Kyr:ChangeHistory"}}));
    for (const char* good : {"2008-03-07T09:05:00Z", "2008-03-07T09:05:00+05:30", "2008-03-07T09:05:00-01:00"}) {
        Kyr fresh;
        EXPECT_TRUE(document_reports(fresh, document(base + good + rest), false, &result).empty()) << good;
        EXPECT_EQ(result, lmx::ELMX_OK);
    }
}

// A stamp that is not a date-time is not matched against the stamp pattern,
// even when the handler swallows the format error: the pattern engine
// backtracks, and a long run of "T"s would otherwise take seconds.
TEST(FrameErrors, MalformedStampSkipsThePatternWhenSwallowed)
{
    Kyr kyr;
    lmx::elmx_error result;
    const std::string base = "<Kyr:Preamble><Kyr:Header><Kyr:Creator>c</Kyr:Creator>"
                             "<Kyr:CreatorVersion>1</Kyr:CreatorVersion><Kyr:ChangeHistory>";
    const std::string rest = "</Kyr:ChangeHistory><Kyr:Purpose>p</Kyr:Purpose></Kyr:Header></Kyr:Preamble>";
    const std::string hostile = std::string(20000, 'T') + "x";
    EXPECT_EQ(document_reports(kyr, document(base + hostile + rest), true, &result),
              (reports{{lmx::ELMX_VALUE_BAD_FORMAT, "Kyr:ChangeHistory"}}));
    EXPECT_EQ(result, lmx::ELMX_OK);
    ASSERT_EQ(kyr.get_Preamble().get_Header().size_ChangeHistory(), 1u);
    EXPECT_EQ(kyr.get_Preamble().get_Header().get_Purpose(), L"p");
}

TEST(FrameErrors, RequiredAttributeMissingNamesTheClass)
{
    std::string text = std::string("<Kyr:Profile") + k_ns + "/>";
    ProfileType profile;
    lmx::elmx_error result;
    EXPECT_EQ(fragment_reports(profile, text, false, &result),
              (reports{{lmx::ELMX_REQUIRED_ATTRIBUTES_MISSING, "ProfileType"}}));
    EXPECT_EQ(result, lmx::ELMX_REQUIRED_ATTRIBUTES_MISSING);
}

TEST(FrameErrors, UnreadableValues)
{
    lmx::elmx_error result;
    std::string text = std::string("<Kyr:Category") + k_ns + " Name=\"a&undefined;b\"/>";
    TagCategory category;
    EXPECT_EQ(fragment_reports(category, text, false, &result),
              (reports{{lmx::ELMX_UNABLE_TO_READ_ATTRIBUTE_VALUE, "Name"}}));

    text = std::string("<Kyr:SDKVersion") + k_ns + ">1&undefined;</Kyr:SDKVersion>";
    SDKVersion version;
    EXPECT_EQ(fragment_reports(version, text, false, &result),
              (reports{{lmx::ELMX_UNABLE_TO_READ_ELEMENT_VALUE, "Kyr:SDKVersion"}}));
}

TEST(FrameErrors, ChoiceWithoutAMember)
{
    std::string text = std::string("<Kyr:ValueChoice") + k_ns + "><Kyr:Other>1</Kyr:Other></Kyr:ValueChoice>";
    CustomAttributeType_ValueChoice choice;
    lmx::elmx_error result;
    EXPECT_EQ(fragment_reports(choice, text, false, &result),
              (reports{{lmx::ELMX_UNKNOWN_ELEMENT_IN_COMPLEX_CONTENT, "Kyr:Other"}}));
    EXPECT_EQ(choice.getchosen(), CustomAttributeType_ValueChoice::ec_none);

    text = std::string("<Kyr:CustomAttribute") + k_ns + "><Kyr:Name>n</Kyr:Name></Kyr:CustomAttribute>";
    CustomAttributeType attribute;
    EXPECT_EQ(fragment_reports(attribute, text, false, &result),
              (reports{{lmx::ELMX_MANDATORY_ELEMENT_MISSING, "Kyr:ValueChoice"}}));
}

TEST(FrameErrors, EmptyElementTagFollowsTheClassMark)
{
    lmx::elmx_error result;
    Kyr kyr;
    EXPECT_EQ(document_reports(kyr, "<Kyr:Kyr xmlns:Kyr=\"http://kyr-format.org/v2\"/>", false, &result),
              (reports{{lmx::ELMX_UNEXPECTED_EMPTY_ELEMENT, "Kyr:Kyr"}}));
    EXPECT_EQ(document_reports(kyr, header_document("<Kyr:ReadPlatformInformation/>"), false, &result),
              (reports{{lmx::ELMX_MANDATORY_ELEMENT_MISSING, "Kyr:Creator"}}));

    PlatformType platform;
    EXPECT_EQ(fragment_reports(platform, std::string("<Kyr:ReadPlatformInformation") + k_ns + "/>", false, &result),
              (reports{{lmx::ELMX_UNEXPECTED_EMPTY_ELEMENT, "Kyr:ReadPlatformInformation"}}));
    // Accepted: no report, not even for the missing Name, which then fails the write.
    Person person;
    EXPECT_TRUE(fragment_reports(person, std::string("<Kyr:Person") + k_ns + "/>", false, &result).empty());
    EXPECT_EQ(result, lmx::ELMX_OK);
    schema_test::write_fragment(person, "Kyr:Person", &result);
    EXPECT_EQ(result, lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);
}

TEST(FrameErrors, NumberFormatAndRange)
{
    const struct {
        const char* member;
        const char* text;
        lmx::elmx_error code;
    } cases[] = {
        {"DoubleValue", "abc", lmx::ELMX_VALUE_BAD_FORMAT},
        {"DoubleValue", "", lmx::ELMX_VALUE_BAD_FORMAT},
        {"IntegerValue", "1.0", lmx::ELMX_VALUE_BAD_FORMAT},
        {"IntegerValue", "2147483648", lmx::ELMX_VALUE_EXCEEDS_MAX},
        {"IntegerValue", "-2147483649", lmx::ELMX_VALUE_EXCEEDS_MIN},
        {"IntegerValue", "+2147483647", lmx::ELMX_OK},
        {"DoubleValue", "-INF", lmx::ELMX_OK},
    };
    for (const auto& c : cases) {
        const std::string member = std::string("Kyr:") + c.member;
        const std::string text = std::string("<Kyr:ValueChoice") + k_ns + "><" + member + ">" + c.text + "</" +
                                 member + "></Kyr:ValueChoice>";
        CustomAttributeType_ValueChoice choice;
        lmx::elmx_error result;
        const reports seen = fragment_reports(choice, text, false, &result);
        EXPECT_EQ(result, c.code) << c.member << " " << c.text;
        if (c.code != lmx::ELMX_OK) {
            EXPECT_EQ(seen, (reports{{c.code, member}}));
        }
    }
}

TEST(FrameErrors, EnumerationIsCaseSensitive)
{
    std::string text = std::string("<Kyr:Profile") + k_ns + " Direction=\"profile_input\"><Kyr:ProfileChoice>"
                       "<Kyr:ProfileURI>u</Kyr:ProfileURI></Kyr:ProfileChoice></Kyr:Profile>";
    ProfileType profile;
    lmx::elmx_error result;
    EXPECT_EQ(fragment_reports(profile, text, true, &result),
              (reports{{lmx::ELMX_VALUE_NOT_ENUMERATED, "Direction"}}));
    EXPECT_EQ(result, lmx::ELMX_OK);
    EXPECT_TRUE(profile.is_occurs_ok());  // the required attribute counts as read
    EXPECT_EQ(profile.get_Direction(), L"profile_input");
    EXPECT_EQ(profile.getenum_Direction(), ProfileType::Eenum_Direction_none);
}

TEST(FrameErrors, UndeclaredAttributes)
{
    lmx::elmx_error result;
    std::string text = std::string("<Kyr:Person") + k_ns + " xsi:schemaLocation=\"a b\" xsi:type=\"Kyr:X\" "
                       "note=\"1\"><Kyr:Name>n</Kyr:Name></Kyr:Person>";
    Person person;
    EXPECT_EQ(fragment_reports(person, text, false, &result),
              (reports{{lmx::ELMX_UNEXPECTED_ATTRIBUTE, "Kyr:Person"}}));
    Person swallowed;
    EXPECT_EQ(fragment_reports(swallowed, text, true, &result).size(), 1u);
    EXPECT_EQ(result, lmx::ELMX_OK);
    EXPECT_EQ(swallowed.get_Name(), L"n");
}

TEST(FrameErrors, TruncatedDocumentEndsWithoutHanging)
{
    const std::string full = schema_test::data("valid/header_full.kyr");
    for (size_t length = 0; length < full.size(); length += 7) {
        Kyr kyr;
        recording_reader reader(full.substr(0, length), true);
        kyr.unmarshal(reader);
        EXPECT_FALSE(reader.reports.empty()) << length;
    }
}

} // namespace

namespace {

TEST(FrameErrors, EmptySimpleChildIsAnEmptyValue)
{
    lmx::elmx_error result;
    CustomAttributeType_ValueChoice number;
    EXPECT_EQ(fragment_reports(number, std::string("<Kyr:ValueChoice") + k_ns +
                                           "><Kyr:DoubleValue/></Kyr:ValueChoice>", false, &result),
              (reports{{lmx::ELMX_VALUE_BAD_FORMAT, "Kyr:DoubleValue"}}));
    CustomAttributeType_ValueChoice text;
    text.set_StringValue(L"old");
    EXPECT_TRUE(fragment_reports(text, std::string("<Kyr:ValueChoice") + k_ns +
                                           "><Kyr:StringValue/></Kyr:ValueChoice>", false, &result).empty());
    EXPECT_EQ(result, lmx::ELMX_OK);
    EXPECT_EQ(text.getchosen(), CustomAttributeType_ValueChoice::ec_StringValue);
    EXPECT_EQ(text.get_StringValue(), L"");
}

TEST(FrameErrors, StreamWriteStopsAfterTheDeclaration)
{
    Header header;
    header.set_Creator(L"c");
    std::ostringstream os;
    lmx::c_xml_writer writer(os, lmx::c_xml_writer::include_xml_decl, "\t", "\n");
    EXPECT_EQ(header.marshal(writer, "Kyr:Header"), lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL);
    EXPECT_EQ(os.str(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
}

} // namespace

namespace {

TEST(FrameErrors, EndOfInputInsideAnElementNamesThatElement)
{
    Kyr kyr;
    lmx::elmx_error result;
    const std::string text = "<Kyr:Kyr xmlns:Kyr=\"http://kyr-format.org/v2\"><Kyr:Preamble>";
    EXPECT_EQ(document_reports(kyr, text, false, &result),
              (reports{{lmx::ELMX_UNEXPECTED_END_OF_MESSAGE, "Kyr:Preamble"}}));
    EXPECT_EQ(result, lmx::ELMX_UNEXPECTED_END_OF_MESSAGE);
}

} // namespace

namespace {

TEST(FrameErrors, DeeplyNestedParentColorSpacesFailCleanly)
{
    std::string text = std::string("<Kyr:ColorSpaceCIELab") + k_ns + ">";
    for (int level = 0; level < 3000; ++level)
        text += "<Kyr:ParentColorSpace><Kyr:ColorSpaceCIELab>";
    ColorSpaceCIELab lab;
    recording_reader reader(text);
    EXPECT_EQ(read_fragment(lab, reader, Kyr::ns_map()), lmx::ELMX_NOT_WELL_FORMED);
    ASSERT_EQ(reader.reports.size(), 1u);
    EXPECT_EQ(reader.reports[0].first, lmx::ELMX_NOT_WELL_FORMED);

    recording_reader swallowing(text, true);  // every level gives up in turn, none crashes
    ColorSpaceCIELab other;
    read_fragment(other, swallowing, Kyr::ns_map());
    EXPECT_GT(swallowing.reports.size(), 1000u);
}

} // namespace
