// A plain choice has only the const accessor of a class member, exported under the plain name:
// reading a member never switches the choice. Only holders switch through a non-const get_X.
#include "flat_exports.hpp"

#include <kyr/kyr.hpp>

#include <gtest/gtest.h>

#include <type_traits>

using namespace com_kyrandel_v2;

template <class T>
constexpr bool is_const_ref = std::is_const_v<std::remove_reference_t<T>>;
static_assert(is_const_ref<decltype(std::declval<ProfileChoice&>().get_ProfileFile())>);
static_assert(is_const_ref<decltype(std::declval<IlluminationOptionsType&>().get_WhitePointChromaticity())>);
static_assert(is_const_ref<decltype(std::declval<GeometryChoiceType&>().get_BSDFAngle())>);
static_assert(is_const_ref<decltype(std::declval<AxisValueChoice&>().get_AxisFloatingPointValue())>);
static_assert(!is_const_ref<decltype(std::declval<sg_Substrate&>().get_SubstrateWood())>);
void* (*const k_plain_exports[])(void*) = {
    CSharp_ProfileChoice_get_ProfileFile, CSharp_IlluminationOptionsType_get_Illuminant,
    CSharp_IlluminationOptionsType_get_WhitePointChromaticity, CSharp_GeometryChoiceType_get_BSDFAngle,
    CSharp_AxisValueChoice_get_AxisFloatingPointValue};

TEST(PlainChoice, ReadingAMemberThatIsNotChosenKeepsTheChosenOne)
{
    IlluminationOptionsType options;
    ASSERT_EQ(options.set_ColorTemperature(5003), lmx::ELMX_OK);
    EXPECT_EQ(options.get_Illuminant().get_Illuminant(), L"");
    EXPECT_EQ(options.getchosen(), IlluminationOptionsType::ec_ColorTemperature);
    EXPECT_EQ(options.get_ColorTemperature(), 5003u);
}
