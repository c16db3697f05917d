#pragma once

// The moment of an AAF record: what its #A93 and #B93 chunks give of it, placed in a zone.

#include "charts/aaf_fields.h"
#include "charts/chart_record.h"
#include "datetime/iso_dates.h"

#include <optional>
#include <string>

namespace orvane::text {
class Language;
}

namespace orvane::charts::aaf {

// What a record says of its moment; nothing for a field that is "*" or missing.
struct RecordTimes {
    std::optional<datetime::TypedDate> date;  // #A93, local
    std::optional<ClockTime> time;            // #A93, local
    std::optional<double> julianDay;          // #B93, UT
    std::optional<int32_t> zoneDifference;    // #B93, seconds east, summer time left out
    std::optional<SummerTime> summer;         // #B93
    std::string zoneName;                     // #ZNAM
};

// Sets the chart's moment and whether its time is known (filling the place's coordinates from the atlas
// where the zone came from there); the reason when it cannot. `zoneNameUsed` tells whether #ZNAM became
// the chart's zone (and so is not kept among the foreign chunks).
std::optional<std::string> PlaceMoment(ChartRecord& chart, const RecordTimes& times, bool& zoneNameUsed,
                                       const text::Language& language);

}  // namespace orvane::charts::aaf
