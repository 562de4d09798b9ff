// The stack of open element names kept by nested scope nodes.
#include <gtest/gtest.h>

#include <kyr/lmx/string_stack.hpp>

#include <memory>
#include <string>
#include <vector>

using namespace lmx;

namespace {

TEST(NameStack, NodesFollowTheNesting)
{
    c_string_stack stack;
    EXPECT_EQ(stack.get_stack_size(), 0u);
    {
        c_string_stack_node root(stack, "Kyr:Kyr");
        EXPECT_EQ(stack.get_stack_size(), 8u);
        {
            c_string_stack_node child(stack, "Kyr:Color");
            EXPECT_EQ(stack.get_stack_size(), 18u);
            EXPECT_STREQ(child.get_str(), "Kyr:Color");
            EXPECT_TRUE(child == "Kyr:Color");
            EXPECT_TRUE(child != "Kyr:Colo");
            EXPECT_FALSE(child == "Kyr:Color ");
        }
        EXPECT_EQ(stack.get_stack_size(), 8u);
        c_string_stack_node empty_name(stack, "");
        EXPECT_STREQ(empty_name.get_str(), "");
        EXPECT_EQ(stack.get_stack_size(), 9u);
        EXPECT_STREQ(root.get_str(), "Kyr:Kyr");
    }
    EXPECT_EQ(stack.get_stack_size(), 0u);
}

TEST(NameStack, TextsStayCorrectWhenTheArrayGrows)
{
    c_string_stack stack;
    c_string_stack_node first(stack, "first");
    std::vector<std::unique_ptr<c_string_stack_node>> nodes;
    for (int i = 0; i < 1000; ++i)
        nodes.push_back(std::make_unique<c_string_stack_node>(stack, "name" + std::to_string(i)));
    EXPECT_STREQ(first.get_str(), "first");
    EXPECT_STREQ(nodes[999]->get_str(), "name999");
    while (!nodes.empty())
        nodes.pop_back();
    EXPECT_EQ(stack.get_stack_size(), 6u);
}

} // namespace
