// An entity value is bounded like any text, and a whole-document call that runs out of memory
// returns a code: never an exception, never a document cut short passed off as complete.
#include <gtest/gtest.h>

#include <malloc.h>
#include <unistd.h>

#include <functional>

#include <kyr/lmx/reader_limits.hpp>
#include <kyr/lmx/strings.hpp>

#include "hostile_documents.hpp"

using namespace hostile;
using com_kyrandel_v2::Kyr;

TEST(MemoryExhaustion, EntityDeclarationsAreBounded)
{
    std::string references;
    for (int i = 0; i < 65; ++i)
        references += "%p;";
    for (const std::string& subset :
         {"<!ENTITY e \"" + std::string(lmx::k_max_text_length + 1, 'v') + "\">",
          "<!ENTITY " + std::string(lmx::k_max_name_length + 1, 'n') + " \"v\">",
          "<!ENTITY % p \"" + std::string(1u << 20, 'p') + "\"><!ENTITY e \"" + references + "\">"})
        EXPECT_LOAD_CODES(load_bounded(kyr_document(subset, "c")), lmx::ELMX_NOT_WELL_FORMED,
                          lmx::ELMX_NOT_WELL_FORMED);
}

TEST(MemoryExhaustion, WholeDocumentCallsReturnACode)
{
    if (!k_address_space_limit_works)
        GTEST_SKIP() << "AddressSanitizer needs the whole address space";
    // Large blocks unmapped when freed, so that no free heap gives the bounded calls room.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    const std::string base = ::testing::TempDir() + "kyr_memory_" + std::to_string(::getpid());
    const std::wstring name(base.begin(), base.end());
    Kyr big;
    ASSERT_EQ(big.loadString(lmx::convert_to_wide(kyr_document("", std::string(8u << 20, 'c')))),
              lmx::ELMX_OK);
    ASSERT_EQ(big.writeFile(name + L".kyr") | big.writeFile(name + L".kyrz"), lmx::ELMX_OK);
    const std::wstring text = big.writeString().getXmlDocument();
    const std::pair<std::function<int()>, lmx::elmx_error> cases[] = {
        {[&] { return Kyr().loadFile(name + L".kyr"); }, lmx::ELMX_UNDEFINED_ERROR},
        {[&] { return Kyr().loadFile(name + L".kyrz"); }, lmx::ELMX_USER_DEFINED_1},
        {[&] { return Kyr().loadString(text); }, lmx::ELMX_UNDEFINED_ERROR},
        {[&] { return big.writeString().getElmxError(); }, lmx::ELMX_UNDEFINED_ERROR},
        {[&] { return big.writeFile(name + L".kyr"); }, lmx::ELMX_UNDEFINED_ERROR},
        {[&] { return big.writeFile(name + L".kyrz"); }, lmx::ELMX_USER_DEFINED_1},
        {[&] { return big.marshal((base + ".kyr").c_str()); }, lmx::ELMX_UNDEFINED_ERROR},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const s_outcome outcome = run_bounded([&] {
            const rlim_t limit = mapped_bytes() + (4u << 20);
            const rlimit bound{limit, limit};
            setrlimit(RLIMIT_AS, &bound);
            return std::array<int, 2>{cases[i].first(), 0};
        });
        EXPECT_EQ(outcome.code, cases[i].second) << i;
    }
    std::remove((base + ".kyr").c_str());
    std::remove((base + ".kyrz").c_str());
}
