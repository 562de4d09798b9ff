// The handles: exact UTF-8, checked ranges, choices looked at without being changed,
// enumerations, and facets reported as kyr::error.
#include "api_test_support.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace {

TEST(Handles, TextBeyondTheBasicPlaneRoundTripsExactly)
{
    // U+1F3A8 and U+1D11E need surrogate pairs in the generated classes' UTF-16.
    const std::string name = "Bl\xC3\xA5 \xF0\x9F\x8E\xA8 \xF0\x9D\x84\x9E";
    kyr::Document document = lab_document();
    kyr::ColorType colour = document.colours().at(0);
    colour.set_colour_name(name);
    EXPECT_EQ(colour.generated().get_ColorName(), std::wstring(L"Bl\x00E5 \xD83C\xDFA8 \xD834\xDD1E"));
    colour.semantic_associations().push_back(name);

    kyr::Document read = kyr::parse(kyr::to_xml(document));
    EXPECT_EQ(read.colours().at(0).colour_name(), name);
    EXPECT_EQ(read.colours().at(0).semantic_associations().at(0), name);

    EXPECT_EQ(thrown([&] { colour.set_colour_name("\xC3("); }).value().code(), lmx::ELMX_BAD_CHAR_ENCODING);
    EXPECT_EQ(colour.colour_name(), name);
}

TEST(Handles, IndexesPastTheEndThrowAndChangeNothing)
{
    kyr::Document document = lab_document();
    const std::string before = kyr::to_xml(document);
    auto colours = document.colours();
    EXPECT_THROW(colours.at(1), std::out_of_range);
    EXPECT_THROW(colours.erase(1), std::out_of_range);
    EXPECT_THROW(colours.at(0).change_histories().at(1), std::out_of_range);
    EXPECT_THROW(colours.at(0).change_histories().set(1, stamp), std::out_of_range);
    EXPECT_THROW(document.palettes().at(0), std::out_of_range);
    EXPECT_EQ(colours.size(), 1u);
    EXPECT_EQ(kyr::to_xml(document), before);

    colours.push_back().set_colour_name("Second");
    colours.erase(0);
    EXPECT_EQ(colours.at(0).colour_name(), "Second");
}

TEST(Handles, LookingAtAnUnchosenMemberChangesNothing)
{
    kyr::Document document = lab_document();
    const std::string before = kyr::to_xml(document);
    kyr::sg_ColorSpace value = document.colours().at(0).colour_spaces().at(0);
    EXPECT_EQ(value.as_colour_space_spectral(), nullptr);
    EXPECT_FALSE(value.colour_space_cie_lch());
    const kyr::ColorTypeView view = document.colours().at(0);
    EXPECT_EQ(view.colour_spaces().at(0).as_colour_space_spectral(), nullptr);
    EXPECT_FALSE(view.colour_spaces().at(0).colour_space_spectral());
    EXPECT_FALSE(view.substrate());
    EXPECT_FALSE(document.colours().at(0).owner());
    EXPECT_EQ(value.chosen(), kyr::sg_ColorSpace::Member::ColorSpaceCIELab);
    const com_kyrandel_v2::ColorSpaceCIELabType* lab = value.as_colour_space_cie_lab();
    ASSERT_EQ(lab, &std::as_const(value.generated()).get_ColorSpaceCIELab());
    EXPECT_EQ(lab->get_L(), 53.08);
    EXPECT_EQ(value.colour_space_cie_lab()->l(), 53.08);
    EXPECT_EQ(kyr::to_xml(document), before);

    const std::string visited = value.visit([](auto member) -> std::string {
        if constexpr (std::is_same_v<decltype(member), kyr::ColorSpaceCIELabType>)
            return "lab " + std::to_string(member.a());
        else
            return "other";
    });
    EXPECT_EQ(visited, "lab 61.180000");
    value.clear();
    EXPECT_EQ(value.chosen(), kyr::sg_ColorSpace::Member::none);
    EXPECT_EQ(value.visit([](auto member) { return std::is_same_v<decltype(member), std::monostate>; }),
              true);
}

TEST(Handles, EnumerationsAndStringsAgree)
{
    kyr::Document document = lab_document();
    auto specification = document.colours()
                             .at(0)
                             .colour_spaces()
                             .at(0)
                             .colour_space_cie_lab()
                             ->colour_space_specification_spectrum_tristimulus();
    using Tristimulus = kyr::ColorSpaceSpecificationSpectrumTristimulusType;
    EXPECT_EQ(specification.field_of_view_enum(), Tristimulus::FieldOfView::FieldOfView_2_Degree);
    specification.set_field_of_view(Tristimulus::FieldOfView::FieldOfView_10_Degree);
    EXPECT_EQ(specification.field_of_view(), "FieldOfView_10_Degree");
    EXPECT_EQ(specification.astm_table_enum(), Tristimulus::ASTM_Table::none);
    EXPECT_EQ(specification.illumination_options().illuminant()->value_enum(),
              kyr::Illuminant::Value::Illuminant_D50);
    EXPECT_EQ(specification.illumination_options().as_colour_temperature(), nullptr);

    EXPECT_THROW(specification.set_field_of_view(Tristimulus::FieldOfView::none), kyr::error);
    const kyr::error e = thrown([&] { specification.set_field_of_view("FieldOfView_3_Degree"); }).value();
    EXPECT_EQ(e.code(), lmx::ELMX_VALUE_NOT_ENUMERATED);
    EXPECT_EQ(std::string(e.what()), "FieldOfView: Value does not match enumerations");
    EXPECT_EQ(specification.field_of_view(), "FieldOfView_10_Degree");
}

TEST(Handles, FacetsAreCheckedAsValuesAreStored)
{
    kyr::Document document = lab_document();
    kyr::ColorSpaceCIELabType lab = *document.colours().at(0).colour_spaces().at(0).colour_space_cie_lab();
    EXPECT_THROW(lab.set_l(150.5), kyr::error);
    EXPECT_EQ(lab.l(), 53.08);
    EXPECT_THROW(lab.change_histories().push_back("yesterday"), kyr::error);
    EXPECT_EQ(lab.change_histories().size(), 1u);
    EXPECT_EQ(lab.change_histories().at(0), stamp);
}

} // namespace
