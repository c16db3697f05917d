#include "datetime/date_input.h"
#include "datetime/datepr2.h"
#include "datetime/time_zones.h"
#include "text/language.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <tuple>

namespace orvane::datetime {
namespace {

using Model = DateRows;

text::Language LoadedLanguage(int16_t language)
{
    text::Language result;
    EXPECT_TRUE(result.LoadProgramText(ORVANE_SOURCE_DATA_DIR, text::kProgramTextFileName).ok());
    result.currentLanguage = language;
    return result;
}

const text::Language& English()
{
    static const text::Language language = LoadedLanguage(text::langEnglish);
    return language;
}

const text::Language& German()
{
    static const text::Language language = LoadedLanguage(text::langGerman);
    return language;
}

// Zone list position of an offset in minutes east of Greenwich.
int16_t ZonePosition(int minutes) { return static_cast<int16_t>(minutes / 30 + 24); }

// Half-hour list position of a clock time.
int16_t HourPosition(int hour, int minute) { return static_cast<int16_t>(2 * hour + (minute == 30 ? 1 : 0) + 1); }

// A main window after start-up's list filling, on a computer in the given zone (seconds west).
Model StartedModel(int32_t offsetSecondsWest = 0)
{
    Model model;
    SetUpDateRows(model);
    SetUpTimezoneComboBoxes(model, false, false);
    SetSystemZone(model, platform::FixedClock({}, offsetSecondsWest));
    return model;
}

// The moment and the local day of a row, NaN when it does not convert.
double Moment(Model& model, int16_t row)
{
    const platform::Result<double> moment = InputDateToAJDate(model, row, English());
    return moment ? moment.value() : NAN;
}
double LocalDay(Model& model, int16_t row)
{
    const platform::Result<double> local = InputDateToLocalDayNumber(model, row, English());
    return local ? local.value() : NAN;
}

// Why a row does not convert: the information's text, empty when the row converts; both conversions agree.
std::string Refusal(Model& model, int16_t row, const text::Language& language = English())
{
    const platform::Result<double> moment = InputDateToAJDate(model, row, language);
    const platform::Result<double> local = InputDateToLocalDayNumber(model, row, language);
    EXPECT_EQ(moment.ok(), local.ok());
    if (moment)
        return {};
    EXPECT_EQ(moment.failure(), local.failure());
    EXPECT_EQ(moment.code(), platform::ErrorCode::InvalidInput);
    EXPECT_EQ(moment.error(), platform::Message::Information(language.Text(153), moment.error().text));
    return moment.error().text;
}

void SetRow(Model& model, int16_t row, const std::string& year, int16_t month, int16_t day,
            int16_t hourPosition = 0, int16_t zonePosition = 0)
{
    const auto r = static_cast<size_t>(row);
    model.yearTexts[r] = year;
    model.monthLists[r].SetListIndex(month);
    model.dayLists[r].SetListIndex(day);
    model.halfHourLists[r].SetListIndex(hourPosition);
    model.zoneLists[r].SetListIndex(zonePosition);
}

TEST(DateInputText, YearBoxKeepsOnlyItsDigits)
{
    const std::pair<const char*, const char*> cases[] = {{"20a0-5", "2005"}, {"4-4", "44"}, {"+7", "7"},
                                                         {" 1 9 9 9 ", "1999"}, {"abc", ""}, {"2ü0ß0", "200"},
                                                         {"\xE9" "2000", "2000"}, {" -44", "44"},
                                                         {"19'99", "1999"}, {"1e308", "1308"}, {"0x10", "010"}};
    Model model = StartedModel();
    for (const auto& [typed, cleaned] : cases) {
        EXPECT_EQ(SanitizeInteger(typed, false, false), cleaned) << typed;
        // The conversion cleans the year box itself, whether or not the row converts.
        SetRow(model, 1, typed, 1, 1);
        Moment(model, 1);
        EXPECT_EQ(model.yearTexts[1], cleaned) << typed;
    }
    EXPECT_EQ(SanitizeInteger("-44", true, false), "-44");
    EXPECT_EQ(SanitizeInteger("+7", false, true), "+7");
    EXPECT_EQ(SanitizeInteger("+7", true, false), "7");
    EXPECT_EQ(SanitizeInteger("4-4+", true, true), "44");  // a sign counts only at the start

    EXPECT_EQ(KeepOnlyChars("a1b2c3", "abc"), "abc");
    EXPECT_EQ(KeepOnlyChars("März", "äz"), "äz");
    EXPECT_EQ(KeepOnlyChars("öl", "ä"), "");  // ö and ä share their first byte but are different letters
    EXPECT_EQ(KeepOnlyChars("a", ""), "");
    // A byte that starts a sequence the next bytes do not continue (Latin-1 é) is a character of its own.
    EXPECT_EQ(KeepOnlyChars("\xE9" "12\xC3" "3\xF0", "0123456789"), "123");
    EXPECT_EQ(KeepOnlyChars("\xE9" "1", "\xE9"), "\xE9");
}

TEST(InputDateToAJDate, RefusalsAndTheSupportedRange)
{
    struct Case {
        const char* year;
        int16_t month;
        int16_t day;
        int16_t reason;  // the text number of the reason, or 0 for a valid moment
    };
    constexpr int16_t incomplete = 145, invalid = 146, early = 147, late = 148;
    const Case cases[] = {
        {"2799", 12, 31, 0},         {"2800", 1, 1, late},    {"99999999999", 1, 1, late},
        {"02799", 12, 31, 0},  // leading zeros do not make a year too long
        {"1", 1, 1, 0},              {"0", 1, 1, early},      {"2000", 2, 29, 0},
        {"1900", 2, 29, invalid}, {"2001", 4, 31, invalid}, {"", 1, 1, incomplete},
        {"2000", 0, 1, incomplete}, {"2000", 1, 0, incomplete},
        {"0", 0, 1, incomplete},  // an incomplete row is reported before its year
        {"2000", 13, 1, incomplete},  // a month the list does not have selects nothing
        {"2000", 1, 32, incomplete}, {"2000", -1, 1, incomplete},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day));
        Model model = StartedModel();
        SetRow(model, 2, c.year, c.month, c.day, HourPosition(23, 30), ZonePosition(0));
        EXPECT_EQ(Refusal(model, 2), c.reason == 0 ? "" : English().Text(6) + " " + English().Text(c.reason));
    }
    Model model = StartedModel();
    EXPECT_EQ(Refusal(model, 0, German()), "Weltdatum ist unvollständig.");
    SetRow(model, 0, "2799", 12, 31, HourPosition(23, 30), ZonePosition(0));
    EXPECT_DOUBLE_EQ(Moment(model, 0), kLastDayNumber + 23.5 / 24 - 0.5);
    SetRow(model, 0, "1", 1, 1, HourPosition(0, 0), ZonePosition(0));
    EXPECT_DOUBLE_EQ(Moment(model, 0), kFirstDayNumber - 0.5);

    // Rows that do not exist do not convert, and nothing is touched.
    EXPECT_TRUE(std::isnan(Moment(model, 3)) && std::isnan(Moment(model, -1)) && std::isnan(LocalDay(model, 3)));
}

TEST(InputDateToAJDate, ZonesAndHalfHours)
{
    struct Case { int hour, minute, zone; double moment; };  // the moment in days after 1 January 2000, 0:00 UT
    for (const Case& c : {Case{12, 0, 0, 0.5}, Case{12, 0, 60, 0.5 - 1.0 / 24}, Case{0, 0, -690, 690.0 / 1440},
                          Case{23, 30, 690, 23.5 / 24 - 690.0 / 1440}}) {
        Model model = StartedModel();
        SetRow(model, 0, "2000", 1, 1, HourPosition(c.hour, c.minute), ZonePosition(c.zone));
        EXPECT_DOUBLE_EQ(Moment(model, 0), 2451544.5 + c.moment) << c.hour << ":" << c.minute << " " << c.zone;
        // The local day number ignores the zone and counts from midnight.
        EXPECT_DOUBLE_EQ(LocalDay(model, 0), 2451545 + (c.hour + c.minute / 60.0) / 24);
    }
}

TEST(InputDateToAJDate, FillsInNoonAndTheComputersZoneVisibly)
{
    // A computer one hour east of Greenwich.
    Model model = StartedModel(-3600);
    ASSERT_EQ(model.DefaultZoneIndex(), ZonePosition(60));

    // No half hour and no zone, as empty entries or as no selection at all.
    for (const int16_t none : {0, -1}) {
        SetRow(model, 1, "2000", 1, 1, none, none);
        EXPECT_DOUBLE_EQ(Moment(model, 1), 2451545.0 - 1.0 / 24);
        EXPECT_EQ(model.halfHourLists[1].Text() + " " + model.zoneLists[1].Text(), "12:00 GMT+1:00");
    }

    // The local day number fills in the half hour but leaves the zone list alone.
    SetRow(model, 2, "2000", 1, 1);
    EXPECT_DOUBLE_EQ(LocalDay(model, 2), 2451545.5);
    EXPECT_EQ(std::pair(model.halfHourLists[2].Text(), model.zoneLists[2].ListIndex()), std::pair(std::string("12:00"), int16_t{0}));

    // An incomplete row is left as it is.
    SetRow(model, 2, "", 1, 1);
    EXPECT_EQ(Refusal(model, 2), "2nd birthdate is incomplete.");
    EXPECT_EQ(std::pair(model.halfHourLists[2].ListIndex(), model.zoneLists[2].ListIndex()), std::pair(int16_t{0}, int16_t{0}));

    // A computer in a zone the lists lack: rows without a zone convert without a zone correction.
    Model farEast = StartedModel(-13 * 3600);
    EXPECT_EQ(farEast.DefaultZoneIndex(), 0);
    SetRow(farEast, 0, "2000", 1, 1);
    EXPECT_DOUBLE_EQ(Moment(farEast, 0), 2451545.0);
    EXPECT_EQ(farEast.zoneLists[0].ListIndex(), 0);

    // Lists that were never filled: the row still converts, at noon, without a zone.
    Model bare;
    bare.yearTexts[0] = "2000";
    for (auto* list : {&bare.monthLists[0], &bare.dayLists[0]}) {
        list->AddItem("");
        list->AddItem("1");
        list->SetListIndex(1);
    }
    EXPECT_DOUBLE_EQ(Moment(bare, 0), 2451545.0);
}

TEST(RoundToHalfHour, NearestHalfHourAQuarterPastRoundsDown)
{
    struct Case { double minutes; int expectedMinutes; };  // local times after midnight of day 2451545
    for (const Case& c : {Case{0, 0}, Case{14, 0}, Case{10 * 60 + 15, 10 * 60}, Case{10 * 60 + 16, 10 * 60 + 30},
                          Case{10 * 60 + 44, 10 * 60 + 30}, Case{10 * 60 + 46, 11 * 60}, Case{23 * 60 + 45, 23 * 60 + 30},
                          Case{23 * 60 + 50, 24 * 60},
                          Case{10 * 60 + 15 + 40.0 / 60, 10 * 60 + 30}}) {  // seconds count towards the nearest minute
        double x = 2451545 + c.minutes / 1440.0;
        RoundToHalfHour(x);
        EXPECT_NEAR(x, 2451545 + c.expectedMinutes / 1440.0, 1e-9) << c.minutes;
    }
}

TEST(TimeOfDayText, ClockTexts)
{
    EXPECT_EQ(TimeOfDayText(0.5, false) + " " + TimeOfDayText(0.5, true), "12:00 12:00:00");
    for (const double outside : {1.0, -0.25, std::nan("")})
        EXPECT_EQ(TimeOfDayText(outside, false), "XX:XX:XX");
    // A time computed a hair below a whole second is written with that second.
    EXPECT_EQ(TimeOfDayText((10 * 3600 + 15 * 60 + 7) / 86400.0 - 1e-12, true), "10:15:07");
    EXPECT_EQ(TimeOfDayText(0.999999999999, true), "23:59:59");
}

TEST(SetWorldDateToNow, RoundsTheComputersClockIntoTheWorldDateRow)
{
    struct Case { platform::LocalClockReading clock; int32_t offsetSecondsWest; const char* year; int16_t month, day;
                  const char* hour; const char* zone; };
    const Case cases[] = {
        {{2000, 1, 5, 10, 16, 0}, -3600, "2000", 1, 5, "10:30", "GMT+1:00"},
        {{2000, 1, 5, 10, 15, 0}, -3600, "2000", 1, 5, "10:00", "GMT+1:00"},
        {{1999, 12, 31, 23, 50, 0}, 0, "2000", 1, 1, "00:00", "GMT"},
        {{2001, 2, 28, 23, 50, 0}, -3600, "2001", 3, 1, "00:00", "GMT+1:00"},
        {{2000, 2, 28, 23, 50, 0}, -3600, "2000", 2, 29, "00:00", "GMT+1:00"},
        {{2024, 6, 30, 23, 46, 0}, 25200, "2024", 7, 1, "00:00", "GMT-7:00"},
        // Nepal: the clock's own time, with the nearest zone of the lists.
        {{2010, 3, 1, 12, 0, 0}, -20700, "2010", 3, 1, "12:00", "GMT+5:30"},
        // A zone the lists lack: the row's zone stays empty.
        {{2010, 3, 1, 12, 0, 0}, -46800, "2010", 3, 1, "12:00", ""},
    };
    for (const Case& c : cases) {
        Model model = StartedModel(c.offsetSecondsWest);
        SetWorldDateToNow(model, platform::FixedClock(c.clock, c.offsetSecondsWest));
        EXPECT_EQ(std::tuple(model.yearTexts[0], model.monthLists[0].ListIndex(), model.dayLists[0].ListIndex(),
                             model.halfHourLists[0].Text(), model.zoneLists[0].Text()),
                  std::tuple(std::string(c.year), c.month, c.day, std::string(c.hour), std::string(c.zone)));
        // The other rows are not touched.
        EXPECT_EQ(std::pair(model.monthLists[1].ListIndex(), model.yearTexts[1]), std::pair(int16_t{0}, std::string()));
    }

    // The row converts back to the clock's moment, rounded.
    Model model = StartedModel(-3600);
    const platform::FixedClock clock({2000, 1, 1, 13, 0, 0}, -3600);
    SetWorldDateToNow(model, clock);
    EXPECT_DOUBLE_EQ(Moment(model, 0), CurrentAJDate(clock));
}

TEST(InputDateToString, DateHalfHourAndZone)
{
    // The local date is written, even where Universal Time has moved to the previous day; the other forms
    // stand in the titles of the companion's reports.
    Model model = StartedModel();
    SetRow(model, 1, "1999", 12, 31, HourPosition(0, 30), ZonePosition(300));
    EXPECT_EQ(InputDateToString(model, 1, false, English()), "December 31, 1999, 00:30 (GMT+5:00)");
    SetRow(model, 2, "1900", 2, 29, HourPosition(12, 0), ZonePosition(0));
    EXPECT_EQ(InputDateToString(model, 2, false, English()) + InputDateToString(model, 7, false, English()), "");
}

TEST(ShowWeekday, WeekdayOfTheRowsLocalDate)
{
    Model model = StartedModel();
    SetRow(model, 0, "2000", 1, 1, HourPosition(12, 0), ZonePosition(0));
    EXPECT_EQ(ShowWeekday(model, 0, English()) + ShowWeekday(model, 0, German()), "SaturdaySamstag");
    // Midnight far east of Greenwich is still the local Saturday, though it is Friday in Greenwich.
    SetRow(model, 1, "2000", 1, 1, HourPosition(0, 0), ZonePosition(690));
    EXPECT_EQ(ShowWeekday(model, 1, English()), "Saturday");
    SetRow(model, 2, "2024", 7, 4);
    EXPECT_EQ(ShowWeekday(model, 2, English()), "Thursday");

    SetRow(model, 2, "2024", 2, 30);
    EXPECT_EQ(ShowWeekday(model, 2, English()) + ShowWeekday(model, 5, English()), "");
}

}  // namespace
}  // namespace orvane::datetime
