// The list that owns a class's repeated children: order, slot reuse, deep copies,
// destruction order and what a failing constructor leaves behind.
#include <kyr/schema/owned.hpp>

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

using kyr::schema::owned_list;

namespace {

// Counts the live children, records the order of destruction and can be told to fail.
struct child
{
    static int live;
    static int constructions_until_failure;
    static std::vector<std::string> destroyed;

    child() : name("new")
    {
        if (constructions_until_failure > 0 && --constructions_until_failure == 0)
            throw std::runtime_error("no room");
        ++live;
    }
    child(const child& other) : name(other.name) { ++live; }
    void swap(child& other) { name.swap(other.name); }
    ~child()
    {
        --live;
        destroyed.push_back(name);
    }

    std::string name;
};

int child::live = 0;
int child::constructions_until_failure = 0;
std::vector<std::string> child::destroyed;

class OwnedList : public testing::Test
{
protected:
    void SetUp() override
    {
        child::live = 0;
        child::constructions_until_failure = 0;
        child::destroyed.clear();
    }
    void TearDown() override { EXPECT_EQ(child::live, 0); }
};

std::vector<std::string> names_of(const owned_list<child>& list)
{
    std::vector<std::string> names;
    for (const child* item : list)
        names.push_back(item->name);
    return names;
}

} // namespace

TEST_F(OwnedList, ErasedSlotsAreReusedAndInsertKeepsOrder)
{
    owned_list<child> list;
    for (const char* name : {"a", "b", "c", "d"})
        list.append().name = name;
    const child* b = &list.get(1);
    list.erase(1);
    EXPECT_EQ(child::destroyed, std::vector<std::string>({"b"}));
    EXPECT_EQ(names_of(list), std::vector<std::string>({"a", "c", "d"}));
    child& inserted = list.insert(0);
    inserted.name = "x";
    EXPECT_EQ(&inserted, b);
    list.insert(99).name = "end";
    EXPECT_EQ(names_of(list), std::vector<std::string>({"x", "a", "c", "d", "end"}));
    EXPECT_EQ(child::live, 5);
}

TEST_F(OwnedList, CopiesAreDeepAndSwapExchangesEverything)
{
    owned_list<child> original;
    for (const char* name : {"a", "b"})
        original.append().name = name;
    owned_list<child> copy(original);
    copy.get(0).name = "changed";
    EXPECT_EQ(names_of(original), std::vector<std::string>({"a", "b"}));
    EXPECT_NE(&copy.get(1), &original.get(1));

    owned_list<child> other;
    other.append().name = "z";
    other.swap(original);
    EXPECT_EQ(names_of(other), std::vector<std::string>({"a", "b"}));
    EXPECT_EQ(names_of(original), std::vector<std::string>({"z"}));
    original = other;
    EXPECT_EQ(names_of(original), std::vector<std::string>({"a", "b"}));
    EXPECT_EQ(child::live, 6);
}

TEST_F(OwnedList, AFailingConstructorLeavesTheListAsItWas)
{
    owned_list<child> list;
    list.append().name = "a";
    child::constructions_until_failure = 1;
    EXPECT_THROW(list.append(), std::runtime_error);
    EXPECT_EQ(names_of(list), std::vector<std::string>({"a"}));
    child::constructions_until_failure = 1;
    EXPECT_THROW(list.insert(0), std::runtime_error);
    EXPECT_EQ(names_of(list), std::vector<std::string>({"a"}));
    // The slot the failed children would have had is handed out next.
    list.append().name = "b";
    EXPECT_EQ(names_of(list), std::vector<std::string>({"a", "b"}));
    EXPECT_EQ(child::live, 2);
}

TEST_F(OwnedList, ShrinkingGathersChildrenInOrderOrLeavesThemWhereTheyWere)
{
    owned_list<child> list;
    for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"})
        list.append().name = name;
    list.erase(2);
    const child* first = &list.get(0);
    child::constructions_until_failure = 5;
    list.shrink_to_fit();
    EXPECT_EQ(&list.get(0), first);
    EXPECT_EQ(names_of(list), std::vector<std::string>({"a", "b", "d", "e", "f", "g", "h", "i", "j"}));
    child::constructions_until_failure = 0;
    list.shrink_to_fit();
    EXPECT_EQ(names_of(list), std::vector<std::string>({"a", "b", "d", "e", "f", "g", "h", "i", "j"}));
    for (std::size_t i = 1; i < list.size(); ++i)
        EXPECT_EQ(&list.get(i), &list.get(0) + i);
    list.append().name = "k";
    EXPECT_EQ(list.back().name, "k");
    EXPECT_EQ(child::live, 10);
}
