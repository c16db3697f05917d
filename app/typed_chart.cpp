#include "app/typed_chart.h"

#include "datetime/date_input.h"
#include "platform/moment.h"
#include "datetime/iso_dates.h"
#include "datetime/time_zones.h"
#include "datetime/zoned_moments.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <cmath>

namespace orvane::app {
namespace {

// The zone list's position of GMT.
constexpr int16_t kGmtZonePosition = 24;

// Whether the zone lists hold `offsetSeconds`: a whole half hour within ±11:30.
bool InZoneLists(int32_t offsetSeconds)
{
    return offsetSeconds % 1800 == 0 && std::abs(offsetSeconds) <= datetime::kMaxZoneMinutes * 60;
}

platform::Message Refusal(std::string text)
{
    return platform::Message::Information("", std::move(text));
}

}  // namespace

platform::Result<std::optional<std::string>> PutTypedMoment(Workspace& program, int16_t row,
                                                            const datetime::PreciseMoment& precise, bool keepPrecise)
{
    using Outcome = platform::Result<std::optional<std::string>>;
    const text::Language& language = program.language;
    const std::string& typed = precise.typed;
    // The rows hold half hours in 47 zones: the moment's own offset when they have it, otherwise UT.
    const bool listed = InZoneLists(precise.offsetSeconds);
    const double exact = platform::LocalDay(precise.moment, listed ? precise.offsetSeconds : 0);
    double local = exact;
    datetime::RoundToHalfHour(local);
    const double dayNumber = std::floor(local);
    // After 23:45 on the last day the half hour is midnight of a day the program does not compute: said
    // as such, since the date itself is not too late.
    if (dayNumber > datetime::kLastDayNumber && std::floor(exact) <= datetime::kLastDayNumber)
        return Outcome(platform::ErrorCode::InvalidInput,
                       Refusal(language.TextWithReplacements(text::kTextRoundedPastLastDate, typed,
                                                             datetime::IsoText(platform::DayStart(static_cast<int64_t>(dayNumber)), 0))));
    // An offset the zone lists lack is held in UT, which may be past the last date although the date
    // typed is not (2799-12-31T23:00-12:00): said as such, not as a date too late.
    const auto typedDay = static_cast<double>(platform::DayNumberAt(precise.moment, precise.offsetSeconds));
    if (!listed && dayNumber > datetime::kLastDayNumber && typedDay <= datetime::kLastDayNumber)
        return Outcome(platform::ErrorCode::InvalidInput,
                       Refusal(language.TextWithReplacements(text::kTextUtPastLastDate, typed,
                                                             datetime::IsoText(platform::MomentOfLocalDay(local, 0), 0))));
    const auto r = static_cast<size_t>(row);
    MainModel& main = program.main;
    const platform::CalendarDate date = platform::DateOf(static_cast<int64_t>(dayNumber));
    main.DropPreciseMoment(row);
    main.monthLists[r].SetListIndex(static_cast<int16_t>(date.month));
    main.dayLists[r].SetListIndex(static_cast<int16_t>(date.day));
    // A year before 1 is written as 0, which the year box holds and the date input refuses as too early.
    main.yearTexts[r] = std::to_string(std::max<int64_t>(date.year, 0));
    main.halfHourLists[r].SetListIndex(static_cast<int16_t>(std::lround((local - dayNumber) * 48) + 1));
    main.zoneLists[r].SetListIndex(listed ? datetime::NearestZonePosition(precise.offsetSeconds) : kGmtZonePosition);
    // A moment on the half hour in a listed zone is exactly its row.
    if (std::abs(local - exact) * platform::kSecondsPerDay <= 1e-3 && listed)
        return Outcome(std::optional<std::string>());
    if (!keepPrecise)
        return Outcome(std::optional<std::string>(language.TextWithReplacements(
            text::kTextRoundedMoment, typed, datetime::InputDateToString(main, row, false, language))));
    // Any other is computed as typed, as the desktop does, beside its row at the nearest half hour.
    datetime::SetPreciseMoment(main, row, precise);
    datetime::DateRows lists = main;
    lists.DropPreciseMoment(row);
    constexpr std::array<int16_t, core::kNumDateRows> kRowNames{text::kTextWorldDate, text::kText1stBirthdate,
                                                                text::kText2ndBirthdate};
    return Outcome(std::optional<std::string>(language.TextWithReplacements(
        text::kTextPreciseBeside, language.Text(kRowNames[r]), datetime::InputDateToString(lists, row, false, language),
        datetime::PreciseMomentLabel(precise, language))));
}

platform::Result<void> ChooseTypedMode(Workspace& program, const TypedChart& chart, bool stateLoaded, TypedRules rules)
{
    MainModel& main = program.main;
    const text::Language& language = program.language;
    const auto& [date, birth, birth2] = chart.moments;
    if (!chart.mode && !stateLoaded && birth.empty() && !birth2.empty())
        // The 2nd birthdate alone is no mode of its own: which of its three is meant is asked.
        return platform::Result<void>(platform::ErrorCode::InvalidInput,
                                      Refusal(language.Text(text::kTextBirth2NeedsMode)));
    const core::Mode ofBirth = rules.birthMeansTransits ? core::Mode::PersonalTransits1st : core::Mode::Natal1st;
    if (chart.mode)
        main.SelectMode(*chart.mode);
    else if (!stateLoaded)
        main.SelectMode(birth.empty() ? core::Mode::WorldTransits : ofBirth);
    if (stateLoaded)
        return {};
    // Without a state file every row the mode computes must be typed.
    const core::Mode mode = main.DetermineMode();
    for (int16_t row = 0; row < core::kNumDateRows; ++row) {
        const bool needed = core::RowUsedByMode(row, mode) && !(row == core::kWorldDateRow && rules.worldDateOptional);
        if (!needed || !chart.moments[static_cast<size_t>(row)].empty())
            continue;
        std::string name;
        for (const auto& [word, value] : kModeNames)
            if (value == mode)
                name = word;
        return platform::Result<void>(
            platform::ErrorCode::InvalidInput,
            Refusal(language.TextWithReplacements(text::kTextModeNeedsBirth, name, kMomentOptions[static_cast<size_t>(row)])));
    }
    return {};
}

platform::Result<std::vector<std::string>> PutTypedChart(Workspace& program, const TypedChart& chart, bool stateLoaded,
                                                         TypedRules rules)
{
    using Outcome = platform::Result<std::vector<std::string>>;
    std::vector<std::string> notes;
    for (int16_t row = 0; row < core::kNumDateRows; ++row) {
        const std::string& typed = chart.moments[static_cast<size_t>(row)];
        if (typed.empty())
            continue;
        const platform::Result<datetime::PreciseMoment> read =
            datetime::ParsePreciseMoment(typed, datetime::MomentZone::Fixed(0), program.language);
        if (!read)
            return Outcome(read.code(), read.error());
        const platform::Result<std::optional<std::string>> put = PutTypedMoment(program, row, read.value(), true);
        if (!put)
            return Outcome(put.code(), put.error());
        if (put.value())
            notes.push_back(*put.value());
    }
    const platform::Result<void> chosen = ChooseTypedMode(program, chart, stateLoaded, rules);
    if (!chosen)
        return Outcome(chosen.code(), chosen.error());
    return Outcome(std::move(notes));
}

}  // namespace orvane::app
