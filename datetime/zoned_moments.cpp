#include "datetime/zoned_moments.h"

#include "atlas/atlas.h"
#include "platform/moment.h"
#include "text/language.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <date/tz.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace orvane::datetime {
namespace {

using platform::Result;

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

platform::Error UnknownZone(const text::Language& language, std::string_view typed)
{
    return MomentRefusal(language, text::kTextUnknownNamedZone, std::string(typed));
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

// A moment as seconds of the system clock's count, to the nearest second, within the lookup years.
date::sys_seconds SysSeconds(double moment)
{
    constexpr double kLookupDays = kLookupYears * 365.2425;
    const double days = platform::DayStart(platform::kUnixEpochDayNumber);
    return platform::NearestSecond(std::clamp(moment, days - kLookupDays, days + kLookupDays));
}

// A leap second is the last second of a day of Universal Time: at `offsetSeconds` east the wall clock's
// minute of it is 23:59 moved by the offset ("00:59" in Berlin in winter).
bool IsLeapSecondMinute(const WallTime& local, int32_t offsetSeconds)
{
    constexpr int32_t kDay = platform::kSecondsPerDay;
    const int32_t utSecond = ((local.hour * 3600 + local.minute * 60 - offsetSeconds) % kDay + kDay) % kDay;
    return utSecond == kDay - 60;
}

// The wall-clock time of the leap second at `offsetSeconds` east: "00:59:60".
std::string LeapSecondClockText(int32_t offsetSeconds)
{
    constexpr int32_t kDay = platform::kSecondsPerDay;
    const int32_t minuteOfDay = ((kDay - 60 + offsetSeconds) % kDay + kDay) % kDay / 60;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:60", minuteOfDay / 60, minuteOfDay % 60);
    return text;
}

}  // namespace

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
    const std::string wanted = text::LowerCase(part);
    std::vector<std::string> matching;
    for (const std::string& name : ZoneNames())
        if (text::LowerCase(name).find(wanted) != std::string::npos)
            matching.push_back(name);
    return matching;
}

Result<std::string> FindZone(std::string_view typed, const text::Language& language)
{
    const std::string name(typed);
    if (!name.empty() && LocateZone(name) != nullptr)
        return Result<std::string>(name);
    const std::string lower = text::LowerCase(typed);
    for (const std::string& candidate : ZoneNames())
        if (text::LowerCase(candidate) == lower)
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
    return Result<std::string>(MomentRefusal(language, text::kTextPlaceInSeveralZones, std::string(typed), listed));
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
        return Result<PreciseMoment>(MomentRefusal(language, text::kTextOffsetTooLarge, IsoOffset(offset)));
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
            return Result<PreciseMoment>(MomentRefusal(language, text::kTextSkippedTime, when, zone.name, OffsetText(o.first),
                                                 OffsetText(o.second)));
        if (givenOffset) {
            if (*givenOffset != o.first && *givenOffset != o.second)
                return Result<PreciseMoment>(MomentRefusal(language, text::kTextOffsetDisagrees, IsoOffset(*givenOffset),
                                                     zone.name, OffsetText(o.first)));
            precise.offsetSeconds = *givenOffset;
        } else if (o.kind == WallTimeKind::Repeated) {
            return Result<PreciseMoment>(MomentRefusal(language, text::kTextRepeatedTime, when, zone.name,
                                                 OffsetText(o.first), OffsetText(o.second),
                                                 WallTimeText(local, false) + IsoOffset(o.first) + "[" + zone.name + "]"));
        } else {
            precise.offsetSeconds = o.first;
        }
    }
    if (local.second == 60 && !IsLeapSecondMinute(local, precise.offsetSeconds)) {
        const std::string where = zone.kind == ZoneKind::Named ? zone.name : OffsetText(precise.offsetSeconds);
        return Result<PreciseMoment>(MomentRefusal(language, text::kTextNoLeapSecond, WallTimeText(local, true), where,
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
    const WallTime local = clock.LocalNow();
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

}  // namespace orvane::datetime
