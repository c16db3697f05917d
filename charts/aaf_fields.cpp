#include "charts/aaf_fields.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace orvane::charts::aaf {

namespace {

constexpr int32_t kMaxZoneSeconds = 14 * 3600;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\f' || c == '\v' || c == '\r' || c == '\n';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The unsigned number of at most `maxDigits` digits at the start of `text`, taken off it.
std::optional<int32_t> TakeNumber(std::string_view& text, size_t maxDigits = 7)
{
    size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    if (digits == 0 || digits > maxDigits)
        return std::nullopt;
    int32_t value = 0;
    std::from_chars(text.data(), text.data() + digits, value);
    text.remove_prefix(digits);
    return value;
}

bool TakeChar(std::string_view& text, char wanted)
{
    if (text.empty() || Lower(text.front()) != wanted)
        return false;
    text.remove_prefix(1);
    return true;
}

// Minutes and optional ":seconds", each below 60, at the start of `text`; as seconds.
std::optional<int32_t> TakeMinutesSeconds(std::string_view& text)
{
    const std::optional<int32_t> minutes = TakeNumber(text, 2);
    if (!minutes || *minutes >= 60)
        return std::nullopt;
    int32_t seconds = 0;
    if (TakeChar(text, ':')) {
        const std::optional<int32_t> given = TakeNumber(text, 2);
        if (!given || *given >= 60)
            return std::nullopt;
        seconds = *given;
    }
    return *minutes * 60 + seconds;
}

// Whole seconds (of arc or of time) as the units, `letters`, two digits of minutes, and ":" with two digits
// of seconds when there are any: "48n24", "16e22:20", "1he00".
std::string SexagesimalText(int64_t seconds, std::string_view letters)
{
    char text[48];
    const auto units = static_cast<long long>(seconds / 3600);
    const auto minutes = static_cast<long long>(seconds / 60 % 60);
    const auto rest = static_cast<long long>(seconds % 60);
    const std::string middle(letters);
    if (rest != 0)
        std::snprintf(text, sizeof text, "%lld%s%02lld:%02lld", units, middle.c_str(), minutes, rest);
    else
        std::snprintf(text, sizeof text, "%lld%s%02lld", units, middle.c_str(), minutes);
    return text;
}

}  // namespace

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<double> ReadAngle(std::string_view text, char positive, char negative, double limit)
{
    const std::optional<int32_t> degrees = TakeNumber(text, 3);
    if (!degrees || text.empty())
        return std::nullopt;
    const char hemisphere = Lower(text.front());
    if (hemisphere != positive && hemisphere != negative)
        return std::nullopt;
    text.remove_prefix(1);
    const std::optional<int32_t> rest = text.empty() ? std::optional<int32_t>(0) : TakeMinutesSeconds(text);
    if (!rest || !text.empty())
        return std::nullopt;
    const double angle = *degrees + *rest / 3600.0;
    if (angle > limit)
        return std::nullopt;
    return hemisphere == negative ? -angle : angle;
}

std::string AngleText(double degrees, char positive, char negative)
{
    const int64_t seconds = std::llround(std::abs(degrees) * 3600.0);
    return SexagesimalText(seconds, std::string(1, degrees < 0 && seconds != 0 ? negative : positive));
}

std::optional<int32_t> ReadZoneDifference(std::string_view text)
{
    int32_t sign = 1;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        sign = text.front() == '-' ? -1 : 1;
        text.remove_prefix(1);
    }
    const std::optional<int32_t> hours = TakeNumber(text, 2);
    if (!hours)
        return std::nullopt;
    TakeChar(text, 'h');
    if (TakeChar(text, 'w'))
        sign = -sign;
    else
        TakeChar(text, 'e');
    std::optional<int32_t> rest = text.empty() ? std::optional<int32_t>(0) : TakeMinutesSeconds(text);
    if (!rest || !text.empty())
        return std::nullopt;
    const int32_t seconds = sign * (*hours * 3600 + *rest);
    if (std::abs(seconds) > kMaxZoneSeconds)
        return std::nullopt;
    return seconds;
}

std::string ZoneDifferenceText(int32_t secondsEast)
{
    return SexagesimalText(std::abs(secondsEast), secondsEast < 0 ? "hw" : "he");
}

std::optional<SummerTime> ReadSummerTime(std::string_view text)
{
    if (text.size() == 1 && (Lower(text.front()) == 'l' || Lower(text.front()) == 'm'))
        return SummerTime{0, true};
    const std::optional<int32_t> hours = TakeNumber(text, 1);
    if (!hours || !text.empty() || *hours > 2)
        return std::nullopt;
    return SummerTime{*hours * 3600, false};
}

std::optional<ClockTime> ReadClockTime(std::string_view text)
{
    ClockTime time;
    const std::optional<int32_t> hour = TakeNumber(text, 2);
    if (!hour || *hour > 23 || text.empty() || (text.front() != ':' && text.front() != '.'))
        return std::nullopt;
    text.remove_prefix(1);
    const std::optional<int32_t> rest = TakeMinutesSeconds(text);
    if (!rest || !text.empty())
        return std::nullopt;
    time.hour = *hour;
    time.minute = *rest / 60;
    time.second = *rest % 60;
    return time;
}

std::optional<double> ReadJulianDay(std::string_view text)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    // From 4713 BC to AD 9999, the years a chart's moment may have.
    if (error != std::errc() || end != text.data() + text.size() || !(value >= 0.0 && value < 5373484.5))
        return std::nullopt;
    return value;
}

std::string JulianDayText(double julianDay)
{
    char text[32];
    std::snprintf(text, sizeof text, "%013.5f", julianDay);
    return text;
}

}  // namespace orvane::charts::aaf
