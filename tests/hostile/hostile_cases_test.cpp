// Every case of data/hostile/cases.txt loaded as a whole document in a bounded child: the
// load's code and the reader's lexical code must be the expected ones, and the load may not
// crash, hang or pass the memory bound. A case puts its hostile part in one place of a valid
// document: "subset" (the internal DTD subset), "creator" (the text of the header's Creator),
// "revision" (the wildcard content of a header revision), or "document" (the whole text).
#include <gtest/gtest.h>

#include <case_file.hpp>

#include <algorithm>

#include "hostile_documents.hpp"

using namespace hostile;

namespace {

// "place:part | place:part ...": a DTD subset ("laughs" adds ten levels of ten references,
// 10^10 copies of "lol" from &l10;), the Creator text, a revision's content, or a whole text.
std::string document_for(const std::string& input)
{
    std::string subset, creator = "c", revision;
    for (size_t start = 0; start < input.size();) {
        const size_t end = std::min(input.find(" | ", start), input.size());
        const std::string segment = input.substr(start, end - start);
        const size_t colon = segment.find(':');
        const std::string place = segment.substr(0, colon), part = segment.substr(colon + 1);
        if (place == "document")
            return part;
        if (place == "laughs")
            subset += laughs();
        else
            (place == "subset" ? subset : place == "creator" ? creator : revision) += part;
        start = end + 3;
    }
    return kyr_document(subset, creator, revision);
}

TEST(HostileDocuments, EveryCaseEndsWithItsCodesInBoundedMemory)
{
    const auto cases = kyr_test::read_cases(KYR_TEST_DATA_DIR "/hostile/cases.txt");
    ASSERT_GT(cases.size(), 15u);
    for (const kyr_test::s_case& c : cases) {
        const s_outcome outcome = load_bounded(document_for(c.input));
        EXPECT_EQ(outcome.signal, 0) << "cases.txt line " << c.line;
        EXPECT_EQ(std::to_string(outcome.code) + " " + std::to_string(outcome.lexical), c.expected)
            << "cases.txt line " << c.line;
        if (!outcome.bounded)
            std::printf(
                "[  NOTE    ] memory bound not checked: AddressSanitizer needs the whole address space\n");
    }
}

} // namespace
