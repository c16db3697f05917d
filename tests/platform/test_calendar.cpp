#include "platform/calendar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <tuple>

namespace orvane::platform {
namespace {

struct Known {
    CalendarDate date;
    Calendar calendar;
    int32_t jdn;
};

TEST(Calendar, KnownDayNumbersBothWays)
{
    const Known known[] = {
        {{2000, 1, 1}, Calendar::Gregorian, 2451545},  {{1, 1, 1}, Calendar::Gregorian, 1721426},
        {{2799, 12, 31}, Calendar::Gregorian, 2743738}, {{1600, 1, 1}, Calendar::Gregorian, 2305448},
        {{2199, 12, 31}, Calendar::Gregorian, 2524593}, {{1970, 1, 1}, Calendar::Gregorian, 2440588},
        {{1582, 10, 15}, Calendar::Gregorian, 2299161}, {{1582, 10, 4}, Calendar::Julian, 2299160},
        {{-4712, 1, 1}, Calendar::Julian, 0},           {{-4713, 11, 24}, Calendar::Gregorian, 0},
        {{0, 1, 1}, Calendar::Gregorian, 1721060},  // year 0 (1 BCE) is a leap year
        {{2000, 1, 1}, Calendar::Julian, 2451558},
    };
    for (const Known& k : known) {
        EXPECT_EQ(DayNumberOfDate(k.date, k.calendar), k.jdn) << k.date.year << "-" << k.date.month << "-" << k.date.day;
        EXPECT_EQ(DateOfDayNumber(k.jdn, k.calendar), k.date) << k.jdn;
        if (k.calendar == Calendar::Gregorian) {
            EXPECT_EQ(DayNumber(date::sys_days(date::year(k.date.year) / k.date.month / k.date.day)), k.jdn);
        }
    }
}

// Every day from −9999 to 9999 follows its predecessor in both calendars and converts back exactly, and
// the date rows' calendar and the civil calendar of <chrono> agree on every Gregorian day.
TEST(Calendar, ContinuousOverTheWholeRangeAndOneCalendar)
{
    for (const Calendar calendar : {Calendar::Gregorian, Calendar::Julian}) {
        const int32_t from = DayNumberOfDate({-9999, 1, 1}, calendar).value();
        const int32_t to = DayNumberOfDate({9999, 12, 31}, calendar).value();
        CalendarDate previous = DateOfDayNumber(from, calendar).value();
        int failures = 0;
        for (int32_t jdn = from + 1; jdn <= to && failures < 5; ++jdn) {
            const CalendarDate date = DateOfDayNumber(jdn, calendar).value_or(CalendarDate{});
            const bool nextDay = date.year == previous.year && date.month == previous.month && date.day == previous.day + 1;
            const bool nextMonth = date.year == previous.year && date.month == previous.month + 1 && date.day == 1;
            const bool nextYear = date.year == previous.year + 1 && date.month == 1 && date.day == 1 &&
                                  previous.month == 12 && previous.day == 31;
            bool same = DayNumberOfDate(date, calendar) == jdn;
            if (calendar == Calendar::Gregorian) {
                const date::year_month_day civil{CivilDay(jdn)};
                same = same && static_cast<int>(civil.year()) == date.year &&
                       static_cast<unsigned>(civil.month()) == static_cast<unsigned>(date.month) &&
                       static_cast<unsigned>(civil.day()) == static_cast<unsigned>(date.day) &&
                       DaysInMonth(date.year, date.month) >= date.day;
            }
            if (!(nextDay || nextMonth || nextYear) || !same) {
                ADD_FAILURE() << "day " << jdn << ": " << date.year << "-" << date.month << "-" << date.day;
                ++failures;
            }
            previous = date;
        }
        EXPECT_EQ(to - from + 1, calendar == Calendar::Gregorian ? 7304484 : 7304634);
    }
}

TEST(Calendar, DatesThatDoNotExist)
{
    const std::pair<CalendarDate, Calendar> impossible[] = {
        {{1900, 2, 29}, Calendar::Gregorian}, {{2001, 2, 29}, Calendar::Gregorian}, {{2000, 2, 30}, Calendar::Gregorian},
        {{2000, 4, 31}, Calendar::Gregorian}, {{2000, 13, 1}, Calendar::Gregorian}, {{2000, 0, 1}, Calendar::Gregorian},
        {{2000, 1, 0}, Calendar::Gregorian},  {{10000, 1, 1}, Calendar::Gregorian}, {{-10000, 12, 31}, Calendar::Gregorian},
        {{2100, 2, 29}, Calendar::Gregorian}};
    for (const auto& [date, calendar] : impossible)
        EXPECT_FALSE(DayNumberOfDate(date, calendar)) << date.year << "-" << date.month << "-" << date.day;
    const std::pair<CalendarDate, Calendar> possible[] = {
        {{2000, 2, 29}, Calendar::Gregorian}, {{1600, 2, 29}, Calendar::Gregorian}, {{1900, 2, 29}, Calendar::Julian},
        {{-9999, 1, 1}, Calendar::Gregorian}, {{9999, 12, 31}, Calendar::Gregorian}};
    for (const auto& [date, calendar] : possible)
        EXPECT_TRUE(DayNumberOfDate(date, calendar)) << date.year << "-" << date.month << "-" << date.day;
    EXPECT_FALSE(DateOfDayNumber(9'000'000));
    // Years beyond the calendar types follow the 400-year rule too.
    EXPECT_EQ(std::tuple(DaysInMonth(40000, 2), DaysInMonth(40100, 2), DaysInMonth(2001, 13)), std::tuple(29, 28, 0));
}

TEST(Calendar, Weekdays)
{
    // 1 January 2000, a Saturday, and days before day 0 (a Monday).
    EXPECT_EQ(std::tuple(DayOfWeek(2451545), DayOfWeek(2451546), DayOfWeek(-1), DayOfWeek(-7)), std::tuple(6, 0, 0, 1));

}

}  // namespace
}  // namespace orvane::platform
