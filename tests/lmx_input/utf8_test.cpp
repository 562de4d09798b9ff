// The free UTF-8 helpers, the byte swap and the push-back stack.
#include <gtest/gtest.h>

#include <string>

#include <kyr/lmx/decoder.hpp>

using namespace lmx;

TEST(UnicodeToUtf8, EveryLengthBoundary)
{
    char out[5];
    EXPECT_EQ(std::string(unicode_char_to_utf8(0x41, out)), "A");
    EXPECT_EQ(unicode_char_to_utf8(0x41, out), out);
    EXPECT_EQ(std::string(unicode_char_to_utf8(0x7f, out)), "\x7f");
    EXPECT_EQ(std::string(unicode_char_to_utf8(0x80, out)), "\xc2\x80");
    EXPECT_EQ(std::string(unicode_char_to_utf8(0x7ff, out)), "\xdf\xbf");
    EXPECT_EQ(std::string(unicode_char_to_utf8(0x800, out)), "\xe0\xa0\x80");
    EXPECT_EQ(std::string(unicode_char_to_utf8(0xffff, out)), "\xef\xbf\xbf");
    EXPECT_EQ(std::string(unicode_char_to_utf8(0x10000, out)), "\xf0\x90\x80\x80");
    EXPECT_EQ(std::string(unicode_char_to_utf8(0x10ffff, out)), "\xf4\x8f\xbf\xbf");
    // A negative value is its low byte alone.
    EXPECT_EQ(std::string(unicode_char_to_utf8(-23, out)), "\xe9");
    unicode_char_to_utf8(0, out);
    EXPECT_EQ(out[0], 0);
}

TEST(Utf8ToUnicode, DecodesAndStopsAtBadBytes)
{
    int v = 0;
    EXPECT_TRUE(utf8_to_unicode_char("A", &v));
    EXPECT_EQ(v, 'A');
    EXPECT_TRUE(utf8_to_unicode_char("\xc3\xa9", &v));
    EXPECT_EQ(v, 0xe9);
    EXPECT_TRUE(utf8_to_unicode_char("\xe2\x82\xac", &v));
    EXPECT_EQ(v, 0x20ac);
    EXPECT_TRUE(utf8_to_unicode_char("\xf0\x9f\x98\x80", &v));
    EXPECT_EQ(v, 0x1f600);
    // Bad lead bytes.
    EXPECT_FALSE(utf8_to_unicode_char("\x80", &v));
    EXPECT_EQ(v, -1);
    EXPECT_FALSE(utf8_to_unicode_char("\xf8\x80\x80\x80\x80", &v));
    EXPECT_EQ(v, -1);
    // A byte that is not a continuation stops it with the partial value.
    EXPECT_FALSE(utf8_to_unicode_char("\xe2\x82" "A", &v));
    EXPECT_EQ(v, (0x2 << 6) | 0x2);
    EXPECT_FALSE(utf8_to_unicode_char("\xc3", &v));
    EXPECT_EQ(v, 0x3);
}

TEST(Utf8Validity, LeadAndSecondByteRules)
{
    EXPECT_TRUE(is_valid_utf8_char_sequence("A"));
    EXPECT_TRUE(is_valid_utf8_char_sequence(""));
    for (int b = 0x80; b <= 0xc1; ++b) {
        const char s[] = {static_cast<char>(b), '\x80', 0};
        EXPECT_FALSE(is_valid_utf8_char_sequence(s)) << b;
    }
    for (int b = 0xf5; b <= 0xff; ++b) {
        const char s[] = {static_cast<char>(b), '\x80', 0};
        EXPECT_FALSE(is_valid_utf8_char_sequence(s)) << b;
    }
    // Whatever follows these leads.
    for (int b : {0xc2, 0xdf, 0xe1, 0xec, 0xee, 0xef, 0xf1, 0xf3}) {
        const char s[] = {static_cast<char>(b), 'A', 0};
        EXPECT_TRUE(is_valid_utf8_char_sequence(s)) << b;
    }
    EXPECT_FALSE(is_valid_utf8_char_sequence("\xe0\x9f\x80"));
    EXPECT_TRUE(is_valid_utf8_char_sequence("\xe0\xa0\x80"));
    EXPECT_TRUE(is_valid_utf8_char_sequence("\xe0\xbf\x80"));
    EXPECT_FALSE(is_valid_utf8_char_sequence("\xe0\xc0\x80"));
    EXPECT_TRUE(is_valid_utf8_char_sequence("\xed\x80\x80"));
    EXPECT_TRUE(is_valid_utf8_char_sequence("\xed\x9f\x80"));
    EXPECT_FALSE(is_valid_utf8_char_sequence("\xed\xa0\x80"));
    EXPECT_FALSE(is_valid_utf8_char_sequence("\xf0\x8f\x80\x80"));
    EXPECT_TRUE(is_valid_utf8_char_sequence("\xf0\x90\x80\x80"));
    EXPECT_TRUE(is_valid_utf8_char_sequence("\xf0\xbf\x80\x80"));
    EXPECT_FALSE(is_valid_utf8_char_sequence("\xf0\xc0\x80\x80"));
    EXPECT_TRUE(is_valid_utf8_char_sequence("\xf4\x8f\x80\x80"));
    EXPECT_FALSE(is_valid_utf8_char_sequence("\xf4\x90\x80\x80"));
    EXPECT_FALSE(is_valid_utf8_char_sequence("\xf4\x7f\x80\x80"));
}

TEST(ByteSwap, ExchangesExactlyNBytes)
{
    char a[] = "abcdef";
    char b[] = "123456";
    bswap(a, b, 4);
    EXPECT_STREQ(a, "1234ef");
    EXPECT_STREQ(b, "abcd56");
    bswap(a, b, 0);
    EXPECT_STREQ(a, "1234ef");
}

TEST(UngetBuffer, LastInFirstOutUpToThree)
{
    c_unget_buffer u;
    EXPECT_TRUE(u.empty());
    u.unget('a');
    u.unget(-1);
    u.unget('c');
    // A fourth push is dropped instead of writing past the slots.
    u.unget('d');
    EXPECT_EQ(u.get(), 'c');
    EXPECT_EQ(u.get(), -1);
    EXPECT_FALSE(u.empty());
    EXPECT_EQ(u.get(), 'a');
    EXPECT_TRUE(u.empty());
    u.unget('x');
    u.clear();
    EXPECT_TRUE(u.empty());
}
