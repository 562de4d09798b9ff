// Colour spaces whose type is chosen by xsi:type inside a whole document.
#include "colour_space_support.hpp"

#include <gtest/gtest.h>

using namespace com_kyrandel_v2;
using namespace colour_space_test;

namespace {

// The sample's CMYK element that carries the plus-N type, from its start line to its end tag.
std::string cmyk_plus_n_through_xsi_type()
{
    const std::string& sample = rich_sample();
    const size_t start = sample.find("<Kyr:ColorSpaceCMYK xsi:type=\"Kyr:ColorSpaceCMYKPlusNType\"");
    EXPECT_NE(start, std::string::npos);
    const size_t line_start = sample.rfind('\n', start) + 1;
    const std::string close = "</Kyr:ColorSpaceCMYK>";
    const size_t end = sample.find(close, start);
    return sample.substr(line_start, end + close.size() - line_start);
}

// A reader over a string that lets every binding error pass as if it were harmless.
class swallowing_reader : public lmx::c_xml_reader_memory
{
public:
    explicit swallowing_reader(const std::string& text) : lmx::c_xml_reader_memory(text.data(), text.size()) {}
    lmx::elmx_error user_handle_error(lmx::elmx_error, const std::string&, const char*, int) override
    {
        return lmx::ELMX_OK;
    }
};

TEST(ColourSpaceTypes, CmykCarryingPlusNLoadsAsTheDerivedTypeAndWritesBackIdentically)
{
    const std::string text = document_with(cmyk_plus_n_through_xsi_type());
    Kyr document;
    ASSERT_EQ(document.unmarshal(text.data(), text.size()), lmx::ELMX_OK);
    const Kyr& read = document;
    ASSERT_EQ(read.get_Color(0).size_ColorSpace(), 1u);
    const sg_ColorSpace& holder = read.get_Color(0).get_ColorSpace(0);
    ASSERT_EQ(holder.getchosen(), sg_ColorSpace::ec_ColorSpaceCMYK);
    const ColorSpaceCMYKType& cmyk = holder.get_ColorSpaceCMYK();
    EXPECT_EQ(cmyk.getid(), ColorSpaceCMYKPlusNType::id);
    EXPECT_TRUE(cmyk.has_id(ColorSpaceCMYKType::id));
    EXPECT_TRUE(cmyk.has_id(ColorSpaceType::id));
    EXPECT_EQ(cmyk.get_Name(), L"Seven colour");
    EXPECT_EQ(cmyk.get_Black(), 96.0);
    const auto& plus_n = static_cast<const ColorSpaceCMYKPlusNType&>(cmyk);
    EXPECT_EQ(plus_n.get_ColorSpaceName(), L"CMYKOV");
    ASSERT_EQ(plus_n.size_Color(), 2u);
    EXPECT_EQ(plus_n.get_Color(1).get_Name(), L"Violet");
    EXPECT_EQ(plus_n.get_Color(1).get_Value(), 12.5);

    std::string written;
    ASSERT_EQ(document.marshal(&written), lmx::ELMX_OK);
    EXPECT_EQ(written, text);
}

TEST(ColourSpaceTypes, PlusNContentIsCheckedUnderTheBaseElementName)
{
    std::string fragment = cmyk_plus_n_through_xsi_type();
    ASSERT_TRUE(replace_child_text(&fragment, "Cyan", "100.0001"));
    EXPECT_EQ(load_code(document_with(fragment)), lmx::ELMX_VALUE_EXCEEDS_MAX);

    fragment = cmyk_plus_n_through_xsi_type();
    ASSERT_EQ(remove_children(&fragment, "Color"), 2);
    const load_report report = load_with_item(document_with(fragment));
    EXPECT_EQ(report.code, lmx::ELMX_MANDATORY_ELEMENT_MISSING);
    EXPECT_EQ(report.item, "Kyr:Color");
}

TEST(ColourSpaceTypes, UnknownXsiTypeOnAColourSpaceEndsTheLoadEvenWhenSwallowing)
{
    const std::string plus_n = cmyk_plus_n_through_xsi_type();
    // An unknown name, a type of another family, a family type under a foreign namespace.
    for (const char* type : {"Kyr:ColorSpaceCMYKPlusMType", "Kyr:FunctionDEType", "other:ColorSpaceCMYKPlusNType"}) {
        std::string fragment = plus_n;
        fragment.replace(fragment.find("Kyr:ColorSpaceCMYKPlusNType"), 27, type);
        fragment.replace(fragment.find(" xsi:type"), 0, " xmlns:other=\"urn:other\"");
        const std::string text = document_with(fragment);
        EXPECT_EQ(load_code(text), lmx::ELMX_UNKNOWN_XSI_TYPE) << type;
        swallowing_reader reader(text);
        Kyr document;
        EXPECT_EQ(document.unmarshal(reader), lmx::ELMX_UNKNOWN_XSI_TYPE) << type;
    }
}

} // namespace
