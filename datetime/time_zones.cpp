#include "datetime/time_zones.h"

#include "datetime/datepr2.h"
#include "datetime/zoned_moments.h"

#include "platform/moment.h"

#include <array>
#include <cmath>
#include <optional>
#include <string_view>

namespace orvane::datetime {
namespace {

// Position of "GMT" (offset 0): half the list's entry count.
constexpr int16_t kGreenwichPosition = kNumTimezoneEntries / 2;

// The North American names that replace ten zone texts when the abbreviation option is on.
struct Abbreviation {
    int16_t position;
    std::string_view text;
};
constexpr std::array<Abbreviation, 10> kAbbreviations{{
    {4, "HAST"},       // −10:00
    {6, "AKST/HADT"},  // −9:00
    {8, "PST/AKDT"},   // −8:00
    {10, "MST/PDT"},   // −7:00
    {12, "CST/MDT"},   // −6:00
    {14, "EST/CDT"},   // −5:00
    {16, "AST/EDT"},   // −4:00
    {17, "NST"},       // −3:30
    {18, "ADT"},       // −3:00
    {19, "NDT"},       // −2:30
}};

// Nepal's zone (+5:45) lies off the half-hour grid; +5:30 is the nearest entry.
constexpr int16_t kNepalZone = 345;
constexpr int16_t kNepalZoneOnGrid = 330;

// Zones for which the abbreviations are on by default: Hawaii-Aleutian standard time to Newfoundland
// daylight time.
constexpr int16_t kFirstAbbreviatedZone = -600;
constexpr int16_t kLastAbbreviatedZone = -150;

}  // namespace

std::string ZoneText(int16_t position)
{
    if (position < 1 || position >= kNumTimezoneEntries)
        return {};
    const int minutes = ZoneOffsetMinutes(position);
    if (minutes == 0)
        return "GMT";
    const int magnitude = minutes < 0 ? -minutes : minutes;
    return std::string(minutes < 0 ? "GMT-" : "GMT+") + std::to_string(magnitude / 60) +
           (magnitude % 60 == 0 ? ":00" : ":30");
}

int16_t ZoneOffsetMinutes(int16_t position)
{
    return static_cast<int16_t>((position - kGreenwichPosition) * 30);
}

void FillTimezoneList(platform::ComboBoxModel& list, bool abbreviations)
{
    list.Clear();
    list.AddItem("");
    for (int16_t position = 1; position < kNumTimezoneEntries; ++position)
        list.AddItem(ZoneText(position), ZoneOffsetMinutes(position));
    if (abbreviations) {
        for (const Abbreviation& entry : kAbbreviations)
            list.SetList(entry.position, std::string(entry.text));
    }
}

void SetUpTimezoneComboBoxes(DateRows& model, bool keepSelection, bool abbreviations)
{
    std::array<int16_t, core::kNumDateRows> savedZoneIndex{};
    for (size_t row = 0; row < model.zoneLists.size(); ++row) {
        savedZoneIndex[row] = keepSelection ? model.zoneLists[row].ListIndex() : int16_t{0};
        FillTimezoneList(model.zoneLists[row], abbreviations);
        model.zoneLists[row].SetListIndex(savedZoneIndex[row]);
    }
}

int16_t SystemZoneMinutes(const platform::Clock& clock)
{
    return ZoneMinutesFromSecondsWest(clock.StandardOffsetSecondsWest());
}

int16_t ComputerZoneMinutes(const platform::Clock& clock)
{
    // The tz database's standard offset of the computer's zone when it names one, else the clock's.
    const std::optional<int32_t> standard = ClockStandardOffset(clock);
    const int16_t zone = standard ? static_cast<int16_t>(*standard / 60) : SystemZoneMinutes(clock);
    return zone == kNepalZone ? kNepalZoneOnGrid : zone;
}

void SetSystemZone(DateRows& model, const platform::Clock& clock)
{
    model.FollowComputerClock(clock.Copy());
}

bool AbbreviationsOnByDefault(int16_t systemZone)
{
    return systemZone >= kFirstAbbreviatedZone && systemZone <= kLastAbbreviatedZone;
}

int16_t ZoneMinutesFromSecondsWest(int32_t secondsWest)
{
    return static_cast<int16_t>(std::nearbyint(-secondsWest / 60.0));
}

double CurrentAJDate(const platform::Clock& clock)
{
    const int32_t zone = ZoneMinutesFromSecondsWest(clock.StandardOffsetSecondsWest());
    return platform::MomentOf(clock.LocalNow(), zone * 60);
}

}  // namespace orvane::datetime
