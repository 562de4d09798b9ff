// Encoding detection, UTF-8/UTF-16/UCS-2/single-byte decoding, line ends and push-back.
// Every decoding case runs from memory (the inline window path) and through sources that
// deliver one or three bytes per call; the results must be identical.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input_support.hpp"

using namespace lmx;
using kyr_test::c_chunked_read;
using kyr_test::c_recording_error;
using kyr_test::decode_all;
using kyr_test::feed;
using kyr_test::k_all_feeds;
using kyr_test::s_decoded;

namespace {

const char k_unrecognised[] = "Unrecognised character encoding";

// Decodes `input` through every feed, checks they agree and returns the result.
s_decoded decode(const std::string& input)
{
    const s_decoded first = decode_all(input, feed::memory);
    for (feed how : {feed::one_byte, feed::three_bytes}) {
        const s_decoded other = decode_all(input, how);
        EXPECT_EQ(other.bytes, first.bytes) << "feed " << static_cast<int>(how);
        EXPECT_EQ(other.line, first.line);
        EXPECT_EQ(other.reports.size(), first.reports.size());
    }
    return first;
}

// Every value get returns, -1 included, up to `count` calls.
std::vector<int> gets(const std::string& input, size_t count, feed how = feed::memory)
{
    c_error errors;
    auto source = kyr_test::make_source(input, how);
    c_get_as_utf8 d(*source, errors);
    std::vector<int> out;
    for (size_t i = 0; i < count; ++i)
        out.push_back(d.get());
    return out;
}

void expect_fatal_encoding(const s_decoded& d, const char* message = k_unrecognised)
{
    ASSERT_EQ(d.reports.size(), 1u);
    EXPECT_EQ(d.reports[0].type, ELMX_ERROR_TYPE_FATAL);
    EXPECT_EQ(d.reports[0].code, ELMX_BAD_CHAR_ENCODING);
    EXPECT_EQ(d.reports[0].message, message);
}

std::string utf16le(const std::u16string& s)
{
    std::string out;
    for (char16_t u : s) {
        out.push_back(static_cast<char>(u & 0xff));
        out.push_back(static_cast<char>(u >> 8));
    }
    return out;
}

std::string utf16be(const std::u16string& s)
{
    std::string out;
    for (char16_t u : s) {
        out.push_back(static_cast<char>(u >> 8));
        out.push_back(static_cast<char>(u & 0xff));
    }
    return out;
}

} // namespace

TEST(Detection, EmptySourceEndsWithoutReport)
{
    const s_decoded d = decode("");
    EXPECT_EQ(d.bytes, "");
    EXPECT_TRUE(d.reports.empty());
    EXPECT_EQ(d.line, 1);
}

TEST(Detection, DocumentMustStartWithMarkWhiteSpaceOrLt)
{
    expect_fatal_encoding(decode("a"));
    expect_fatal_encoding(decode("abc<x/>"));
    expect_fatal_encoding(decode("\x80<"));
    EXPECT_EQ(decode("a").reports[0].line, 1);
    for (const char* start : {" ", "\t", "\n", "\v", "\f", "\r", "<"})
        EXPECT_TRUE(decode(std::string(start) + "<x/>").reports.empty()) << int(start[0]);
}

TEST(Detection, Utf16LittleEndianWithMark)
{
    const s_decoded d = decode(std::string("\xff\xfe<\0?\0", 6));
    EXPECT_EQ(d.bytes, "<?");
    EXPECT_TRUE(d.reports.empty());
}

TEST(Detection, Utf16BigEndianWithMark)
{
    EXPECT_EQ(decode(std::string("\xfe\xff\0<", 4)).bytes, "<");
}

TEST(Detection, Utf16WithoutMark)
{
    EXPECT_EQ(decode(std::string("<\0", 2)).bytes, "<");
    EXPECT_EQ(decode(std::string(" \0<\0", 4)).bytes, " <");
    EXPECT_EQ(decode(std::string("\0<\0a", 4)).bytes, "<a");
    EXPECT_EQ(decode(std::string("\0\n\0a", 4)).bytes, "\na");
}

TEST(Detection, Utf8Mark)
{
    EXPECT_EQ(decode("\xef\xbb\xbf<a>\xc3\xa9").bytes, "<a>\xc3\xa9");
    const s_decoded only_mark = decode("\xef\xbb\xbf");
    EXPECT_EQ(only_mark.bytes, "");
    EXPECT_TRUE(only_mark.reports.empty());
}

TEST(Detection, BrokenMarksAreFatal)
{
    expect_fatal_encoding(decode("\xff"));
    expect_fatal_encoding(decode("\xff\xff<\0"));
    expect_fatal_encoding(decode(std::string("\xff\xfe\0\0", 4)));     // c0 must be 1 to 127
    expect_fatal_encoding(decode(std::string("\xff\xfe\x80\0", 4)));
    expect_fatal_encoding(decode(std::string("\xff\xfe<\x01", 4)));    // c1 must be 0
    expect_fatal_encoding(decode(std::string("\xff\xfe<", 3)));
    expect_fatal_encoding(decode(std::string("\xfe\xfe\0<", 4)));
    expect_fatal_encoding(decode(std::string("\xfe\xff<\0", 4)));
    expect_fatal_encoding(decode(std::string("\xfe\xff\0\0", 4)));
    expect_fatal_encoding(decode(std::string("\xfe\xff\0\x80", 4)));
    expect_fatal_encoding(decode("\xef\xbb"));
    expect_fatal_encoding(decode("\xef\xbb<"));
    expect_fatal_encoding(decode("\xef<"));
    expect_fatal_encoding(decode(std::string("\0a", 2)));
    expect_fatal_encoding(decode(std::string("\0", 1)));
}

TEST(Detection, AfterAFatalReportTheInputStaysEnded)
{
    for (feed how : k_all_feeds) {
        const std::vector<int> v = gets("a<b>", 4, how);
        EXPECT_EQ(v, (std::vector<int>{-1, -1, -1, -1}));
    }
    c_recording_error errors;
    const std::string text = "<ok>";
    c_read_string src(text);
    c_get_as_utf8 d(src, errors);
    errors.error(ELMX_ERROR_TYPE_FATAL, ELMX_BAD_DTD, "stop");
    d.unget('x');
    EXPECT_EQ(d.get(), -1);
}

TEST(Utf8, MultiByteSequencesArriveByteByByte)
{
    EXPECT_EQ(gets("<\xc3\xa9", 4), (std::vector<int>{'<', 0xc3, 0xa9, -1}));
    EXPECT_EQ(gets("<\xc3", 3), (std::vector<int>{'<', -1, -1}));
    EXPECT_EQ(decode("<\xe2\x82\xac\xf0\x9f\x98\x80\xc3\xa9").bytes, "<\xe2\x82\xac\xf0\x9f\x98\x80\xc3\xa9");
    // A byte read ahead during detection is a full character.
    EXPECT_EQ(decode(" \xc3\xa9").bytes, " \xc3\xa9");
    EXPECT_EQ(decode("<\x7f").bytes, "<\x7f");
}

TEST(Utf8, InvalidSequencesEndThatFetchWithoutReport)
{
    // {input, what is delivered before and after the -1}
    struct s_case
    {
        std::string input;
        std::vector<int> expected;
    };
    const std::vector<s_case> cases = {
        {"<\x80" "a", {'<', -1, 'a', -1}},                 // stray continuation byte
        {"<\xbf" "a", {'<', -1, 'a', -1}},
        {"<\xc0\x80" "a", {'<', -1, 'a', -1}},             // overlong lead
        {"<\xc1\xbf" "a", {'<', -1, 'a', -1}},
        {"<\xe0\x9f\x80" "a", {'<', -1, 'a', -1}},         // overlong three bytes
        {"<\xed\xa0\x80" "a", {'<', -1, 'a', -1}},         // encoded surrogate
        {"<\xf0\x8f\x80\x80" "a", {'<', -1, 'a', -1}},     // overlong four bytes
        {"<\xf4\x90\x80\x80" "a", {'<', -1, 'a', -1}},     // above 10FFFF
        {"<\xf5\x80\x80\x80" "a", {'<', -1, 'a', -1}},
        {"<\xf8\x80\x80\x80\x80" "a", {'<', -1, 'a', -1}}, // five-byte form
        {"<\xfc\x80\x80\x80\x80\x80" "a", {'<', -1, 'a', -1}},
        {"<\xfe" "abcde" "f", {'<', -1, 'f', -1}},         // six bytes taken
        {"<\xe2\x82", {'<', -1, -1, -1}},                  // truncated after two of three
        {"<\xf0\x9f\x98", {'<', -1, -1, -1}},
        {" \x80", {' ', -1, -1, -1}},                      // bad byte read ahead at detection
        {" \xc3", {' ', -1, -1, -1}},
    };
    for (const s_case& c : cases)
        for (feed how : k_all_feeds) {
            c_recording_error errors;
            auto source = kyr_test::make_source(c.input, how);
            c_get_as_utf8 d(*source, errors);
            std::vector<int> got;
            for (size_t i = 0; i < c.expected.size(); ++i)
                got.push_back(d.get());
            EXPECT_EQ(got, c.expected) << testing::PrintToString(c.input);
            EXPECT_TRUE(errors.reports.empty());
        }
}

TEST(Utf8, OnlyTheSecondByteIsCheckedAndOnlyForSomeLeads)
{
    // C3 takes whatever follows; bytes after the second are not checked either.
    EXPECT_EQ(decode("<\xc3" "A").bytes, "<\xc3" "A");
    EXPECT_EQ(decode("<\xe1\x80" "A").bytes, "<\xe1\x80" "A");
}

TEST(Utf8, NextLineAndLineSeparatorAreLineFeeds)
{
    const s_decoded d = decode("<\xc2\x85" "a\xe2\x80\xa8" "b\r\xc2\x85" "c\xe2\x80\xa9");
    EXPECT_EQ(d.bytes, "<\na\nb\nc\xe2\x80\xa9");
    EXPECT_EQ(d.line, 4);
}

TEST(LineEnds, CrLfAndCrAloneAreOneLineEnd)
{
    const s_decoded d = decode("<A\r\nB\rC\nD");
    EXPECT_EQ(d.bytes, "<A\nB\nC\nD");
    EXPECT_EQ(d.line, 4);
    const s_decoded runs = decode("<\r\r\n\n\r");
    EXPECT_EQ(runs.bytes, "<\n\n\n\n");
    EXPECT_EQ(runs.line, 5);
    EXPECT_EQ(decode("\r\n<").bytes, "\n<");
    EXPECT_EQ(decode("\r\n<").line, 2);
}

TEST(LineEnds, PushedBackLineFeedIsCountedOnce)
{
    for (feed how : k_all_feeds) {
        c_error errors;
        auto source = kyr_test::make_source("<\r\nX", how);
        c_get_as_utf8 d(*source, errors);
        EXPECT_EQ(d.get(), '<');
        EXPECT_EQ(d.get(), '\n');
        EXPECT_EQ(d.get_line_num(), 2);
        d.unget('\n');
        // Not taken for the LF of a CR LF pair, and not counted again.
        EXPECT_EQ(d.get(), '\n');
        EXPECT_EQ(d.get_line_num(), 2);
        EXPECT_EQ(d.get(), 'X');
        EXPECT_EQ(d.get(), -1);
    }
}

TEST(PushBack, LastInFirstOutBeforePendingBytes)
{
    c_error errors;
    const std::string text = "<\xc3\xa9z";
    c_read_string src(text);
    c_get_as_utf8 d(src, errors);
    EXPECT_EQ(d.get(), '<');
    EXPECT_EQ(d.get(), 0xc3);
    d.unget('1');
    d.unget('2');
    d.unget(-1);
    EXPECT_EQ(d.get(), -1);
    EXPECT_EQ(d.get(), '2');
    EXPECT_EQ(d.get(), '1');
    EXPECT_EQ(d.get(), 0xa9);
    EXPECT_EQ(d.get(), 'z');
}

TEST(Utf16, SurrogatePairsCombine)
{
    const std::u16string text = u"<a>\u00e9\u20ac\U0001F600</a>";
    const std::string expected = "<a>\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80</a>";
    EXPECT_EQ(decode("\xff\xfe" + utf16le(text)).bytes, expected);
    EXPECT_EQ(decode("\xfe\xff" + utf16be(text)).bytes, expected);
    EXPECT_EQ(decode(utf16le(text)).bytes, expected);
    EXPECT_EQ(decode(utf16be(text)).bytes, expected);
}

TEST(Utf16, BrokenPairIsFatal)
{
    const s_decoded d = decode(utf16le(u"<a") + std::string("\x3d\xd8\x41\x00", 4) + utf16le(u"b"));
    EXPECT_EQ(d.bytes, "<a");
    expect_fatal_encoding(d);
    EXPECT_EQ(d.reports[0].line, 1);
    expect_fatal_encoding(decode(utf16be(u"<") + std::string("\xd8\x3d\xd8\x3d", 4)));
    // The input ending after the high half is the same fault.
    expect_fatal_encoding(decode(utf16be(u"<") + std::string("\xd8\x3d", 2)));
    // A low half alone is passed on as a code point.
    EXPECT_EQ(decode(utf16le(u"<") + std::string("\x00\xdc", 2)).bytes, "<\xed\xb0\x80");
}

TEST(Utf16, LineEndsAndOddLength)
{
    const s_decoded d = decode(utf16le(u"<a\r\nb\rc\u0085d\u2028e\nf"));
    EXPECT_EQ(d.bytes, "<a\nb\nc\nd\ne\nf");
    EXPECT_EQ(d.line, 6);
    EXPECT_EQ(decode(utf16le(u"<a") + "b").bytes, "<a");
    EXPECT_TRUE(decode(utf16le(u"<a") + "b").reports.empty());
}

TEST(Utf16, UnitZeroIsDelivered)
{
    EXPECT_EQ(gets(utf16le(u"<") + std::string("\0\0", 2) + utf16le(u"b"), 4),
              (std::vector<int>{'<', 0, 'b', -1}));
}

namespace {

// Reads up to the end of "<?xml?>"-like prefix `head` (ASCII), applies `name`, then the rest.
struct s_declared
{
    bool accepted;
    std::string rest;
    std::vector<kyr_test::s_report> reports;
    elmx_encoding state;
};

s_declared declare(const std::string& input, size_t head, const char* name, feed how = feed::memory)
{
    c_recording_error errors;
    auto source = kyr_test::make_source(input, how);
    c_get_as_utf8 d(*source, errors);
    for (size_t i = 0; i < head; ++i)
        d.get();
    s_declared out;
    out.accepted = d.set_encoding(name);
    out.state = d.get_encoding();
    for (int c = d.get(); c >= 0; c = d.get())
        out.rest.push_back(static_cast<char>(c));
    out.reports = errors.reports;
    return out;
}

} // namespace

TEST(DeclaredEncoding, Latin1TurnsHighBytesIntoUtf8)
{
    for (feed how : k_all_feeds) {
        const s_declared d = declare("<x>\xe9\x85\x7f\x80\xff" "a", 3, "ISO-8859-1", how);
        EXPECT_TRUE(d.accepted);
        EXPECT_EQ(d.state, ELMX_ENCODING_SINGLE_BYTE);
        EXPECT_EQ(d.rest, "\xc3\xa9\n\x7f\xc2\x80\xc3\xbf" "a");
        EXPECT_TRUE(d.reports.empty());
    }
    EXPECT_TRUE(declare("<x>", 3, "us-ascii").accepted);
    EXPECT_TRUE(declare("<x>", 3, "iso-8859-1").accepted);
}

TEST(DeclaredEncoding, NamesMustMatchTheBytes)
{
    EXPECT_TRUE(declare("<x>", 3, "UTF-8").accepted);
    EXPECT_TRUE(declare("<x>", 3, "utf-8").accepted);
    EXPECT_TRUE(declare(utf16le(u"<x>"), 3, "UTF-16").accepted);
    EXPECT_TRUE(declare("\xfe\xff" + utf16be(u"<x>"), 3, "utf-16").accepted);

    const s_declared mismatch = declare("<x>", 3, "utf-16");
    EXPECT_FALSE(mismatch.accepted);
    ASSERT_EQ(mismatch.reports.size(), 1u);
    EXPECT_EQ(mismatch.reports[0].type, ELMX_ERROR_TYPE_FATAL);
    EXPECT_EQ(mismatch.reports[0].code, ELMX_ENCODING_MISMATCH);
    EXPECT_EQ(mismatch.reports[0].message, "Mis-match between specfied encoding and byte format");
    EXPECT_EQ(mismatch.rest, "");

    const s_declared unknown = declare("<x>", 3, "Latin-1");
    EXPECT_FALSE(unknown.accepted);
    ASSERT_EQ(unknown.reports.size(), 1u);
    EXPECT_EQ(unknown.reports[0].code, ELMX_BAD_CHAR_ENCODING);
    EXPECT_EQ(unknown.reports[0].message, "Unknown character encoding specified");

    EXPECT_FALSE(declare(utf16le(u"<x>"), 3, "UTF-8").accepted);
    EXPECT_FALSE(declare(utf16le(u"<x>"), 3, "ISO-8859-1").accepted);
    EXPECT_FALSE(declare("<x>", 3, "ISO-10646-UCS-2").accepted);
    // Before anything was read the encoding is undetermined: nothing matches.
    EXPECT_FALSE(declare("<x>", 0, "UTF-8").accepted);
}

TEST(DeclaredEncoding, Ucs2DoesNotCombineSurrogates)
{
    const std::string pair("\x3d\xd8\x00\xde", 4);
    const s_declared le = declare(utf16le(u"<x>") + pair, 3, "ISO-10646-UCS-2");
    EXPECT_TRUE(le.accepted);
    EXPECT_EQ(le.state, ELMX_ENCODING_UCS2_LE);
    EXPECT_EQ(le.rest, "\xed\xa0\xbd\xed\xb8\x80");
    const s_declared be = declare(utf16be(u"<x>\u00e9\u2028"), 3, "iso-10646-ucs-2");
    EXPECT_EQ(be.state, ELMX_ENCODING_UCS2_BE);
    EXPECT_EQ(be.rest, "\xc3\xa9\n");
}

TEST(Rewind, StartsOverButKeepsTheCollector)
{
    c_recording_error errors;
    c_chunked_read src("<a>\n\xc3\xa9");
    c_get_as_utf8 d(src, errors);
    EXPECT_EQ(d.get(), '<');
    EXPECT_EQ(d.get(), 'a');
    d.unget('q');
    EXPECT_TRUE(d.set_encoding("ISO-8859-1"));
    errors.error(ELMX_ERROR_TYPE_WARNING, ELMX_BAD_COMMENT, "kept");
    d.rewind();
    EXPECT_EQ(d.get_encoding(), ELMX_ENCODING_UNDETERMINED);
    EXPECT_EQ(d.get_line_num(), 1);
    std::string all;
    for (int c = d.get(); c >= 0; c = d.get())
        all.push_back(static_cast<char>(c));
    // Decoded as UTF-8 again: the declared single-byte state is gone.
    EXPECT_EQ(all, "<a>\n\xc3\xa9");
    EXPECT_EQ(d.get_line_num(), 2);
    EXPECT_EQ(errors.get_warning_count(), 1);
}

TEST(Rewind, AfterAFatalErrorTheInputStaysEnded)
{
    c_error errors;
    const std::string text = "x";
    c_read_string src(text);
    c_get_as_utf8 d(src, errors);
    EXPECT_EQ(d.get(), -1);
    d.rewind();
    EXPECT_EQ(d.get(), -1);
}

TEST(Truncation, EveryPrefixDecodesToAPrefixWithoutHanging)
{
    const std::string doc = "\xef\xbb\xbf<?xml version=\"1.0\"?>\r\n<a b='\xc3\xa9'>\xe2\x82\xac\xf0\x9f\x98\x80</a>\n";
    const std::string full = decode(doc).bytes;
    ASSERT_EQ(full, "<?xml version=\"1.0\"?>\n<a b='\xc3\xa9'>\xe2\x82\xac\xf0\x9f\x98\x80</a>\n");
    for (size_t n = 0; n <= doc.size(); ++n) {
        const s_decoded d = decode(doc.substr(0, n));
        EXPECT_EQ(full.compare(0, d.bytes.size(), d.bytes), 0) << n;
        // Only a cut inside the mark is an encoding fault.
        EXPECT_EQ(d.reports.size(), n == 1 || n == 2 ? 1u : 0u) << n;
    }
}

TEST(Truncation, Utf16PrefixesStopAtTheLastWholeCharacter)
{
    const std::u16string text = u"<a>\u00e9\U0001F600z</a>";
    const std::string doc = "\xff\xfe" + utf16le(text);
    const std::string full = decode(doc).bytes;
    for (size_t n = 4; n <= doc.size(); ++n) {
        const s_decoded d = decode(doc.substr(0, n));
        EXPECT_EQ(full.compare(0, d.bytes.size(), d.bytes), 0) << n;
        // Cut between the halves of the pair (after 2 or 3 of its 4 bytes): the fatal fault.
        const size_t pair_at = 2 + 2 * 4;
        const bool inside_pair = n == pair_at + 2 || n == pair_at + 3;
        EXPECT_EQ(d.reports.size(), inside_pair ? 1u : 0u) << n;
    }
}

TEST(FastPath, WindowedSourceNeedsNoCallPerByte)
{
    const std::string text = "<doc>" + std::string(4000, 'x') + "</doc>";
    c_chunked_read windowed(text, 512);
    c_error errors;
    c_get_as_utf8 d(windowed, errors);
    size_t n = 0;
    while (d.get() >= 0)
        ++n;
    EXPECT_EQ(n, text.size());
    EXPECT_LE(windowed.read_calls(), text.size() / 512 + 3);
    EXPECT_EQ(d.get_bytes_read(), text.size());
}
