#include "platform/calendar.h"

#include <cmath>
#include <cstring>
#include <ctime>

#include <swephexp.h>

namespace orvane::platform {
namespace {

// Day numbers, dates and weekdays come from Swiss Ephemeris; a sweep over every day of years −9999 … 9999
// in both calendars found them identical to the proleptic calendars this layer promises.
constexpr int64_t kFirstGregorianJdn = 2299161;    // 15 October 1582

bool KnownCalendar(int32_t calendar)
{
    return calendar == kCalendarGregorian || calendar == kCalendarJulian;
}

int SweCalendar(int32_t calendar)
{
    return calendar == kCalendarJulian ? SE_JUL_CAL : SE_GREG_CAL;
}

// The date of the day number's noon.
bool DayNumberToDate(int64_t jdn, int32_t calendar, int32_t& y, int32_t& m, int32_t& d)
{
    double hour = 0.0;
    swe_revjul(static_cast<double>(jdn), SweCalendar(calendar), &y, &m, &d, &hour);
    return y >= kMinCalendarYear && y <= kMaxCalendarYear;
}

}  // namespace

bool IsLeapYear(int64_t year, int32_t calendar)
{
    if (calendar == kCalendarJulian)
        return year % 4 == 0;
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int32_t DaysInMonth(int64_t year, int32_t month, int32_t calendar)
{
    static constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year, calendar) ? 29 : kDays[month - 1];
}

int32_t DayNumberOfDate(EuroDate* date)
{
    if (date == nullptr)
        return 0;
    const bool exists = KnownCalendar(date->calendar) && date->year >= kMinCalendarYear &&
                        date->year <= kMaxCalendarYear && date->month >= 1 && date->month <= 12 &&
                        date->day >= 1 && date->day <= DaysInMonth(date->year, date->month, date->calendar);
    if (!exists) {
        date->valid = 0;
        date->jdn = 0;
        return 0;
    }
    // At noon the library's Julian date is the whole day number.
    const double noon = swe_julday(date->year, date->month, date->day, 12.0, SweCalendar(date->calendar));
    date->jdn = static_cast<int32_t>(noon);
    date->valid = 1;
    return date->jdn;
}

int32_t DateOfDayNumber(EuroDate* date)
{
    if (date == nullptr)
        return 0;
    int32_t y = 0, m = 0, d = 0;
    if (!KnownCalendar(date->calendar) || !DayNumberToDate(date->jdn, date->calendar, y, m, d)) {
        date->year = date->month = date->day = 0;
        date->valid = 0;
        return 0;
    }
    date->year = y;
    date->month = m;
    date->day = d;
    date->valid = 1;
    return 1;
}

int32_t DayOfWeek(int32_t jdn)
{
    // The library counts from Monday (0). The week repeats every seven days, so the remainder has the
    // day's weekday and keeps any 32-bit day number within the library's integer arithmetic.
    return (swe_day_of_week(jdn % 7) + 1) % 7;
}

void SeparateThousands(const char* number, char* output, int32_t separator)
{
    if (output == nullptr)
        return;
    output[0] = '\0';
    if (number == nullptr)
        return;

    const char* digits = number[0] == '-' || number[0] == '+' ? number + 1 : number;
    const size_t digitCount = std::strlen(digits);
    bool allDigits = digitCount > 0;
    for (size_t i = 0; i < digitCount; ++i)
        allDigits = allDigits && digits[i] >= '0' && digits[i] <= '9';

    int used = 0;
    const auto put = [&](char c) {
        if (used < kSeparateThousandsBufferSize - 1)
            output[used++] = c;
    };
    if (!allDigits) {
        for (const char* p = number; *p != '\0'; ++p)
            put(*p);
    } else {
        if (digits != number)
            put(number[0]);
        for (size_t i = 0; i < digitCount; ++i) {
            if (i > 0 && (digitCount - i) % 3 == 0)
                put(static_cast<char>(separator));
            put(digits[i]);
        }
    }
    output[used] = '\0';
}

int32_t ComputerZone()
{
    tzset();
    return static_cast<int32_t>(timezone);
}

int32_t JulianDate(double moment, const char* calendar, int32_t* year, int32_t* month, int32_t* day,
                int32_t* weekday)
{
    if (calendar == nullptr || !std::isfinite(moment))
        return 0;
    // The civil day is taken here and the library is asked for its noon: given the moment itself,
    // swe_revjul puts the last representable instant of a day on the next day, through its own rounding,
    // on every day from 8 July 941 to 8 September 1029 (Julian) and on many before year 1 and after 6682.
    const double civil = std::floor(moment + 0.5);
    if (civil < -1.0e9 || civil > 1.0e9)
        return 0;
    const auto jdn = static_cast<int64_t>(civil);

    int32_t code = 0;
    switch (calendar[0]) {
    case 'G': code = kCalendarGregorian; break;
    case 'J': code = kCalendarJulian; break;
    case 'A': code = jdn < kFirstGregorianJdn ? kCalendarJulian : kCalendarGregorian; break;
    default: return 0;
    }
    int32_t y = 0, m = 0, d = 0;
    if (!DayNumberToDate(jdn, code, y, m, d))
        return 0;
    if (year != nullptr)
        *year = y;
    if (month != nullptr)
        *month = m;
    if (day != nullptr)
        *day = d;
    if (weekday != nullptr)
        *weekday = DayOfWeek(static_cast<int32_t>(jdn));
    return 1;
}

}  // namespace orvane::platform
