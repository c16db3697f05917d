#include "platform/calendar.h"

#include <date/julian.h>

#include <utility>

namespace orvane::platform {
namespace {

constexpr int64_t kDaysPer400Years = 146097;

// Whole 400-year cycles of `year` beyond the calendar types' range (±32767), counted towards −∞.
int64_t CyclesOf(int64_t year)
{
    return (year >= 0 ? year : year - 399) / 400;
}

template <typename YearMonthDay>
YearMonthDay Date(const CalendarDate& date)
{
    using Year = decltype(std::declval<YearMonthDay>().year());
    using Month = decltype(std::declval<YearMonthDay>().month());
    using Day = decltype(std::declval<YearMonthDay>().day());
    return YearMonthDay{Year(static_cast<int>(date.year)), Month(static_cast<unsigned>(date.month)),
                        Day(static_cast<unsigned>(date.day))};
}

template <typename YearMonthDay>
CalendarDate Fields(const YearMonthDay& date)
{
    return {static_cast<int>(date.year()), static_cast<int32_t>(static_cast<unsigned>(date.month())),
            static_cast<int32_t>(static_cast<unsigned>(date.day()))};
}

}  // namespace

std::optional<int32_t> DayNumberOfDate(const CalendarDate& date, Calendar calendar)
{
    if (date.year < kMinCalendarYear || date.year > kMaxCalendarYear || date.month < 1 || date.month > 12 ||
        date.day < 1 || date.day > 31)
        return std::nullopt;
    if (calendar == Calendar::Julian) {
        const julian::year_month_day julianDate = Date<julian::year_month_day>(date);
        if (!julianDate.ok())
            return std::nullopt;
        return static_cast<int32_t>(DayNumber(date::sys_days(julianDate)));
    }
    const date::year_month_day civil = Date<date::year_month_day>(date);
    if (!civil.ok())
        return std::nullopt;
    return static_cast<int32_t>(DayNumber(date::sys_days(civil)));
}

std::optional<CalendarDate> DateOfDayNumber(int64_t jdn, Calendar calendar)
{
    // Outside these days the date lies far beyond the years served, and the calendar types are not asked.
    if (jdn < -4'000'000 || jdn > 8'000'000)
        return std::nullopt;
    const CalendarDate date =
        calendar == Calendar::Julian ? Fields(julian::year_month_day{CivilDay(jdn)}) : DateOf(jdn);
    if (date.year < kMinCalendarYear || date.year > kMaxCalendarYear)
        return std::nullopt;
    return date;
}

int64_t DayNumberOf(const CalendarDate& date)
{
    const int64_t cycles = CyclesOf(date.year);
    const CalendarDate inRange{date.year - cycles * 400, date.month, date.day};
    return DayNumber(date::sys_days(Date<date::year_month_day>(inRange))) + cycles * kDaysPer400Years;
}

CalendarDate DateOf(int64_t jdn)
{
    const int64_t fromEpoch = jdn - kUnixEpochDayNumber;
    const int64_t cycles = (fromEpoch >= 0 ? fromEpoch : fromEpoch - (kDaysPer400Years - 1)) / kDaysPer400Years;
    CalendarDate date = Fields(date::year_month_day{CivilDay(jdn - cycles * kDaysPer400Years)});
    date.year += cycles * 400;
    return date;
}

int32_t DayOfWeek(int64_t jdn)
{
    // The week repeats every seven days, so the remainder has the day's weekday within any day count.
    return static_cast<int32_t>(date::weekday(CivilDay(jdn % 7)).c_encoding());
}

int32_t DaysInMonth(int64_t year, int32_t month)
{
    if (month < 1 || month > 12)
        return 0;
    const auto inRange = static_cast<int>(year - CyclesOf(year) * 400);
    const date::year_month_day_last last{date::year(inRange) / date::month(static_cast<unsigned>(month)) / date::last};
    return static_cast<int32_t>(static_cast<unsigned>(last.day()));
}

}  // namespace orvane::platform
