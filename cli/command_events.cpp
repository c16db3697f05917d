#include "cli/session.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "core/positions.h"
#include "datetime/date_input.h"
#include "datetime/iso_dates.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace orvane::cli {

int Session::Events()
{
    int16_t mode = core::kModeWorldTransits;
    std::array<double, 3> moments{};
    double start = m_environment.nowMoment;
    app::MainModel& main = m_program.main;
    if (!m_line.state.empty()) {
        if (const int code = LoadState(); code != kExitSuccess)
            return code;
        if (m_line.mode)
            main.SelectMode(*m_line.mode);
        mode = main.DetermineMode();
        if (mode == core::kModeNone) {
            m_err << OwnText(text::kTextNoModeSelected, m_line.language) << '\n';
            return kExitBadInput;
        }
        for (int16_t row = 0; row < core::kNumDateRows; ++row) {
            // The world date only gives the start of the span (none is needed with --from); a birthdate is
            // read where the mode names it, unless the command line gives it.
            const bool used = row == core::kWorldDateRow ? m_line.from.empty()
                                                         : core::RowUsedByMode(row, mode) && BirthOf(row).empty();
            if (!used)
                continue;
            const platform::Result<double> moment = datetime::InputDateToAJDate(main, row, m_program.language);
            if (!moment)
                return DateError(moment.error());
            moments[static_cast<size_t>(row)] = moment.value();
        }
        start = moments[0];
    } else if (const int code = ChooseMode(false); code != kExitSuccess) {
        return code;
    } else {
        mode = main.DetermineMode();
    }
    // The birthdates of the command line to the second: events need no half hours.
    for (int16_t row = 1; row < core::kNumDateRows; ++row)
        if (!BirthOf(row).empty())
            moments[static_cast<size_t>(row)] = MomentOf(BirthOf(row));
    m_program.configure.ApplyOrbs(m_program.astro);
    m_program.astro.bodyCount = core::NumPlanetsFor(m_program.astro.PlutoDataReadOK());
    const double from = m_line.from.empty() ? start : MomentOf(m_line.from);
    const double to = m_line.to.empty() ? datetime::OneYearLater(from) : MomentOf(m_line.to);
    if (const int code = CheckSpan(from, to); code != kExitSuccess)
        return code;

    const core::EventSearch search(m_program.astro, mode, moments, m_line.filter);
    TableWriter writer(m_out, m_line.format, m_line.zone, m_program.astro.tables, Words());
    writer.SetZoneName(m_line.zoneName);
    writer.BeginEvents();
    search.Run(from, to, [&](const core::Event& event) {
        writer.Event(event);
        return static_cast<bool>(m_out);
    });
    writer.End();
    return kExitSuccess;
}

int Session::Ephemeris()
{
    const double from = MomentOf(m_line.from);
    const double to = MomentOf(m_line.to);
    if (const int code = CheckSpan(from, to); code != kExitSuccess)
        return code;
    const core::AstroModule& astro = m_program.astro;
    TableWriter writer(m_out, m_line.format, m_line.zone, astro.tables, Words());
    writer.SetZoneName(m_line.zoneName);
    writer.BeginPositions();
    const int16_t step = m_line.step.value_or(1);
    const double dayNumber = std::floor(from + 0.5);
    int64_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    datetime::GregorianDate(static_cast<int64_t>(dayNumber), year, month, day);
    for (int64_t k = 0; m_out; ++k) {
        double t = from + static_cast<double>(k) * (step == 0 ? 1.0 / 48 : step == 1 ? 1.0 : 7.0);
        if (step >= 3) {
            // Months and years keep the day of the month, or the month's last day when it has fewer.
            const int64_t months = (year * 12 + month - 1) + k * (step == 3 ? 1 : 12);
            const int64_t y = months >= 0 ? months / 12 : -((-months + 11) / 12);
            const auto m = static_cast<int32_t>(months - y * 12 + 1);
            const int64_t first = datetime::GregorianDayNumber(y, m, 1);
            const int64_t length = datetime::GregorianDayNumber(y + (m == 12 ? 1 : 0), m == 12 ? 1 : m + 1, 1) - first;
            t = static_cast<double>(first + std::min<int64_t>(day, length) - 1) + (from + 0.5 - dayNumber) - 0.5;
        }
        if (t > to)
            break;
        std::array<double, core::kBodySlots> longitudes{};
        for (int16_t body = core::kEarth; body <= core::kPluto; ++body)
            longitudes[static_cast<size_t>(body)] =
                body <= astro.bodyCount ? astro.HelioLongitude(body, t) : core::kPlutoAfterTable;
        writer.Positions(t, longitudes);
    }
    writer.End();
    return kExitSuccess;
}

int Session::CheckSpan(double from, double to)
{
    if (to < from) {
        m_err << OwnText(text::kTextSpanReversed, m_line.language, datetime::IsoText(from, m_line.zone),
                         datetime::IsoText(to, m_line.zone))
              << '\n';
        return kExitBadInput;
    }
    for (const double moment : {from, to})
        for (int16_t body = core::kEarth; body <= core::kNeptune; ++body)
            if (m_program.astro.HelioLongitude(body, moment) < 0.0) {
                m_err << OwnText(text::kTextMomentOutOfRange, m_line.language, MomentText(moment)) << '\n';
                return kExitBadInput;
            }
    return kExitSuccess;
}

}  // namespace orvane::cli
