// The codes the whole-document operations return when something is wrong.
#include <zlib.h>

#include "document_io_support.hpp"
#include <kyr/io/container.hpp>
#include <kyr/schema/classes/PaletteType.hpp>

using namespace document_test;

namespace {

const std::string plain_document = content_of(data_path("two-palettes.kyr"));

std::uint32_t u32(const std::string& b, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

void set32(std::string& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

std::string container_of(const std::string& xml)
{
    std::string archive;
    kyr::io::make_single_entry_archive("doc.kyr", xml, std::time(nullptr), archive);
    return archive;
}

// Sets a 32-bit field of the only entry in its local header (at `field`) and
// in its directory record (two bytes further on).
void set_entry_field(std::string& archive, std::size_t field, std::uint32_t v)
{
    const std::size_t directory = u32(archive, archive.size() - 22 + 16);
    set32(archive, field, v);
    set32(archive, directory + field + 2, v);
}

// The test document with its palettes repeated `times` times: an entry of many read windows.
std::string many_palettes(std::size_t times)
{
    const std::size_t from = plain_document.find("\t<Kyr:Palette ");
    const std::size_t to = plain_document.find("</Kyr:Kyr>");
    std::string out = plain_document.substr(0, from);
    for (std::size_t i = 0; i < times; ++i)
        out += plain_document.substr(from, to - from);
    return out + plain_document.substr(to);
}

std::string text_of(const Kyr& document)
{
    std::string text;
    document.marshal(&text);
    return text;
}

class FailureCodes : public scratch
{
protected:
    lmx::elmx_error load(const std::string& archive)
    {
        Kyr document;
        return load(document, archive);
    }
    lmx::elmx_error load(Kyr& document, const std::string& archive)
    {
        write_bytes(path("in.kyrz"), archive);
        return document.loadFile(wpath("in.kyrz"));
    }
};

} // namespace

TEST_F(FailureCodes, DamagedContainersAreUserDefinedOne)
{
    const std::string good = container_of(plain_document);
    ASSERT_EQ(load(good), lmx::ELMX_OK);

    std::string bad_crc = good;
    set_entry_field(bad_crc, 14, u32(good, 14) ^ 0x100);
    EXPECT_EQ(load(bad_crc), lmx::ELMX_USER_DEFINED_1);

    std::string longer = good; // the stream holds one byte more than recorded
    set_entry_field(longer, 22, static_cast<std::uint32_t>(plain_document.size() - 1));
    set_entry_field(longer, 14,
                    static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(plain_document.data()),
                                                     static_cast<uInt>(plain_document.size() - 1))));
    EXPECT_EQ(load(longer), lmx::ELMX_USER_DEFINED_1);

    std::string encrypted = good;
    encrypted[6] = 1;
    EXPECT_EQ(load(encrypted), lmx::ELMX_USER_DEFINED_1);

    std::string flipped = good;
    flipped[30 + 7 + 10] ^= 0x55;
    EXPECT_EQ(load(flipped), lmx::ELMX_USER_DEFINED_1);

    EXPECT_EQ(load(good + "trailing"), lmx::ELMX_USER_DEFINED_1);
    EXPECT_EQ(load(good.substr(0, good.size() - 30)), lmx::ELMX_USER_DEFINED_1);
    EXPECT_EQ(load(std::string("PK\x05\x06", 4) + std::string(18, '\0')),
              lmx::ELMX_USER_DEFINED_1); // no entries
    EXPECT_EQ(load(""), lmx::ELMX_USER_DEFINED_1);
}

TEST_F(FailureCodes, ParsingResultOfTheEntryPassesThrough)
{
    std::string without_preamble = plain_document;
    const std::size_t from = without_preamble.find("\t<Kyr:Preamble>");
    const std::size_t to = without_preamble.find("</Kyr:Preamble>\n") + 16;
    without_preamble.erase(from, to - from);
    EXPECT_EQ(load(container_of(without_preamble)), lmx::ELMX_MANDATORY_ELEMENT_MISSING);
    Kyr document;
    write_bytes(path("in.kyr"), without_preamble);
    EXPECT_EQ(document.loadFile(wpath("in.kyr")), lmx::ELMX_MANDATORY_ELEMENT_MISSING);
    EXPECT_EQ(document.loadString(wide(without_preamble)), lmx::ELMX_MANDATORY_ELEMENT_MISSING);
}

TEST_F(FailureCodes, FailedLoadKeepsWhatWasReadSoFar)
{
    std::string truncated =
        plain_document.substr(0, plain_document.find("<Kyr:Palette PaletteName=\"Autumn\""));
    Kyr document;
    EXPECT_NE(document.loadString(wide(truncated)), lmx::ELMX_OK);
    EXPECT_EQ(document.size_Palette(), 1u);
    EXPECT_EQ(static_cast<const Kyr&>(document).get_Preamble().get_Header().get_Creator(),
              L"Atelier Str\u00f6m");
}

TEST_F(FailureCodes, ALateArchiveFailureLeavesTheDocumentAsItWas)
{
    const std::string xml = many_palettes(500);
    const std::string good = container_of(xml);
    std::string bad_crc = good;
    set_entry_field(bad_crc, 14, u32(good, 14) ^ 1);
    std::string longer = good; // the whole document parses before the extra byte shows
    set_entry_field(longer, 22, static_cast<std::uint32_t>(xml.size() - 1));
    set_entry_field(longer, 14,
                    static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(xml.data()),
                                                     static_cast<uInt>(xml.size() - 1))));
    std::string damaged_end = good;
    damaged_end[u32(good, good.size() - 22 + 16) - 4] ^= 0x55;

    Kyr fresh;
    const std::string fresh_text = text_of(fresh);
    Kyr held;
    ASSERT_EQ(held.loadFile(wide(data_path("two-palettes.kyr"))), lmx::ELMX_OK);
    const std::string held_text = text_of(held);
    for (const std::string* archive : {&bad_crc, &longer, &damaged_end}) {
        EXPECT_EQ(load(fresh, *archive), lmx::ELMX_USER_DEFINED_1);
        EXPECT_EQ(fresh.size_Palette(), 0u);
        EXPECT_EQ(text_of(fresh), fresh_text);
        EXPECT_EQ(load(held, *archive), lmx::ELMX_USER_DEFINED_1);
        EXPECT_EQ(held.size_Palette(), 2u);
        EXPECT_EQ(text_of(held), held_text);
    }
    EXPECT_EQ(load(held, good), lmx::ELMX_OK);
    EXPECT_EQ(held.size_Palette(), 2u + 1000u);
    EXPECT_EQ(static_cast<const Kyr&>(held).get_Palette(1001).get_PaletteName(), L"Autumn");
}
