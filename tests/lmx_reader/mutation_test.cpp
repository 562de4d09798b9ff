// Mutants of the sample document: whatever the damage, the reader neither crashes nor hangs,
// and reading whole or byte by byte gives the same outcome, also when skipping or copying.
#include "document_driver.hpp"
#include "reader_fixture.hpp"

#include <cstdint>
#include <fstream>
#include <sstream>

#include <kyr/lmx/document_scan.hpp>

using namespace lmx;

namespace {

std::string load_sample()
{
    std::ifstream in(KYR_TEST_DATA_DIR "/lmx_reader/sample.kyr", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Small deterministic generator, so a failing mutant can be rebuilt from its number.
class c_mutator
{
public:
    explicit c_mutator(uint32_t seed) : m_state(seed * 2654435761u + 1u) {}

    std::string mutate(std::string text)
    {
        static const char k_bytes[] = "<>/&;'\"=!?[]-: \n\x80\xc3\xa9\xff\0x";
        const int edits = 1 + static_cast<int>(next() % 4);
        for (int i = 0; i < edits && !text.empty(); ++i) {
            const size_t at = next() % text.size();
            const char byte = k_bytes[next() % (sizeof k_bytes - 1)];
            switch (next() % 3) {
            case 0:
                text[at] = byte;
                break;
            case 1:
                text.insert(at, 1, byte);
                break;
            default:
                text.erase(at, 1 + next() % 8);
            }
        }
        return text;
    }

private:
    uint32_t next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    uint32_t m_state;
};

std::string outcomes(const std::string& text, reader_test::e_feed feed)
{
    std::string result;
    {
        auto source = reader_test::make_source(text, feed);
        c_xml_reader reader(*source);
        result += std::to_string(reader_test::read_document(reader)) + "@" + std::to_string(reader.get_line_no());
    }
    {
        auto source = reader_test::make_source(text, feed);
        c_xml_reader reader(*source);
        c_xml_reader_local scope(reader);
        elmx_error error = ELMX_OK;
        std::string name;
        std::string copy;
        if (reader.get_element_event(nullptr, &error, &name) == ELXP_NAME)
            result += reader.get_any_element(name, &copy) ? "|copy" + std::to_string(copy.size()) : "|nocopy";
        reader.rewind();
        if (reader.get_element_event(nullptr, &error, &name) == ELXP_NAME)
            result += reader.skip_rest_of_element(name) ? "|skip" : "|noskip";
    }
    {
        auto source = reader_test::make_source(text, feed);
        c_xml_reader reader(*source);
        result += "|mu" + std::to_string(has_must_understand(reader, "urn:ext", "flag", bool_must_understand));
    }
    return result;
}

TEST(Mutations, EveryMutantReadsTheSameInBothFeeds)
{
    const std::string sample = load_sample();
    size_t intact = 0;
    for (uint32_t seed = 0; seed < 1000; ++seed) {
        const std::string mutant = c_mutator(seed).mutate(sample);
        const std::string whole = outcomes(mutant, reader_test::e_feed::whole);
        EXPECT_EQ(outcomes(mutant, reader_test::e_feed::one_byte), whole) << "mutant " << seed;
        intact += whole.compare(0, 2, "0@") == 0;
    }
    // Some edits land in comments or text and leave a readable document; most must not.
    EXPECT_GT(intact, 0u);
    EXPECT_LT(intact, 1000u);
}

} // namespace
