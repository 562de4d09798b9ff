// The hexBinary form: check, decoding and upper-case output.
#include <kyr/lmx/binary.hpp>

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

namespace {

using namespace lmx;

std::string hex_of(const c_binary& value)
{
    std::ostringstream os;
    os << c_as_hex<c_binary>(value);
    return os.str();
}

c_binary from_hex(const std::string& text)
{
    c_binary value;
    value.from_hex(text);
    return value;
}

TEST(BinaryHex, Check)
{
    EXPECT_TRUE(c_binary::is_valid_hex(""));
    EXPECT_TRUE(c_binary::is_valid_hex("0aFF"));
    EXPECT_TRUE(c_binary::is_valid_hex("0123456789abcdefABCDEF"));
    EXPECT_FALSE(c_binary::is_valid_hex("abc"));
    EXPECT_FALSE(c_binary::is_valid_hex("0g"));
    EXPECT_FALSE(c_binary::is_valid_hex(" 0a"));
    EXPECT_FALSE(c_binary::is_valid_hex("0a 1b"));
    EXPECT_FALSE(c_binary::is_valid_hex("\xc3\xa9"));
    EXPECT_FALSE(c_binary::is_valid_hex(std::string("0\0", 2)));
}

TEST(BinaryHex, Decode)
{
    const unsigned char expected[] = {0x0A, 0xFF};
    EXPECT_TRUE(from_hex("0aFF").equal(expected, 2));
    EXPECT_EQ(0u, from_hex("A").size());
    EXPECT_EQ(0u, from_hex("").size());
    const c_binary odd = from_hex("ABC");
    ASSERT_EQ(1u, odd.size());
    EXPECT_EQ(0xAB, odd[0]);

    c_binary value = from_hex("0102");
    value.from_hex("ff");
    ASSERT_EQ(1u, value.size());
    EXPECT_EQ(0xFF, value[0]);
}

TEST(BinaryHex, Encode)
{
    const unsigned char bytes[] = {0x0A, 0xFF, 0x00};
    EXPECT_EQ("0AFF00", hex_of(c_binary(bytes, 3)));
    EXPECT_EQ("", hex_of(c_binary()));
}

TEST(BinaryHex, RoundTripOfEveryByteAcrossBufferSizes)
{
    c_binary value;
    for (int i = 0; i < 1500; ++i)
        value += static_cast<unsigned char>(i * 7);
    const std::string text = hex_of(value);
    ASSERT_EQ(3000u, text.size());
    EXPECT_EQ("00070E15", text.substr(0, 8));
    EXPECT_TRUE(c_binary::is_valid_hex(text));
    EXPECT_TRUE(from_hex(text) == value);
}

} // namespace
