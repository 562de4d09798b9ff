// The table layer through its two calls, read and write.
#include <kyr/cgats/table.hpp>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using kyr::cgats::table;

std::string shared_file(const std::string& name)
{
    std::ifstream in(KYR_SHARED_DIR "/colour-data/cgats/argyll/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

const char* const k_format = "NUMBER_OF_FIELDS 2\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L\nEND_DATA_FORMAT\n";

struct bad_input
{
    std::string text;
    const char* message;
};

TEST(CgatsTable, BadInputsNameTheLine)
{
    const std::string format = k_format;
    const bad_input cases[] = {
        {"", "line 1: no table: the file is empty"},
        {"# only a comment\n\n", "line 2: no table: the file is empty"},
        {"CGATS.17\n" + format + "BEGIN_DATA\n1 50\n2\nEND_DATA\n",
         "line 8: a data set has 1 values where the data format has 2 fields"},
        {"CGATS.17\n" + format + "BEGIN_DATA\n1 50 7\nEND_DATA\n",
         "line 7: a data set has 3 values where the data format has 2 fields"},
        {"CGATS.17\n" + format + "NUMBER_OF_SETS 3\nBEGIN_DATA\n1 50\n2 60\nEND_DATA\n",
         "line 6: NUMBER_OF_SETS is 3 but the table has 2 data sets"},
        {"CGATS.17\n" + format + "NUMBER_OF_SETS x\n", "line 6: NUMBER_OF_SETS needs a whole number"},
        {"CGATS.17\nNUMBER_OF_FIELDS 3\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L\nEND_DATA_FORMAT\n",
         "line 2: NUMBER_OF_FIELDS is 3 but the data format names 2"},
        {"CGATS.17\n" + format + "BEGIN_DATA\n1 50\n",
         "line 7: the table that starts at line 1 never ends (no END_DATA)"},
        {"CGATS.17\nBEGIN_DATA_FORMAT\nSAMPLE_ID\n",
         "line 3: the table that starts at line 1 never ends (no END_DATA_FORMAT)"},
        {"CGATS.17\nBEGIN_DATA_FORMAT\nSAMPLE_ID\nBEGIN_DATA\n",
         "line 4: the data format does not end (no END_DATA_FORMAT before BEGIN_DATA)"},
        {"CGATS.17\nBEGIN_DATA_FORMAT\nEND_DATA_FORMAT\n", "line 3: the data format names no field"},
        {"CGATS.17\n" + format, "line 5: the table that starts at line 1 never ends (no BEGIN_DATA)"},
        {"CGATS.17\nBEGIN_DATA\n", "line 2: BEGIN_DATA before the data format"},
        {"CGATS.17\nORIGINATOR \"open\n", "line 2: a quoted string does not end on its line"},
        {"CGATS.17\nORIGINATOR a b\n", "line 2: keyword ORIGINATOR has more than one value"},
        {"CGATS.17\nKEYWORD\n", "line 2: KEYWORD needs the name it declares"},
        {"ORIGINATOR x\n", "line 1: the file does not start with an identifier line"},
        {std::string("CGATS.17\nNOTE \"a\0b\"\n", 17), "line 2: a NUL byte"},
        {"CGATS.17\n" + format + format, "line 7: a second data format in one table"},
        {"CGATS.17\nBEGIN_DATA_FORMAT\nSAMPLE_ID \"LAB L\"\n",
         "line 3: a field name is empty or holds white space"},
    };
    for (const bad_input& c : cases) {
        std::vector<table> tables(1);
        const auto result = kyr::cgats::read(c.text, tables);
        EXPECT_FALSE(result.ok) << c.text;
        EXPECT_EQ(result.message, c.message) << c.text;
        EXPECT_TRUE(tables.empty());
    }
}

TEST(CgatsTable, ThreeTablesWithTabsQuotesAndComments)
{
    std::vector<table> tables;
    ASSERT_TRUE(kyr::cgats::read(shared_file("FograStrip2.ti1"), tables).ok);
    ASSERT_EQ(tables.size(), 3u);
    const table& first = tables[0];
    EXPECT_EQ(first.identifier, "CTI1");
    EXPECT_EQ(first.keyword("APPROX_WHITE_POINT")->value, "83.77\t87.26\t66.79");
    EXPECT_EQ(first.keyword("ORIGINATOR")->value, "Manualy created for FOGRA strip #2 ");
    EXPECT_EQ(first.header.back().name, "SAMPLE_LOC");
    EXPECT_TRUE(first.header.back().declaration);
    EXPECT_EQ(first.fields.size(), 8u);
    ASSERT_EQ(first.set_count(), 46u);
    EXPECT_EQ(first.value(2, 7), "58.34"); // the line ends in a tab
    EXPECT_EQ(first.value(45, 5), "8.30");
    EXPECT_EQ(first.set_lines[45], 68u);
    EXPECT_EQ(tables[1].keyword("DENSITY_EXTREME_VALUES")->value, "8");
    EXPECT_EQ(tables[2].set_count(), 9u);
    EXPECT_EQ(tables[2].value(7, 7), "0.018813");
}

TEST(CgatsTable, LineEndsAndWrittenTextReadBackAlike)
{
    const std::string lf = "CGATS.17\r\nKEYWORD \"NOTE\"\nNOTE \"two  words\" # why\n" + std::string(k_format)
        + "NUMBER_OF_SETS 2\nBEGIN_DATA\n\"A 1\"\t50.00\n B2  -0.5e1\r\nEND_DATA\r\nCGATS.17\n" + k_format
        + "BEGIN_DATA\n\"\" 1\nEND_DATA";
    std::string cr = lf;
    for (char& c : cr)
        if (c == '\n')
            c = '\r';
    std::vector<table> a, b, c;
    ASSERT_TRUE(kyr::cgats::read(lf, a).ok);
    ASSERT_TRUE(kyr::cgats::read(cr, b).ok);
    const std::string written = kyr::cgats::write(a);
    ASSERT_TRUE(kyr::cgats::read(written, c).ok) << written;
    for (const auto* t : {&b, &c}) {
        ASSERT_EQ(t->size(), 2u);
        EXPECT_EQ((*t)[0].values, (std::vector<std::string>{"A 1", "50.00", "B2", "-0.5e1"}));
        EXPECT_EQ((*t)[0].keyword("NOTE")->value, "two  words");
        EXPECT_EQ((*t)[0].header.size(), 2u);
        EXPECT_EQ((*t)[1].values, (std::vector<std::string>{"", "1"}));
    }
    EXPECT_EQ(kyr::cgats::write(c), written);
    EXPECT_NE(written.find("\"A 1\"\t50.00\n\"B2\"\t-0.5e1\n"), std::string::npos) << written;
}

} // namespace
