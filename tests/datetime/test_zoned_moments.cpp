#include "datetime/date_input.h"
#include "datetime/stepping.h"
#include "datetime/time_zones.h"
#include "datetime/zoned_moments.h"
#include "text/language.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace orvane::datetime {
namespace {

const text::Language& English()
{
    static const text::Language language = [] {
        text::Language loaded;
        EXPECT_TRUE(loaded.LoadProgramText(ORVANE_SOURCE_DATA_DIR, text::kProgramTextFileName).ok());
        return loaded;
    }();
    return language;
}

// Julian date (UT) of a Gregorian date and time at Greenwich, computed here from the day count alone.
double Ut(int year, int month, int day, int hour, int minute)
{
    // Fliegel and Van Flandern's day number of a Gregorian date.
    const int a = (14 - month) / 12;
    const int y = year + 4800 - a;
    const int m = month + 12 * a - 3;
    const int jdn = day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
    return jdn - 0.5 + (hour * 60 + minute) / 1440.0;
}

// The offsets the tz database gives for wall-clock times in history, and what the companion's reader
// makes of them.
TEST(ZonedMoments, HistoricalOffsetsFromTheTzDatabase)
{
    struct Case {
        const char* text;
        int32_t offsetMinutes;  // in effect
        double ut;
    };
    const Case cases[] = {
        // Berlin: double summer time in the summer of 1945; in 1989 summer time ended in September, so the
        // day of German unity was in standard time.
        {"1945-06-15T12:00[Europe/Berlin]", 180, Ut(1945, 6, 15, 9, 0)},
        {"1989-07-01T15:30[Europe/Berlin]", 120, Ut(1989, 7, 1, 13, 30)},
        {"1989-10-03T15:30[Europe/Berlin]", 60, Ut(1989, 10, 3, 14, 30)},
        // Kathmandu moved from +5:30 to +5:45 at the start of 1986.
        {"1985-06-01T14:20[Asia/Kathmandu]", 330, Ut(1985, 6, 1, 8, 50)},
        {"1986-06-01T14:20[Asia/Kathmandu]", 345, Ut(1986, 6, 1, 8, 35)},
        // New York's repeated hour, given with its offset (either pass), and with the zone agreeing.
        {"2025-11-02T01:30-04:00[America/New_York]", -240, Ut(2025, 11, 2, 5, 30)},
        {"2025-11-02T01:30-05:00[America/New_York]", -300, Ut(2025, 11, 2, 6, 30)},
        // Auckland's summer, and Lord Howe's half-hour summer time beside its +10:30 standard time.
        {"2025-01-15T12:00[Pacific/Auckland]", 780, Ut(2025, 1, 14, 23, 0)},
        {"2025-01-15T12:00[Australia/Lord_Howe]", 660, Ut(2025, 1, 15, 1, 0)},
        {"2025-07-15T12:00[Australia/Lord_Howe]", 630, Ut(2025, 7, 15, 1, 30)},
        // "Z" before a zone: the moment in UT, shown in London's summer time.
        {"2025-07-01T12:00Z[Europe/London]", 60, Ut(2025, 7, 1, 12, 0)},
        // Fixed offsets to the minute, and Z.
        {"2025-01-01T06:30+05:45", 345, Ut(2025, 1, 1, 0, 45)},
        {"2025-01-01T06:30Z", 0, Ut(2025, 1, 1, 6, 30)},
        // The leap second at the end of 2025 in Universal Time is 00:59:60 in Berlin; it counts as its end.
        {"2026-01-01T00:59:60[Europe/Berlin]", 60, Ut(2026, 1, 1, 0, 0)},
        {"2026-01-01T00:59:60+01:00[Europe/Berlin]", 60, Ut(2026, 1, 1, 0, 0)},
        {"2025-12-31T23:59:60Z", 0, Ut(2026, 1, 1, 0, 0)},
        // RFC 9557 tags after the zone: the Gregorian calendar is the one read; an elective tag is left aside.
        {"1989-10-03T15:30[Europe/Berlin][u-ca=gregory]", 60, Ut(1989, 10, 3, 14, 30)},
        {"2025-01-01T06:30+05:45[!u-ca=iso8601][x-note=birth]", 345, Ut(2025, 1, 1, 0, 45)},
        // A place of the atlas where a zone goes, in English or German, with its region where the name is
        // shared by places in several zones.
        {"1978-03-14T06:45[Vienna]", 60, Ut(1978, 3, 14, 5, 45)},
        {"1978-03-14T06:45[München]", 60, Ut(1978, 3, 14, 5, 45)},
        {"2025-07-01T12:00[Springfield, Illinois]", -300, Ut(2025, 7, 1, 17, 0)},
    };
    for (const Case& c : cases) {
        const platform::Result<PreciseMoment> read = ParsePreciseMoment(c.text, MomentZone::Fixed(0), English());
        ASSERT_TRUE(read.ok()) << c.text << ": " << (read ? "" : read.error().text);
        EXPECT_EQ(read.value().offsetSeconds, c.offsetMinutes * 60) << c.text;
        EXPECT_NEAR(read.value().moment, c.ut, 1e-9) << c.text;
    }
}

// Each refusal is one message that names what is wrong.
TEST(ZonedMoments, RefusalsNameTheProblem)
{
    struct Case {
        const char* text;
        const char* named;  // a part of the message
    };
    const Case cases[] = {
        {"2025-11-02T01:30[America/New_York]", "GMT-4:00 and at GMT-5:00"},   // repeated, no offset
        {"2025-03-09T02:30[America/New_York]", "from GMT-5:00 to GMT-4:00"},  // skipped
        {"2025-06-01T12:00-05:00[America/New_York]", "had GMT-4:00"},         // offset and zone disagree
        {"2025-06-01T12:00[Europe/Atlantis]", "Europe/Atlantis"},             // unknown zone
        {"2025-06-01T12:00[Springfield]", "Springfield, Massachusetts, US (America/New_York)"},  // several zones
        {"2025-06-01T12:00+14:30", "within ±14:00"},                          // offset too large
        {"2025-06-01T12:00[Europe/Berlin][u-ca=hebrew]", "u-ca=hebrew"},      // another calendar
        {"2025-02-30T12:00", "Not a date"},
        // Second 60 an hour before the end of a day of Universal Time.
        {"2025-12-31T23:59:60[Europe/Berlin]", "no leap second in Europe/Berlin"},
        {"2025-12-31T23:59:60+01:00", "which is 00:59:60 at GMT+1:00"},
    };
    for (const Case& c : cases) {
        const platform::Result<PreciseMoment> read = ParsePreciseMoment(c.text, MomentZone::Fixed(0), English());
        ASSERT_FALSE(read.ok()) << c.text;
        EXPECT_NE(read.error().text.find(c.named), std::string::npos) << read.error().text;
    }
    EXPECT_FALSE(ParseMomentZone("+15:00", English()).ok());
    EXPECT_EQ(ParseMomentZone("asia/kathmandu", English()).value(), MomentZone::Named("Asia/Kathmandu"));
}

TEST(ZonedMoments, ZoneListAndLocalMeanTime)
{
    EXPECT_EQ(MatchingZoneNames("kathm"), std::vector<std::string>{"Asia/Kathmandu"});
    EXPECT_GT(ZoneNames().size(), 300u);
    // Berlin's longitude, 13.40° E, is 53 min 36 s ahead of Greenwich.
    const MomentZone berlin = MomentZone::MeanTime(13.4);
    EXPECT_EQ(berlin.offsetSeconds, 3216);
    const WallTime noon{1850, 6, 1, 12, 0, 0};
    const PreciseMoment resolved = ResolveWallTime(noon, berlin, std::nullopt, English()).value();
    EXPECT_NEAR(resolved.moment, Ut(1850, 6, 1, 12, 0) - 3216 / 86400.0, 1e-9);
    EXPECT_EQ(PreciseMomentLabel(resolved, English()), "12:00 local mean time 13.40° E, GMT+0:53:36");
}

// A fraction of a second and a leap second are written back as given, and the moment holds them.
TEST(ZonedMoments, FractionsAndLeapSecondsAsGiven)
{
    struct Case {
        const char* text;
        const char* iso;
        const char* label;
        double ut;
    };
    const Case cases[] = {
        {"1978-03-14T06:30:15.75[Europe/Vienna]", "1978-03-14T06:30:15.75+01:00[Europe/Vienna]",
         "06:30:15.75 Europe/Vienna, GMT+1:00", Ut(1978, 3, 14, 5, 30) + 15.75 / 86400},
        {"1978-03-14T06:30.5+01:00", "1978-03-14T06:30:30+01:00", "06:30:30 GMT+1:00", Ut(1978, 3, 14, 5, 30) + 30.0 / 86400},
        {"2026-01-01T00:59:60[Europe/Berlin]", "2026-01-01T00:59:60+01:00[Europe/Berlin]",
         "00:59:60 Europe/Berlin, GMT+1:00", Ut(2026, 1, 1, 0, 0)},
    };
    for (const Case& c : cases) {
        const PreciseMoment read = ParsePreciseMoment(c.text, MomentZone::Fixed(0), English()).value();
        EXPECT_EQ(PreciseMomentIso(read), c.iso);
        EXPECT_EQ(PreciseMomentLabel(read, English()), c.label);
        EXPECT_NEAR(read.moment, c.ut, 1e-9) << c.text;
    }
}

// A precise moment steps in its zone's wall clock, and by half an hour of Universal Time.
TEST(ZonedMoments, StepsKeepTheMomentPrecise)
{
    struct Case {
        const char* from;
        int16_t step;  // the step list's position
        bool forward;
        const char* to;
    };
    const Case cases[] = {
        {"1978-03-14T06:45:10.5[Europe/Vienna]", 1, false, "1978-03-13T06:45:10.5+01:00[Europe/Vienna]"},
        // Across the change to summer time a day keeps the clock time, a half hour the interval.
        {"2025-03-29T09:00[Europe/Berlin]", 1, true, "2025-03-30T09:00:00+02:00[Europe/Berlin]"},
        {"2025-03-30T01:45[Europe/Berlin]", 0, true, "2025-03-30T03:15:00+02:00[Europe/Berlin]"},
        // 02:30 was skipped: the offset before the gap decides.
        {"2025-03-29T02:30[Europe/Berlin]", 1, true, "2025-03-30T03:30:00+02:00[Europe/Berlin]"},
        {"2025-01-31T09:00[Europe/Berlin]", 3, true, "2025-02-28T09:00:00+01:00[Europe/Berlin]"},
        {"2026-01-01T00:59:60[Europe/Berlin]", 2, true, "2026-01-08T01:00:00+01:00[Europe/Berlin]"},
    };
    for (const Case& c : cases) {
        const PreciseMoment from = ParsePreciseMoment(c.from, MomentZone::Fixed(0), English()).value();
        const PreciseMoment to = StepPreciseMoment(from, c.step, c.forward, English()).value();
        EXPECT_EQ(PreciseMomentIso(to), c.to) << c.from;
        const PreciseMoment reread = ParsePreciseMoment(c.to, MomentZone::Fixed(0), English()).value();
        EXPECT_NEAR(to.moment, reread.moment, 1e-9) << c.from;
    }
}

// A row with a precise moment converts to it and describes it; Clear drops it.
TEST(ZonedMoments, DateRowUsesItsPreciseMoment)
{
    DateRows rows;
    SetUpDateRows(rows);
    SetUpTimezoneComboBoxes(rows, false, false);
    SetPreciseMoment(rows, 1, ParsePreciseMoment("1986-06-01T14:20[Asia/Kathmandu]", MomentZone::Fixed(0), English()).value());
    // The same instant, 14:05 at +5:30, to the half hour.
    EXPECT_EQ(rows.halfHourLists[1].Text(), "14:00");
    EXPECT_EQ(rows.zoneLists[1].ListIndex(), NearestZonePosition(330 * 60));
    EXPECT_NEAR(InputDateToAJDate(rows, 1, English()).value(), Ut(1986, 6, 1, 8, 35), 1e-9);
    EXPECT_EQ(InputDateToString(rows, 1, false, English()), "June 1, 1986, 14:20 (Asia/Kathmandu, GMT+5:45)");
    rows.ClearDateRow(1);
    EXPECT_FALSE(rows.preciseMoments[1].has_value());
}

}  // namespace
}  // namespace orvane::datetime
