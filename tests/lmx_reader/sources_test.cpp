// Readers that own their source (files by narrow or wide name, a caller's stream), the scans
// made before a load, and every truncation of a sample read alike whole and byte by byte.
#include "document_driver.hpp"
#include "reader_fixture.hpp"

#include <cstdio>
#include <fstream>
#include <sstream>

#include <kyr/lmx/document_scan.hpp>

using namespace lmx;

namespace {

const char k_sample[] = KYR_TEST_DATA_DIR "/lmx_reader/sample.kyr";

TEST(FileReader, ReadsTheSampleByNarrowAndWideNameAndFromAStreamLeftOpen)
{
    c_xml_reader_file narrow(k_sample);
    EXPECT_STREQ(narrow.get_source_id(), k_sample);
    EXPECT_EQ(reader_test::read_document(narrow), ELMX_OK);
    const std::string name = k_sample;
    c_xml_reader_file wide(std::wstring(name.begin(), name.end()).c_str());
    EXPECT_EQ(reader_test::read_document(wide), ELMX_OK);

    FILE* stream = std::fopen(k_sample, "rb");
    ASSERT_NE(stream, nullptr);
    {
        c_xml_reader_file reader(stream, false);
        EXPECT_EQ(reader_test::read_document(reader), ELMX_OK);
    }
    EXPECT_EQ(std::fseek(stream, 0, SEEK_SET), 0);
    EXPECT_EQ(std::fgetc(stream), '<');
    EXPECT_EQ(std::fclose(stream), 0);
}

TEST(FileReader, MissingFileIsNotOpenAndEndsAtOnce)
{
    c_xml_reader_file reader(KYR_TEST_DATA_DIR "/lmx_reader/no-such-file.kyr");
    EXPECT_FALSE(reader.is_open());
    elmx_error error = ELMX_OK;
    std::string name;
    EXPECT_EQ(reader.get_element_event(nullptr, &error, &name), ELXP_END_OF_INPUT);
    EXPECT_EQ(error, ELMX_UNEXPECTED_END_OF_MESSAGE);
}

TEST(FileReader, ScansBeforeTheLoadRewindTheReader)
{
    c_xml_reader_file reader(k_sample);
    std::string uri;
    EXPECT_TRUE(get_instance_namespace(reader, &uri));
    EXPECT_EQ(uri, "http://kyr.example/v2");
    EXPECT_EQ(has_must_understand(reader, "urn:ext", "flag", bool_must_understand),
              ELMX_MUST_UNDERSTAND_REQUIRED);
    EXPECT_EQ(has_must_understand(reader, "urn:ext", "other", bool_must_understand),
              ELMX_MUST_UNDERSTAND_NOT_REQUIRED);
    EXPECT_EQ(has_must_understand(reader, "urn:other", "flag", bool_must_understand),
              ELMX_MUST_UNDERSTAND_NOT_REQUIRED);
    EXPECT_EQ(reader_test::read_document(reader), ELMX_OK);
}

// The load's code, the line and the lexical code.
std::string outcome(const std::string& text, reader_test::e_feed feed)
{
    auto source = reader_test::make_source(text, feed);
    c_xml_reader reader(*source);
    const elmx_error code = reader_test::read_document(reader);
    return std::to_string(code) + "@" + std::to_string(reader.get_line_no()) + "/"
        + std::to_string(reader.get_error());
}

TEST(Truncation, EveryCutFailsTheSameWayInBothFeeds)
{
    std::ifstream in(k_sample, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const std::string sample = text.str();
    EXPECT_EQ(outcome(sample, reader_test::e_feed::one_byte), "0@23/0");
    const size_t complete = sample.find_last_not_of(" \n") + 1;
    for (size_t cut = 0; cut < complete; ++cut) {
        const std::string whole = outcome(sample.substr(0, cut), reader_test::e_feed::whole);
        EXPECT_NE(whole.substr(0, 2), "0@") << "cut at " << cut;
        EXPECT_EQ(outcome(sample.substr(0, cut), reader_test::e_feed::one_byte), whole) << "cut at " << cut;
    }
}

} // namespace
