// Entity amplification in a whole document: exponential and quadratic blow-ups stop with
// ELMX_RECURSIVE_ENTITY in bounded memory, in text, in attribute values and in the internal
// subset itself; ordinary use of entities stays far below the allowance.
#include <gtest/gtest.h>

#include <kyr/lmx/limits.hpp>

#include "hostile_documents.hpp"

using namespace hostile;

namespace {

// Ten levels of ten references each: 10^10 copies of "lol".
std::string laughs_subset()
{
    std::string subset = "<!ENTITY l0 \"lol\">\n";
    for (int level = 1; level <= 10; ++level) {
        subset += "<!ENTITY l" + std::to_string(level) + " \"";
        for (int i = 0; i < 10; ++i)
            subset += "&l" + std::to_string(level - 1) + ";";
        subset += "\">\n";
    }
    return subset;
}

// One entity of `entity_size` bytes referenced `references` times.
std::string quadratic_document(size_t entity_size, size_t references)
{
    return kyr_document("<!ENTITY big \"" + std::string(entity_size, 'q') + "\">", repeat("&big;", references));
}

} // namespace

TEST(EntityAmplification, ExponentialInText)
{
    EXPECT_LOAD_CODES(load_bounded(kyr_document(laughs_subset(), "&l10;")), lmx::ELMX_UNABLE_TO_READ_ELEMENT_VALUE,
                      lmx::ELMX_RECURSIVE_ENTITY);
}

TEST(EntityAmplification, ExponentialInAnAttributeValue)
{
    // A colour's name is read before anything else of the colour.
    std::string text = kyr_document(laughs_subset(), "c");
    text.insert(text.find("</Kyr:Kyr>"), "<Kyr:Color ColorName=\"&l10;\"></Kyr:Color>");
    EXPECT_LOAD_CODES(load_bounded(text), lmx::ELMX_UNABLE_TO_READ_ATTRIBUTE_VALUE, lmx::ELMX_RECURSIVE_ENTITY);
}

TEST(EntityAmplification, CapturedWildcardContentKeepsReferencesUnexpanded)
{
    // Wildcard content is kept as written, so its references never expand: no blow-up.
    const std::string text = kyr_document(laughs_subset(), "c", "<x a=\"&l10;\">&l10;</x>");
    EXPECT_LOAD_CODES(load_bounded(text), lmx::ELMX_OK, lmx::ELMX_OK);

    com_kyrandel_v2::Kyr document;
    ASSERT_EQ(document.unmarshal(text.data(), text.size()), lmx::ELMX_OK);
    std::string written;
    ASSERT_EQ(document.marshal(&written), lmx::ELMX_OK);
    EXPECT_NE(written.find("<x a=\"&l10;\">&l10;</x>"), std::string::npos) << written;
}

TEST(EntityAmplification, ExponentialThroughParameterEntities)
{
    std::string subset = "<!ENTITY % p0 \"<!ENTITY z 'zz'>\">\n";
    for (int level = 1; level <= 12; ++level) {
        subset += "<!ENTITY % p" + std::to_string(level) + " \"";
        for (int i = 0; i < 10; ++i)
            subset += "&#37;p" + std::to_string(level - 1) + ";";
        subset += "\">\n";
    }
    subset += "%p12;";
    EXPECT_LOAD_CODES(load_bounded(kyr_document(subset, "c")), lmx::ELMX_RECURSIVE_ENTITY, lmx::ELMX_RECURSIVE_ENTITY);
}

TEST(EntityAmplification, QuadraticBlowUp)
{
    // 10 KiB expanded 20,000 times: 200 MiB from a 110 KiB document.
    EXPECT_LOAD_CODES(load_bounded(quadratic_document(10 * 1024, 20000)), lmx::ELMX_UNABLE_TO_READ_ELEMENT_VALUE,
                      lmx::ELMX_RECURSIVE_ENTITY);
}

TEST(EntityAmplification, OrdinaryUseLoads)
{
    // Just under the free expansion: 1,000 references of 1,000 bytes.
    const std::string text = quadratic_document(1000, 1000);
    ASSERT_LT(1000u * 1000u, lmx::k_entity_expansion_floor);
    EXPECT_LOAD_CODES(load_bounded(text), lmx::ELMX_OK, lmx::ELMX_OK);

    com_kyrandel_v2::Kyr document;
    ASSERT_EQ(document.unmarshal(text.data(), text.size()), lmx::ELMX_OK);
    EXPECT_EQ(document.get_Preamble().get_Header().get_Creator(), std::wstring(1000u * 1000u, L'q'));
}

TEST(EntityAmplification, AllowanceGrowsWithTheDocument)
{
    // 3 MiB of expansion after 100 KiB of input: past the floor, within the ratio.
    const std::string text = kyr_document("<!-- " + std::string(100 * 1024, 'p') + " -->\n<!ENTITY big \"" +
                                              std::string(3 * 1024, 'q') + "\">",
                                          repeat("&big;", 1024));
    ASSERT_GT(3u * 1024u * 1024u, lmx::k_entity_expansion_floor);
    ASSERT_LT(3u * 1024u * 1024u, text.size() * lmx::k_entity_expansion_ratio);
    EXPECT_LOAD_CODES(load_bounded(text), lmx::ELMX_OK, lmx::ELMX_OK);
}
