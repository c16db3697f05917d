#include "datetime/moment_texts.h"

#include "text/language.h"
#include "text/text_numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace orvane::datetime {
namespace {

// ".75" for 750000 microseconds, trailing zeros left out; "" for none.
std::string FractionText(int32_t microsecond)
{
    if (microsecond <= 0)
        return {};
    char digits[16];
    std::snprintf(digits, sizeof digits, ".%06d", microsecond);
    std::string text = digits;
    text.erase(text.find_last_not_of('0') + 1);
    return text;
}

// An offset as sign, hours (two digits with `twoDigitHours`), minutes and, where it has them, seconds:
// "+05:45", "+00:53:28"; "+5:45".
std::string SignedOffset(int32_t offsetSeconds, bool twoDigitHours)
{
    const int32_t magnitude = std::abs(offsetSeconds);
    char text[24];
    std::snprintf(text, sizeof text, twoDigitHours ? "%c%02d:%02d" : "%c%d:%02d", offsetSeconds < 0 ? '-' : '+',
                  magnitude / 3600, magnitude / 60 % 60);
    std::string signedOffset = text;
    if (magnitude % 60 != 0) {
        std::snprintf(text, sizeof text, ":%02d", magnitude % 60);
        signedOffset += text;
    }
    return signedOffset;
}

}  // namespace

platform::Error MomentRefusal(const text::Language& language, int16_t number, const std::string& r1,
                             const std::string& r2, const std::string& r3, const std::string& r4,
                             const std::string& r5)
{
    const std::string* values[] = {&r1, &r2, &r3, &r4, &r5};
    const std::string text = language.Text(number);
    std::string filled;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text.compare(at, 2, "[r") == 0 && at + 3 < text.size() && text[at + 3] == ']' && text[at + 2] >= '1' &&
            text[at + 2] <= '5') {
            filled += *values[text[at + 2] - '1'];
            at += 3;
        } else {
            filled += text[at];
        }
    }
    return {platform::ErrorCode::InvalidInput, platform::Message::Information("", filled)};
}

// "+05:45", "-03:30", "+00:53:28"; "Z" for none.
std::string IsoOffset(int32_t offsetSeconds)
{
    return offsetSeconds == 0 ? "Z" : SignedOffset(offsetSeconds, true);
}

std::string WallTimeText(const WallTime& local, bool withSeconds)
{
    char text[48];
    if (withSeconds)
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", local.year, local.month, local.day,
                      local.hour, local.minute, local.second);
    else
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d", local.year, local.month, local.day, local.hour,
                      local.minute);
    return withSeconds ? text + FractionText(local.microsecond) : std::string(text);
}

std::string OffsetText(int32_t offsetSeconds)
{
    return offsetSeconds == 0 ? "GMT" : "GMT" + SignedOffset(offsetSeconds, false);
}

std::string WallTimeIso(const WallTime& local)
{
    return WallTimeText(local, true);
}

std::string PreciseMomentIso(const PreciseMoment& precise)
{
    std::string text = WallTimeText(precise.local, true) + IsoOffset(precise.offsetSeconds);
    if (precise.zone.kind == ZoneKind::Named)
        text += "[" + precise.zone.name + "]";
    return text;
}

std::string ZoneDescription(const PreciseMoment& precise, const text::Language& language)
{
    switch (precise.zone.kind) {
    case ZoneKind::Named: return precise.zone.name;
    case ZoneKind::LocalMeanTime: {
        char longitude[32];
        std::snprintf(longitude, sizeof longitude, "%.2f° %s", std::abs(precise.zone.longitude),
                      precise.zone.longitude < 0 ? "W" : "E");
        return language.TextWithReplacements(text::kTextLocalMeanTime, longitude);
    }
    case ZoneKind::FixedOffset: break;
    }
    return OffsetText(precise.offsetSeconds);
}

std::string PreciseMomentLabel(const PreciseMoment& precise, const text::Language& language)
{
    char clock[16];
    if (precise.local.second != 0 || precise.local.microsecond != 0)
        std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", precise.local.hour, precise.local.minute,
                      precise.local.second);
    else
        std::snprintf(clock, sizeof clock, "%02d:%02d", precise.local.hour, precise.local.minute);
    const std::string time = clock + FractionText(precise.local.microsecond);
    if (precise.zone.kind == ZoneKind::FixedOffset)
        return time + " " + OffsetText(precise.offsetSeconds);
    return language.TextWithReplacements(text::kTextPreciseMomentLabel, time, ZoneDescription(precise, language),
                                         OffsetText(precise.offsetSeconds));
}

}  // namespace orvane::datetime
