#include "platform/calendar.h"

#include <cmath>
#include <cstring>
#include <ctime>

namespace orvane::platform {
namespace {

// Every date routine works on 64-bit day counts: no intermediate result can overflow for any 32-bit
// input.
constexpr int64_t kJdnOfUnixEpoch = 2440588;       // 1 January 1970, Gregorian
constexpr int64_t kFirstGregorianJdn = 2299161;    // 15 October 1582

int64_t FloorDiv(int64_t a, int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// Day count of a Gregorian date relative to 1 January 1970 (after H. Hinnant's days_from_civil).
int64_t GregorianToJdn(int64_t y, int64_t m, int64_t d)
{
    y -= m <= 2 ? 1 : 0;
    const int64_t era = FloorDiv(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + kJdnOfUnixEpoch;
}

void JdnToGregorian(int64_t jdn, int64_t& y, int64_t& m, int64_t& d)
{
    const int64_t z = jdn - kJdnOfUnixEpoch + 719468;
    const int64_t era = FloorDiv(z, 146097);
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = yoe + era * 400 + (m <= 2 ? 1 : 0);
}

// The Julian calendar in four-year cycles of 1461 days, counted from 1 March of year 0.
int64_t JulianToJdn(int64_t y, int64_t m, int64_t d)
{
    y -= m <= 2 ? 1 : 0;
    const int64_t cycle = FloorDiv(y, 4);
    const int64_t yoc = y - cycle * 4;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return cycle * 1461 + yoc * 365 + doy + 1721118;
}

void JdnToJulian(int64_t jdn, int64_t& y, int64_t& m, int64_t& d)
{
    const int64_t z = jdn - 1721118;
    const int64_t cycle = FloorDiv(z, 1461);
    const int64_t doc = z - cycle * 1461;
    const int64_t yoc = doc == 1460 ? 3 : doc / 365;
    const int64_t doy = doc - yoc * 365;
    const int64_t mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = cycle * 4 + yoc + (m <= 2 ? 1 : 0);
}

bool KnownCalendar(int32_t calendar)
{
    return calendar == kCalendarGregorian || calendar == kCalendarJulian;
}

bool DayNumberToDate(int64_t jdn, int32_t calendar, int64_t& y, int64_t& m, int64_t& d)
{
    if (calendar == kCalendarJulian)
        JdnToJulian(jdn, y, m, d);
    else
        JdnToGregorian(jdn, y, m, d);
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

int32_t _euro_date_to_jdn(EuroDate* date)
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
    const int64_t jdn = date->calendar == kCalendarJulian ? JulianToJdn(date->year, date->month, date->day)
                                                          : GregorianToJdn(date->year, date->month, date->day);
    date->jdn = static_cast<int32_t>(jdn);
    date->valid = 1;
    return date->jdn;
}

int32_t _jdn_to_euro_date(EuroDate* date)
{
    if (date == nullptr)
        return 0;
    int64_t y = 0, m = 0, d = 0;
    if (!KnownCalendar(date->calendar) || !DayNumberToDate(date->jdn, date->calendar, y, m, d)) {
        date->year = date->month = date->day = 0;
        date->valid = 0;
        return 0;
    }
    date->year = static_cast<int32_t>(y);
    date->month = static_cast<int32_t>(m);
    date->day = static_cast<int32_t>(d);
    date->valid = 1;
    return 1;
}

int32_t _euro_day_of_week(int32_t jdn)
{
    // JDN 0 was a Monday.
    const int64_t weekday = (static_cast<int64_t>(jdn) + 1) % 7;
    return static_cast<int32_t>(weekday < 0 ? weekday + 7 : weekday);
}

void _separate_thousands(const char* number, char* output, int32_t separator)
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

int32_t _get_timezone()
{
    tzset();
    return static_cast<int32_t>(timezone);
}

int32_t _juldat(double moment, const char* calendar, int32_t* year, int32_t* month, int32_t* day,
                int32_t* weekday)
{
    if (calendar == nullptr || !std::isfinite(moment))
        return 0;
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
    int64_t y = 0, m = 0, d = 0;
    if (!DayNumberToDate(jdn, code, y, m, d))
        return 0;
    if (year != nullptr)
        *year = static_cast<int32_t>(y);
    if (month != nullptr)
        *month = static_cast<int32_t>(m);
    if (day != nullptr)
        *day = static_cast<int32_t>(d);
    if (weekday != nullptr)
        *weekday = _euro_day_of_week(static_cast<int32_t>(jdn));
    return 1;
}

}  // namespace orvane::platform
