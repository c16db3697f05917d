#include "datetime/time_zones.h"
#include "datetime/iso_dates.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>

namespace orvane::datetime {
namespace {

using platform::ComboBoxModel;

// Reads "GMT", "GMT+h:mm" or "GMT-h:mm" back into minutes east of Greenwich.
int ParseZoneText(const std::string& text)
{
    if (text == "GMT")
        return 0;
    const int sign = text.at(3) == '-' ? -1 : 1;
    const size_t colon = text.find(':');
    return sign * (std::stoi(text.substr(4, colon - 4)) * 60 + std::stoi(text.substr(colon + 1)));
}

TEST(TimezoneList, FortySevenZonesOnTheHalfHourGrid)
{
    ComboBoxModel list;
    FillTimezoneList(list, false);
    ASSERT_EQ(list.ListCount(), kNumTimezoneEntries);
    EXPECT_EQ(std::tuple(list.ListIndex(), list.List(0), list.ItemData(0), list.List(24), list.List(22)),
              std::tuple(-1, std::string(), 0, std::string("GMT"), std::string("GMT-1:00")));
    // Every entry's text tells its offset, and the offsets climb in half hours from −11:30 to +11:30.
    for (int16_t p = 1; p < kNumTimezoneEntries; ++p) {
        EXPECT_EQ(list.ItemData(p), (p - 24) * 30) << p;
        EXPECT_EQ(ParseZoneText(list.List(p)), list.ItemData(p)) << list.List(p);
        EXPECT_EQ(ZoneText(p), list.List(p));
        EXPECT_EQ(ZoneOffsetMinutes(p), list.ItemData(p));
    }
    EXPECT_EQ(ZoneText(0) + ZoneText(48), "");
}

// The abbreviations change ten texts, west of Greenwich, and no offset.
TEST(TimezoneList, NorthAmericanAbbreviationsReplaceTenTexts)
{
    ComboBoxModel plain;
    ComboBoxModel abbreviated;
    FillTimezoneList(plain, false);
    FillTimezoneList(abbreviated, true);
    ASSERT_EQ(abbreviated.ListCount(), kNumTimezoneEntries);
    int replaced = 0;
    for (int16_t p = 0; p < kNumTimezoneEntries; ++p) {
        EXPECT_EQ(abbreviated.ItemData(p), plain.ItemData(p)) << p;
        if (abbreviated.List(p) != plain.List(p)) {
            ++replaced;
            EXPECT_LT(plain.ItemData(p), 0) << p;
        }
    }
    EXPECT_EQ(replaced, 10);
    EXPECT_EQ(abbreviated.List(17), "NST");
}

TEST(SetUpTimezoneComboBoxes, KeepsOrResetsEachRowsSelection)
{
    DateRows model;
    SetUpTimezoneComboBoxes(model, false, false);
    for (const ComboBoxModel& list : model.zoneLists)
        EXPECT_EQ(std::pair(list.ListCount(), list.ListIndex()), std::pair(kNumTimezoneEntries, int16_t{0}));
    model.zoneLists[0].SetListIndex(17);
    model.zoneLists[1].SetListIndex(24);
    model.zoneLists[2].SetListIndex(47);

    // Switching the abbreviations on and off again keeps every row's zone.
    SetUpTimezoneComboBoxes(model, true, true);
    EXPECT_EQ(std::tuple(model.zoneLists[0].ListIndex(), model.zoneLists[0].Text(), model.zoneLists[0].SelectedItemData()),
              std::tuple(int16_t{17}, std::string("NST"), -210));
    EXPECT_EQ(model.zoneLists[1].Text() + " " + model.zoneLists[2].Text() + " " + model.zoneLists[1].List(14), "GMT GMT+11:30 EST/CDT");
    SetUpTimezoneComboBoxes(model, true, false);
    EXPECT_EQ(std::pair(model.zoneLists[0].Text(), model.zoneLists[2].ListIndex()), std::pair(std::string("GMT-3:30"), int16_t{47}));

    SetUpTimezoneComboBoxes(model, false, true);
    for (const ComboBoxModel& list : model.zoneLists)
        EXPECT_EQ(std::pair(list.ListIndex(), list.List(17)), std::pair(int16_t{0}, std::string("NST")));
}

TEST(SystemZone, ComputerZoneAndDefaultPosition)
{
    // The computer's zone, its default position and text (without abbreviations), abbreviations on by default.
    struct Case { int32_t secondsWest; int16_t zone, position; const char* text; bool abbreviations; };
    const Case cases[] = {
        {0, 0, 24, "GMT", false},
        {-3600, 60, 26, "GMT+1:00", false},
        {-20700, 330, 35, "GMT+5:30", false},  // Nepal, +5:45
        {12600, -210, 17, "GMT-3:30", true},   // Newfoundland
        {36000, -600, 4, "GMT-10:00", true},   // Hawaii
        {9000, -150, 19, "GMT-2:30", true},
        {7200, -120, 20, "GMT-2:00", false},
        {37800, -630, 3, "GMT-10:30", false},
        {-41400, 690, 47, "GMT+11:30", false},
        {-43200, 720, 0, "", false},           // +12:00 is beyond the lists
        {-46800, 780, 0, "", false},           // +13:00
        {-2700, 45, 0, "", false},             // off the half-hour grid
        {-3629, 60, 26, "GMT+1:00", false},    // seconds round to the nearest minute
    };
    for (const Case& c : cases) {
        DateRows model;
        SetUpTimezoneComboBoxes(model, false, false);
        const platform::FixedClock clock({}, c.secondsWest);
        EXPECT_EQ(SystemZoneMinutes(clock), c.secondsWest == -20700 ? 345 : c.zone);
        SetSystemZone(model, clock);
        EXPECT_EQ(std::tuple(model.ComputerZone(), model.DefaultZoneIndex(), model.zoneLists[0].List(model.DefaultZoneIndex()),
                             AbbreviationsOnByDefault(model.ComputerZone())),
                  std::tuple(c.zone, c.position, std::string(c.text), c.abbreviations))
            << c.secondsWest;
    }

    // Newfoundland with the abbreviations on: its default entry reads "NST".
    DateRows model;
    SetUpTimezoneComboBoxes(model, false, true);
    SetSystemZone(model, platform::FixedClock({}, 12600));
    ASSERT_TRUE(AbbreviationsOnByDefault(model.ComputerZone()));
    EXPECT_EQ(model.zoneLists[0].List(model.DefaultZoneIndex()), "NST");

    // Zone lists that were never filled offer no default.
    DateRows bare;
    SetSystemZone(bare, platform::FixedClock({}, -3600));
    EXPECT_EQ(bare.DefaultZoneIndex(), 0);

    // A named zone in its summer keeps its standard offset: Berlin is +1:00 in July as in January, and
    // Chatham +12:45 in its summer of +13:45.
    for (const auto& [name, minutes] : {std::pair("Europe/Berlin", 60), std::pair("Pacific/Chatham", 765)}) {
        platform::FixedClock summer({2025, name[0] == 'E' ? 7 : 1, 1, 12, 0, 0});
        summer.SetZoneName(name);
        EXPECT_EQ(ComputerZoneMinutes(summer), minutes) << name;
    }
}

}  // namespace
}  // namespace orvane::datetime

namespace orvane::datetime {
namespace {

// ISO 8601 moments and zones as the command line reads and writes them; the day numbers are those of the
// astronomical almanac (J2000.0 is 2451545.0, 1 January 2000 at noon UT).
TEST(IsoDates, MomentsAndZonesReadAndWritten)
{
    const struct {
        const char* text;
        double moment;  // < 0: refused
    } cases[] = {{"2000-01-01", 2451544.5}, {"2000-01-01T12:00", 2451545.0}, {"2000-01-01T13:30+01:30", 2451545.0},
                 {"2000-01-01 06:00:00-0600", 2451545.0}, {"2000-01-01T12:00Z", 2451545.0},
                 {"1600-03-01", 2305507.5}, {"-0001-12-31", 1721058.5}, {"2024-02-29", 2460369.5},
                 {"2025-02-29", -1}, {"2025-13-01", -1}, {"25-01-01", -1}, {"2025-01-01T25:00", -1},
                 {"2025-01-01T06:30+15:00", -1}, {"2025-01-01x", -1}, {"", -1},
                 // Fractions of the last part given; a leap second only ends a day of UT, and counts as its end.
                 {"2000-01-01T12:00:00.5", 2451545.0 + 0.5 / 86400}, {"2000-01-01T12:00:01,25Z", 2451545.0 + 1.25 / 86400},
                 {"2000-01-01T12:00.5", 2451545.0 + 30.0 / 86400}, {"2000-01-01T12:00:00.", -1},
                 {"2000-01-01T24:00:00.5", -1}, {"2016-12-31T23:59:60Z", 2457754.5}, {"2016-12-31T23:59:60.999", 2457754.5},
                 {"2017-01-01T00:59:60+01:00", 2457754.5}, {"2016-12-31T23:58:60", -1}, {"2016-12-31T23:59:61", -1}};
    for (const auto& c : cases) {
        const std::optional<IsoMoment> read = ParseIsoMoment(c.text, 0);
        EXPECT_NEAR(read ? read->moment : -1.0, c.moment, 1e-9) << c.text;
    }
    EXPECT_EQ(IsoText(2451545.0, 0), "2000-01-01T12:00:00Z");
    EXPECT_EQ(IsoText(2451545.0 - 0.4 / 86400, -330), "2000-01-01T06:30:00-05:30");
    EXPECT_EQ(IsoText(1721058.5, 60), "-0001-12-31T01:00:00+01:00");
    EXPECT_EQ(ParseZone("gmt+1:00"), 60);
    EXPECT_EQ(ParseZone("UT"), 0);
    EXPECT_EQ(ParseZone("-0530"), -330);
    EXPECT_FALSE(ParseZone("Mars"));
    EXPECT_NEAR(OneYearLater(2460369.75), 2460735.75, 1e-9);  // 29 February 2024, 06:00 → 1 March 2025
}

// A date field reads ISO 8601, the dotted day-first and the slashed month-first forms, and refuses the rest
// rather than reorder it.
TEST(IsoDates, TypedDatesAreReadOrRefusedNeverReordered)
{
    const struct {
        const char* text;
        TypedDate date;  // year 0: refused
    } cases[] = {
        {"1978-03-14", {1978, 3, 14}}, {"1978-3-4", {1978, 3, 4}},   {"14.03.1978", {1978, 3, 14}},
        {"4.3.1978", {1978, 3, 4}},    {"3/14/1978", {1978, 3, 14}}, {"2024-02-29", {2024, 2, 29}},
        {"0001-01-01", {1, 1, 1}},     {"1978-14-03", {}},           {"14/03/1978", {}},
        {"03.14.1978", {}},            {"2023-02-29", {}},           {"78-03-14", {}},
        {"1978-03", {}},               {"1978-03-14-1", {}},         {"1978.03.14", {}},
        {"1978-03-14T06:00", {}},      {"", {}},                     {"0000-01-01", {}},
    };
    for (const auto& c : cases) {
        const std::optional<TypedDate> read = ParseTypedDate(c.text);
        EXPECT_EQ(read.value_or(TypedDate{}), c.date) << c.text;
    }
}

}  // namespace
}  // namespace orvane::datetime
