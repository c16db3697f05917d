#include "app/moment_dialog.h"
#include "app/precise_moments.h"
#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <tuple>

namespace orvane::app {
namespace {

// Longitudes as people write them; east positive, none where the text is no longitude.
TEST(MomentDialog, LongitudesAsTyped)
{
    const std::vector<std::pair<const char*, std::optional<double>>> cases{
        {"13.4", 13.4},        {"-74", -74.0},       {" 13°24'E ", 13.4},     {"74 0 W", -74.0},
        {"8°41′30″O", 8.6916667}, {"180W", -180.0},   {"180.5", std::nullopt}, {"13°60'E", std::nullopt},
        {"-13 W", std::nullopt}, {"", std::nullopt},  {"east", std::nullopt},  {"1.2.3", std::nullopt}};
    for (const auto& [typed, expected] : cases) {
        const std::optional<double> read = ParseLongitude(typed);
        EXPECT_EQ(read.has_value(), expected.has_value()) << typed;
        if (read && expected) {
            EXPECT_NEAR(*read, *expected, 1e-6) << typed;
        }
    }
}

class Dialog : public testing::ProgramTest {};

// A clock time that Berlin skipped (the spring of 1981) is read with the offset chosen, and stays a Berlin
// moment; the dialog opened again on the row shows what it holds.
TEST_F(Dialog, ASkippedTimeTakesTheChosenOffset)
{
    MomentDialog dialog;
    std::tie(dialog.year, dialog.month, dialog.day, dialog.hour, dialog.minute) = std::tuple(1981, 3, 29, 2, 30);
    dialog.zoneText = "Europe/Berlin";
    EXPECT_TRUE(dialog.Read(program->language).twoOffsets);
    EXPECT_FALSE(dialog.Accept(*program).ok());  // no offset chosen yet
    dialog.choice = OffsetChoice::AfterChange;
    ASSERT_TRUE(dialog.Accept(*program).ok());
    EXPECT_EQ(PreciseMomentLabel(*program, 0), "02:30 Europe/Berlin, GMT+2:00");
    const double utMidnight = 2444692.5;  // 29 March 1981, 00:00 UT: 02:30 at GMT+2 is 00:30 UT
    EXPECT_NEAR(program->main.preciseMoments[0]->moment, utMidnight + 30.0 / 1440.0, 1e-9);
    MomentDialog again;
    again.Prepare(*program, 0, platform::FixedClock({2000, 1, 1, 12, 0, 0}));
    EXPECT_EQ(again.zoneText, "Europe/Berlin");
    EXPECT_EQ(again.choice, OffsetChoice::AfterChange);
    EXPECT_TRUE(again.RowHadMoment());
}

}  // namespace
}  // namespace orvane::app
