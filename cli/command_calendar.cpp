#include "cli/session.h"

#include "cli/texts.h"
#include "platform/moment.h"
#include "datetime/iso_dates.h"
#include "display/calendar_file.h"
#include "display/orb_windows.h"
#include "display/timeline.h"
#include "text/text_numbers.h"

#include <ostream>

namespace orvane::cli {

int Session::CalendarSpanMistake(double from)
{
    // An iCalendar DATE-TIME has a year of four digits from 0001 on.
    const double yearOne = platform::DayStart(platform::kYearOneDayNumber);
    if (from < yearOne) {
        m_err << OwnText(text::kTextCalendarBeforeYearOne, m_line.language, datetime::IsoText(from, 0)) << '\n';
        return kExitBadInput;
    }
    return kExitSuccess;
}

int Session::EventCalendar(core::Mode mode, const std::array<double, 3>& moments, double from, double to)
{
    if (const int code = CalendarSpanMistake(from); code != kExitSuccess)
        return code;
    PlutoTableNotice(from, to);
    const core::AstroModule& astro = m_program.astro;
    display::CalendarWriter writer(m_out, astro.tables, display::CalendarWordsOf(m_program.language),
                                   m_environment.nowMoment);
    writer.SetMode(mode);
    writer.Begin();
    const core::EventSearch search(astro, mode, moments, m_line.filter, m_line.convention);
    search.Run(from, to, [&](const core::Event& event) {
        writer.Event(event);
        return static_cast<bool>(m_out);
    });
    if (m_line.windows && m_out) {
        // The stays are the timeline's bars, cut at the span's ends as the timeline draws them, of the pairs,
        // aspects, orbs and convention asked for.
        for (const display::OrbWindow& window :
             display::OrbWindows(astro, mode, moments, from, to, m_line.filter, m_line.convention))
            writer.Window(display::TimelineRow{window.pair, window.aspect, {}}, window.bar);
    }
    writer.End();
    return kExitSuccess;
}

}  // namespace orvane::cli
