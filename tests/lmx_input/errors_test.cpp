// Error codes, their descriptions, the lexical collector, getter binding and exceptions.
#include <gtest/gtest.h>

#include <string>

#include "input_support.hpp"

using namespace lmx;
using kyr_test::c_chunked_read;
using kyr_test::c_recording_error;

TEST(ErrorDescriptions, EveryCodeHasItsText)
{
    EXPECT_STREQ(get_error_description(ELMX_OK), "No Error");
    EXPECT_STREQ(get_error_description(ELMX_NO_FILE), "Unable to open file");
    EXPECT_STREQ(get_error_description(ELMX_BAD_CHAR_ENCODING), "XML character encoding not supported");
    EXPECT_STREQ(get_error_description(ELMX_ENCODING_MISMATCH),
                 "Mis-match between specified char encoding and read bytes");
    EXPECT_STREQ(get_error_description(ELMX_REQUIRED_ATTRIBUTES_MISSING), "Required attribute(s) missing");
    EXPECT_STREQ(get_error_description(ELMX_UNKNOWN_ELEMENT_IN_COMPLEX_CONTENT), "Unknown element in complexContent");
    EXPECT_STREQ(get_error_description(ELMX_OCCURRENCE_ERROR_ON_MARSHAL), "min/max occurs error on marshaling");
    EXPECT_STREQ(get_error_description(ELMX_USER_DEFINED_1), "User defined error 1");
    EXPECT_STREQ(get_error_description(ELMX_USER_DEFINED_9), "User defined error 9");
}

TEST(ErrorDescriptions, ValuesOutsideTheTableAreEmptyNotNull)
{
    for (int v : {-1, 47, 999, 1009, 123456}) {
        const char* text = get_error_description(static_cast<elmx_error>(v));
        ASSERT_NE(text, nullptr) << v;
        EXPECT_STREQ(text, "") << v;
    }
}

TEST(ErrorDescriptions, LibraryCodesAreDenseAndUserCodesFollow)
{
    int described = 0;
    for (int v = 0; v < 1100; ++v)
        if (*get_error_description(static_cast<elmx_error>(v)))
            ++described;
    EXPECT_EQ(described, 56);
    EXPECT_EQ(static_cast<int>(ELMX_OCCURRENCE_ERROR_ON_MARSHAL), 46);
    EXPECT_EQ(static_cast<int>(ELMX_USER_DEFINED_9), 1008);
    EXPECT_EQ(sizeof(elmx_error), 4u);
    EXPECT_EQ(sizeof(elmx_error_type), 4u);
}

TEST(ErrorCollector, StartsEmpty)
{
    c_error e;
    EXPECT_FALSE(e.is_errored());
    EXPECT_FALSE(e.is_fatal_errored());
    elmx_error_type type = ELMX_ERROR_TYPE_FATAL;
    elmx_error code = ELMX_BAD_DTD;
    int line = 7;
    EXPECT_FALSE(e.get_error_info(&type, &code, &line));
    EXPECT_EQ(type, ELMX_ERROR_TYPE_FATAL);
    EXPECT_EQ(code, ELMX_BAD_DTD);
    EXPECT_EQ(line, 7);
    EXPECT_EQ(e.get_last_error_type(), ELMX_ERROR_TYPE_NONE);
    EXPECT_EQ(e.get_last_line(), -1);
    EXPECT_EQ(e.get_current_getter(), nullptr);
}

TEST(ErrorCollector, FatalEndsRecording)
{
    c_recording_error e;
    e.error(ELMX_ERROR_TYPE_FATAL, ELMX_BAD_DTD, "src", 3, "first");
    e.error(ELMX_ERROR_TYPE_ERROR, ELMX_NOT_WELL_FORMED, "src", 9, "second");
    e.error(ELMX_ERROR_TYPE_FATAL, ELMX_BAD_XML_DECL, "src", 10, "third");
    elmx_error_type type;
    elmx_error code;
    int line;
    ASSERT_TRUE(e.get_error_info(&type, &code, &line));
    EXPECT_EQ(type, ELMX_ERROR_TYPE_FATAL);
    EXPECT_EQ(code, ELMX_BAD_DTD);
    EXPECT_EQ(line, 3);
    EXPECT_EQ(e.get_error_count(), 1);
    EXPECT_EQ(e.get_fatal_count(), 1);
    EXPECT_TRUE(e.is_fatal_errored());
    ASSERT_EQ(e.reports.size(), 1u);
    EXPECT_EQ(e.reports[0].message, "first");
    EXPECT_EQ(e.reports[0].source_id, "src");
}

TEST(ErrorCollector, CountsBySeverity)
{
    c_recording_error e;
    e.error(ELMX_ERROR_TYPE_WARNING, ELMX_BAD_COMMENT, nullptr, 1, "w");
    EXPECT_FALSE(e.is_errored());
    elmx_error_type type;
    elmx_error code;
    int line;
    ASSERT_TRUE(e.get_error_info(&type, &code, &line));
    EXPECT_EQ(type, ELMX_ERROR_TYPE_WARNING);
    EXPECT_EQ(code, ELMX_BAD_COMMENT);
    EXPECT_EQ(line, 1);

    e.error(ELMX_ERROR_TYPE_MINOR, ELMX_BAD_COMMENT, nullptr, 2, "m");
    e.error(static_cast<elmx_error_type>(ELMX_ERROR_TYPE_NONE), ELMX_BAD_DTD, nullptr, 3, "n");
    EXPECT_EQ(e.get_warning_count(), 2);
    EXPECT_EQ(e.get_minor_count(), 1);
    EXPECT_EQ(e.get_error_count(), 0);
    EXPECT_FALSE(e.is_errored());
    // A report of type none counts nowhere but is still the last one and still passed on.
    EXPECT_EQ(e.get_last_error(), ELMX_BAD_DTD);
    EXPECT_EQ(e.reports.size(), 3u);

    e.error(ELMX_ERROR_TYPE_ERROR, ELMX_BAD_DTD, nullptr, 4, "e");
    EXPECT_TRUE(e.is_errored());
    EXPECT_FALSE(e.is_fatal_errored());
}

TEST(ErrorCollector, ErrorWithCodeOkCountsButIsNotInfo)
{
    c_error e;
    e.error(ELMX_ERROR_TYPE_ERROR, ELMX_OK, nullptr, 5, "odd");
    EXPECT_TRUE(e.is_errored());
    elmx_error_type type;
    elmx_error code;
    int line;
    EXPECT_FALSE(e.get_error_info(&type, &code, &line));
}

TEST(ErrorCollector, CopiesEveryField)
{
    c_error a;
    c_chunked_read src("<x/>");
    c_get_as_utf8 decoder(src, a);
    a.error(ELMX_ERROR_TYPE_MINOR, ELMX_BAD_COMMENT, nullptr, 8, "m");
    c_error b(a);
    EXPECT_EQ(b.get_current_getter(), &decoder);
    EXPECT_EQ(b.get_minor_count(), 1);
    EXPECT_EQ(b.get_warning_count(), 1);
    EXPECT_EQ(b.get_last_line(), 8);
    c_error c;
    c = a;
    EXPECT_EQ(c.get_current_getter(), &decoder);
    EXPECT_EQ(c.get_last_error(), ELMX_BAD_COMMENT);
}

TEST(ErrorCollector, ShortFormWithoutGetterHasNoSourceAndLineMinusOne)
{
    c_recording_error e;
    e.error(ELMX_ERROR_TYPE_ERROR, ELMX_BAD_DTD, "msg");
    ASSERT_EQ(e.reports.size(), 1u);
    EXPECT_EQ(e.reports[0].source_id, "(null)");
    EXPECT_EQ(e.reports[0].line, -1);
    EXPECT_EQ(e.get_last_line(), -1);
}

TEST(GetterBinding, NestedDecodersRestoreTheOuterLines)
{
    c_recording_error e;
    c_chunked_read outer_src("<a>\n\n\n", 1, "outer");
    c_get_as_utf8 outer(outer_src, e);
    while (outer.get() >= 0) {
    }
    EXPECT_EQ(outer.get_line_num(), 4);
    {
        c_chunked_read inner_src("<b>\n", 1, "inner");
        c_get_as_utf8 inner(inner_src, e);
        inner.get();
        e.error(ELMX_ERROR_TYPE_WARNING, ELMX_BAD_COMMENT, "from inner");
        while (inner.get() >= 0) {
        }
        e.error(ELMX_ERROR_TYPE_WARNING, ELMX_BAD_COMMENT, "inner at end");
    }
    e.error(ELMX_ERROR_TYPE_WARNING, ELMX_BAD_COMMENT, "outer again");
    ASSERT_EQ(e.reports.size(), 3u);
    EXPECT_EQ(e.reports[0].source_id, "inner");
    EXPECT_EQ(e.reports[0].line, 1);
    EXPECT_EQ(e.reports[1].line, 2);
    EXPECT_EQ(e.reports[2].source_id, "outer");
    EXPECT_EQ(e.reports[2].line, 4);
    EXPECT_EQ(e.get_current_getter(), &outer);
}

TEST(GetterBinding, BinderActsOnFirstBindOnlyAndRestoresOnDestruction)
{
    c_error e;
    c_chunked_read s1("<"), s2("<");
    c_get_as_utf8 g1(s1, e);
    {
        c_chunked_read s3("<");
        c_error other;
        c_get_as_utf8 g2(s2, other);
        c_get_as_utf8 g3(s3, other);
        c_getter_error_binder binder(e);
        EXPECT_EQ(binder.get_getter(), nullptr);
        binder.bind(&g2);
        binder.bind(&g3);
        EXPECT_EQ(e.get_current_getter(), &g2);
        EXPECT_EQ(binder.get_previous_getter(), &g1);
        EXPECT_EQ(other.get_current_getter(), &g3);
    }
    EXPECT_EQ(e.get_current_getter(), &g1);
    {
        c_getter_error_binder unbound(e);
    }
    EXPECT_EQ(e.get_current_getter(), &g1);
}

TEST(Exceptions, CarryCodeTextAndLine)
{
    c_lmx_exception a(ELMX_BAD_DTD);
    EXPECT_STREQ(a.what(), "Badly formed DTD");
    EXPECT_EQ(a.get_error(), ELMX_BAD_DTD);
    c_lmx_exception unknown(static_cast<elmx_error>(47));
    EXPECT_STREQ(unknown.what(), "");

    c_lmx_reader_exception r(ELMX_ELEMENT_NOT_FOUND, 12);
    c_lmx_reader_exception copy(r);
    EXPECT_EQ(copy.get_line(), 12);
    const c_lmx_exception& base = copy;
    EXPECT_STREQ(base.what(), "Element not found");
    c_lmx_reader_exception assigned(ELMX_OK, 0);
    assigned = r;
    EXPECT_EQ(assigned.get_line(), 12);
    EXPECT_EQ(assigned.get_error(), ELMX_ELEMENT_NOT_FOUND);
    try {
        throw c_lmx_reader_exception(ELMX_BAD_END_TAG, 3);
    } catch (const c_lmx_exception& caught) {
        EXPECT_STREQ(caught.what(), "Syntax error in end tag");
    }
}
