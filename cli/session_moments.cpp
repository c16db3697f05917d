// The moments of the command line in the program's date rows: --date, --birth and --birth2 to the half
// hour of the rows for report and find, the mode they are computed in, and the notes that say how a
// moment was rounded.

#include "cli/session.h"

#include "cli/options_moments.h"
#include "cli/texts.h"
#include "datetime/date_input.h"
#include "datetime/iso_dates.h"
#include "datetime/time_zones.h"
#include "datetime/zoned_moments.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace orvane::cli {
namespace {

// The zone list's position of GMT.
constexpr int16_t kGmtZonePosition = 24;

// Whether the zone lists hold `offsetSeconds`: a whole half hour within ±11:30.
bool InZoneLists(int32_t offsetSeconds)
{
    return offsetSeconds % 1800 == 0 && std::abs(offsetSeconds) <= datetime::kMaxZoneMinutes * 60;
}

}  // namespace

double Session::MomentOf(const std::string& typed) const
{
    // Every DATE was checked while the command line was read.
    const platform::Result<datetime::PreciseMoment> read =
        datetime::ParsePreciseMoment(typed, datetime::MomentZone::Fixed(0), m_program.language);
    return read ? read.value().moment : 0.0;
}

const std::string& Session::BirthOf(int16_t row) const
{
    return row == 1 ? m_line.birth : m_line.birth2;
}

int Session::LoadStateOrDate()
{
    const bool stateLoaded = !m_line.state.empty();
    if (stateLoaded)
        if (const int code = LoadState(); code != kExitSuccess)
            return code;
    const std::string* typed[] = {&m_line.date, &m_line.birth, &m_line.birth2};
    for (int16_t row = 0; row < core::kNumDateRows; ++row)
        if (!typed[row]->empty())
            if (const int code = PutMoment(row, *typed[row]); code != kExitSuccess)
                return code;
    return ChooseMode(stateLoaded);
}

int Session::ChooseMode(bool stateLoaded)
{
    app::MainModel& main = m_program.main;
    if (!m_line.mode && !stateLoaded && m_line.birth.empty() && !m_line.birth2.empty()) {
        // The 2nd birthdate alone is no mode of its own: which of its three the user means is asked.
        m_err << OwnText(text::kTextBirth2NeedsMode, m_line.language) << '\n'
              << OwnText(text::kTextHelpHint, m_line.language, "orvane-cli " + m_line.command + " --help") << '\n';
        return kExitUsage;
    }
    // A birthdate alone is its chart; over a span, the transits to it.
    const core::Mode ofBirth = m_line.command == "events" ? core::Mode::PersonalTransits1st : core::Mode::Natal1st;
    if (m_line.mode)
        main.SelectMode(*m_line.mode);
    else if (!stateLoaded)
        main.SelectMode(m_line.birth.empty() ? core::Mode::WorldTransits : ofBirth);
    if (stateLoaded)
        return kExitSuccess;
    // Without a state file every row the mode computes must come from the command line.
    const int16_t mode = main.DetermineMode();
    const char* options[] = {"--date", "--birth", "--birth2"};
    const std::string* typed[] = {&m_line.date, &m_line.birth, &m_line.birth2};
    for (int16_t row = 0; row < core::kNumDateRows; ++row) {
        // The world date of a command over a span (events, aspects) only gives the start of the span, which
        // is now without it.
        const bool needed = core::RowUsedByMode(row, mode) && !(row == core::kWorldDateRow &&
                                                                (m_line.command == "events" || m_line.command == "aspects"));
        if (!needed || !typed[row]->empty())
            continue;
        std::string name;
        for (const auto& [word, value] : kModeNames)
            if (static_cast<int16_t>(value) == mode)
                name = word;
        m_err << OwnText(text::kTextModeNeedsBirth, m_line.language, name, options[row]) << '\n'
              << OwnText(text::kTextHelpHint, m_line.language, "orvane-cli " + m_line.command + " --help") << '\n';
        return kExitUsage;
    }
    return kExitSuccess;
}

int Session::PutMoment(int16_t row, const std::string& typed)
{
    const platform::Result<datetime::PreciseMoment> read =
        datetime::ParsePreciseMoment(typed, datetime::MomentZone::Fixed(0), m_program.language);
    if (!read)
        return DateError(read.error());
    const datetime::PreciseMoment& precise = read.value();
    // The rows hold half hours in 47 zones: the moment's own offset when they have it, otherwise UT.
    const bool listed = InZoneLists(precise.offsetSeconds);
    const double exact = precise.moment + (listed ? precise.offsetSeconds : 0) / 86400.0 + 0.5;
    double local = exact;
    datetime::RoundToHalfHour(local);
    const double dayNumber = std::floor(local);
    // After 23:45 on the last day the half hour is midnight of a day the program does not compute: said
    // as such, since the date itself is not too late.
    if (dayNumber > datetime::kLastDayNumber && std::floor(exact) <= datetime::kLastDayNumber) {
        m_err << OwnText(text::kTextRoundedPastLastDate, m_line.language, typed,
                         datetime::IsoText(dayNumber - 0.5, 0))
              << '\n';
        return kExitBadInput;
    }
    const auto r = static_cast<size_t>(row);
    app::MainModel& main = m_program.main;
    int64_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    datetime::GregorianDate(static_cast<int64_t>(dayNumber), year, month, day);
    main.DropPreciseMoment(row);
    main.monthLists[r].SetListIndex(static_cast<int16_t>(month));
    main.dayLists[r].SetListIndex(static_cast<int16_t>(day));
    // A year before 1 is written as 0, which the year box holds and the date input refuses as too early.
    main.yearTexts[r] = std::to_string(std::max<int64_t>(year, 0));
    main.halfHourLists[r].SetListIndex(static_cast<int16_t>(std::lround((local - dayNumber) * 48) + 1));
    main.zoneLists[r].SetListIndex(listed ? datetime::NearestZonePosition(precise.offsetSeconds) : kGmtZonePosition);
    // A moment on the half hour in a listed zone is exactly its row; any other is said to be rounded.
    if (std::abs(local - exact) * 86400.0 > 1e-3 || !listed)
        m_roundingNotes.push_back(
            OwnText(text::kTextRoundedMoment, m_line.language, EchoedValue(typed),
                    datetime::InputDateToString(main, row, false, m_program.language)));
    return kExitSuccess;
}

void Session::PrintRoundingNotes(bool machineFormat)
{
    std::ostream& stream = machineFormat ? m_err : m_out;
    for (const std::string& note : m_roundingNotes)
        stream << note << '\n';
    if (!m_roundingNotes.empty() && !machineFormat)
        stream << '\n';
}

}  // namespace orvane::cli
