#include "datetime/iso_dates.h"

#include "platform/calendar.h"
#include "platform/moment.h"

#include <date/date.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace orvane::datetime {
namespace {

constexpr int32_t kMaxZone = 14 * 60;

// Reads `count` digits at `at` (advancing it); nothing when there are fewer.
std::optional<int32_t> Digits(std::string_view text, size_t& at, size_t count)
{
    if (at + count > text.size())
        return std::nullopt;
    int32_t value = 0;
    for (size_t i = 0; i < count; ++i) {
        const char c = text[at + i];
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    at += count;
    return value;
}

// A decimal fraction at `at` (advancing it): "." or "," and at least one digit; 0 when there is none there,
// nothing when the separator has no digit after it. Digits beyond the fifteenth change nothing a double holds.
std::optional<double> Fraction(std::string_view text, size_t& at)
{
    if (at >= text.size() || (text[at] != '.' && text[at] != ','))
        return 0.0;
    ++at;
    const size_t first = at;
    double fraction = 0.0;
    double scale = 0.1;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at)
        if (at - first < 15) {
            fraction += (text[at] - '0') * scale;
            scale /= 10.0;
        }
    if (at == first)
        return std::nullopt;
    return fraction;
}

// ±HH:MM, ±HHMM, ±HH, ±H:MM or ±H, the whole text.
std::optional<int32_t> SignedOffset(std::string_view text)
{
    if (text.size() < 2 || (text[0] != '+' && text[0] != '-'))
        return std::nullopt;
    const int32_t sign = text[0] == '-' ? -1 : 1;
    size_t at = 1;
    const size_t hourDigits = text.size() > 2 && std::isdigit(static_cast<unsigned char>(text[2])) ? 2 : 1;
    const std::optional<int32_t> hours = Digits(text, at, hourDigits);
    std::optional<int32_t> minutes = 0;
    if (at < text.size()) {
        if (text[at] == ':')
            ++at;
        minutes = Digits(text, at, 2);
    }
    if (!hours || !minutes || at != text.size() || *minutes > 59)
        return std::nullopt;
    const int32_t offset = sign * (*hours * 60 + *minutes);
    if (offset < -kMaxZone || offset > kMaxZone)
        return std::nullopt;
    return offset;
}

// `value` (not negative) as at least `width` digits.
std::string Padded(int64_t value, int width)
{
    std::string digits = std::to_string(value);
    return std::string(digits.size() < static_cast<size_t>(width) ? static_cast<size_t>(width) - digits.size() : 0, '0') +
           digits;
}

// Days of a month of a proleptic Gregorian year, for years of any size.
int32_t DaysIn(int64_t year, int32_t month)
{
    return platform::DaysInMonth(year, month);
}

}  // namespace

std::optional<int32_t> ParseZone(std::string_view text)
{
    std::string upper;
    for (const char c : text)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "Z" || upper == "UT" || upper == "UTC" || upper == "GMT")
        return 0;
    for (const std::string_view prefix : {"UTC", "GMT", "UT"})
        if (upper.rfind(prefix, 0) == 0)
            return SignedOffset(std::string_view(upper).substr(prefix.size()));
    return SignedOffset(upper);
}

namespace {

struct IsoDay {
    int64_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
};

// The date "YYYY-MM-DD" at the start of `text` (the year of four to seven digits, signed); `at` after it.
std::optional<IsoDay> ReadIsoDay(std::string_view text, size_t& at)
{
    int64_t sign = 1;
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        sign = text[at++] == '-' ? -1 : 1;
    const size_t yearStart = at;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) && at - yearStart < 7)
        ++at;
    if (at - yearStart < 4 || at >= text.size() || text[at] != '-')
        return std::nullopt;
    const int64_t year = sign * std::stoll(std::string(text.substr(yearStart, at - yearStart)));
    ++at;
    const std::optional<int32_t> month = Digits(text, at, 2);
    if (!month || at >= text.size() || text[at] != '-')
        return std::nullopt;
    ++at;
    const std::optional<int32_t> day = Digits(text, at, 2);
    if (!day || *month < 1 || *month > 12 || *day < 1 || *day > DaysIn(year, *month))
        return std::nullopt;
    return IsoDay{year, *month, *day};
}

// The time of day "hh:mm[:ss][.fraction][offset]" from `at` to the end of `text`: the seconds since the
// zone's midnight; the offset given sets `zone` (minutes east), a leap second and the microseconds typed go
// into `result`.
std::optional<double> ReadIsoTime(std::string_view text, size_t& at, int32_t& zone, IsoMoment& result)
{
    const std::optional<int32_t> hh = Digits(text, at, 2);
    if (!hh || at >= text.size() || text[at] != ':')
        return std::nullopt;
    ++at;
    const std::optional<int32_t> mm = Digits(text, at, 2);
    std::optional<int32_t> ss = 0;
    bool secondsGiven = false;
    if (at < text.size() && text[at] == ':') {
        ++at;
        ss = Digits(text, at, 2);
        secondsGiven = true;
    }
    // A decimal fraction of the last part given, the seconds or the minutes.
    const std::optional<double> fraction = Fraction(text, at);
    if (!mm || !ss || !fraction || *hh > 24 || *mm > 59 || *ss > 60 ||
        (*hh == 24 && (*mm != 0 || *ss != 0 || *fraction != 0.0)))
        return std::nullopt;
    if (at < text.size()) {
        const std::string_view rest = text.substr(at);
        const std::optional<int32_t> offset = rest == "Z" || rest == "z" ? std::optional<int32_t>(0) : SignedOffset(rest);
        if (!offset)
            return std::nullopt;
        zone = *offset;
        at = text.size();
    }
    const int32_t minuteOfDay = *hh * 60 + *mm;
    if (*ss == 60) {
        // A leap second ends a day of Universal Time. The moments of this program count no leap seconds:
        // the leap second, and any fraction of it, is the end of its minute, 00:00:00 UT of the next day.
        if (((minuteOfDay - zone) % 1440 + 1440) % 1440 != 1439)
            return std::nullopt;
        result.leapSecond = true;
        return (minuteOfDay + 1) * 60.0;
    }
    const double extra = *fraction * (secondsGiven ? 1.0 : 60.0);
    // Microseconds from the digits themselves, not from the Julian date, whose double holds only some tens
    // of them.
    result.microsecond = static_cast<int32_t>(static_cast<int64_t>(std::llround(extra * 1e6)) % 1000000);
    return minuteOfDay * 60.0 + *ss + extra;
}

}  // namespace

std::optional<IsoMoment> ParseIsoMoment(std::string_view text, int32_t defaultZoneMinutes)
{
    size_t at = 0;
    const std::optional<IsoDay> day = ReadIsoDay(text, at);
    if (!day)
        return std::nullopt;
    IsoMoment result;
    double seconds = 0.0;
    int32_t zone = defaultZoneMinutes;
    if (at < text.size() && (text[at] == 'T' || text[at] == 't' || text[at] == ' ')) {
        ++at;
        const std::optional<double> time = ReadIsoTime(text, at, zone, result);
        if (!time)
            return std::nullopt;
        seconds = *time;
        result.hasTime = true;
    }
    if (at != text.size())
        return std::nullopt;
    result.moment = platform::DayStart(platform::DayNumberOf({day->year, day->month, day->day})) +
                    (seconds - zone * 60.0) / platform::kSecondsPerDay;
    return result;
}

std::optional<TypedDate> ParseTypedDate(std::string_view text)
{
    // Three groups of digits split by one kind of separator; which group is which follows from it.
    std::array<std::string_view, 3> parts;
    const size_t first = text.find_first_of("-./");
    if (first == std::string_view::npos)
        return std::nullopt;
    const char separator = text[first];
    size_t count = 0;
    for (size_t start = 0; count < parts.size(); ++count) {
        const size_t end = count + 1 < parts.size() ? text.find(separator, start) : text.size();
        if (end == std::string_view::npos)
            return std::nullopt;
        parts[count] = text.substr(start, end - start);
        start = end + 1;
    }
    for (const std::string_view part : parts)
        if (part.empty() || part.size() > 4 ||
            !std::all_of(part.begin(), part.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
            return std::nullopt;
    const auto number = [](std::string_view digits) { return std::stoi(std::string(digits)); };
    const size_t year = separator == '-' ? 0 : 2;
    const size_t month = separator == '-' ? 1 : separator == '.' ? 1 : 0;
    const size_t day = separator == '-' ? 2 : separator == '.' ? 0 : 1;
    if (parts[year].size() != 4 || parts[month].size() > 2 || parts[day].size() > 2)
        return std::nullopt;
    const TypedDate date{number(parts[year]), number(parts[month]), number(parts[day])};
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1 || date.day > DaysIn(date.year, date.month))
        return std::nullopt;
    return date;
}

std::string IsoText(double moment, int32_t zoneMinutes)
{
    const platform::WallTime local = platform::WallTimeAt(moment, zoneMinutes * 60);
    const int64_t year = local.year;
    // Four digits within years 0 … 9999, otherwise a sign and at least four, as ISO 8601 extends them.
    std::string text = year >= 0 && year <= 9999 ? Padded(year, 4)
                                                 : (year < 0 ? "-" : "+") + Padded(year < 0 ? -year : year, 4);
    // Written a character at a time into one string: tables of lifetimes and events write hundreds of
    // thousands of these. Every field after the year has at least two digits.
    text.reserve(text.size() + 21);
    const auto field = [&text](char before, int64_t value) {
        text += before;
        if (value < 0 || value > 99) {
            text += Padded(value, 2);
            return;
        }
        text += static_cast<char>('0' + value / 10);
        text += static_cast<char>('0' + value % 10);
    };
    field('-', local.month);
    field('-', local.day);
    field('T', local.hour);
    field(':', local.minute);
    field(':', local.second);
    if (zoneMinutes == 0)
        return text + "Z";
    field(zoneMinutes < 0 ? '-' : '+', std::abs(zoneMinutes) / 60);
    field(':', std::abs(zoneMinutes) % 60);
    return text;
}

namespace {

// The moment of `day` (a day number of UT) at the time of day `moment` shows on its day `dayNumber`.
double SameTimeOfDay(double moment, int64_t dayNumber, int64_t day)
{
    const double timeOfDay = platform::LocalDay(moment, 0) - static_cast<double>(dayNumber);
    return platform::MomentOfLocalDay(static_cast<double>(day) + timeOfDay, 0);
}

}  // namespace

double OneYearLater(double moment)
{
    const int64_t dayNumber = platform::DayNumberAt(moment);
    platform::CalendarDate date = platform::DateOf(dayNumber);
    // 29 February a year on is 1 March.
    if (date.month == 2 && date.day == 29 && DaysIn(date.year + 1, 2) == 28)
        date = {date.year, 3, 1};
    ++date.year;
    return SameTimeOfDay(moment, dayNumber, platform::DayNumberOf(date));
}

double SteppedMoment(double from, int16_t step, int64_t k)
{
    if (step < 3)
        return from + static_cast<double>(k) * (step == 0 ? 1.0 / 48 : step == 1 ? 1.0 : 7.0);
    const int64_t dayNumber = platform::DayNumberAt(from);
    const platform::CalendarDate date = platform::DateOf(dayNumber);
    const int64_t months = (date.year * 12 + date.month - 1) + k * (step == 3 ? 1 : 12);
    const int64_t y = months >= 0 ? months / 12 : -((-months + 11) / 12);
    const auto m = static_cast<int32_t>(months - y * 12 + 1);
    const int64_t day = platform::DayNumberOf({y, m, std::min(date.day, DaysIn(y, m))});
    return SameTimeOfDay(from, dayNumber, day);
}

}  // namespace orvane::datetime
