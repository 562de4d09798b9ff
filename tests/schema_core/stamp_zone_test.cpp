// Every date-time stamp must carry a time zone, when read and when set.
#include "schema_test_support.hpp"

#include <kyr/kyr.hpp>

#include <gtest/gtest.h>

#include <functional>

using namespace com_kyrandel_v2;
using lmx::c_datetime;

namespace {

struct stamp_case
{
    const char* anchor; // text of the sample before the stamp
    const char* stamp;  // the stamp; its last `zone` characters are cut off
    size_t zone;
    const char* item;
    std::function<lmx::elmx_error(const c_datetime&)> set;
};

const char* const k_z = ">2026-03-14T09:30:00Z<";

template <class C>
lmx::elmx_error append(const c_datetime& v)
{
    return C().append_ChangeHistory(v);
}

const stamp_case k_stamps[] = {
    {"<Kyr:Header>", k_z, 1, "Kyr:ChangeHistory", append<Header>},
    {"\"Signal Red 2207\"", k_z, 1, "Kyr:ChangeHistory", append<ColorType>},
    {"\"Exterior\"", ">2026-03-18T11:05:30.5+01:00<", 6, "Kyr:ChangeHistory", append<ColorSetType>},
    {"<Kyr:Palette ", k_z, 1, "Kyr:ChangeHistory", append<PaletteType>},
    {"<Kyr:ColorSpaceSpectral ", k_z, 1, "Kyr:ChangeHistory", append<ColorSpaceSpectralType>},
    {"\"spec-m1\"", k_z, 1, "Kyr:ChangeHistory", append<ColorSpaceSpecificationSpectrumSpectralType>},
    {"<Kyr:ColorQualityControl ", k_z, 1, "Kyr:ChangeHistory", append<ColorQualityControlType>},
    {"<Kyr:Profile ", ">2026-01-05T10:00:00Z<", 1, "Kyr:Created",
     [](auto& v) { return ProfileType().set_Created(v); }},
    {"<Kyr:CalibrationState ", "\"2026-03-14T08:00:00Z\"", 1, "CalibrationDateTime",
     [](auto& v) { return CalibrationStateType().set_CalibrationDateTime(v); }},
    {"<Kyr:SampleSpot>", ">2026-02-27T07:15:00-05:00<", 6, "Kyr:ProductionDate",
     [](auto& v) { return SampleSpotType().set_ProductionDate(v); }},
};

} // namespace

TEST(StampZones, AStampWithoutZoneIsRefusedWhereverItStands)
{
    const std::string sample =
        schema_test::read_file(std::string(KYR_SOURCE_DIR) + "/examples/rich-sample.kyr");
    for (const stamp_case& c : k_stamps) {
        SCOPED_TRACE(c.anchor);
        std::string text = sample;
        const size_t at = text.find(c.stamp, text.find(c.anchor));
        ASSERT_NE(at, std::string::npos);
        schema_test::recording_reader reader(
            text.erase(at + std::string(c.stamp).size() - 1 - c.zone, c.zone));
        Kyr document;
        EXPECT_EQ(document.unmarshal(reader), lmx::ELMX_NO_PATTERN_MATCHED);
        EXPECT_EQ(reader.reports, (decltype(reader.reports){{lmx::ELMX_NO_PATTERN_MATCHED, c.item}}));
        EXPECT_EQ(c.set(c_datetime("2026-03-14T09:30:00")), lmx::ELMX_NO_PATTERN_MATCHED);
        EXPECT_EQ(c.set(c_datetime("2026-03-14T09:30:00Z")), lmx::ELMX_OK);
        EXPECT_EQ(c.set(c_datetime("2026-03-14T09:30:00-05:00")), lmx::ELMX_OK);
    }
}
