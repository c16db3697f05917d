#include "platform/moment.h"

#include <gtest/gtest.h>

#include <chrono>

namespace orvane::platform {
namespace {

using std::chrono::hours;
using std::chrono::seconds;

constexpr double kSecond = 1.0 / 86400;

// The wall clock at offsets either side of Greenwich, across the midnight of a day and of a year, and the
// moment of a wall-clock time back.
TEST(Moment, WallTimesAtOffsetsAndBack)
{
    struct Case {
        double moment;
        int32_t offset;
        WallTime wall;
    };
    const Case cases[] = {
        {kJ2000, 0, {2000, 1, 1, 12, 0, 0, 0}},
        {kJ2000, 5 * 3600 + 45 * 60, {2000, 1, 1, 17, 45, 0, 0}},
        {kJ2000, -12 * 3600, {2000, 1, 1, 0, 0, 0, 0}},
        {kJ2000, -12 * 3600 - 1, {1999, 12, 31, 23, 59, 59, 0}},
        {kJ2000 + 0.5, 0, {2000, 1, 2, 0, 0, 0, 0}},
        {2440587.5 - 1 * kSecond, 3600, {1970, 1, 1, 0, 59, 59, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WallTimeAt(c.moment, c.offset), c.wall) << c.moment << " at " << c.offset;
        EXPECT_NEAR(MomentOf(c.wall, c.offset), c.moment, 1e-9) << c.moment << " at " << c.offset;
    }
    // A fraction of a second counts in the moment; a leap second with any fraction is the end of its minute.
    EXPECT_NEAR(MomentOf({2000, 1, 1, 12, 0, 0, 250000}, 0), kJ2000 + 0.25 * kSecond, 1e-9);
    EXPECT_EQ(MomentOf({2016, 12, 31, 23, 59, 60, 500000}, 0), DayStart(2457755));
}

// The one rounding rule: the nearest whole second, before and after the epoch of the system clock, and a
// fraction given beside the whole seconds keeps them.
TEST(Moment, NearestSecondAndFractionsGiven)
{
    EXPECT_EQ(WallTimeAt(kJ2000 + 0.6 * kSecond, 0).second, 1);
    EXPECT_EQ(WallTimeAt(kJ2000 + 0.4 * kSecond, 0).second, 0);
    EXPECT_EQ(NearestSecond(kJ2000), date::sys_days(date::year(2000) / 1 / 1) + hours(12));
    EXPECT_EQ(NearestSecond(DayStart(kUnixEpochDayNumber) - 0.6 * kSecond), date::sys_seconds(seconds(-1)));
    EXPECT_EQ(NearestSecond(DayStart(kUnixEpochDayNumber) - 0.4 * kSecond), date::sys_seconds(seconds(0)));
    EXPECT_DOUBLE_EQ(MomentOf(date::sys_days(date::year(2000) / 1 / 1) + hours(12)), kJ2000);
    EXPECT_EQ(WallTimeWithFraction(kJ2000 + 0.75 * kSecond, 0, 750000), (WallTime{2000, 1, 1, 12, 0, 0, 750000}));
}

// The day a clock shows and the part of it gone, at offsets either side of Greenwich.
TEST(Moment, DaysTheClocksShow)
{
    EXPECT_EQ(DayNumberAt(kJ2000), 2451545);
    EXPECT_EQ(DayNumberAt(kJ2000, 12 * 3600), 2451546);
    EXPECT_EQ(DayNumberAt(kJ2000, -12 * 3600 - 1), 2451544);
    EXPECT_DOUBLE_EQ(LocalDay(kJ2000, 6 * 3600), 2451545.75);
    EXPECT_DOUBLE_EQ(MomentOfLocalDay(2451545.75, 6 * 3600), kJ2000);
}

}  // namespace
}  // namespace orvane::platform
