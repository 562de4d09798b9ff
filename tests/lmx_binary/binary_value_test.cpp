// Byte storage of c_binary: copies, access, comparison.
#include <kyr/lmx/binary.hpp>

#include <gtest/gtest.h>

#include <stdexcept>
#include <type_traits>

namespace {

using namespace lmx;

const unsigned char abc[] = {'A', 'B', 'C'};

TEST(BinaryValue, ConstructSetAndGet)
{
    c_binary value(abc, 3);
    ASSERT_EQ(3u, value.size());
    EXPECT_EQ('B', value[1]);
    value[1] = 'x';
    EXPECT_EQ('x', value.at(1));

    unsigned char out[5] = {0, 0, 0, 0, 0};
    EXPECT_EQ(out, value.get(out, 2));
    EXPECT_EQ('A', out[0]);
    EXPECT_EQ('x', out[1]);
    EXPECT_EQ(0, out[2]);
    value.get(out, 5);
    EXPECT_EQ('C', out[2]);
    EXPECT_EQ(0, out[3]);

    EXPECT_EQ(nullptr, value.get(nullptr, 3));

    value.set(abc, 1);
    EXPECT_EQ(1u, value.size());
    value.set(nullptr, 7);
    EXPECT_EQ(0u, value.size());
}

TEST(BinaryValue, AtChecksTheIndex)
{
    c_binary value(abc, 3);
    const c_binary& constant = value;
    EXPECT_EQ('C', constant.at(2));
    EXPECT_THROW(value.at(3), std::out_of_range);
    EXPECT_THROW(constant.at(3), std::out_of_range);
    EXPECT_THROW(c_binary().at(0), std::out_of_range);
}

TEST(BinaryValue, AppendCompareAndSwap)
{
    c_binary value;
    value += 'A';
    value += 'B';
    EXPECT_TRUE(value.equal(abc, 2));
    EXPECT_FALSE(value.equal(abc, 3));
    EXPECT_TRUE(c_binary().equal(nullptr, 0));
    EXPECT_FALSE(value.equal(nullptr, 2));

    c_binary other(abc, 3);
    EXPECT_TRUE(value != other);
    value += 'C';
    EXPECT_TRUE(value == other);
    value[2] = 'D';
    EXPECT_FALSE(value == other);

    c_binary empty;
    swap(empty, value);
    EXPECT_EQ(0u, value.size());
    EXPECT_EQ(3u, empty.size());
    EXPECT_EQ('D', empty[2]);
}

TEST(BinaryValue, CopiesAreDeep)
{
    c_binary original(abc, 3);
    c_binary copy(original);
    c_binary assigned;
    assigned = original;
    original[0] = 'z';
    EXPECT_EQ('A', copy[0]);
    EXPECT_EQ('A', assigned[0]);
    static_assert(std::is_same<tc_binary, c_binary>::value, "schema classes hold c_binary");
}

} // namespace
