// Random texts through the binary checks and decoders, random bytes through round trips.
#include <kyr/lmx/binary.hpp>
#include <kyr/lmx/list_tokeniser.hpp>

#include <random_texts.hpp>

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace lmx;
using kyr_test::c_random_texts;

std::size_t base64_data_chars(const std::string& text)
{
    std::size_t count = 0;
    for (const char c : text)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+'
            || c == '/')
            ++count;
    return count;
}

// A valid text decodes to six bits per data character, rounded down to whole bytes.
TEST(BinaryFuzz, Base64Texts)
{
    c_random_texts texts("QUJDRAZm9v+/= \t\n", 4648);
    std::size_t valid_count = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string text = texts.next(16);
        c_binary value;
        value.from_base64(text);
        if (c_binary::is_valid_base64(text)) {
            ++valid_count;
            EXPECT_EQ(base64_data_chars(text) * 6 / 8, value.size()) << text;
        }
    }
    EXPECT_GT(valid_count, 100u);
}

TEST(BinaryFuzz, HexTexts)
{
    c_random_texts texts("0123456789abcdefABCDEFgG ", 16);
    for (int i = 0; i < 20000; ++i) {
        const std::string text = texts.next(12);
        c_binary value;
        value.from_hex(text);
        EXPECT_EQ(text.size() / 2, value.size());
        if (c_binary::is_valid_hex(text)) {
            std::ostringstream os;
            value.out_hex(os);
            std::string upper = text;
            for (char& c : upper)
                if (c >= 'a' && c <= 'f')
                    c = static_cast<char>(c - 'a' + 'A');
            EXPECT_EQ(upper, os.str());
        }
    }
}

TEST(BinaryFuzz, RandomBytesRoundTrip)
{
    c_random_texts random("", 7);
    for (int i = 0; i < 500; ++i) {
        c_binary value;
        const std::size_t size = random.pick(700);
        for (std::size_t j = 0; j < size; ++j)
            value += static_cast<unsigned char>(random.pick(256));
        std::ostringstream base64;
        value.out_base64(base64);
        ASSERT_TRUE(c_binary::is_valid_base64(base64.str()));
        EXPECT_EQ((size + 2) / 3 * 4, base64.str().size());
        c_binary back;
        back.from_base64(base64.str());
        EXPECT_TRUE(back == value);
        std::ostringstream hex;
        value.out_hex(hex);
        back.from_hex(hex.str());
        EXPECT_TRUE(back == value);
    }
}

} // namespace
