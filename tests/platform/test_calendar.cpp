#include "platform/calendar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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

struct Known {
    int32_t year, month, day, calendar, jdn;
};

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
        EXPECT_EQ(_euro_date_to_jdn(&date), k.jdn) << k.year << "-" << k.month << "-" << k.day;
        EXPECT_NE(date.valid, 0);
        EXPECT_EQ(date.jdn, k.jdn);

        EuroDate back;
        back.calendar = k.calendar;
        back.jdn = k.jdn;
        _jdn_to_euro_date(&back);
        EXPECT_EQ(back.year, k.year);
        EXPECT_EQ(back.month, k.month);
        EXPECT_EQ(back.day, k.day);
    }
}

// Every day from −9999 to 9999 follows its predecessor, in both calendars, and converts back exactly.
TEST(CalendarLayer, ContinuousOverTheWholeRange)
{
    for (const int32_t calendar : {kCalendarGregorian, kCalendarJulian}) {
        EuroDate first = Date(-9999, 1, 1, calendar);
        EuroDate last = Date(9999, 12, 31, calendar);
        const int32_t from = _euro_date_to_jdn(&first);
        const int32_t to = _euro_date_to_jdn(&last);
        ASSERT_NE(first.valid, 0);
        ASSERT_NE(last.valid, 0);

        EuroDate previous;
        previous.calendar = calendar;
        previous.jdn = from;
        _jdn_to_euro_date(&previous);
        int failures = 0;
        for (int32_t jdn = from + 1; jdn <= to && failures < 5; ++jdn) {
            EuroDate date;
            date.calendar = calendar;
            date.jdn = jdn;
            _jdn_to_euro_date(&date);
            const bool nextDay = date.year == previous.year && date.month == previous.month &&
                                 date.day == previous.day + 1;
            const bool nextMonth = date.year == previous.year && date.month == previous.month + 1 && date.day == 1;
            const bool nextYear = date.year == previous.year + 1 && date.month == 1 && date.day == 1 &&
                                  previous.month == 12 && previous.day == 31;
            EuroDate again = Date(date.year, date.month, date.day, calendar);
            if (!(nextDay || nextMonth || nextYear) || _euro_date_to_jdn(&again) != jdn) {
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
        _euro_date_to_jdn(&date);
        EXPECT_EQ(date.valid, 0) << date.year << "-" << date.month << "-" << date.day;
    }
    const EuroDate possible[] = {Date(2000, 2, 29), Date(1600, 2, 29), Date(1900, 2, 29, kCalendarJulian),
                                 Date(2000, 12, 31), Date(-9999, 1, 1), Date(9999, 12, 31)};
    for (EuroDate date : possible) {
        _euro_date_to_jdn(&date);
        EXPECT_NE(date.valid, 0) << date.year << "-" << date.month << "-" << date.day;
    }
}

TEST(CalendarLayer, DayOfWeek)
{
    EXPECT_EQ(_euro_day_of_week(2451545), 6);  // 1 January 2000, a Saturday
    EXPECT_EQ(_euro_day_of_week(2451546), 0);
    EXPECT_EQ(_euro_day_of_week(2299161), 5);  // 15 October 1582, a Friday
    EXPECT_EQ(_euro_day_of_week(0), 1);        // a Monday
    EXPECT_EQ(_euro_day_of_week(-1), 0);
    EXPECT_EQ(_euro_day_of_week(-7), 1);
}

TEST(CalendarLayer, SeparateThousands)
{
    const auto separated = [](const char* number, char separator) {
        char buffer[kSeparateThousandsBufferSize];
        _separate_thousands(number, buffer, separator);
        return std::string(buffer);
    };
    EXPECT_EQ(separated("12345", ','), "12,345");
    EXPECT_EQ(separated("-10000", '.'), "-10.000");
    EXPECT_EQ(separated("999", ','), "999");
    EXPECT_EQ(separated("1000", ','), "1,000");
    EXPECT_EQ(separated("123456789", ','), "123,456,789");
    EXPECT_EQ(separated("", ','), "");
    EXPECT_EQ(separated("12a45", ','), "12a45");
    // Too long for the 20-character buffer: cut, and still ended.
    const std::string cut = separated("1234567890123456789012", ',');
    EXPECT_EQ(cut.size(), static_cast<size_t>(kSeparateThousandsBufferSize - 1));
    EXPECT_EQ(cut.substr(0, 6), "1,234,");
}

TEST(CalendarLayer, JuldatGivesTheCivilDate)
{
    int32_t year = 0, month = 0, day = 0, weekday = -1;
    ASSERT_EQ(_juldat(2451544.5, "G", &year, &month, &day, &weekday), 1);
    EXPECT_EQ(year, 2000);
    EXPECT_EQ(month, 1);
    EXPECT_EQ(day, 1);
    EXPECT_EQ(weekday, 6);

    _juldat(2451545.4999, "G", &year, &month, &day, nullptr);
    EXPECT_EQ(day, 1);
    _juldat(2451544.4999, "G", &year, &month, &day, nullptr);
    EXPECT_EQ(year, 1999);
    EXPECT_EQ(day, 31);

    // The astronomers' calendar: Julian before 15 October 1582.
    _juldat(2299160.5, "A", &year, &month, &day, nullptr);
    EXPECT_EQ(month * 100 + day, 1015);
    _juldat(2299159.5, "A", &year, &month, &day, nullptr);
    EXPECT_EQ(month * 100 + day, 1004);
    _juldat(1721423.5, "A", &year, &month, &day, nullptr);
    EXPECT_EQ(year, 1);

    EXPECT_EQ(_juldat(2451545.0, "Q", &year, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(_juldat(1.0e12, "G", &year, nullptr, nullptr, nullptr), 0);
}

TEST(CalendarLayer, TimeZoneIsStandardTimeSecondsWest)
{
    const char* saved = std::getenv("TZ");
    const std::string restore = saved != nullptr ? saved : "";
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    EXPECT_EQ(_get_timezone(), -3600);
    setenv("TZ", "EST5EDT,M3.2.0,M11.1.0", 1);
    EXPECT_EQ(_get_timezone(), 18000);
    setenv("TZ", "<+0545>-5:45", 1);
    EXPECT_EQ(_get_timezone(), -20700);
    if (saved != nullptr)
        setenv("TZ", restore.c_str(), 1);
    else
        unsetenv("TZ");
}

}  // namespace
}  // namespace orvane::platform
