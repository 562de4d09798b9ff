// Whole Kyr documents with a hostile part put where the schema lets it in: the internal
// subset, the text of a string element, or the wildcard content of a header revision.
#ifndef KYR_TESTS_HOSTILE_HOSTILE_DOCUMENTS_HPP
#define KYR_TESTS_HOSTILE_HOSTILE_DOCUMENTS_HPP

#include <string>

#include <kyr/lmx/xml_reader.hpp>
#include <kyr/schema/classes/Kyr.hpp>

#include "bounded_run.hpp"

namespace hostile {

// A valid document: `subset` goes into a DOCTYPE when not empty, `creator` is the text of
// the header's Creator, `revision` the content of one Revision element when not empty.
inline std::string kyr_document(const std::string& subset, const std::string& creator,
                                const std::string& revision = "")
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    if (!subset.empty())
        text += "<!DOCTYPE Kyr:Kyr [\n" + subset + "\n]>\n";
    text += "<Kyr:Kyr xmlns:Kyr=\"http://kyr-format.org/v2\"><Kyr:Preamble><Kyr:Header>"
            "<Kyr:Creator>";
    text += creator;
    text += "</Kyr:Creator><Kyr:CreatorVersion>1.0</Kyr:CreatorVersion>"
            "<Kyr:ChangeHistory>2026-12-05T18:00:00Z</Kyr:ChangeHistory><Kyr:Purpose>hostile</Kyr:Purpose>";
    if (!revision.empty())
        text += "<Kyr:Revision>" + revision + "</Kyr:Revision>";
    text += "</Kyr:Header></Kyr:Preamble></Kyr:Kyr>\n";
    return text;
}

// Codes of loading `text` in a bounded child: the load's and the reader's lexical one.
inline s_outcome load_bounded(const std::string& text)
{
    return run_bounded([&text] {
        lmx::c_xml_reader_memory reader(text.data(), text.size());
        com_kyrandel_v2::Kyr document;
        const lmx::elmx_error code = document.unmarshal(reader);
        return std::array<int, 2>{static_cast<int>(code), static_cast<int>(reader.get_error())};
    });
}

// Ten levels of ten references each: 10^10 copies of "lol" from &l10;.
inline std::string laughs()
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

} // namespace hostile

// The load ended by itself with `expected` and the reader's lexical code `lexical_code`; its
// memory stayed within the bound unless the bound could not be set (then the test says so).
#define EXPECT_LOAD_CODES(outcome, expected, lexical_code)                                                   \
    do {                                                                                                     \
        const hostile::s_outcome& outcome_ = (outcome);                                                      \
        EXPECT_EQ(outcome_.signal, 0) << "the load was killed by signal " << outcome_.signal;                \
        EXPECT_EQ(outcome_.code, static_cast<int>(expected));                                                \
        EXPECT_EQ(outcome_.lexical, static_cast<int>(lexical_code));                                         \
        if (!outcome_.bounded)                                                                               \
            std::printf("[  NOTE    ] memory bound not checked: AddressSanitizer needs the "                 \
                        "whole address space\n");                                                            \
    } while (false)

#endif
