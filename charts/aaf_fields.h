#pragma once

// The field forms of the AAF chart format: angles ("48n24", "16e22:20"), zone differences ("1he00",
// "0he21:48", "5hw00"), the summer-time field, dates ("14.3.1978") and times ("6:45", "6:45:30"), read
// leniently as the format's writers vary and written in one form.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::charts::aaf {

// The form the format gives an unknown field.
inline constexpr std::string_view kUnknown = "*";

// `text` without the blanks the format allows around a field (space, tab, form feed, vertical tab, CR, LF).
std::string_view Trimmed(std::string_view text);

// An angle: degrees, the hemisphere letter (`positive` or `negative`, any case), minutes and optional
// seconds after a colon; the hemisphere's sign applied. Nothing for another text or one beyond `limit`.
std::optional<double> ReadAngle(std::string_view text, char positive, char negative, double limit);
// The angle to the second: "48n24", "16e22:20", "23s32:51".
std::string AngleText(double degrees, char positive, char negative);

// A zone difference: hours, an optional 'h', 'e' (east) or 'w' (west), minutes, optional ":seconds";
// "1he00", "1he", "5hw30", "0he21:48", "1" (east), "-0h40"; in seconds east. Nothing for another text or
// one beyond 14 hours.
std::optional<int32_t> ReadZoneDifference(std::string_view text);
// "1he00", "5hw30", "0he21:48".
std::string ZoneDifferenceText(int32_t secondsEast);

// The summer-time field: the hours of summer time ("0", "1", "2"), or local mean time ("L", "l", "m", "M").
struct SummerTime {
    int32_t seconds = 0;
    bool localMeanTime = false;
};
std::optional<SummerTime> ReadSummerTime(std::string_view text);

// A time of day: "6:45", "06:45:30", "6.45"; hours, minutes, seconds.
struct ClockTime {
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
};
std::optional<ClockTime> ReadClockTime(std::string_view text);

// A Julian day (UT) as the format writes it, seven digits and five decimals: "2443581.73958".
std::optional<double> ReadJulianDay(std::string_view text);
std::string JulianDayText(double julianDay);

}  // namespace orvane::charts::aaf
