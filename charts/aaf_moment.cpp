#include "charts/aaf_moment.h"

#include "atlas/atlas.h"
#include "datetime/zoned_moments.h"
#include "platform/moment.h"
#include "text/language.h"
#include "text/text_numbers.h"

#include <cmath>
#include <variant>

namespace orvane::charts::aaf {

namespace {

using datetime::MomentZone;
using datetime::PreciseMoment;

struct ZoneChoice {
    MomentZone zone;
    std::optional<int32_t> givenOffset;  // the offset #B93 gives beside the zone #ZNAM names
    bool fromZoneName = false;
};

constexpr double kSecondsPerDay = platform::kSecondsPerDay;

// A fixed zone difference and its summer time, which the chart keeps beside the zone; a summer time the
// record leaves unknown ("*") counts as none and is kept as unknown, so that an export writes "*" again.
ZoneChoice Fixed(ChartRecord& chart, int32_t difference, std::optional<int32_t> summer)
{
    if (!summer)
        chart.foreign += "#:summer:*\n";
    else if (*summer != 0)
        chart.foreign += "#:summer:" + std::to_string(*summer / 3600) + "\n";
    return ZoneChoice{MomentZone::Fixed(difference + summer.value_or(0)), std::nullopt, false};
}

std::optional<int32_t> SummerOf(const RecordTimes& times)
{
    return times.summer ? std::optional<int32_t>(times.summer->seconds) : std::nullopt;
}

// `degrees` to the whole second of arc, computed as the field reader computes a written angle, so that the
// coordinates come back equal from a file written of them.
double Arcseconds(double degrees)
{
    const auto seconds = std::llround(std::abs(degrees) * 3600.0);
    const double angle = static_cast<double>(seconds / 3600) + static_cast<double>(seconds % 3600) / 3600.0;
    return degrees < 0 ? -angle : angle;
}

// The zone of the record's place in the atlas, whose coordinates fill those the record lacks.
std::optional<ZoneChoice> AtlasZone(ChartRecord& chart)
{
    if (chart.place.name.empty())
        return std::nullopt;
    const atlas::AtlasPlace* place = atlas::Atlas::Shared().Resolve(chart.place.name);
    if (place == nullptr)
        return std::nullopt;
    if (!chart.place.latitude || !chart.place.longitude) {
        chart.place.latitude = Arcseconds(place->latitude);
        chart.place.longitude = Arcseconds(place->longitude);
    }
    return ZoneChoice{MomentZone::Named(place->zone), std::nullopt, false};
}

std::variant<ZoneChoice, std::string> ChooseZone(ChartRecord& chart, const RecordTimes& times,
                                                 const text::Language& language)
{
    const auto noZone = [&] { return language.TextWithReplacements(text::kTextAafNoZone, chart.place.name); };
    if (times.summer && times.summer->localMeanTime) {
        if (chart.place.longitude)
            return ZoneChoice{MomentZone::MeanTime(*chart.place.longitude), std::nullopt, false};
        if (times.zoneDifference)
            return ZoneChoice{MomentZone::Fixed(*times.zoneDifference), std::nullopt, false};
        return noZone();
    }
    const int32_t summer = times.summer ? times.summer->seconds : 0;
    const bool tzName = !times.zoneName.empty() && times.zoneName.find('/') != std::string::npos &&
                        datetime::OffsetAt(times.zoneName, platform::kJ2000, language).ok();
    if (tzName)
        return ZoneChoice{MomentZone::Named(times.zoneName),
                          times.zoneDifference ? std::optional<int32_t>(*times.zoneDifference + summer) : std::nullopt, true};
    if (times.zoneDifference)
        return Fixed(chart, *times.zoneDifference, SummerOf(times));
    if (times.julianDay && times.date && times.time) {
        const datetime::WallTime local{times.date->year, times.date->month, times.date->day,
                                       times.time->hour, times.time->minute, times.time->second};
        const double difference = (datetime::MomentOf(local, 0) - *times.julianDay) * kSecondsPerDay;
        const auto offset = static_cast<int32_t>(std::lround(difference / 60.0) * 60);
        if (std::abs(offset) <= datetime::kMaxOffsetSeconds)
            return ZoneChoice{MomentZone::Fixed(offset), std::nullopt, false};
    }
    if (std::optional<ZoneChoice> fromAtlas = AtlasZone(chart))
        return *fromAtlas;
    if (times.julianDay)
        return ZoneChoice{MomentZone::Fixed(0), std::nullopt, false};
    return noZone();
}

platform::Result<PreciseMoment> FromWallTime(ChartRecord& chart, const RecordTimes& times, ZoneChoice& choice,
                                             const text::Language& language)
{
    datetime::WallTime local{times.date->year, times.date->month, times.date->day, 12, 0, 0};
    if (times.time)
        local = {local.year, local.month, local.day, times.time->hour, times.time->minute, times.time->second};
    platform::Result<PreciseMoment> placed = datetime::ResolveWallTime(local, choice.zone, choice.givenOffset, language);
    if (!placed && choice.fromZoneName && choice.givenOffset) {
        // #ZNAM names a zone that did not have #B93's offset then: the offset is the record's zone.
        choice = Fixed(chart, *times.zoneDifference, SummerOf(times));
        placed = datetime::ResolveWallTime(local, choice.zone, std::nullopt, language);
    }
    return placed;
}

}  // namespace

std::optional<std::string> PlaceMoment(ChartRecord& chart, const RecordTimes& times, bool& zoneNameUsed,
                                       const text::Language& language)
{
    std::variant<ZoneChoice, std::string> chosen = ChooseZone(chart, times, language);
    if (const auto* problem = std::get_if<std::string>(&chosen))
        return *problem;
    ZoneChoice& choice = std::get<ZoneChoice>(chosen);
    if (!times.date && !times.julianDay)
        return language.Text(text::kTextAafNoMoment);
    std::optional<PreciseMoment> precise;
    if (times.date) {
        platform::Result<PreciseMoment> placed = FromWallTime(chart, times, choice, language);
        if (placed)
            precise = placed.value();
        else if (!times.julianDay)
            return placed.error().text;
    }
    // The Julian day rules where the date and time disagree with it (beyond the rounding of its five
    // decimals), or where they are not there or cannot be placed.
    if (times.julianDay && (!precise || (times.time && std::abs(precise->moment - *times.julianDay) * kSecondsPerDay > 2.0))) {
        // The wall-clock time of a moment is its nearest second.
        const double julianDay = *times.julianDay;
        platform::Result<PreciseMoment> placed = datetime::MomentInZone(julianDay, choice.zone, language);
        if (placed && choice.fromZoneName && choice.givenOffset && placed.value().offsetSeconds != *choice.givenOffset) {
            // #ZNAM's zone did not have #B93's offset then: the offset is the record's zone.
            choice = Fixed(chart, *times.zoneDifference, SummerOf(times));
            placed = datetime::MomentInZone(julianDay, choice.zone, language);
        }
        if (!placed)
            return placed.error().text;
        // To the second of its wall-clock time: the five decimals are no finer, and so the moment is the one
        // its date and time (or its Julian day, rounded to the second again) give when written back.
        precise = placed.value();
        precise->moment = datetime::MomentOf(precise->local, precise->offsetSeconds);
    }
    precise->typed = datetime::PreciseMomentIso(*precise);
    chart.moment = *precise;
    chart.timeKnown = times.time.has_value() || !times.date;
    zoneNameUsed = choice.fromZoneName;
    return std::nullopt;
}

}  // namespace orvane::charts::aaf
