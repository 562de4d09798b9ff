// Very long names, attribute values and text runs, and very many attributes, in a
// whole-document load: one past each bound fails with ELMX_NOT_WELL_FORMED in bounded
// memory; a value at the bound is read.
#include <gtest/gtest.h>

#include <kyr/lmx/reader_limits.hpp>

#include "hostile_documents.hpp"

using namespace hostile;

namespace {

std::string element_named(const std::string& name)
{
    return "<" + name + "/>";
}

std::string attributes(size_t count)
{
    std::string text = "<x";
    for (size_t i = 0; i < count; ++i)
        text += " a" + std::to_string(i) + "=\"\"";
    return text + "/>";
}

} // namespace

TEST(SizeLimits, ElementNameOnePastTheLimit)
{
    const std::string revision = element_named(std::string(lmx::k_max_name_length + 1, 'n'));
    EXPECT_LOAD_CODES(load_bounded(kyr_document("", "c", revision)), lmx::ELMX_NOT_WELL_FORMED, lmx::ELMX_NOT_WELL_FORMED);
}

TEST(SizeLimits, ElementNameAtTheLimitIsRead)
{
    const std::string revision = element_named(std::string(lmx::k_max_name_length, 'n'));
    EXPECT_LOAD_CODES(load_bounded(kyr_document("", "c", revision)), lmx::ELMX_OK, lmx::ELMX_OK);
}

TEST(SizeLimits, EndlessNameStopsAtTheLimit)
{
    const std::string revision = "<" + std::string(20 * lmx::k_max_name_length, 'n');
    EXPECT_LOAD_CODES(load_bounded(kyr_document("", "c", revision)), lmx::ELMX_NOT_WELL_FORMED, lmx::ELMX_NOT_WELL_FORMED);
}

TEST(SizeLimits, AttributeNameOnePastTheLimit)
{
    const std::string revision = "<x " + std::string(lmx::k_max_name_length + 1, 'a') + "=\"v\"/>";
    EXPECT_LOAD_CODES(load_bounded(kyr_document("", "c", revision)), lmx::ELMX_NOT_WELL_FORMED, lmx::ELMX_NOT_WELL_FORMED);
}

TEST(SizeLimits, AttributeValueOnePastTheLimit)
{
    const std::string revision = "<x a=\"" + std::string(lmx::k_max_attribute_length + 1, 'v') + "\"/>";
    EXPECT_LOAD_CODES(load_bounded(kyr_document("", "c", revision)), lmx::ELMX_NOT_WELL_FORMED, lmx::ELMX_NOT_WELL_FORMED);
}

TEST(SizeLimits, AttributeValueAtTheLimitIsRead)
{
    const std::string revision = "<x a=\"" + std::string(lmx::k_max_attribute_length, 'v') + "\"/>";
    EXPECT_LOAD_CODES(load_bounded(kyr_document("", "c", revision)), lmx::ELMX_OK, lmx::ELMX_OK);
}

TEST(SizeLimits, AttributeCountOnePastTheLimit)
{
    EXPECT_LOAD_CODES(load_bounded(kyr_document("", "c", attributes(lmx::k_max_attribute_count + 1))),
                      lmx::ELMX_NOT_WELL_FORMED, lmx::ELMX_NOT_WELL_FORMED);
}

TEST(SizeLimits, AttributeCountAtTheLimitIsRead)
{
    EXPECT_LOAD_CODES(load_bounded(kyr_document("", "c", attributes(lmx::k_max_attribute_count))), lmx::ELMX_OK,
                      lmx::ELMX_OK);
}

TEST(SizeLimits, TextRunOnePastTheLimit)
{
    const std::string creator(lmx::k_max_text_length + 1, 't');
    EXPECT_LOAD_CODES(load_bounded(kyr_document("", creator)), lmx::ELMX_UNABLE_TO_READ_ELEMENT_VALUE,
                      lmx::ELMX_NOT_WELL_FORMED);
}
