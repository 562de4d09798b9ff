// The binding error channel: handle_error, the overridable hooks and the reader's message.
#include "reader_fixture.hpp"

using namespace lmx;

namespace {

// Swallows one chosen code, records every call.
class c_forgiving_reader : public c_xml_reader
{
public:
    explicit c_forgiving_reader(c_read& source) : c_xml_reader(source) {}
    elmx_error user_handle_error(elmx_error code, const std::string& item, const char* file, int line) override
    {
        m_calls += item + "@" + (file ? file : "") + ":" + std::to_string(line) + ";";
        return c_xml_reader::user_handle_error(code, item, file, line);
    }
    elmx_error user_handle_error(elmx_error code) override
    {
        return code == m_swallowed ? ELMX_OK : code;
    }
    elmx_error m_swallowed = ELMX_VALUE_EXCEEDS_MAX;
    std::string m_calls;
};

std::string message_of(const c_xml_reader& reader)
{
    std::string text = "stale";
    const std::string& returned = reader.get_error_message(&text);
    EXPECT_EQ(&returned, &text);
    return text;
}

class ErrorHooks : public reader_test::c_reader_fixture
{
};
KYR_READER_FEEDS(ErrorHooks);

TEST_P(ErrorHooks, DefaultHookKeepsTheCode)
{
    open(std::string(11, '\n') + "<ColorValues/>\n");
    EXPECT_EQ(message_of(reader()), "No Error");
    EXPECT_EQ(reader().get_error_item_name(), "");
    ASSERT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(reader().handle_error(ELMX_ELEMENT_NOT_FOUND, "ColorValues", __FILE__, __LINE__),
              ELMX_ELEMENT_NOT_FOUND);
    EXPECT_EQ(reader().get_error_item_name(), "ColorValues");
    EXPECT_EQ(message_of(reader()), "line:12-'ColorValues'-Element not found");
}

TEST_P(ErrorHooks, MessageUsesTheLineWhenItIsBuilt)
{
    open("<a>\n\n\n<b/></a>");
    ASSERT_EQ(next(), ELXP_NAME);
    reader().handle_error(ELMX_BAD_CHOICE, "a", nullptr, 0);
    EXPECT_EQ(message_of(reader()), "line:1-'a'-Inappropriate choice option selected");
    attributes();
    next();
    EXPECT_EQ(message_of(reader()), "line:4-'a'-Inappropriate choice option selected");
}

TEST_P(ErrorHooks, SwallowedErrorReadsNoError)
{
    const std::string doc = "<a/>";
    auto source = reader_test::make_source(doc, GetParam());
    c_forgiving_reader forgiving(*source);
    EXPECT_EQ(forgiving.handle_error(ELMX_VALUE_EXCEEDS_MAX, "Max", "gen.cpp", 7), ELMX_OK);
    EXPECT_EQ(forgiving.get_handled_error(), ELMX_OK);
    EXPECT_EQ(forgiving.get_error_item_name(), "Max");
    EXPECT_EQ(message_of(forgiving), "No Error");
    EXPECT_EQ(forgiving.handle_error(ELMX_USER_DEFINED_9, "User", "gen.cpp", 8), ELMX_USER_DEFINED_9);
    EXPECT_EQ(message_of(forgiving), "line:1-'User'-User defined error 9");
    EXPECT_EQ(forgiving.m_calls, "Max@gen.cpp:7;User@gen.cpp:8;");
}

TEST_P(ErrorHooks, LexicalChannelIsSeparate)
{
    open("<a>\n<b x=1/></a>");
    elmx_error_type type = ELMX_ERROR_TYPE_NONE;
    elmx_error code = ELMX_OK;
    int line = 0;
    EXPECT_FALSE(reader().get_error_info(&type, &code, &line));
    EXPECT_EQ(line, 0);
    ASSERT_EQ(next(), ELXP_NAME);
    attributes();
    EXPECT_EQ(next(), ELXP_ERROR);
    EXPECT_EQ(reader().get_error(), ELMX_NOT_WELL_FORMED);
    EXPECT_TRUE(reader().get_error_info(&type, &code, &line));
    EXPECT_EQ(type, ELMX_ERROR_TYPE_FATAL);
    EXPECT_EQ(code, ELMX_NOT_WELL_FORMED);
    EXPECT_EQ(line, 2);
    // The binding channel has not been told.
    EXPECT_EQ(message_of(reader()), "No Error");
}

TEST_P(ErrorHooks, WarningsDoNotFailEvents)
{
    open("<a><!-- three dashes ---><b/></a>");
    ASSERT_EQ(next(), ELXP_NAME);
    attributes();
    EXPECT_EQ(next(), ELXP_NAME);
    EXPECT_EQ(m_name, "b");
    EXPECT_EQ(reader().get_error(), ELMX_BAD_COMMENT);
    EXPECT_FALSE(errors().is_errored());
}

} // namespace
