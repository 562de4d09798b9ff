// The argument and result conversions of the flat exports, called as a C#
// caller would: raw pointers, UTF-16 arguments and COM string results.
#include "flat_exports.hpp"
#include "flat_recorder.hpp"

#include <kyr/lmx/error.hpp>
#include <kyr/schema/classes/ColorSpaceCIELabType.hpp>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Byte count before a COM string, as the managed side reads it.
std::uint32_t prefix(const char16_t* text)
{
    std::uint32_t bytes;
    std::memcpy(&bytes, reinterpret_cast<const unsigned char*>(text) - 4, 4);
    return bytes;
}

// Frees a COM string the way the managed runtime does on Linux.
void free_com_string(char16_t* text)
{
    std::free(reinterpret_cast<unsigned char*>(text) - 4);
}

std::u16string take_wide(char16_t* text)
{
    std::u16string out(text, prefix(text) / 2);
    EXPECT_EQ(0, text[out.size()]) << "terminator";
    free_com_string(text);
    return out;
}

std::string take_narrow(char16_t* text)
{
    const char* bytes = reinterpret_cast<const char*>(text);
    std::string out(bytes, prefix(text));
    EXPECT_EQ(0, bytes[out.size()]);
    EXPECT_EQ(0, bytes[out.size() + 1]) << "two-byte terminator";
    free_com_string(text);
    return out;
}

class conversions : public flat_test
{};

TEST_F(conversions, wide_results_are_com_strings_of_utf16_units)
{
    const char16_t text[] = u"h\u00e9 \U0001F600";
    void* result = CSharp_new_XMLDocumentResult(text, 46);
    char16_t* got = CSharp_XMLDocumentResult_getXmlDocument(result);
    EXPECT_EQ(10u, prefix(got)) << "five UTF-16 units, the surrogate pair counting two";
    EXPECT_EQ(std::u16string(text), take_wide(got));
    EXPECT_EQ(46, CSharp_XMLDocumentResult_getElmxError(result));
    CSharp_delete_XMLDocumentResult(result);

    void* empty = CSharp_new_XMLDocumentResult(nullptr, 0);
    char16_t* none = CSharp_XMLDocumentResult_getXmlDocument(empty);
    EXPECT_EQ(0u, prefix(none));
    EXPECT_EQ(u"", take_wide(none));
    CSharp_delete_XMLDocumentResult(empty);
    EXPECT_TRUE(raised_callbacks().empty());
}

TEST_F(conversions, narrow_results_keep_their_bytes)
{
    void* info = CSharp_new_c_any_info__SWIG_1("urn:a", "n\xc3\xa9", "<x/>");
    EXPECT_EQ("n\xc3\xa9", take_narrow(CSharp_c_any_info_get_name(info)));
    EXPECT_EQ("<x/>", take_narrow(CSharp_c_any_info_get_value(info)));
    CSharp_c_any_info_set_value(info, "");
    char16_t* empty = CSharp_c_any_info_get_value(info);
    EXPECT_EQ(0u, prefix(empty));
    EXPECT_EQ("", take_narrow(empty));
    CSharp_delete_c_any_info(info);
}

TEST_F(conversions, refused_arguments_raise_one_message_and_give_zero)
{
    EXPECT_EQ(nullptr, CSharp_new_Kyr__SWIG_1(nullptr));
    EXPECT_EQ("com_kyrandel_v2::Kyr const & type is null", only_argument_null());

    void* document = CSharp_new_Kyr__SWIG_0();
    CSharp_Kyr_swap(document, nullptr);
    EXPECT_EQ("com_kyrandel_v2::Kyr & type is null", only_argument_null());
    CSharp_delete_Kyr(document);

    void* header = CSharp_new_Header__SWIG_0();
    EXPECT_EQ(0, CSharp_Header_insert_ChangeHistory(header, 0, nullptr));
    EXPECT_EQ("lmx::tc_datetime const & type is null", only_argument_null());
    EXPECT_EQ(0u, CSharp_Header_size_ChangeHistory(header));
    CSharp_delete_Header(header);

    void* pattern = CSharp_new_c_pattern("[a-z]+");
    EXPECT_EQ(0u, CSharp_c_pattern_is_match__SWIG_0(pattern, nullptr));
    EXPECT_EQ("null string", only_argument_null());
    EXPECT_EQ(1u, CSharp_c_pattern_is_match__SWIG_0(pattern, "abc"));
    EXPECT_EQ(0u, CSharp_c_pattern_is_match__SWIG_0(pattern, "ABC"));
    CSharp_delete_c_pattern(pattern);
    EXPECT_EQ(nullptr, CSharp_new_c_pattern(nullptr));
    EXPECT_EQ("null string", only_argument_null());
}

TEST_F(conversions, numbers_enumerations_and_booleans)
{
    void* rgb = CSharp_new_ColorSpaceAdobeRGBType__SWIG_0();
    EXPECT_EQ(0, CSharp_ColorSpaceAdobeRGBType_set_Red(rgb, 0.25));
    EXPECT_EQ(0.25, CSharp_ColorSpaceAdobeRGBType_get_Red(rgb));
    EXPECT_EQ(0u, CSharp_ColorSpaceAdobeRGBType_setenum_ColorDepth(rgb, 0));
    EXPECT_EQ(1u, CSharp_ColorSpaceAdobeRGBType_setenum_ColorDepth(rgb, 3));
    EXPECT_EQ(3, CSharp_ColorSpaceAdobeRGBType_getenum_ColorDepth(rgb));
    EXPECT_EQ(u"ColorDepth_16", take_wide(CSharp_ColorSpaceAdobeRGBType_get_ColorDepth(rgb)));
    EXPECT_EQ(lmx::ELMX_VALUE_NOT_ENUMERATED,
              CSharp_ColorSpaceAdobeRGBType_set_ColorDepth(rgb, u"ColorDepth_7"));
    CSharp_delete_ColorSpaceAdobeRGBType(rgb);

    void* big = CSharp_new_c_big_int__SWIG_3(-2147483647 - 1);
    bool overflow = false;
    EXPECT_EQ(-2147483647 - 1, CSharp_c_big_int_get__SWIG_0(big, &overflow));
    EXPECT_TRUE(overflow);
    CSharp_delete_c_big_int(big);

    EXPECT_EQ(1u, CSharp_xisdigit('7'));
    EXPECT_EQ(0u, CSharp_xisdigit(-23));
    EXPECT_EQ(3, CSharp_LMX_ATOFLOAT_MODE_SIMPLE_get());
}

TEST_F(conversions, exceptions_stop_at_the_boundary)
{
    void* binary = CSharp_new_c_binary__SWIG_0();
    CSharp_c_binary_from_hex(binary, "0aFF");
    EXPECT_EQ(0xFFu, CSharp_c_binary_at__SWIG_0(binary, 1));
    EXPECT_EQ(0u, CSharp_c_binary_at__SWIG_0(binary, 2));
    ASSERT_EQ(1u, raised_callbacks().size());
    EXPECT_EQ('e', raised_callbacks()[0].table);
    EXPECT_EQ(3, raised_callbacks()[0].code) << "index out of range";
    CSharp_delete_c_binary(binary);
}

TEST_F(conversions, write_string_hands_over_a_new_result)
{
    void* document = CSharp_new_Kyr__SWIG_0();
    void* result = CSharp_Kyr_writeString(document);
    ASSERT_NE(nullptr, result);
    EXPECT_EQ(lmx::ELMX_OCCURRENCE_ERROR_ON_MARSHAL, CSharp_XMLDocumentResult_getElmxError(result));
    EXPECT_EQ(u"", take_wide(CSharp_XMLDocumentResult_getXmlDocument(result)));
    CSharp_delete_XMLDocumentResult(result);
    EXPECT_EQ(1, CSharp_Kyr_loadFile(document, u"/nonexistent/flat.kyr"));
    EXPECT_EQ(1001, CSharp_Kyr_writeFile(document, u"/nonexistent/flat.KYRZ"));
    // A missing container is either reported as 1000 or raised by the archive
    // layer; raised, it stops here as one callback and a zero result.
    const int32_t code = CSharp_Kyr_loadFile(document, u"/nonexistent/flat.kyrz");
    if (code == 0)
        EXPECT_EQ(1u, raised_callbacks().size());
    else
        EXPECT_EQ(1000, code);
    CSharp_delete_Kyr(document);
}

} // namespace
