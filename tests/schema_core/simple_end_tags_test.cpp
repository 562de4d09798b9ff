// The end tag of a simple-content element is taken straight from the input's window when it
// repeats the start tag's name. Every variant must read as it does with the window empty
// (one byte per read), where the general path reads and compares the name.
#include "schema_test_support.hpp"

#include <chunked_read.hpp>
#include <kyr/schema/classes.hpp>

#include <gtest/gtest.h>

#include <memory>

using namespace com_kyrandel_v2;
using schema_test::read_fragment;

namespace {

enum class e_feed
{
    whole,
    one_byte
};

struct s_outcome
{
    lmx::elmx_error code = lmx::ELMX_OK;
    std::vector<std::pair<lmx::elmx_error, std::string>> reports;
    double value = 0;
    double wavelength = 0;
    int line = 0;
    int next_event = -1;
    std::string next_name;

    bool operator==(const s_outcome& other) const
    {
        return code == other.code && reports == other.reports && value == other.value &&
               wavelength == other.wavelength && line == other.line && next_event == other.next_event &&
               next_name == other.next_name;
    }
};

std::ostream& operator<<(std::ostream& os, const s_outcome& o)
{
    os << "code " << o.code << ", " << o.reports.size() << " reports, value " << o.value << ", wavelength "
       << o.wavelength << ", line " << o.line << ", next " << o.next_event << " '" << o.next_name << "'";
    return os;
}

class recording_source_reader : public lmx::c_xml_reader
{
public:
    explicit recording_source_reader(lmx::c_read& source) : lmx::c_xml_reader(source) {}

    lmx::elmx_error user_handle_error(lmx::elmx_error code, const std::string& item, const char*, int) override
    {
        reports.emplace_back(code, item);
        return code;
    }

    std::vector<std::pair<lmx::elmx_error, std::string>> reports;
};

// Reads `fragment` (a ReflectancePoint followed by anything) and what comes after it.
s_outcome read_point(const std::string& fragment, e_feed feed)
{
    std::unique_ptr<lmx::c_read> source;
    if (feed == e_feed::whole)
        source = std::make_unique<lmx::c_read_memory>(fragment.data(), fragment.size());
    else
        source = std::make_unique<kyr_test::c_chunked_read>(fragment);
    recording_source_reader reader(*source);
    ReflectancePointType point;
    s_outcome outcome;
    outcome.code = read_fragment(point, reader, Kyr::ns_map());
    outcome.reports = reader.reports;
    outcome.value = point.get_ReflectancePointType();
    outcome.wavelength = point.get_Wavelength();
    outcome.line = reader.get_line_no();
    if (outcome.code == lmx::ELMX_OK) {
        lmx::elmx_error error = lmx::ELMX_OK;
        outcome.next_event = reader.get_element_event(nullptr, &error, &outcome.next_name);
    }
    return outcome;
}

std::string point(const std::string& content_and_end, const std::string& prefix = "Kyr")
{
    return "<" + prefix + ":ReflectancePoint xmlns:" + prefix + "=\"http://kyr-format.org/v2\" Wavelength=\"380\">" +
           content_and_end + "\n<" + prefix + ":Next/>";
}

s_outcome read_both(const std::string& fragment)
{
    const s_outcome whole = read_point(fragment, e_feed::whole);
    EXPECT_EQ(read_point(fragment, e_feed::one_byte), whole) << fragment;
    return whole;
}

TEST(SimpleEndTags, TheRepeatedNameIsTakenAndReadingGoesOn)
{
    const s_outcome outcome = read_both(point("0.5000</Kyr:ReflectancePoint>"));
    EXPECT_EQ(outcome.code, lmx::ELMX_OK);
    EXPECT_TRUE(outcome.reports.empty());
    EXPECT_EQ(outcome.value, 0.5);
    EXPECT_EQ(outcome.wavelength, 380.0);
    EXPECT_EQ(outcome.line, 1);
    EXPECT_EQ(outcome.next_event, lmx::ELXP_NAME);
    EXPECT_EQ(outcome.next_name, "Kyr:Next");
}

TEST(SimpleEndTags, WhiteSpaceInsideTheEndTagAndMarkupBeforeIt)
{
    for (const char* content : {"0.25</Kyr:ReflectancePoint >", "0.25</Kyr:ReflectancePoint\n\t>",
                                "0.2<!-- between -->5</Kyr:ReflectancePoint>", "0.25<?pi x?></Kyr:ReflectancePoint>",
                                "<![CDATA[0.25]]></Kyr:ReflectancePoint>", "0.2&#53;</Kyr:ReflectancePoint>"}) {
        const s_outcome outcome = read_both(point(content));
        EXPECT_EQ(outcome.code, lmx::ELMX_OK) << content;
        EXPECT_EQ(outcome.value, 0.25) << content;
        EXPECT_EQ(outcome.next_name, "Kyr:Next") << content;
    }
    EXPECT_EQ(read_both(point("0.25</Kyr:ReflectancePoint\n\t>")).line, 2);
}

TEST(SimpleEndTags, AnotherNameIsABadEnd)
{
    // Names are compared as written: another prefix of the same namespace does not match.
    for (const char* end : {"</Kyr:ReflectancePointX>", "</Kyr:Reflectance>", "</K:ReflectancePoint>",
                            "</Kyr:reflectancePoint>", "</Kyr:ReflectancePoint/>"}) {
        const std::string text = "<Kyr:ReflectancePoint xmlns:Kyr=\"http://kyr-format.org/v2\" "
                                 "xmlns:K=\"http://kyr-format.org/v2\" Wavelength=\"380\">0.5" +
                                 std::string(end) + "<Kyr:Next/>";
        const s_outcome outcome = read_both(text);
        EXPECT_NE(outcome.code, lmx::ELMX_OK) << end;
    }
    const s_outcome outcome = read_both(point("0.5</Kyr:ReflectancePointX>"));
    EXPECT_EQ(outcome.code, lmx::ELMX_BAD_END_OF_ELEMENT);
    EXPECT_EQ(outcome.reports, (std::vector<std::pair<lmx::elmx_error, std::string>>{
                                   {lmx::ELMX_BAD_END_OF_ELEMENT, "Kyr:ReflectancePoint"}}));
}

TEST(SimpleEndTags, AnEndTagCutOffByTheEndOfInput)
{
    for (const char* cut : {"0.5</Kyr:ReflectancePoint", "0.5</Kyr:Reflectance", "0.5</", "0.5<"}) {
        const std::string text = "<Kyr:ReflectancePoint xmlns:Kyr=\"http://kyr-format.org/v2\" Wavelength=\"380\">" +
                                 std::string(cut);
        EXPECT_NE(read_both(text).code, lmx::ELMX_OK) << cut;
    }
}

TEST(SimpleEndTags, NamesBeyondAsciiTakeTheGeneralPath)
{
    // Prefixes of every length around the eight-byte steps of the check, with the
    // non-ASCII byte at each place.
    for (const std::string prefix : {"\xc3\xa9", "K\xc3\xa9", "Kyrkyrk\xc3\xa9", "Kyrkyrky\xc3\xa9", "\xc3\xa9yrkyrkyr",
                                     "Kyrkyrkyrkyrkyrk\xc3\xa9", "Kyr\x7f"}) {
        const s_outcome outcome = read_both(point("0.75</" + prefix + ":ReflectancePoint>", prefix));
        if (prefix == "Kyr\x7f") {
            EXPECT_NE(outcome.code, lmx::ELMX_OK);
            continue;
        }
        EXPECT_EQ(outcome.code, lmx::ELMX_OK) << prefix;
        EXPECT_EQ(outcome.value, 0.75) << prefix;
        EXPECT_EQ(outcome.next_name, prefix + ":Next") << prefix;
    }
}

TEST(SimpleEndTags, SingleByteDocumentsCompareDecodedNames)
{
    // In ISO-8859-1 the start tag's bytes C3 A9 are two characters, whose UTF-8 form
    // (C3 83 C2 A9) is what the end tag holds here, undecoded: that is not the same name.
    const std::string text = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                             "<\xc3\xa9:ReflectancePoint xmlns:\xc3\xa9=\"http://kyr-format.org/v2\" Wavelength=\"380\">"
                             "0.5</\xc3\x83\xc2\xa9:ReflectancePoint>";
    EXPECT_NE(read_both(text).code, lmx::ELMX_OK);
    const std::string same = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                             "<\xe9:ReflectancePoint xmlns:\xe9=\"http://kyr-format.org/v2\" Wavelength=\"380\">"
                             "0.5</\xe9:ReflectancePoint>";
    const s_outcome outcome = read_both(same);
    EXPECT_EQ(outcome.code, lmx::ELMX_OK);
    EXPECT_EQ(outcome.value, 0.5);
}

TEST(SimpleEndTags, LineEndsAroundTheEndTagAreCounted)
{
    const s_outcome before = read_both(point("0.5\r\n</Kyr:ReflectancePoint>"));
    EXPECT_EQ(before.code, lmx::ELMX_OK);
    EXPECT_EQ(before.value, 0.5);
    EXPECT_EQ(before.line, 2);
    EXPECT_EQ(read_both(point("0.5</Kyr:ReflectancePoint>\r\n\r\n")).line, 1);
}

} // namespace
