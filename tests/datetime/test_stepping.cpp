#include "datetime/stepping.h"

#include "platform/calendar.h"

#include <gtest/gtest.h>

namespace orvane::datetime {
namespace {

struct StepCase {
    StepDate from;
    StepIncrement increment;
    bool forward;
    StepDate to;
};

// The calendar's own verdict, as the date input gives it.
bool DoesNotExist(const StepDate& date)
{
    return !platform::DayNumberOfDate({date.y, date.m, date.d});
}

TEST(Stepping, ForwardAndBack)
{
    using I = StepIncrement;
    const StepCase cases[] = {
        // The last half hour of the year runs into the first of the next.
        {{48, 12, 31, 1999}, I::HalfHour, true, {1, 1, 1, 2000}},
        {{10, 5, 5, 2000}, I::HalfHour, true, {11, 5, 5, 2000}},
        {{1, 1, 1, 2000}, I::HalfHour, false, {48, 12, 31, 1999}},
        {{1, 3, 1, 2000}, I::HalfHour, false, {48, 2, 29, 2000}},
        {{25, 2, 28, 2001}, I::Day, true, {25, 3, 1, 2001}},
        {{25, 2, 28, 2000}, I::Day, true, {25, 2, 29, 2000}},
        {{25, 1, 1, 2000}, I::Day, false, {25, 12, 31, 1999}},
        {{25, 12, 28, 1999}, I::Week, true, {25, 1, 4, 2000}},
        {{25, 3, 3, 2001}, I::Week, false, {25, 2, 24, 2001}},
        {{25, 3, 3, 2000}, I::Week, false, {25, 2, 25, 2000}},
        {{25, 3, 7, 2001}, I::Week, false, {25, 2, 28, 2001}},  // 7 days before the 7th: the month's last day
        {{25, 1, 5, 2000}, I::Week, false, {25, 12, 29, 1999}},
        {{25, 12, 15, 1999}, I::Month, true, {25, 1, 15, 2000}},
        {{25, 1, 15, 2000}, I::Month, false, {25, 12, 15, 1999}},
        {{25, 5, 31, 2000}, I::Month, true, {25, 6, 31, 2000}},  // corrected afterwards
        {{25, 2, 29, 2000}, I::Year, true, {25, 2, 29, 2001}},
        {{25, 2, 29, 2000}, I::Year, false, {25, 2, 29, 1999}},
        {{25, 7, 4, 2799}, I::Year, true, {25, 7, 4, 2800}},  // not stopped here: the date input refuses it
        // A day the month does not have: a day on is the next month's 1st, a week counts on into it.
        {{25, 2, 30, 2001}, I::Day, true, {25, 3, 1, 2001}},
        {{25, 2, 30, 2001}, I::Day, false, {25, 2, 29, 2001}},
        {{25, 2, 30, 2001}, I::Week, true, {25, 3, 9, 2001}},
        {{25, 4, 31, 2001}, I::Week, false, {25, 4, 24, 2001}},
    };
    for (const StepCase& c : cases) {
        const StepDate to = StepWorldDate(c.from, c.increment, c.forward);
        EXPECT_EQ(to, c.to) << static_cast<int>(c.increment) << (c.forward ? " forward from " : " back from ")
                            << c.from.y << "-" << c.from.m << "-" << c.from.d << " h" << c.from.h << ": got "
                            << to.y << "-" << to.m << "-" << to.d << " h" << to.h;
    }
}

// Every day of the years 1 … 2799, each increment both ways, against the day numbers of the date
// rows' calendar: a day is one day number, a week seven, a half hour one list position.
TEST(Stepping, EveryDayOfTheProgramsYears)
{
    const int32_t first = *platform::DayNumberOfDate({1, 1, 1});
    const int32_t last = *platform::DayNumberOfDate({2799, 12, 31});
    const auto dateOf = [](int64_t jdn, int16_t h) {
        const platform::CalendarDate date = *platform::DateOfDayNumber(jdn);
        return StepDate{h, static_cast<int16_t>(date.month), static_cast<int16_t>(date.day), static_cast<int32_t>(date.year)};
    };
    int failures = 0;
    for (int32_t jdn = first + 7; jdn <= last - 7 && failures < 5; ++jdn) {
        const StepDate today = dateOf(jdn, 48);
        const std::pair<StepDate, StepDate> expected[] = {
            {StepWorldDate(today, StepIncrement::HalfHour, true), dateOf(jdn + 1, 1)},
            {StepWorldDate(dateOf(jdn, 1), StepIncrement::HalfHour, false), dateOf(jdn - 1, 48)},
            {StepWorldDate(today, StepIncrement::Day, true), dateOf(jdn + 1, 48)},
            {StepWorldDate(today, StepIncrement::Day, false), dateOf(jdn - 1, 48)},
            {StepWorldDate(today, StepIncrement::Week, true), dateOf(jdn + 7, 48)},
            {StepWorldDate(today, StepIncrement::Week, false), dateOf(jdn - 7, 48)},
            {StepWorldDate(today, StepIncrement::Month, true),
             {48, static_cast<int16_t>(today.m % 12 + 1), today.d, today.y + (today.m == 12 ? 1 : 0)}},
            {StepWorldDate(today, StepIncrement::Month, false),
             {48, static_cast<int16_t>((today.m + 10) % 12 + 1), today.d, today.y - (today.m == 1 ? 1 : 0)}},
            {StepWorldDate(today, StepIncrement::Year, false), {48, today.m, today.d, today.y - 1}},
        };
        for (const auto& [got, want] : expected)
            if (!(got == want) && ++failures <= 5)
                ADD_FAILURE() << "day " << jdn << ": got " << got.y << "-" << got.m << "-" << got.d << " h" << got.h;
    }
}

TEST(Stepping, DayCorrectionAfterMonthAndYearSteps)
{
    // 31 May + 1 month: 30 June. 30 January + 1 month: 28 or 29 February. 29 February + 1 year: the 28th.
    EXPECT_EQ(DayCorrection(StepWorldDate({25, 5, 31, 2000}, StepIncrement::Month, true), DoesNotExist),
              (StepDate{25, 6, 30, 2000}));
    EXPECT_EQ(DayCorrection(StepWorldDate({25, 1, 30, 2001}, StepIncrement::Month, true), DoesNotExist),
              (StepDate{25, 2, 28, 2001}));
    EXPECT_EQ(DayCorrection(StepWorldDate({25, 1, 31, 2000}, StepIncrement::Month, true), DoesNotExist),
              (StepDate{25, 2, 29, 2000}));
    EXPECT_EQ(DayCorrection(StepWorldDate({25, 2, 29, 2000}, StepIncrement::Year, true), DoesNotExist),
              (StepDate{25, 2, 28, 2001}));
    // A date refused for another reason (a year out of range) is not pushed below the 28th.
    int asked = 0;
    const StepDate corrected = DayCorrection({25, 3, 31, 2800}, [&asked](const StepDate&) {
        ++asked;
        return true;
    });
    EXPECT_EQ(corrected.d, 28);
    EXPECT_EQ(asked, 3);
    // A day of 28 or less is never changed.
    EXPECT_EQ(DayCorrection({25, 2, 28, 2001}, [](const StepDate&) { return true; }).d, 28);
}

}  // namespace
}  // namespace orvane::datetime
