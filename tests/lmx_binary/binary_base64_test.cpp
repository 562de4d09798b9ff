// The base64Binary form: check with whitespace and padding, decoding, output.
#include <kyr/lmx/binary.hpp>

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace lmx;

std::string base64_of(const std::string& bytes)
{
    std::ostringstream os;
    os << c_as_base64<c_binary>(c_binary(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
    return os.str();
}

std::string decoded(const std::string& text)
{
    c_binary value;
    value.from_base64(text);
    std::string bytes(value.size(), '\0');
    value.get(reinterpret_cast<unsigned char*>(&bytes[0]), bytes.size());
    return bytes;
}

TEST(BinaryBase64, Accepts)
{
    for (const char* text :
         {"", "QQ==", "QUI=", "QUJD", "QU JD", "QUJD\nRA==", " QUJD", "QUJD\t", "Zm9v+/8A"})
        EXPECT_TRUE(c_binary::is_valid_base64(text)) << text;
}

TEST(BinaryBase64, Rejects)
{
    for (const char* text : {"Q", "QQ", "QUJD=", "QQ==QQ==", "QQ== ", "QQ=A", "Q===", "QU*D", "QUJ", "QUJDR",
                             "====", "QQ=", "\xc3\xa9\xc3\xa9", "QU-D", "QU_D", " "})
        EXPECT_FALSE(c_binary::is_valid_base64(text)) << text;
}

TEST(BinaryBase64, Decode)
{
    EXPECT_EQ("ABC", decoded("QUJD"));
    EXPECT_EQ("A", decoded("QQ=="));
    EXPECT_EQ("AB", decoded("QUI="));
    EXPECT_EQ("ABCD", decoded("QUJDRA=="));
    EXPECT_EQ("ABC", decoded("Q U\nJ D"));
    EXPECT_EQ("", decoded(""));
    EXPECT_EQ(std::string("\xfb\xff\xbf", 3), decoded("+/+/"));
    // A single value left over still yields its first byte.
    EXPECT_EQ("ABCD", decoded("QUJDR"));
    // Characters outside the alphabet are skipped.
    EXPECT_EQ("ABC", decoded("Q*U-J_D"));
}

TEST(BinaryBase64, EncodeStandardVectors)
{
    EXPECT_EQ("", base64_of(""));
    EXPECT_EQ("Zg==", base64_of("f"));
    EXPECT_EQ("Zm8=", base64_of("fo"));
    EXPECT_EQ("Zm9v", base64_of("foo"));
    EXPECT_EQ("Zm9vYg==", base64_of("foob"));
    EXPECT_EQ("Zm9vYmE=", base64_of("fooba"));
    EXPECT_EQ("Zm9vYmFy", base64_of("foobar"));
    EXPECT_EQ("QUJDRA==", base64_of("ABCD"));
    EXPECT_EQ("+/+/", base64_of("\xfb\xff\xbf"));
    EXPECT_EQ("AAA=", base64_of(std::string(2, '\0')));
}

} // namespace
