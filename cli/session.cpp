#include "cli/session.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "app/actions.h"
#include "app/startup.h"
#include "datetime/date_input.h"
#include "datetime/iso_dates.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace orvane::cli {
namespace {

// The zone list's position of GMT.
constexpr int16_t kGmtZonePosition = 24;

}  // namespace

bool Session::Start()
{
    const platform::SystemClock systemClock;
    const platform::Clock& clock = m_environment.clock != nullptr ? *m_environment.clock : systemClock;
    const app::StartUpResult result = m_program.StartUp(m_environment.dataFolder, clock, m_store);
    if (result.programTextError) {
        PrintMessage(m_err, *result.programTextError);
        return false;
    }
    if (result.plutoError)
        PrintMessage(m_err, *result.plutoError);
    if (m_line.language != text::langEnglish) {
        m_program.language.currentLanguage = m_line.language;
        app::ApplyLanguageToModels(m_program);
    }
    return true;
}

double Session::MomentOf(const std::string& typed)
{
    return datetime::ParseIsoMoment(typed, 0).value_or(datetime::IsoMoment{}).moment;
}

int Session::LoadStateOrDate()
{
    if (!m_line.state.empty())
        if (const int code = LoadState(); code != kExitSuccess)
            return code;
    if (m_line.date.empty())
        return kExitSuccess;
    if (m_line.state.empty())
        m_program.main.SelectMode(core::Mode::WorldTransits);
    constexpr auto r = static_cast<size_t>(core::kWorldDateRow);
    app::MainModel& main = m_program.main;
    const double moment = MomentOf(m_line.date);
    double local = moment + 0.5;
    datetime::RoundToHalfHour(local);
    const double dayNumber = std::floor(local);
    // After 23:45 UT on the last day the half hour is midnight of a day the program does not compute: said
    // as such, since the date itself is not too late.
    if (dayNumber > datetime::kLastDayNumber && std::floor(moment + 0.5) <= datetime::kLastDayNumber) {
        m_err << OwnText(text::kTextRoundedPastLastDate, m_line.language, m_line.date,
                         datetime::IsoText(dayNumber - 0.5, 0))
              << '\n';
        return kExitBadInput;
    }
    int64_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    datetime::GregorianDate(static_cast<int64_t>(dayNumber), year, month, day);
    main.monthLists[r].SetListIndex(static_cast<int16_t>(month));
    main.dayLists[r].SetListIndex(static_cast<int16_t>(day));
    // A year before 1 is written as 0, which the year box holds and the date input refuses as too early.
    main.yearTexts[r] = std::to_string(std::max<int64_t>(year, 0));
    main.halfHourLists[r].SetListIndex(static_cast<int16_t>(std::lround((local - dayNumber) * 48) + 1));
    main.zoneLists[r].SetListIndex(kGmtZonePosition);
    return kExitSuccess;
}

int Session::LoadState()
{
    const platform::Result<void> loaded = app::LoadStateFile(m_program, m_line.state, m_store);
    if (!loaded.ok()) {
        // The message names the file as typed: it is shown as every echoed value is.
        std::string text = ConsoleText(loaded.error().text);
        if (const size_t at = text.find(m_line.state); at != std::string::npos)
            text.replace(at, m_line.state.size(), EchoedValue(m_line.state));
        m_err << text << '\n';
        return kExitBadInput;
    }
    return kExitSuccess;
}

int Session::DateError(const std::optional<platform::Message>& message)
{
    if (message)
        PrintMessage(m_err, *message);
    return kExitBadInput;
}

TableWords Session::Words() const
{
    TableWords words;
    words.language = m_line.language;
    constexpr std::array<int16_t, core::kNumEventKinds> kinds{
        text::kTextEventExact,          text::kTextEventEnter,         text::kTextEventLeave,
        text::kTextEventIngress,        text::kTextEventCross,         text::kTextEventReturn,
        text::kTextEventAscendingNode,  text::kTextEventDescendingNode, text::kTextEventLatitudeMax,
        text::kTextEventLatitudeMin,    text::kTextEventPerihelion,    text::kTextEventAphelion,
        text::kTextEventMiss};
    // The kinds of the aspects and ingresses always, the others when asked for: the kind column is as wide
    // as its longest word.
    for (size_t k = 0; k < words.kinds.size(); ++k)
        if (k <= static_cast<size_t>(core::EventKind::Ingress) ||
            m_line.filter.HasKind(static_cast<core::EventKind>(k)))
            words.kinds[k] = OwnText(kinds[k], m_line.language);
    words.date = OwnText(text::kTextColumnDate, m_line.language);
    words.time = OwnText(text::kTextColumnTime, m_line.language);
    words.event = OwnText(text::kTextColumnEvent, m_line.language);
    words.body = OwnText(text::kTextColumnBody, m_line.language);
    words.aspect = OwnText(text::kTextColumnAspect, m_line.language);
    words.sign = OwnText(text::kTextColumnSign, m_line.language);
    // The value column of the text table, when a kind that has a value is asked for.
    for (size_t k = static_cast<size_t>(core::EventKind::Cross); k < words.kinds.size(); ++k)
        if (m_line.filter.HasKind(static_cast<core::EventKind>(k)))
            words.value = OwnText(text::kTextColumnValue, m_line.language);
    words.columns = {OwnText(text::kTextColumnLatitude, m_line.language),
                     OwnText(text::kTextColumnDistance, m_line.language),
                     OwnText(text::kTextColumnSpeed, m_line.language)};
    if (!m_line.convention.IsDefault()) {
        const bool j2000 = m_line.convention.frame == platform::Frame::J2000;
        const bool geometric = m_line.convention.positions == platform::PositionKind::Geometric;
        words.convention = OwnText(text::kTextConventionHeading, m_line.language,
                                   OwnText(j2000 ? text::kTextFrameJ2000 : text::kTextFrameOfDate, m_line.language),
                                   OwnText(geometric ? text::kTextPositionsGeometric : text::kTextPositionsApparent,
                                           m_line.language));
    }
    return words;
}

}  // namespace orvane::cli
