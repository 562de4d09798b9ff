// Optional children with element content of their own are kept out of line; their accessors
// behave as those of an embedded child: an absent one reads as a default object, a write marks
// it present, unset keeps its content, and copies are deep.

#include <kyr/schema/classes.hpp>

#include <gtest/gtest.h>

#include <string>

namespace {

using com_kyrandel_v2::ColorSpaceSpecificationType;

const ColorSpaceSpecificationType& as_const(const ColorSpaceSpecificationType& spec)
{
    return spec;
}

TEST(OptionalChildren, AbsentChildReadsAsDefaultAndWritesDoNotLeak)
{
    ColorSpaceSpecificationType written;
    const ColorSpaceSpecificationType fresh;
    EXPECT_FALSE(written.isset_Device());
    EXPECT_EQ(as_const(written).get_Device().get_Manufacturer(), L"");
    EXPECT_FALSE(as_const(written).get_Device().isset_FirmwareVersion());
    EXPECT_FALSE(written.isset_Device());

    ASSERT_EQ(written.get_Device().set_Manufacturer(L"Maker"), lmx::ELMX_OK);
    EXPECT_TRUE(written.isset_Device());
    EXPECT_EQ(as_const(written).get_Device().get_Manufacturer(), L"Maker");
    // The shared default that absent children read as stays untouched.
    EXPECT_EQ(fresh.get_Device().get_Manufacturer(), L"");
    EXPECT_EQ(ColorSpaceSpecificationType().get_Device().get_Manufacturer(), L"");
}

TEST(OptionalChildren, CopiesAssignmentsAndSwapsAreDeep)
{
    ColorSpaceSpecificationType original;
    ASSERT_EQ(original.get_Device().set_Manufacturer(L"First"), lmx::ELMX_OK);

    ColorSpaceSpecificationType copy(original);
    ASSERT_EQ(copy.get_Device().set_Manufacturer(L"Second"), lmx::ELMX_OK);
    EXPECT_EQ(as_const(original).get_Device().get_Manufacturer(), L"First");
    EXPECT_TRUE(copy.isset_Device());

    ColorSpaceSpecificationType assigned;
    assigned = copy;
    ASSERT_EQ(copy.get_Device().set_Manufacturer(L"Third"), lmx::ELMX_OK);
    EXPECT_EQ(as_const(assigned).get_Device().get_Manufacturer(), L"Second");

    ColorSpaceSpecificationType empty;
    empty.swap(original);
    EXPECT_TRUE(empty.isset_Device());
    EXPECT_EQ(as_const(empty).get_Device().get_Manufacturer(), L"First");
    EXPECT_FALSE(original.isset_Device());
    EXPECT_EQ(as_const(original).get_Device().get_Manufacturer(), L"");

    com_kyrandel_v2::DeviceType device;
    ASSERT_EQ(device.set_SerialNumber(L"42"), lmx::ELMX_OK);
    ColorSpaceSpecificationType target;
    target.assign_Device(device);
    ASSERT_EQ(device.set_SerialNumber(L"43"), lmx::ELMX_OK);
    EXPECT_TRUE(target.isset_Device());
    EXPECT_EQ(as_const(target).get_Device().get_SerialNumber(), L"42");
}

} // namespace
