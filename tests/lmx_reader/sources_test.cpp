// Readers that own their source: files by narrow or wide name or open stream, memory buffers.
#include "document_driver.hpp"
#include "reader_fixture.hpp"

#include <cstdio>

#include <kyr/lmx/document_scan.hpp>

using namespace lmx;

namespace {

const char k_sample[] = KYR_TEST_DATA_DIR "/lmx_reader/sample.kyr";

TEST(FileReader, ReadsTheSampleByNarrowName)
{
    c_xml_reader_file reader(k_sample);
    ASSERT_TRUE(reader.is_open());
    EXPECT_STREQ(reader.get_source_id(), k_sample);
    EXPECT_EQ(reader_test::read_document(reader), ELMX_OK);
}

TEST(FileReader, ReadsTheSampleByWideName)
{
    const std::string narrow = k_sample;
    const std::wstring wide(narrow.begin(), narrow.end());
    c_xml_reader_file reader(wide.c_str());
    ASSERT_TRUE(reader.is_open());
    EXPECT_EQ(reader_test::read_document(reader), ELMX_OK);
}

TEST(FileReader, PreScanThenReadAfterRewind)
{
    c_xml_reader_file reader(k_sample);
    std::string uri;
    EXPECT_TRUE(get_instance_namespace(reader, &uri));
    EXPECT_EQ(uri, "http://kyr.example/v2");
    EXPECT_EQ(has_must_understand(reader, "urn:ext", "flag", bool_must_understand), ELMX_MUST_UNDERSTAND_REQUIRED);
    EXPECT_EQ(reader_test::read_document(reader), ELMX_OK);
}

TEST(FileReader, MissingFileIsNotOpen)
{
    c_xml_reader_file reader(KYR_TEST_DATA_DIR "/lmx_reader/no-such-file.kyr");
    EXPECT_FALSE(reader.is_open());
    elmx_error error = ELMX_OK;
    std::string name;
    EXPECT_EQ(reader.get_element_event(nullptr, &error, &name), ELXP_END_OF_INPUT);
    EXPECT_EQ(error, ELMX_UNEXPECTED_END_OF_MESSAGE);
}

TEST(FileReader, CallersStreamCanBeLeftOpen)
{
    FILE* stream = std::fopen(k_sample, "rb");
    ASSERT_NE(stream, nullptr);
    {
        c_xml_reader_file reader(stream, false);
        EXPECT_TRUE(reader.is_open());
        EXPECT_EQ(reader_test::read_document(reader), ELMX_OK);
    }
    EXPECT_EQ(std::fseek(stream, 0, SEEK_SET), 0);
    EXPECT_EQ(std::fgetc(stream), '<');
    EXPECT_EQ(std::fclose(stream), 0);
}

TEST(MemoryReader, ReadsTheCallersBytes)
{
    const char text[] = "<a x='1'/>trailing";
    c_xml_reader_memory reader(text, 10);
    EXPECT_EQ(reader_test::read_document(reader), ELMX_OK);
}

TEST(MemoryReader, Utf16DocumentsArriveAsUtf8)
{
    const std::u16string text = u"\ufeff<a x='\u00e9'>\u20ac</a>";
    std::string bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xff));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    for (reader_test::e_feed feed : {reader_test::e_feed::whole, reader_test::e_feed::one_byte}) {
        auto source = reader_test::make_source(bytes, feed);
        c_xml_reader reader(*source);
        elmx_error error = ELMX_OK;
        std::string name;
        std::string value;
        ASSERT_EQ(reader.get_element_event(nullptr, &error, &name), ELXP_NAME);
        ASSERT_TRUE(reader.get_attribute_event(nullptr, &error, &name));
        EXPECT_TRUE(reader.get_attribute_value(&value));
        EXPECT_EQ(value, "\xc3\xa9");
        EXPECT_FALSE(reader.get_attribute_event(nullptr, &error, &name));
        EXPECT_TRUE(reader.get_element_value(&value, ELMX_WHITESPACE_PRESERVE));
        EXPECT_EQ(value, "\xc3\xa9\xe2\x82\xac");
        EXPECT_EQ(reader.get_element_event(nullptr, &error, &name), ELXP_END_TAG);
        EXPECT_EQ(name, "a");
    }
}

} // namespace
