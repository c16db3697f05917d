// ISO 8601 moments and zones as the command line reads them, from arbitrary bytes: the first byte chooses the
// zone a text without one is taken in (a quarter hour a step around 128, at most 14 hours), the rest is the
// text. A text that reads as a moment writes back (IsoText, in UT and in that zone) to a text that reads as
// the same moment to the second; read in two default zones it differs by their difference or, when it names
// its own zone, not at all; a fraction moves it less than the part it belongs to; a leap second is
// midnight UT; the calendar's day numbers and dates convert into each other. A zone reads as an offset of
// at most 14 hours or as nothing. The precise-moment reader (offsets to the minute, zones of the tz database
// in brackets) reads every text the ISO reader reads as the same moment, and what it reads writes back as
// its ISO text and reads again as the same moment and zone.

#include "fuzz/fuzz_support.h"

#include "datetime/iso_dates.h"
#include "datetime/zoned_moments.h"
#include "text/language.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace orvane::datetime;
using orvane::fuzz::Require;

constexpr int32_t kMaxZone = 14 * 60;
constexpr double kSecond = 1.0 / 86400.0;

// Two moments, or two differences of moments near `moment`, within `tolerance`: far from the present era a
// moment's own precision (a few units of its last place) is the bound.
bool Near(double a, double b, double tolerance, double moment)
{
    return std::fabs(a - b) <= tolerance + 1e-15 * std::fabs(moment);
}

bool DigitAt(std::string_view text, size_t at)
{
    return at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]));
}

// The precise-moment reader beside the ISO reader. Its refusals need no words here: a language without
// its texts serves.
void CheckPreciseMoment(std::string_view text)
{
    static const orvane::text::Language noWords;
    const orvane::platform::Result<PreciseMoment> precise = ParsePreciseMoment(text, MomentZone::Fixed(0), noWords);
    const std::optional<IsoMoment> iso = ParseIsoMoment(text, 0);
    if (iso && text.find('[') == std::string_view::npos)
        Require(precise.ok() && Near(precise.value().moment, iso->moment, 1e-9, iso->moment),
                "a text the ISO reader reads is the same moment as a precise one");
    if (!precise)
        return;
    const PreciseMoment& read = precise.value();
    Require(std::isfinite(read.moment), "a precise moment is a finite number");
    if (read.zone.kind != ZoneKind::Named)
        Require(std::abs(read.offsetSeconds) <= kMaxOffsetSeconds, "a fixed offset is at most 14 hours");
    if (read.local.year < 0 || read.local.year > 9999)
        return;
    const orvane::platform::Result<PreciseMoment> again =
        ParsePreciseMoment(PreciseMomentIso(read), MomentZone::Fixed(0), noWords);
    Require(again.ok(), "a precise moment's ISO text reads again");
    Require(Near(again.value().moment, read.moment, kSecond, read.moment) && again.value().zone == read.zone,
            "a precise moment's ISO text is the same moment in the same zone");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int32_t zone = std::clamp((static_cast<int32_t>(data[0]) - 128) * 15, -kMaxZone, kMaxZone);
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    if (const std::optional<int32_t> offset = ParseZone(text))
        Require(*offset >= -kMaxZone && *offset <= kMaxZone, "a zone is at most 14 hours from UT");

    CheckPreciseMoment(text);

    // Only where a leap second may stand depends on the zone a text without its own is taken in.
    const std::optional<IsoMoment> read = ParseIsoMoment(text, zone);
    const int32_t otherZone = zone == 0 ? 60 : 0;
    const std::optional<IsoMoment> readElsewhere = ParseIsoMoment(text, otherZone);
    const bool leapSecond = text.find(":60") != std::string_view::npos;
    Require(leapSecond || read.has_value() == readElsewhere.has_value(),
            "the default zone decides nothing about reading but a leap second's place");
    if (!read)
        return 0;
    const double moment = read->moment;
    Require(std::isfinite(moment), "a moment is a finite number");
    if (readElsewhere) {
        Require(read->hasTime == readElsewhere->hasTime, "the time of day is found in either zone");
        const double shift = readElsewhere->moment - moment;
        Require(Near(shift, 0.0, 1e-9, moment) || Near(shift, (zone - otherZone) / 1440.0, 1e-9, moment),
                "the default zone shifts a moment by the zones' difference, or not at all");
    }

    // Written back to the second, in UT and in the zone, and read again. The texts of years beyond seven
    // digits, which no reader takes, and of moments whose second a double no longer holds are left out.
    if (std::fabs(moment) < 3e9) {
        for (const int32_t written : {0, zone}) {
            const std::string back = IsoText(moment, written);
            const std::optional<IsoMoment> again = ParseIsoMoment(back, otherZone);
            Require(again.has_value(), "a moment written as ISO 8601 reads again");
            Require(Near(again->moment, moment, 0.5 * kSecond + 1e-9, moment),
                    "a moment written and read again is the same to the second");
        }
        const double later = OneYearLater(moment) - moment;
        Require(Near(later, 365.0, 1e-9, moment) || Near(later, 366.0, 1e-9, moment),
                "a calendar year later is 365 or 366 days later");
    }

    // The day of the moment in UT: a day number and a date that convert into each other.
    const double day = std::floor(moment + 0.5);
    if (std::fabs(day) < 3e9) {
        int64_t year = 0;
        int32_t month = 0;
        int32_t dayOfMonth = 0;
        GregorianDate(static_cast<int64_t>(day), year, month, dayOfMonth);
        Require(month >= 1 && month <= 12 && dayOfMonth >= 1 && dayOfMonth <= 31, "a date has a month and a day");
        Require(GregorianDayNumber(year, month, dayOfMonth) == static_cast<int64_t>(day),
                "a day number's date has that day number");
    }

    if (!read->hasTime)
        return 0;
    // The time "THH:MM" follows the date, the first "T", "t" or blank of a text that was read.
    const size_t time = text.find_first_of("Tt ");
    Require(time != std::string_view::npos && time + 6 <= text.size(), "a time of day follows the date");
    // A leap second, "HH:MM:60", is midnight UT, whatever fraction follows.
    if (text.substr(time + 6, 3) == ":60")
        Require(Near(moment + 0.5, std::round(moment + 0.5), 1e-9, moment), "a leap second is midnight UT");
    // A fraction of the seconds (after HH:MM:SS) or of the minutes (after HH:MM) moves the moment forward by
    // less than one of them: the text without it reads as well, at most that much earlier.
    const size_t fraction = time + 6 < text.size() && text[time + 6] == ':' ? time + 9 : time + 6;
    if (fraction < text.size() && (text[fraction] == '.' || text[fraction] == ',')) {
        size_t end = fraction + 1;
        while (DigitAt(text, end))
            ++end;
        const std::string whole = std::string(text.substr(0, fraction)) + std::string(text.substr(end));
        const std::optional<IsoMoment> truncated = ParseIsoMoment(whole, zone);
        Require(truncated.has_value(), "a time without its fraction reads as well");
        const double part = (fraction == time + 9 ? 1.0 : 60.0) * kSecond;
        Require(moment >= truncated->moment - 1e-9 && Near(moment, truncated->moment, part, moment),
                "a fraction moves a moment forward by less than its part");
    }
    return 0;
}
