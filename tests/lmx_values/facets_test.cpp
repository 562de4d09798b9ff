// Digit-count and length facets.
#include <kyr/lmx/simple_types.hpp>

#include <gtest/gtest.h>

#include <limits>

using namespace lmx;

TEST(DigitFacets, TotalDigitsCountsEveryDigit)
{
    EXPECT_EQ(6u, total_digits("-0012.50"));
    EXPECT_EQ(0u, total_digits(""));
    EXPECT_EQ(0u, total_digits("-."));
    EXPECT_EQ(3u, total_digits("1e10"));
    // Bytes of multi-byte characters are never digits.
    EXPECT_EQ(1u, total_digits("\xD9\xA1" "1"));
}

TEST(DigitFacets, FractionDigitsCountsAfterTheFirstPoint)
{
    EXPECT_EQ(2u, fraction_digits("12.50"));
    EXPECT_EQ(0u, fraction_digits("12"));
    EXPECT_EQ(0u, fraction_digits("12."));
    EXPECT_EQ(3u, fraction_digits(".000"));
    EXPECT_EQ(1u, fraction_digits("-0.5"));
}

TEST(Length, CountsCharactersOfUtf8)
{
    EXPECT_EQ(0u, length(""));
    EXPECT_EQ(4u, length(u8"a\u00e9\u20ac\U0001F600"));
    EXPECT_EQ(4u, length("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"));
}

TEST(Length, SurrogatePairInSixBytesIsOneCharacter)
{
    EXPECT_EQ(1u, length("\xED\xA0\x80\xED\xB0\x80"));
    // ED followed by 80..9F is an ordinary three-byte character.
    EXPECT_EQ(2u, length("\xED\x9F\xBF" "a"));
}

TEST(Length, InvalidLeadByteCountsOnceAndEnds)
{
    EXPECT_EQ(2u, length("a\x80zzzz"));
    EXPECT_EQ(1u, length("\xFF" "abc"));
    EXPECT_EQ(3u, length("ab\xF8"));
}

TEST(Length, TruncatedSequencesNeverReadPastTheEnd)
{
    EXPECT_EQ(1u, length("\xF0\x9F"));
    EXPECT_EQ(2u, length("a\xE2"));
    EXPECT_EQ(1u, length("\xED"));
    EXPECT_EQ(1u, length("\xED\xA0"));
}

TEST(LengthFacets, MinLength)
{
    // 8 bytes, 2 characters.
    const std::string two_emoji = "\xF0\x9F\x98\x80\xF0\x9F\x98\x80";
    EXPECT_TRUE(is_min_length_ok(two_emoji, 2));
    EXPECT_FALSE(is_min_length_ok(two_emoji, 3));
    EXPECT_TRUE(is_min_length_ok("", 0));
    EXPECT_FALSE(is_min_length_ok("", 1));
    EXPECT_TRUE(is_min_length_ok("abcd", 1));  // decided by the byte length
    EXPECT_FALSE(is_min_length_ok("abc", std::numeric_limits<std::size_t>::max()));
}

TEST(LengthFacets, MaxLength)
{
    EXPECT_TRUE(is_max_length_ok("abc", 3));
    EXPECT_FALSE(is_max_length_ok("abcd", 3));
    // 10 bytes, 3 characters: rejected by its byte length alone (10 > 8).
    const std::string ten_bytes_three_chars = "\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xC3\xA9";
    ASSERT_EQ(10u, ten_bytes_three_chars.size());
    EXPECT_FALSE(is_max_length_ok(ten_bytes_three_chars, 2));
    EXPECT_TRUE(is_max_length_ok(ten_bytes_three_chars, 3));
    // 6 bytes, 2 characters: counted.
    EXPECT_TRUE(is_max_length_ok("\xE2\x82\xAC\xE2\x82\xAC", 2));
    EXPECT_FALSE(is_max_length_ok("\xE2\x82\xAC\xE2\x82\xAC", 1));
    EXPECT_FALSE(is_max_length_ok("a", 0));
    EXPECT_TRUE(is_max_length_ok("", 0));
    EXPECT_TRUE(is_max_length_ok("abc", std::numeric_limits<std::size_t>::max()));
}
