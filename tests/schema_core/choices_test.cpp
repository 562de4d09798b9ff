// Choices, substitution groups and type families selected by xsi:type.
#include "schema_test_support.hpp"

#include <kyr/schema/classes.hpp>

#include <gtest/gtest.h>

#include <cstring>

using namespace com_kyrandel_v2;
using schema_test::k_ns;
using schema_test::read_fragment;
using schema_test::recording_reader;
using schema_test::write_fragment;

namespace {

// A writer that records the errors passed to its handler.
class recording_writer : public lmx::c_xml_writer
{
public:
    explicit recording_writer(std::ostream& os) : lmx::c_xml_writer(os, "\t", "\n") {}
    lmx::elmx_error user_handle_error(lmx::elmx_error code, const std::string& item, const char*,
                                      int) override
    {
        items.push_back(item);
        return code;
    }
    std::vector<std::string> items;
};

std::string tolerance(const std::string& function)
{
    return std::string("<Kyr:Tolerance") + k_ns + ">\n\t" + function + "\n</Kyr:Tolerance>\n";
}

TEST(Choices, ValueMembersSwitchTheChosenIndex)
{
    CustomAttributeType_ValueChoice choice;
    EXPECT_EQ(choice.getchosen(), 3);
    EXPECT_FALSE(choice.is_occurs_ok());
    EXPECT_EQ(choice.set_DoubleValue(1.5), lmx::ELMX_OK);
    EXPECT_EQ(choice.getchosen(), CustomAttributeType_ValueChoice::ec_DoubleValue);
    EXPECT_EQ(choice.set_StringValue(L"s"), lmx::ELMX_OK);
    EXPECT_EQ(choice.getchosen(), 2);
    EXPECT_TRUE(choice.is_occurs_ok());
    lmx::elmx_error error;
    const std::string written = write_fragment(choice, "Kyr:ValueChoice", &error);
    EXPECT_EQ(written.substr(written.find('>')),
              ">\n\t<Kyr:StringValue>s</Kyr:StringValue>\n</Kyr:ValueChoice>\n");
    choice.release_choice();
    EXPECT_EQ(choice.getchosen(), CustomAttributeType_ValueChoice::ec_none);
}

TEST(Choices, InlineChoiceIsReadAndWrittenWithoutAnElementOfItsOwn)
{
    const std::string text = std::string("<Kyr:TagValues") + k_ns
        + " UniqueID=\"v\">\n\t<Kyr:Tag></Kyr:Tag>\n\t<Kyr:NumberValue>2.5</Kyr:NumberValue>\n"
          "</Kyr:TagValues>\n";
    TagValue value;
    recording_reader reader(text);
    ASSERT_EQ(read_fragment(value, reader, Kyr::ns_map()), lmx::ELMX_OK);
    EXPECT_EQ(value.get_anon_TextValue().getchosen(), anon_TextValue::ec_NumberValue);
    EXPECT_EQ(value.get_anon_TextValue().get_NumberValue(), 2.5);
    lmx::elmx_error error;
    const std::string written = write_fragment(value, "Kyr:TagValues", &error);
    EXPECT_EQ(error, lmx::ELMX_OK);
    EXPECT_EQ(written.substr(written.find(" UniqueID")),
              " UniqueID=\"v\">\n\t<Kyr:Tag>\n\t\t<Kyr:Category/>\n\t</Kyr:Tag>\n"
              "\t<Kyr:NumberValue>2.5</Kyr:NumberValue>\n</Kyr:TagValues>\n");
}

TEST(Choices, WritingAChoiceWithNothingChosenGoesThroughTheWriterHandler)
{
    anon_TextValue choice;
    std::ostringstream os;
    recording_writer writer(os);
    EXPECT_EQ(choice.marshal(writer), lmx::ELMX_BAD_CHOICE);
    EXPECT_EQ(writer.items, std::vector<std::string>{"anon_TextValue"});
    std::string message;
    EXPECT_EQ(writer.get_error_message(&message), "'anon_TextValue'-Inappropriate choice option selected");

    sg_Substrate holder;
    EXPECT_EQ(holder.marshal(writer), lmx::ELMX_BAD_CHOICE);
    EXPECT_EQ(writer.items.back(), "sg_Substrate");
    EXPECT_EQ(os.str(), "");
}

TEST(Choices, XsiTypeSelectsTheClassThroughTheFactory)
{
    const std::string function =
        "<Kyr:Function xsi:type=\"Kyr:FunctionTolerance\">\n\t\t<Kyr:ToleranceType>df</Kyr:ToleranceType>\n"
        "\t\t<Kyr:Parameters>\n\t\t\t<Kyr:LowValue>1</Kyr:LowValue>\n\t\t</Kyr:Parameters>\n\t</"
        "Kyr:Function>";
    ToleranceType tolerance_type;
    recording_reader reader(tolerance(function));
    ASSERT_EQ(read_fragment(tolerance_type, reader, Kyr::ns_map()), lmx::ELMX_OK);
    const FunctionType& read =
        static_cast<const ToleranceType&>(tolerance_type).get_Function().get_Function();
    EXPECT_EQ(read.getid(), FunctionTolerance::id);
    EXPECT_TRUE(read.has_id(FunctionType::id));
    EXPECT_EQ(static_cast<const FunctionTolerance&>(read).get_ToleranceType(), L"df");

    lmx::elmx_error error;
    EXPECT_EQ(write_fragment(tolerance_type, "Kyr:Tolerance", &error), tolerance(function));
    EXPECT_EQ(error, lmx::ELMX_OK);
}

TEST(Choices, ReassignedIdentityIsReadWhenWriting)
{
    const char* const original = FunctionType::id;
    static const char renamed[] = "FunctionRenamed";
    FunctionType::id = renamed;
    sg_Function holder;
    holder.get_Function();
    FunctionDEType de;
    std::ostringstream os;
    lmx::c_xml_writer writer(os, "", "\n");
    const lmx::elmx_error holder_code = holder.marshal(writer);
    const char* const expected = writer.get_expected_class_identity();
    const bool plain_has_new_identity = FunctionType().has_id(renamed);
    const bool derived_has_new_identity = de.has_id(renamed);
    FunctionType::id = original;
    EXPECT_EQ(holder_code, lmx::ELMX_OK);
    EXPECT_EQ(expected, renamed);
    EXPECT_TRUE(plain_has_new_identity);
    EXPECT_TRUE(derived_has_new_identity);
    EXPECT_FALSE(de.has_id(renamed));
}

} // namespace
