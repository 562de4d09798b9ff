// Splitting list values at whitespace.
#include <kyr/lmx/list_tokeniser.hpp>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace lmx;

std::vector<std::string> items_of(c_xml_list_tokeniser& tokeniser)
{
    std::vector<std::string> items;
    std::string item;
    while (tokeniser.get(&item))
        items.push_back(item);
    return items;
}

std::vector<std::string> items_of(const std::string& text)
{
    c_xml_list_tokeniser tokeniser(text);
    return items_of(tokeniser);
}

TEST(ListTokeniser, SplitsAtAnyWhitespace)
{
    EXPECT_EQ((std::vector<std::string>{"red", "green", "blue"}), items_of("  red  green\tblue\n"));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "d", "e"}), items_of("a\vb\fc\rd e"));
    EXPECT_EQ((std::vector<std::string>{"one"}), items_of("one"));
}

TEST(ListTokeniser, NonAsciiBytesAreNeverWhitespace)
{
    // A no-break space (C2 A0) and a byte 85 do not split.
    EXPECT_EQ((std::vector<std::string>{"a\xc2\xa0"
                                        "b",
                                        "c\x85"
                                        "d"}),
              items_of("a\xc2\xa0"
                       "b c\x85"
                       "d"));
    EXPECT_EQ((std::vector<std::string>{std::string("a\0b", 3)}), items_of(std::string("a\0b", 3)));
}

TEST(ListTokeniser, ItemIsReplacedAndEndIsSticky)
{
    c_xml_list_tokeniser tokeniser("x");
    std::string item = "previous";
    ASSERT_TRUE(tokeniser.get(&item));
    EXPECT_EQ("x", item);
    EXPECT_FALSE(tokeniser.get(&item));
    EXPECT_EQ("x", item);
    EXPECT_FALSE(tokeniser.get(&item));
}

} // namespace
