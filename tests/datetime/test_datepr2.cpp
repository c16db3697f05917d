#include "datetime/datepr2.h"
#include "datetime/time_zones.h"

#include <gtest/gtest.h>

namespace orvane::datetime {
namespace {

TEST(DateText, WordsInEnglishAndGerman)
{
    const struct { int32_t jdn; bool abbreviated; int16_t language; const char* text; } cases[] = {
        {2451545, false, 0, "January 1, 2000"}, {2451545, true, 0, "Jan. 1, 2000"}, {2451545, true, 1, "1.Jan. 2000"},
        {2451545, false, 1, "1.Januar 2000"},   {2451545 + 125, true, 0, "May 5, 2000"},
        {2451545 + 152, true, 0, "June 1, 2000"}, {2451545 + 244, true, 0, "Sept. 1, 2000"},
        {2451545 + 60, true, 1, "1.März 2000"}, {2451545 + 274, true, 1, "1.Okt. 2000"},
        {1721060, false, 0, "January 1, 0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DateText(c.jdn, c.abbreviated, c.language), c.text) << c.jdn;
}

TEST(DateText, NumericAndWeekdays)
{
    EXPECT_EQ(NumericDateText({800, 1, 5}), "800-01-05");
    EXPECT_EQ(WeekdayName(platform::DayOfWeek(2451545), 0), "Saturday");
    EXPECT_EQ(WeekdayName(0, 1), "Sonntag");
    EXPECT_EQ(WeekdayName(7, 0) + WeekdayName(-1, 0), "");
}

TEST(CurrentAJDate, LocalClockLessTheStandardZone)
{
    // Noon on 1 January 2000 in Greenwich.
    platform::FixedClock clock({2000, 1, 1, 12, 0, 0}, 0);
    EXPECT_DOUBLE_EQ(CurrentAJDate(clock), 2451545.0);
    // 13:00 in Central Europe (an hour east) is the same moment.
    clock.Set({2000, 1, 1, 13, 0, 0});
    clock.SetOffset(-3600);
    EXPECT_DOUBLE_EQ(CurrentAJDate(clock), 2451545.0);
    // 00:00:30 in New York: 05:00:30 UT.
    clock.Set({2000, 1, 1, 0, 0, 30});
    clock.SetOffset(18000);
    EXPECT_DOUBLE_EQ(CurrentAJDate(clock), 2451544.5 + (5 * 3600 + 30) / 86400.0);

}

}  // namespace
}  // namespace orvane::datetime
