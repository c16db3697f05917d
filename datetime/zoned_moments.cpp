#include "datetime/zoned_moments.h"

#include "atlas/atlas.h"
#include "datetime/iso_dates.h"
#include "platform/calendar.h"
#include "text/language.h"
#include "text/text_numbers.h"

#include <date/tz.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace orvane::datetime {
namespace {

using platform::ErrorCode;
using platform::Result;

constexpr double kSecondsPerDay = 86400.0;

// The tz database's zone of `name`, or none. The database reports an unknown name by throwing; that stays
// here.
const date::time_zone* LocateZone(const std::string& name)
{
    try {
        return date::locate_zone(name);
    } catch (const std::exception&) {
        return nullptr;
    }
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// Text `number` with [r1] … [r5] filled in one pass, so that a typed value holding "^" or "[r2]" is
// shown as typed.
platform::Error Refusal(const text::Language& language, int16_t number, const std::string& r1,
                        const std::string& r2 = {}, const std::string& r3 = {}, const std::string& r4 = {},
                        const std::string& r5 = {})
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
    return {ErrorCode::InvalidInput, platform::Message::Information("", filled)};
}

platform::Error UnknownZone(const text::Language& language, std::string_view typed)
{
    return Refusal(language, text::kTextUnknownNamedZone, std::string(typed));
}

// The years the tz lookups take: far beyond them a zone keeps the offset it has at their ends (its local
// mean time before, its present rule after). Both bounds are leap years, so 29 February stays a date.
constexpr int32_t kLookupYears = 9996;

// A wall-clock time as seconds of the date library's local time line.
date::local_seconds LocalSeconds(const WallTime& local)
{
    const int32_t year = std::clamp(local.year, -kLookupYears, kLookupYears);
    const date::local_days day{date::year(year) / date::month(static_cast<unsigned>(local.month)) /
                               date::day(static_cast<unsigned>(local.day))};
    return day + std::chrono::hours(local.hour) + std::chrono::minutes(local.minute) +
           std::chrono::seconds(local.second);
}

// A Julian date (UT) as seconds of the system clock's count, to the nearest second, within the lookup years.
date::sys_seconds SysSeconds(double moment)
{
    constexpr double kLookupSeconds = kLookupYears * 365.2425 * kSecondsPerDay;
    const double seconds = std::clamp(
        (moment - static_cast<double>(platform::kUnixEpochDayNumber) + 0.5) * kSecondsPerDay, -kLookupSeconds,
        kLookupSeconds);
    return date::sys_seconds(std::chrono::seconds(static_cast<int64_t>(std::floor(seconds + 0.5))));
}


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

// A leap second's wall-clock time, "2026-01-01T00:59:60": the same text with second 59 (and no fraction, since
// any fraction of a leap second is its end), and where the seconds stand; nothing for another text.
std::optional<std::string> LeapSecondAsSecond59(std::string_view local)
{
    const size_t time = local.find_first_of("Tt ", 1);
    if (time == std::string_view::npos || local.size() < time + 9 || local[time + 3] != ':' ||
        local[time + 6] != ':' || local.substr(time + 7, 2) != "60")
        return std::nullopt;
    const std::string_view rest = local.substr(time + 9);
    if (!rest.empty() && ((rest[0] != '.' && rest[0] != ',') ||
                          rest.find_first_not_of("0123456789", 1) != std::string_view::npos || rest.size() < 2))
        return std::nullopt;
    return std::string(local.substr(0, time + 7)) + "59";
}

// A leap second is the last second of a day of Universal Time: at `offsetSeconds` east the wall clock's
// minute of it is 23:59 moved by the offset ("00:59" in Berlin in winter).
bool IsLeapSecondMinute(const WallTime& local, int32_t offsetSeconds)
{
    const int32_t utSecond = ((local.hour * 3600 + local.minute * 60 - offsetSeconds) % 86400 + 86400) % 86400;
    return utSecond == 86400 - 60;
}

// The wall-clock time of the leap second at `offsetSeconds` east: "00:59:60".
std::string LeapSecondClockText(int32_t offsetSeconds)
{
    const int32_t minuteOfDay = ((86400 - 60 + offsetSeconds) % 86400 + 86400) % 86400 / 60;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:60", minuteOfDay / 60, minuteOfDay % 60);
    return text;
}

// An offset as the ISO reader takes it, ±HH:MM, ±HHMM, ±HH, ±H:MM or ±H, or with seconds ±HH:MM:SS (the
// whole text), in seconds east, with no upper bound; nothing for another text. Seconds occur in the
// offsets of local mean time that the tz database gives old dates.
std::optional<int32_t> OffsetDigits(std::string_view text)
{
    if (text.size() < 2 || (text[0] != '+' && text[0] != '-'))
        return std::nullopt;
    const auto digits = [&text](size_t at, size_t count) -> std::optional<int32_t> {
        if (at + count > text.size())
            return std::nullopt;
        int32_t value = 0;
        for (size_t i = at; i < at + count; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(text[i])))
                return std::nullopt;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    size_t at = 1;
    const size_t hourDigits = text.size() > 2 && std::isdigit(static_cast<unsigned char>(text[2])) ? 2 : 1;
    const std::optional<int32_t> hours = digits(at, hourDigits);
    at += hourDigits;
    std::optional<int32_t> minutes = 0;
    std::optional<int32_t> seconds = 0;
    if (at < text.size()) {
        const bool colon = text[at] == ':';
        at += colon ? 1 : 0;
        minutes = digits(at, 2);
        at += 2;
        if (colon && at < text.size() && text[at] == ':') {
            seconds = digits(at + 1, 2);
            at += 3;
        }
    }
    if (!hours || !minutes || !seconds || at != text.size() || *minutes > 59 || *seconds > 59)
        return std::nullopt;
    return (text[0] == '-' ? -1 : 1) * (*hours * 3600 + *minutes * 60 + *seconds);
}

// Where the offset of an ISO date-time text starts ("Z", "+", "-" after the time of day), or npos.
size_t OffsetStart(std::string_view text)
{
    const size_t time = text.find_first_of("Tt ", 1);
    if (time == std::string_view::npos)
        return std::string_view::npos;
    return text.find_first_of("Zz+-", time);
}

}  // namespace

// The wall-clock time `moment` (a Julian date, UT) shows at `offsetSeconds` east, to the second below.
WallTime WallTimeAt(double moment, int32_t offsetSeconds)
{
    const double seconds = (moment + 0.5) * kSecondsPerDay + offsetSeconds;
    // Whole seconds, rounded first so that 14:19:59.9999 reads 14:20:00.
    const auto total = static_cast<int64_t>(std::floor(seconds + 1e-4));
    const int64_t dayNumber = total >= 0 ? total / 86400 : -((-total + 86399) / 86400);
    const int64_t ofDay = total - dayNumber * 86400;
    int64_t year = 0;
    WallTime local;
    GregorianDate(dayNumber, year, local.month, local.day);
    local.year = static_cast<int32_t>(year);
    local.hour = static_cast<int32_t>(ofDay / 3600);
    local.minute = static_cast<int32_t>(ofDay / 60 % 60);
    local.second = static_cast<int32_t>(ofDay % 60);
    return local;
}

// The Julian date (UT) of a wall-clock time at `offsetSeconds` east. The moments count no leap seconds: a
// leap second, with any fraction of it, is the end of its minute.
double MomentOf(const WallTime& local, int32_t offsetSeconds)
{
    const double fraction = local.second == 60 ? 0.0 : local.microsecond / 1e6;
    return static_cast<double>(GregorianDayNumber(local.year, local.month, local.day)) - 0.5 +
           (local.hour * 3600.0 + local.minute * 60.0 + local.second + fraction - offsetSeconds) / kSecondsPerDay;
}

// The wall-clock time of `moment` at `offsetSeconds` east whose fraction of a second was given as
// `microsecond`: the whole seconds are those below the fraction, kept beside it as given.
WallTime WallTimeWithFraction(double moment, int32_t offsetSeconds, int32_t microsecond)
{
    WallTime local = WallTimeAt(moment - microsecond / 1e6 / kSecondsPerDay, offsetSeconds);
    local.microsecond = microsecond;
    return local;
}

MomentZone MomentZone::Named(std::string name)
{
    MomentZone zone;
    zone.kind = ZoneKind::Named;
    zone.name = std::move(name);
    return zone;
}

MomentZone MomentZone::Fixed(int32_t offsetSeconds)
{
    MomentZone zone;
    zone.offsetSeconds = offsetSeconds;
    return zone;
}

MomentZone MomentZone::MeanTime(double longitudeEast)
{
    MomentZone zone;
    zone.kind = ZoneKind::LocalMeanTime;
    zone.longitude = longitudeEast;
    zone.offsetSeconds = LocalMeanTimeOffset(longitudeEast);
    return zone;
}

const std::vector<std::string>& ZoneNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        try {
            for (const date::time_zone& zone : date::get_tzdb().zones)
                all.emplace_back(zone.name());
        } catch (const std::exception&) {
            // No tz database on this computer: no names, and every name is unknown.
        }
        std::sort(all.begin(), all.end());
        return all;
    }();
    return names;
}

std::vector<std::string> MatchingZoneNames(std::string_view part)
{
    const std::string wanted = Lower(part);
    std::vector<std::string> matching;
    for (const std::string& name : ZoneNames())
        if (Lower(name).find(wanted) != std::string::npos)
            matching.push_back(name);
    return matching;
}

Result<std::string> FindZone(std::string_view typed, const text::Language& language)
{
    const std::string name(typed);
    if (!name.empty() && LocateZone(name) != nullptr)
        return Result<std::string>(name);
    const std::string lower = Lower(typed);
    for (const std::string& candidate : ZoneNames())
        if (Lower(candidate) == lower)
            return Result<std::string>(candidate);
    // A place of the atlas: "Vienna" is Europe/Vienna.
    std::vector<const atlas::AtlasPlace*> candidates;
    if (const atlas::AtlasPlace* place = atlas::Atlas::Shared().Resolve(typed, &candidates);
        place != nullptr && LocateZone(place->zone) != nullptr)
        return Result<std::string>(place->zone);
    if (candidates.empty())
        return Result<std::string>(UnknownZone(language, typed));
    const auto names = language.currentLanguage == text::langGerman ? atlas::NameLanguage::German
                                                                       : atlas::NameLanguage::English;
    std::string listed;
    for (const atlas::AtlasPlace* candidate : candidates)
        listed += (listed.empty() ? "" : "; ") + atlas::PlaceLabel(*candidate, names) + " (" + candidate->zone + ")";
    return Result<std::string>(Refusal(language, text::kTextPlaceInSeveralZones, std::string(typed), listed));
}

Result<int32_t> OffsetAt(const std::string& name, double moment, const text::Language& language)
{
    const date::time_zone* zone = LocateZone(name);
    if (zone == nullptr)
        return Result<int32_t>(UnknownZone(language, name));
    return Result<int32_t>(static_cast<int32_t>(zone->get_info(SysSeconds(moment)).offset.count()));
}

Result<WallTimeOffsets> OffsetsAtWallTime(const std::string& name, const WallTime& local,
                                          const text::Language& language)
{
    const date::time_zone* zone = LocateZone(name);
    if (zone == nullptr)
        return Result<WallTimeOffsets>(UnknownZone(language, name));
    const date::local_info info = zone->get_info(LocalSeconds(local));
    WallTimeOffsets offsets;
    offsets.first = static_cast<int32_t>(info.first.offset.count());
    offsets.second = static_cast<int32_t>(info.second.offset.count());
    switch (info.result) {
    case date::local_info::nonexistent: offsets.kind = WallTimeKind::Skipped; break;
    case date::local_info::ambiguous: offsets.kind = WallTimeKind::Repeated; break;
    default: offsets.kind = WallTimeKind::Unique; offsets.second = offsets.first; break;
    }
    return Result<WallTimeOffsets>(offsets);
}

int32_t LocalMeanTimeOffset(double longitudeEast)
{
    return static_cast<int32_t>(std::lround(longitudeEast * 240.0));
}

Result<PreciseMoment> ResolveWallTime(const WallTime& local, const MomentZone& zone, std::optional<int32_t> givenOffset,
                                      const text::Language& language)
{
    const auto tooLarge = [&language](int32_t offset) {
        return Result<PreciseMoment>(Refusal(language, text::kTextOffsetTooLarge, IsoOffset(offset)));
    };
    PreciseMoment precise;
    precise.local = local;
    precise.zone = zone;
    if (zone.kind != ZoneKind::Named) {
        // A named zone's offset is the tz database's (Manila's local mean time was −15:56); a given one
        // stays within the offsets of today's zones.
        if (givenOffset && std::abs(*givenOffset) > kMaxOffsetSeconds)
            return tooLarge(*givenOffset);
        if (std::abs(zone.offsetSeconds) > kMaxOffsetSeconds)
            return tooLarge(zone.offsetSeconds);
        precise.offsetSeconds = givenOffset.value_or(zone.offsetSeconds);
    } else {
        const Result<WallTimeOffsets> offsets = OffsetsAtWallTime(zone.name, local, language);
        if (!offsets)
            return Result<PreciseMoment>(offsets.failure());
        const WallTimeOffsets& o = offsets.value();
        const std::string when = WallTimeText(local, local.second != 0 || local.microsecond != 0);
        if (o.kind == WallTimeKind::Skipped)
            return Result<PreciseMoment>(Refusal(language, text::kTextSkippedTime, when, zone.name, OffsetText(o.first),
                                                 OffsetText(o.second)));
        if (givenOffset) {
            if (*givenOffset != o.first && *givenOffset != o.second)
                return Result<PreciseMoment>(Refusal(language, text::kTextOffsetDisagrees, IsoOffset(*givenOffset),
                                                     zone.name, OffsetText(o.first)));
            precise.offsetSeconds = *givenOffset;
        } else if (o.kind == WallTimeKind::Repeated) {
            return Result<PreciseMoment>(Refusal(language, text::kTextRepeatedTime, when, zone.name,
                                                 OffsetText(o.first), OffsetText(o.second),
                                                 WallTimeText(local, false) + IsoOffset(o.first) + "[" + zone.name + "]"));
        } else {
            precise.offsetSeconds = o.first;
        }
    }
    if (local.second == 60 && !IsLeapSecondMinute(local, precise.offsetSeconds)) {
        const std::string where = zone.kind == ZoneKind::Named ? zone.name : OffsetText(precise.offsetSeconds);
        return Result<PreciseMoment>(Refusal(language, text::kTextNoLeapSecond, WallTimeText(local, true), where,
                                             LeapSecondClockText(precise.offsetSeconds),
                                             OffsetText(precise.offsetSeconds)));
    }
    precise.moment = MomentOf(local, precise.offsetSeconds);
    precise.typed = PreciseMomentIso(precise);
    return Result<PreciseMoment>(std::move(precise));
}

Result<PreciseMoment> MomentInZone(double moment, const MomentZone& zone, const text::Language& language)
{
    int32_t offset = zone.offsetSeconds;
    if (zone.kind == ZoneKind::Named) {
        const Result<int32_t> inEffect = OffsetAt(zone.name, moment, language);
        if (!inEffect)
            return Result<PreciseMoment>(inEffect.failure());
        offset = inEffect.value();
    }
    PreciseMoment precise;
    precise.moment = moment;
    precise.zone = zone;
    precise.offsetSeconds = offset;
    precise.local = WallTimeAt(moment, offset);
    precise.typed = PreciseMomentIso(precise);
    return Result<PreciseMoment>(std::move(precise));
}

std::optional<PreciseMoment> ClockMoment(const platform::Clock& clock)
{
    const std::string name = clock.ZoneName();
    const date::time_zone* zone = name.empty() ? nullptr : LocateZone(name);
    const platform::LocalClockReading now = clock.LocalNow();
    const WallTime local{now.year, now.month, now.day, now.hour, now.minute, now.second};
    if (zone == nullptr) {
        // A zone given as a rule that the database does not name ("<+0545>-5:45"): its offset now.
        const std::optional<int32_t> offset = clock.RuleOffsetNow();
        if (!offset)
            return std::nullopt;
        PreciseMoment precise;
        precise.zone = MomentZone::Fixed(*offset);
        precise.offsetSeconds = *offset;
        precise.local = local;
        precise.moment = MomentOf(local, *offset);
        precise.typed = PreciseMomentIso(precise);
        precise.fromComputerClock = true;
        return precise;
    }
    const date::local_info info = zone->get_info(LocalSeconds(local));
    // A clock never shows a skipped time; should it, the offset after the gap is the one it runs on.
    const date::sys_info& inEffect = info.result == date::local_info::nonexistent ? info.second : info.first;
    PreciseMoment precise;
    precise.zone = MomentZone::Named(name);
    precise.offsetSeconds = static_cast<int32_t>(inEffect.offset.count());
    precise.local = local;
    precise.moment = MomentOf(local, precise.offsetSeconds);
    precise.typed = PreciseMomentIso(precise);
    precise.fromComputerClock = true;
    return precise;
}

std::optional<int32_t> ClockStandardOffset(const platform::Clock& clock)
{
    const std::optional<PreciseMoment> now = ClockMoment(clock);
    if (!now)
        return std::nullopt;
    if (now->zone.kind != ZoneKind::Named)
        return -clock.StandardOffsetSecondsWest();
    // The zone files mark summer time without saying by how much: the standard offset is that of the latest
    // period without it.
    const date::time_zone* zone = LocateZone(now->zone.name);
    date::sys_info info = zone->get_info(SysSeconds(now->moment));
    for (int back = 0; back < 8 && info.save != std::chrono::minutes(0); ++back)
        info = zone->get_info(info.begin - std::chrono::seconds(1));
    return static_cast<int32_t>(info.offset.count());
}

Result<MomentZone> ParseMomentZone(std::string_view text, const text::Language& language)
{
    if (const std::optional<int32_t> minutes = ParseZone(text))
        return Result<MomentZone>(MomentZone::Fixed(*minutes * 60));
    // An offset in the form of one, but larger than any zone's.
    std::string_view digits = text;
    for (const std::string_view prefix : {"UTC", "GMT", "UT"})
        if (Lower(digits).rfind(Lower(prefix), 0) == 0) {
            digits.remove_prefix(prefix.size());
            break;
        }
    if (OffsetDigits(digits))
        return Result<MomentZone>(Refusal(language, text::kTextOffsetTooLarge, std::string(text)));
    const Result<std::string> name = FindZone(text, language);
    if (!name)
        return Result<MomentZone>(name.failure());
    return Result<MomentZone>(MomentZone::Named(name.value()));
}

namespace {

// A moment's text taken apart: the wall-clock part, the part with the offset written after it, the offset
// and the zone the moment is read in.
struct MomentParts {
    std::string_view text;   // as typed
    std::string_view body;   // without the zone and the tags in brackets
    std::string_view local;  // without the offset either
    std::optional<int32_t> givenOffset;
    MomentZone zone;
};

// `body` without the RFC 9557 tags after it ("[u-ca=gregory]"): the Gregorian calendar, which every moment
// here is read in, is taken; another calendar is refused; other tags are elective and left aside.
Result<std::string_view> WithoutTags(std::string_view body, std::string_view text, const text::Language& language)
{
    while (!body.empty() && body.back() == ']') {
        const size_t open = body.rfind('[');
        if (open == std::string_view::npos)
            return Result<std::string_view>(Refusal(language, text::kTextNotAMoment, std::string(text)));
        std::string_view tag = body.substr(open + 1, body.size() - open - 2);
        if (tag.find('=') == std::string_view::npos)
            break;
        if (!tag.empty() && tag.front() == '!')
            tag.remove_prefix(1);
        const std::string key = Lower(tag.substr(0, tag.find('=')));
        const std::string value = Lower(tag.substr(tag.find('=') + 1));
        if (key.empty() || value.empty() || tag.find_first_of("[]") != std::string_view::npos)
            return Result<std::string_view>(Refusal(language, text::kTextNotAMoment, std::string(text)));
        if (key == "u-ca" && value != "gregory" && value != "iso8601")
            return Result<std::string_view>(Refusal(language, text::kTextOnlyGregorian, std::string(tag)));
        body = body.substr(0, open);
    }
    return Result<std::string_view>(body);
}

// The zone in brackets after the moment ("[!…]" marks it critical, which every zone here is), the offset
// written after the time of day, and the zone the moment is read in (`defaultZone` without either).
Result<MomentParts> PartsOf(std::string_view text, const MomentZone& defaultZone, const text::Language& language)
{
    const auto notAMoment = [&] { return Result<MomentParts>(Refusal(language, text::kTextNotAMoment, std::string(text))); };
    const Result<std::string_view> untagged = WithoutTags(text, text, language);
    if (!untagged)
        return Result<MomentParts>(untagged.failure());
    MomentParts parts;
    parts.text = text;
    parts.body = untagged.value();
    std::optional<MomentZone> suffixZone;
    if (!parts.body.empty() && parts.body.back() == ']') {
        const size_t open = parts.body.rfind('[');
        if (open == std::string_view::npos)
            return notAMoment();
        std::string_view inside = parts.body.substr(open + 1, parts.body.size() - open - 2);
        if (!inside.empty() && inside.front() == '!')
            inside.remove_prefix(1);
        if (inside.empty() || inside.find_first_of("[]=") != std::string_view::npos)
            return notAMoment();
        const Result<MomentZone> zone = ParseMomentZone(inside, language);
        if (!zone)
            return Result<MomentParts>(zone.failure());
        suffixZone = zone.value();
        parts.body = parts.body.substr(0, open);
    }
    parts.local = parts.body;
    if (const size_t at = OffsetStart(parts.body); at != std::string_view::npos) {
        const std::string_view offset = parts.body.substr(at);
        parts.givenOffset = offset == "Z" || offset == "z" ? std::optional<int32_t>(0) : OffsetDigits(offset);
        if (!parts.givenOffset)
            return notAMoment();
        if (std::abs(*parts.givenOffset) > kMaxOffsetSeconds && !(suffixZone && suffixZone->kind == ZoneKind::Named))
            return Result<MomentParts>(Refusal(language, text::kTextOffsetTooLarge, std::string(offset)));
        parts.local = parts.body.substr(0, at);
    }
    parts.zone = suffixZone ? *suffixZone : parts.givenOffset ? MomentZone::Fixed(*parts.givenOffset) : defaultZone;
    return Result<MomentParts>(std::move(parts));
}

Result<PreciseMoment> OffsetDisagrees(const MomentParts& parts, const text::Language& language)
{
    return Result<PreciseMoment>(Refusal(language, text::kTextOffsetDisagrees, IsoOffset(*parts.givenOffset),
                                         OffsetText(parts.zone.offsetSeconds), OffsetText(parts.zone.offsetSeconds)));
}

// A leap second, read in any zone as the wall clock shows it and accepted where it is the last second of a
// day of Universal Time.
Result<PreciseMoment> LeapSecondIn(const MomentParts& parts, const std::string& second59, const text::Language& language)
{
    if (parts.zone.kind != ZoneKind::Named && parts.givenOffset && *parts.givenOffset != parts.zone.offsetSeconds)
        return OffsetDisagrees(parts, language);
    const std::optional<IsoMoment> wall = ParseIsoMoment(second59, 0);
    if (!wall)
        return Result<PreciseMoment>(Refusal(language, text::kTextNotAMoment, std::string(parts.text)));
    WallTime leap = WallTimeAt(wall->moment, 0);
    leap.second = 60;
    return ResolveWallTime(leap, parts.zone, parts.givenOffset, language);
}

// At a fixed offset the whole text is read as ISO 8601 reads it (fractions included).
Result<PreciseMoment> AtFixedOffset(const MomentParts& parts, const text::Language& language)
{
    const MomentZone& zone = parts.zone;
    if (parts.givenOffset && *parts.givenOffset != zone.offsetSeconds)
        return OffsetDisagrees(parts, language);
    // Local mean time may lie between whole minutes: its offset is applied after reading.
    const bool wholeMinutes = zone.offsetSeconds % 60 == 0;
    const std::optional<IsoMoment> read = parts.givenOffset && wholeMinutes
                                              ? ParseIsoMoment(parts.body, 0)
                                              : ParseIsoMoment(parts.local, wholeMinutes ? zone.offsetSeconds / 60 : 0);
    if (!read)
        return Result<PreciseMoment>(Refusal(language, text::kTextNotAMoment, std::string(parts.text)));
    const double moment = read->moment - (wholeMinutes ? 0.0 : zone.offsetSeconds / kSecondsPerDay);
    Result<PreciseMoment> precise = MomentInZone(moment, zone, language);
    if (precise)
        precise.value().local = WallTimeWithFraction(moment, precise.value().offsetSeconds, read->microsecond);
    return precise;
}

// In a named zone: "Z" before it gives the moment in UT, shown in the zone whatever its offset then;
// otherwise the wall-clock time first (read as if at Greenwich), then the zone's offset for it.
Result<PreciseMoment> InNamedZone(const MomentParts& parts, const text::Language& language)
{
    const bool universal = parts.givenOffset && parts.body.size() > parts.local.size() &&
                           (parts.body.back() == 'Z' || parts.body.back() == 'z');
    const std::optional<IsoMoment> read = ParseIsoMoment(universal ? parts.body : parts.local, 0);
    if (!read)
        return Result<PreciseMoment>(Refusal(language, text::kTextNotAMoment, std::string(parts.text)));
    if (universal)
        return MomentInZone(read->moment, parts.zone, language);
    return ResolveWallTime(WallTimeWithFraction(read->moment, 0, read->microsecond), parts.zone, parts.givenOffset,
                           language);
}

}  // namespace

Result<PreciseMoment> ParsePreciseMoment(std::string_view text, const MomentZone& defaultZone,
                                         const text::Language& language)
{
    const Result<MomentParts> parts = PartsOf(text, defaultZone, language);
    if (!parts)
        return Result<PreciseMoment>(parts.failure());
    const MomentParts& read = parts.value();
    const bool universal = read.givenOffset && read.body.size() > read.local.size() &&
                           (read.body.back() == 'Z' || read.body.back() == 'z');
    const std::optional<std::string> second59 = LeapSecondAsSecond59(read.local);
    Result<PreciseMoment> precise = read.zone.kind == ZoneKind::Named && (universal || !second59)
                                        ? InNamedZone(read, language)
                                    : second59 ? LeapSecondIn(read, *second59, language)
                                               : AtFixedOffset(read, language);
    if (precise)
        precise.value().typed = std::string(text);
    return precise;
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
