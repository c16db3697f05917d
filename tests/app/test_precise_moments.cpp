#include "app/precise_moments.h"
#include "app/actions.h"
#include "app/window_rules.h"
#include "datetime/date_input.h"
#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane::app {
namespace {

class PreciseMoments : public testing::ProgramTest {};

// "Now" takes the offset in effect from the tz database: summer time in Berlin is on the lists, Kathmandu's
// +5:45 and Auckland's +12:00 (+13:00 in its summer) are not, and the world date then holds the moment precisely.
TEST_F(PreciseMoments, NowFromTheTzDatabase)
{
    const struct {
        const char* zone;
        const char* label;   // the row's label; empty when the lists hold the moment
        const char* shown;   // the row as text
        double ut;           // 15 June 2011, 09:40 local, as a Julian date (UT)
    } cases[] = {
        {"Europe/Berlin", "", "June 15, 2011, 09:30 (GMT+2:00)", 2455727.5 + (7 * 60 + 30) / 1440.0},
        {"Asia/Kathmandu", "09:40 Asia/Kathmandu, GMT+5:45", "June 15, 2011, 09:40 (Asia/Kathmandu, GMT+5:45)",
         2455727.5 + (3 * 60 + 55) / 1440.0},
        {"Pacific/Auckland", "09:40 Pacific/Auckland, GMT+12:00", "June 15, 2011, 09:40 (Pacific/Auckland, GMT+12:00)",
         2455726.5 + (21 * 60 + 40) / 1440.0},
    };
    for (const auto& c : cases) {
        platform::FixedClock clock({2011, 6, 15, 9, 40, 0});
        clock.SetZoneName(c.zone);
        program->main.SelectMode(core::Mode::WorldTransits);
        ASSERT_TRUE(program->SetWorldDateToNow(clock).computed) << c.zone;
        EXPECT_EQ(PreciseMomentLabel(*program, 0), c.label) << c.zone;
        EXPECT_NEAR(program->main.moments[0], c.ut, 1e-9) << c.zone;
        EXPECT_EQ(ComputerZoneNotice(*program).has_value(), std::string(c.label).size() > 0) << c.zone;
        EXPECT_EQ(datetime::InputDateToString(program->main, 0, false, program->language), c.shown);
    }
    // Auckland's +12:00 lies beyond the lists' GMT+11:30: the notice names the zone and its offset.
    const std::optional<platform::Message> notice = ComputerZoneNotice(*program);
    ASSERT_TRUE(notice.has_value());
    EXPECT_NE(notice->text.find("Pacific/Auckland (GMT+12:00)"), std::string::npos) << notice->text;

    // Touching the row drops the moment; the row converts from its lists again.
    DateRowTouched(*program, 0);
    EXPECT_EQ(PreciseMomentLabel(*program, 0), "");
    EXPECT_FALSE(ComputerZoneNotice(*program).has_value());
}

}  // namespace
}  // namespace orvane::app
