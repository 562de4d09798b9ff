// The range checks behind every generated setter and reader, with inclusive and exclusive
// bounds: the schema's own types use only some of the combinations.
#include <kyr/schema/value_traits.hpp>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using kyr::schema::s_facets;

TEST(ValueChecks, IntegerAndDoubleBoundsInclusiveAndExclusive)
{
    const s_facets inclusive = {"0", 0.0, false, "10", 10.0, false, -1, -1, nullptr, nullptr, nullptr};
    const s_facets exclusive = {"0", 0.0, true, "10", 10.0, true, -1, -1, nullptr, nullptr, nullptr};
    const auto integer = [](const char* text, const s_facets& f) {
        return kyr::schema::check_integer_text(text, kyr::schema::k_int_bounds[0],
                                               kyr::schema::k_int_bounds[1], f);
    };
    // text, then the code with inclusive bounds and with exclusive ones
    const struct
    {
        const char* text;
        lmx::elmx_error inclusive, exclusive;
    } cases[] = {
        {"-1", lmx::ELMX_VALUE_EXCEEDS_MIN, lmx::ELMX_VALUE_EXCEEDS_MIN},
        {"0", lmx::ELMX_OK, lmx::ELMX_VALUE_EXCEEDS_MIN},
        {"1", lmx::ELMX_OK, lmx::ELMX_OK},
        {"9", lmx::ELMX_OK, lmx::ELMX_OK},
        {"10", lmx::ELMX_OK, lmx::ELMX_VALUE_EXCEEDS_MAX},
        {"11", lmx::ELMX_VALUE_EXCEEDS_MAX, lmx::ELMX_VALUE_EXCEEDS_MAX},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(integer(c.text, inclusive), c.inclusive) << c.text;
        EXPECT_EQ(integer(c.text, exclusive), c.exclusive) << c.text;
        EXPECT_EQ(kyr::schema::check_double_range(std::atof(c.text), inclusive), c.inclusive) << c.text;
        EXPECT_EQ(kyr::schema::check_double_range(std::atof(c.text), exclusive), c.exclusive) << c.text;
    }
    EXPECT_EQ(integer("2147483648", kyr::schema::k_no_facets), lmx::ELMX_VALUE_EXCEEDS_MAX);
}

} // namespace
