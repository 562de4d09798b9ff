// c_xml_writer: declaration, indentation, namespace declarations, class
// identity and error hooks.
#include <kyr/lmx/output.hpp>
#include <kyr/lmx/xml_writer.hpp>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using namespace lmx;

namespace {

const char k_kyr_uri[] = "http://colour.example/v2";
const s_ns_map k_kyr_map[] = {{1000, "Kyr", k_kyr_uri}, {0, nullptr, nullptr}};
const s_ns_map k_two_entry_map[] = {{1000, "", "urn:default"}, {1001, "b", "urn:b"}, {0, nullptr, nullptr}};
const char k_xsi_decl[] = " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"";

// Writes the start of a root element the way generated marshal code does.
std::string root_start_tag(c_xml_writer& writer, std::ostringstream& os, const s_ns_map* map, bool force_xsi)
{
    os.str("");
    writer(true) << "<Kyr:Kyr";
    writer.conditionally_select_ns_map(map);
    writer.conditionally_write_ns_attrs(force_xsi);
    writer(false) << ">";
    return os.str();
}

} // namespace

TEST(WriterDeclaration, ByOptionBits)
{
    const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    const std::string standalone = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    const struct
    {
        int options;
        std::string expected;
    } cases[] = {{0, ""},
                 {c_xml_writer::include_xml_decl, declaration},
                 {c_xml_writer::include_standalone, standalone},
                 {3, standalone},
                 {4, ""},
                 {5, declaration}};
    for (const auto& c : cases) {
        std::ostringstream os;
        c_xml_writer writer(os, c.options, "\t", "\n");
        EXPECT_EQ(c.expected, os.str()) << c.options;
    }
}

TEST(WriterIndentation, OneTabTextPerLevel)
{
    std::ostringstream os;
    c_xml_writer writer(os, "--", "|");
    writer(true) << "a" << writer.endl();
    writer.indent();
    writer(true) << "b" << writer.endl();
    writer.indent();
    writer(true) << "c";
    writer(false) << "d" << writer.endl();
    writer.undent();
    writer(true) << "e" << writer.endl();
    EXPECT_EQ("a|--b|----cd|--e|", os.str());
    EXPECT_EQ(1, writer.get_indent());
}

// Buffered lines, at every depth a fixed-size copy may or may not reach and wherever in
// the buffer they start (its size is 16384).
TEST(WriterIndentation, BufferedLinesAtAnyDepthAndPlace)
{
    for (const char* tab : {"\t", "--", ""})
        for (int depth : {0, 1, 16, 17, 31, 32, 33, 40})
            for (std::size_t filler : {0, 16350, 16383, 16384, 16385}) {
                std::ostringstream os;
                {
                    c_xml_writer writer(os, tab, "\r\n");
                    c_xml_writer::c_output_scope scope(writer);
                    writer.write(std::string(filler, 'x').c_str());
                    for (int level = 0; level < depth; ++level)
                        writer.indent();
                    writer.start_line();
                    writer.write('<');
                    writer.end_line();
                }
                std::string expected(filler, 'x');
                for (int level = 0; level < depth; ++level)
                    expected += tab;
                EXPECT_EQ(expected + "<\r\n", os.str()) << tab << depth << ' ' << filler;
            }
}

TEST(WriterIndentation, UndentStopsAtZero)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    writer.undent();
    writer.undent();
    EXPECT_EQ(0, writer.get_indent());
    writer(true) << "x";
    EXPECT_EQ("x", os.str());
    writer.indent();
    writer(true) << "y";
    EXPECT_EQ("x\ty", os.str());
}

TEST(WriterNamespaces, MapAndXsiOnTheFirstElementOnly)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    EXPECT_EQ(std::string("<Kyr:Kyr xmlns:Kyr=\"") + k_kyr_uri + "\"" + k_xsi_decl + ">",
              root_start_tag(writer, os, k_kyr_map, true));
    EXPECT_EQ("<Kyr:Kyr>", root_start_tag(writer, os, k_kyr_map, true));
}

TEST(WriterSchemaLocations, PairsSeparatedByBlanks)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    writer.add_schema_location("urn:a", "a.xsd");
    writer.add_schema_location("urn:b", "b.xsd");
    writer.add_schema_location("", "ignored-empty-ns.xsd");
    EXPECT_EQ(std::string("<Kyr:Kyr xmlns:Kyr=\"") + k_kyr_uri + "\"" + k_xsi_decl
                  + " xsi:schemaLocation=\"urn:a a.xsd urn:b b.xsd  ignored-empty-ns.xsd\">",
              root_start_tag(writer, os, k_kyr_map, true));
}

TEST(WriterErrors, DefaultHooksKeepTheCode)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    std::string message;
    EXPECT_EQ("No Error", writer.get_error_message(&message));
    EXPECT_EQ(ELMX_BAD_CHOICE, writer.handle_error(ELMX_BAD_CHOICE, "sg_ColorSpace", __FILE__, __LINE__));
    EXPECT_EQ(&message, &writer.get_error_message(&message));
    EXPECT_EQ("'sg_ColorSpace'-Inappropriate choice option selected", message);
    EXPECT_EQ("sg_ColorSpace", writer.get_error_item_name());
    EXPECT_EQ(ELMX_TYPE_NOT_SET, writer.handle_error(ELMX_TYPE_NOT_SET, "ColorSpaceType", "x.cpp", 1));
    EXPECT_EQ("'ColorSpaceType'-Type not set", writer.get_error_message(&message));
    EXPECT_EQ("", os.str());
}

TEST(WriterErrors, UserHookCanReplaceOrSwallow)
{
    struct c_swallowing_writer : c_xml_writer
    {
        using c_xml_writer::c_xml_writer;
        elmx_error user_handle_error(elmx_error code, const std::string& item, const char* file,
                                     int line) override
        {
            seen = item + "@" + file + ":" + std::to_string(line) + "#" + std::to_string(code);
            return ELMX_OK;
        }
        std::string seen;
    };
    std::ostringstream os;
    c_swallowing_writer writer(os, "\t", "\n");
    EXPECT_EQ(ELMX_OK, writer.handle_error(ELMX_OCCURRENCE_ERROR_ON_MARSHAL, "Header", "gen.cpp", 42));
    EXPECT_EQ("Header@gen.cpp:42#46", writer.seen);
    std::string message;
    EXPECT_EQ("No Error", writer.get_error_message(&message));
    EXPECT_EQ("Header", writer.get_error_item_name());

    struct c_replacing_writer : c_xml_writer
    {
        using c_xml_writer::c_xml_writer;
        elmx_error user_handle_error(elmx_error) override { return ELMX_USER_DEFINED_3; }
    };
    c_replacing_writer replacing(os, "\t", "\n");
    EXPECT_EQ(ELMX_USER_DEFINED_3, replacing.handle_error(ELMX_BAD_CHOICE, "Choice", "gen.cpp", 7));
    EXPECT_EQ("'Choice'-User defined error 3", replacing.get_error_message(&message));
}
