#include "platform/calendar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <tuple>

namespace orvane::platform {
namespace {

EuroDate Date(int32_t year, int32_t month, int32_t day, int32_t calendar = kCalendarGregorian)
{
    EuroDate date;
    date.year = year;
    date.month = month;
    date.day = day;
    date.calendar = calendar;
    return date;
}

struct Known { int32_t year, month, day, calendar, jdn; };

TEST(CalendarLayer, KnownDayNumbersBothWays)
{
    const Known known[] = {
        {2000, 1, 1, kCalendarGregorian, 2451545},
        {1, 1, 1, kCalendarGregorian, 1721426},
        {2799, 12, 31, kCalendarGregorian, 2743738},
        {1600, 1, 1, kCalendarGregorian, 2305448},
        {2199, 12, 31, kCalendarGregorian, 2524593},
        {1970, 1, 1, kCalendarGregorian, 2440588},
        {1582, 10, 15, kCalendarGregorian, 2299161},
        {1582, 10, 4, kCalendarJulian, 2299160},
        {-4712, 1, 1, kCalendarJulian, 0},
        {-4713, 11, 24, kCalendarGregorian, 0},
        {0, 1, 1, kCalendarGregorian, 1721060},  // year 0 (1 BCE) is a leap year
        {2000, 1, 1, kCalendarJulian, 2451558},
    };
    for (const Known& k : known) {
        EuroDate date = Date(k.year, k.month, k.day, k.calendar);
        EXPECT_EQ(DayNumberOfDate(&date), k.jdn) << k.year << "-" << k.month << "-" << k.day;
        EXPECT_TRUE(date.valid != 0 && date.jdn == k.jdn);

        EuroDate back;
        back.calendar = k.calendar;
        back.jdn = k.jdn;
        DateOfDayNumber(&back);
        EXPECT_EQ(std::tuple(back.year, back.month, back.day), std::tuple(k.year, k.month, k.day)) << k.jdn;
    }
}

// Every day from −9999 to 9999 follows its predecessor, in both calendars, and converts back exactly.
TEST(CalendarLayer, ContinuousOverTheWholeRange)
{
    for (const int32_t calendar : {kCalendarGregorian, kCalendarJulian}) {
        EuroDate first = Date(-9999, 1, 1, calendar);
        EuroDate last = Date(9999, 12, 31, calendar);
        const int32_t from = DayNumberOfDate(&first);
        const int32_t to = DayNumberOfDate(&last);
        ASSERT_TRUE(first.valid != 0 && last.valid != 0);

        const auto dateOf = [calendar](int32_t jdn) {
            EuroDate date;
            date.calendar = calendar;
            date.jdn = jdn;
            DateOfDayNumber(&date);
            return date;
        };
        EuroDate previous = dateOf(from);
        int failures = 0;
        for (int32_t jdn = from + 1; jdn <= to && failures < 5; ++jdn) {
            const EuroDate date = dateOf(jdn);
            const bool nextDay = date.year == previous.year && date.month == previous.month &&
                                 date.day == previous.day + 1;
            const bool nextMonth = date.year == previous.year && date.month == previous.month + 1 && date.day == 1;
            const bool nextYear = date.year == previous.year + 1 && date.month == 1 && date.day == 1 &&
                                  previous.month == 12 && previous.day == 31;
            EuroDate again = Date(date.year, date.month, date.day, calendar);
            if (!(nextDay || nextMonth || nextYear) || DayNumberOfDate(&again) != jdn) {
                ADD_FAILURE() << "calendar " << calendar << " day " << jdn << ": " << date.year << "-"
                              << date.month << "-" << date.day;
                ++failures;
            }
            previous = date;
        }
        EXPECT_EQ(to - from + 1, calendar == kCalendarGregorian ? 7304484 : 7304634);
    }
}

TEST(CalendarLayer, DatesThatDoNotExist)
{
    const EuroDate impossible[] = {
        Date(1900, 2, 29), Date(2001, 2, 29), Date(2000, 2, 30), Date(2000, 4, 31), Date(2000, 13, 1),
        Date(2000, 0, 1),  Date(2000, 1, 0),  Date(10000, 1, 1), Date(-10000, 12, 31),
        Date(2000, 1, 1, 'X'),
    };
    for (EuroDate date : impossible) {
        date.valid = 7;
        DayNumberOfDate(&date);
        EXPECT_EQ(date.valid, 0) << date.year << "-" << date.month << "-" << date.day;
    }
    const EuroDate possible[] = {Date(2000, 2, 29), Date(1600, 2, 29), Date(1900, 2, 29, kCalendarJulian),
                                 Date(2000, 12, 31), Date(-9999, 1, 1), Date(9999, 12, 31)};
    for (EuroDate date : possible) {
        DayNumberOfDate(&date);
        EXPECT_NE(date.valid, 0) << date.year << "-" << date.month << "-" << date.day;
    }
}

TEST(CalendarLayer, DayOfWeek)
{
    // 1 January 2000, a Saturday, and days before day 0 (a Monday).
    EXPECT_EQ(std::tuple(DayOfWeek(2451545), DayOfWeek(2451546), DayOfWeek(-1), DayOfWeek(-7)), std::tuple(6, 0, 0, 1));
}

TEST(CalendarLayer, SeparateThousands)
{
    const std::pair<const char*, const char*> cases[] = {
        {"12345", "12,345"}, {"999", "999"}, {"1000", "1,000"}, {"123456789", "123,456,789"}, {"", ""},
        {"12a45", "12a45"}, {"-10000", "-10.000"}, {"1234567890123456789012", "1,234,567,890,123,4"}};
    for (const auto& [number, separated] : cases) {
        char buffer[kSeparateThousandsBufferSize];  // 20 characters: longer results are cut, and still ended
        SeparateThousands(number, buffer, number[0] == '-' ? '.' : ',');
        EXPECT_EQ(std::string(buffer), separated) << number;
    }
}

// The civil date of a moment: the day runs from midnight, to its last representable instant; the
// astronomers' calendar is Julian before 15 October 1582.
TEST(CalendarLayer, JuldatGivesTheCivilDate)
{
    const struct { double moment; const char* calendar; int32_t year, month, day; } cases[] = {{2451544.5, "G", 2000, 1, 1},   {2451545.4999, "G", 2000, 1, 1}, {2451544.4999, "G", 1999, 12, 31},
                 {2299160.5, "A", 1582, 10, 15}, {2299159.5, "A", 1582, 10, 4},   {1721423.5, "A", 1, 1, 1},
                 {std::nextafter(2064947.5, 0.0), "A", 941, 7, 8}};
    for (const auto& c : cases) {
        int32_t year = 0, month = 0, day = 0, weekday = -1;
        ASSERT_EQ(JulianDate(c.moment, c.calendar, &year, &month, &day, &weekday), 1) << c.moment;
        EXPECT_EQ(year * 10000 + month * 100 + day, c.year * 10000 + c.month * 100 + c.day) << c.moment;
        EXPECT_EQ(weekday, DayOfWeek(static_cast<int32_t>(c.moment + 0.5))) << c.moment;
    }
    int32_t year = 0;
    EXPECT_EQ(JulianDate(2451545.0, "Q", &year, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(JulianDate(1.0e12, "G", &year, nullptr, nullptr, nullptr), 0);
}

TEST(CalendarLayer, TimeZoneIsStandardTimeSecondsWest)
{
    const char* saved = std::getenv("TZ");
    const std::string restore = saved != nullptr ? saved : "";
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    EXPECT_EQ(ComputerZone(), -3600);
    setenv("TZ", "EST5EDT,M3.2.0,M11.1.0", 1);
    EXPECT_EQ(ComputerZone(), 18000);
    setenv("TZ", "<+0545>-5:45", 1);
    EXPECT_EQ(ComputerZone(), -20700);
    if (saved != nullptr)
        setenv("TZ", restore.c_str(), 1);
    else
        unsetenv("TZ");
}

}  // namespace
}  // namespace orvane::platform
