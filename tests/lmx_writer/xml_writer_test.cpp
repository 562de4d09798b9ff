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

TEST(WriterDeclaration, UsesTheLineEndText)
{
    std::ostringstream os;
    c_xml_writer writer(os, c_xml_writer::include_xml_decl, "  ", "\r\n");
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n", os.str());
}

TEST(WriterDeclaration, ConstructorWithoutOptionsWritesNothing)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    EXPECT_EQ("", os.str());
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

TEST(WriterIndentation, EndlWritesNothingAndReturnsTheBorrowedText)
{
    std::ostringstream os;
    const char* nl = "\n";
    c_xml_writer writer(os, "\t", nl);
    EXPECT_EQ(nl, writer.endl());
    EXPECT_EQ("", os.str());
    EXPECT_EQ(&os, &writer(false));
    EXPECT_EQ(&os, &writer.get_stream());
}

TEST(WriterIndentation, NestAndEndlCanBeOverridden)
{
    struct c_marked_writer : c_xml_writer
    {
        using c_xml_writer::c_xml_writer;
        void nest() override { (*this)(false) << "[>]"; }
        const char* endl() override { return "<EOL>"; }
    };
    std::ostringstream os;
    c_marked_writer writer(os, "\t", "\n");
    writer.indent();
    writer.indent();
    writer(true) << "v" << writer.endl();
    EXPECT_EQ("[>][>]v<EOL>", os.str());
}

TEST(WriterNamespaces, MapAndXsiOnTheFirstElementOnly)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    EXPECT_EQ(std::string("<Kyr:Kyr xmlns:Kyr=\"") + k_kyr_uri + "\"" + k_xsi_decl + ">",
              root_start_tag(writer, os, k_kyr_map, true));
    EXPECT_EQ("<Kyr:Kyr>", root_start_tag(writer, os, k_kyr_map, true));
}

TEST(WriterNamespaces, ReenableWritesThemAgain)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    writer.add_namespace("x", "urn:x");
    root_start_tag(writer, os, k_kyr_map, true);
    writer.reenable_ns_map_output();
    EXPECT_EQ(nullptr, writer.get_namespace_prefix(k_kyr_uri));
    // The next element's map is selected; the added namespaces stay.
    EXPECT_EQ(std::string("<Kyr:Kyr xmlns=\"urn:default\" xmlns:b=\"urn:b\" xmlns:x=\"urn:x\"") + k_xsi_decl + ">",
              root_start_tag(writer, os, k_two_entry_map, true));
}

TEST(WriterNamespaces, OutermostMapWins)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    writer.conditionally_select_ns_map(k_kyr_map);
    writer.conditionally_select_ns_map(k_two_entry_map);
    EXPECT_STREQ("Kyr", writer.get_namespace_prefix(k_kyr_uri));
    EXPECT_EQ(nullptr, writer.get_namespace_prefix("urn:b"));
}

TEST(WriterNamespaces, EmptyPrefixGivesPlainXmlns)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    writer.add_default_namespace("urn:added");
    EXPECT_EQ("<Kyr:Kyr xmlns=\"urn:default\" xmlns:b=\"urn:b\" xmlns=\"urn:added\">",
              root_start_tag(writer, os, k_two_entry_map, false));
}

TEST(WriterNamespaces, NoMapSelectedActsAsAnEmptyMap)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    writer.add_namespace("p", "urn:p");
    writer.conditionally_write_ns_attrs(false);
    EXPECT_EQ(" xmlns:p=\"urn:p\"", os.str());
    EXPECT_STREQ("p", writer.get_namespace_prefix("urn:p"));
    EXPECT_EQ(nullptr, writer.get_namespace_prefix(k_kyr_uri));
}

TEST(WriterNamespaces, ValuesAreWrittenRaw)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    writer.add_namespace("q", "urn:a&b");
    writer.conditionally_write_ns_attrs(false);
    EXPECT_EQ(" xmlns:q=\"urn:a&b\"", os.str());
}

TEST(WriterSchemaLocations, PairsSeparatedByBlanks)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    writer.add_schema_location("urn:a", "a.xsd");
    writer.add_schema_location("urn:b", "b.xsd");
    writer.add_schema_location("", "ignored-empty-ns.xsd");
    EXPECT_EQ(std::string("<Kyr:Kyr xmlns:Kyr=\"") + k_kyr_uri + "\"" + k_xsi_decl +
                  " xsi:schemaLocation=\"urn:a a.xsd urn:b b.xsd  ignored-empty-ns.xsd\">",
              root_start_tag(writer, os, k_kyr_map, true));
}

TEST(WriterSchemaLocations, NoNamespaceLocationUsesTheFirstPairOnly)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    writer.add_no_namespace_schema_location("kyr.xsd");
    writer.add_schema_location("urn:a", "a.xsd");
    EXPECT_EQ(std::string("<Kyr:Kyr xmlns:Kyr=\"") + k_kyr_uri + "\"" + k_xsi_decl +
                  " xsi:noNamespaceSchemaLocation=\"kyr.xsd\">",
              root_start_tag(writer, os, k_kyr_map, true));
}

TEST(WriterSchemaLocations, DeclareXsiEvenWithoutForce)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    writer.add_schema_location("urn:a", "a.xsd");
    EXPECT_EQ(std::string("<Kyr:Kyr xmlns:Kyr=\"") + k_kyr_uri + "\"" + k_xsi_decl +
                  " xsi:schemaLocation=\"urn:a a.xsd\">",
              root_start_tag(writer, os, k_kyr_map, false));
}

TEST(WriterSchemaLocations, NoXsiWithoutForceOrLocations)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    EXPECT_EQ(std::string("<Kyr:Kyr xmlns:Kyr=\"") + k_kyr_uri + "\">", root_start_tag(writer, os, k_kyr_map, false));
}

TEST(WriterNamespacePrefix, MapFirstThenAddedExactMatch)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    writer.add_namespace("dup", "urn:b");
    writer.add_namespace("x", "urn:x");
    writer.add_namespace("x2", "urn:x");
    writer.add_default_namespace("urn:d");
    writer.conditionally_select_ns_map(k_two_entry_map);
    EXPECT_STREQ("b", writer.get_namespace_prefix("urn:b"));
    EXPECT_STREQ("x", writer.get_namespace_prefix("urn:x"));
    const char* default_prefix = writer.get_namespace_prefix("urn:default");
    ASSERT_NE(nullptr, default_prefix);
    EXPECT_STREQ("", default_prefix);
    ASSERT_NE(nullptr, writer.get_namespace_prefix("urn:d"));
    EXPECT_STREQ("", writer.get_namespace_prefix("urn:d"));
    EXPECT_EQ(nullptr, writer.get_namespace_prefix("urn:"));
    EXPECT_EQ(nullptr, writer.get_namespace_prefix("urn:bb"));
    EXPECT_EQ(nullptr, writer.get_namespace_prefix(""));
}

TEST(WriterClassIdentity, SetGetClear)
{
    static const char base_identity[] = "ColorSpaceType";
    static const char same_text_elsewhere[] = "ColorSpaceType";
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    EXPECT_EQ(nullptr, writer.get_expected_class_identity());
    writer.set_expected_class_identity(base_identity);
    EXPECT_EQ(base_identity, writer.get_expected_class_identity());
    // Identities are addresses: an equal text elsewhere is another identity.
    EXPECT_NE(same_text_elsewhere, writer.get_expected_class_identity());
    writer.clear_expected_class_identity();
    EXPECT_EQ(nullptr, writer.get_expected_class_identity());
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
        elmx_error user_handle_error(elmx_error code, const std::string& item, const char* file, int line) override
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

TEST(WriterErrors, ErrorInfoComesFromTheCollectorOnly)
{
    std::ostringstream os;
    c_xml_writer writer(os, "\t", "\n");
    elmx_error_type type = ELMX_ERROR_TYPE_NONE;
    elmx_error code = ELMX_OK;
    int line = 0;
    writer.handle_error(ELMX_BAD_CHOICE, "x", "f", 1);
    EXPECT_FALSE(writer.get_error_info(&type, &code, &line));
    EXPECT_EQ(0, line);
    writer.get_error_collector().error(ELMX_ERROR_TYPE_WARNING, ELMX_VALUE_BAD_FORMAT, "src", 9, "msg");
    EXPECT_TRUE(writer.get_error_info(&type, &code, &line));
    EXPECT_EQ(ELMX_ERROR_TYPE_WARNING, type);
    EXPECT_EQ(ELMX_VALUE_BAD_FORMAT, code);
    EXPECT_EQ(9, line);
}

TEST(WriterDocument, GeneratedMarshalShape)
{
    std::ostringstream os;
    c_xml_writer writer(os, c_xml_writer::include_xml_decl, "\t", "\n");
    static const char identity_base[] = "ColorSpaceType";
    static const char identity_lab[] = "ColorSpaceCIELabType";
    const std::wstring name = L"Rot & \u00dcbergang";
    writer(true) << "<Kyr:Kyr";
    writer.conditionally_select_ns_map(k_kyr_map);
    writer.conditionally_write_ns_attrs(true);
    writer(false) << " Name=\"" << c_as_xml(name) << "\"";
    writer(false) << ">" << writer.endl();
    writer.indent();
    writer.set_expected_class_identity(identity_base);
    writer(true) << "<Kyr:ColorSpaceCIELab";
    writer.conditionally_select_ns_map(k_kyr_map);
    writer.conditionally_write_ns_attrs(true);
    if (writer.get_expected_class_identity() != nullptr && writer.get_expected_class_identity() != identity_lab) {
        writer(false) << " xsi:type=\"Kyr:ColorSpaceCIELabType\"";
        writer.clear_expected_class_identity();
    }
    writer(false) << ">" << writer.endl();
    writer.indent();
    writer(true) << "<Kyr:L>" << c_as_xml(53.2) << "</Kyr:L>" << writer.endl();
    writer(true) << "<Kyr:Flag>" << c_as_xml(true) << "</Kyr:Flag>" << writer.endl();
    writer.undent();
    writer(true) << "</Kyr:ColorSpaceCIELab>" << writer.endl();
    writer.undent();
    writer(true) << "</Kyr:Kyr>" << writer.endl();
    EXPECT_EQ(std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<Kyr:Kyr xmlns:Kyr=\"") +
                  k_kyr_uri + "\"" + k_xsi_decl +
                  " Name=\"Rot &amp; \xC3\x9C" "bergang\">\n"
                  "\t<Kyr:ColorSpaceCIELab xsi:type=\"Kyr:ColorSpaceCIELabType\">\n"
                  "\t\t<Kyr:L>53.2</Kyr:L>\n"
                  "\t\t<Kyr:Flag>true</Kyr:Flag>\n"
                  "\t</Kyr:ColorSpaceCIELab>\n"
                  "</Kyr:Kyr>\n",
              os.str());
    EXPECT_EQ(nullptr, writer.get_expected_class_identity());
}
