#include "cli/session.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "app/compute.h"
#include "core/positions.h"
#include "datetime/iso_dates.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <ostream>
#include <vector>

namespace orvane::cli {
namespace {

// The step's name as the command line takes it ("day").
std::string StepName(int16_t step)
{
    const auto named = std::find_if(kStepPositions.begin(), kStepPositions.end(),
                                    [step](const auto& entry) { return entry.second == step; });
    return named != kStepPositions.end() ? named->first : std::string();
}

// The days a convention of date prepares ahead at a time.
constexpr double kPreparedDays = 32.0;

// Tells the ephemeris the moments of steps `k` … of `steps`, up to kPreparedDays on, in a convention other
// than the default, so that it works out what it reads them from for all bodies together in the order of
// time rather than body by body as they are asked; returns the last step told. Steps of a day or less
// only: the ephemeris reads longer ones directly, each on its own.
int64_t PrepareSteps(const core::AstroModule& astro, double from, int16_t step, int64_t k, int64_t steps)
{
    const double first = datetime::SteppedMoment(from, step, k);
    if (k + 1 >= steps || datetime::SteppedMoment(from, step, k + 1) - first > 1.0)
        return k;
    int64_t last = k;
    while (last + 1 < steps && datetime::SteppedMoment(from, step, last + 1) - first <= kPreparedDays)
        ++last;
    if (astro.convention.IsDefault())
        return last;
    std::vector<core::BodySpan> spans;
    for (int16_t body = core::kEarth; body <= astro.bodyCount; ++body)
        spans.push_back({static_cast<core::Body>(body), first, datetime::SteppedMoment(from, step, last)});
    core::PrepareMoments(spans, astro.convention);
    return last;
}

}  // namespace

int Session::Aspects()
{
    core::Mode mode = core::Mode::WorldTransits;
    std::array<double, 3> moments{};
    double start = 0.0;
    if (const int code = ReadModeAndMoments(mode, moments, start); code != kExitSuccess)
        return code;
    const double from = MomentOf(m_line.from);
    const double to = MomentOf(m_line.to);
    const std::string help = OwnText(text::kTextHelpHint, m_line.language, "orvane-cli aspects --help");
    const bool geocentric = m_line.perspective == core::Perspective::Geocentric;
    if (geocentric && mode != core::Mode::WorldTransits) {
        m_err << OwnText(text::kTextGeocentricWorldAspects, m_line.language) << '\n' << help << '\n';
        return kExitUsage;
    }
    if (const int code = PlaceMistake(false, "aspects"); code != kExitSuccess)
        return code;
    // A span typed the wrong way round is a mistake of the command line, not of the data.
    if (to < from) {
        m_err << OwnText(text::kTextSpanReversed, m_line.language, datetime::IsoText(from, m_line.zone),
                         datetime::IsoText(to, m_line.zone))
              << '\n' << help << '\n';
        return kExitUsage;
    }
    if (const int code = CheckSpan(from, to); code != kExitSuccess)
        return code;
    // Counted before the first row, so that a span too long writes nothing.
    const int16_t step = m_line.step.value_or(1);
    int64_t steps = 0;
    while (datetime::SteppedMoment(from, step, steps) < to)
        if (++steps > kMaxAspectSteps) {
            m_err << OwnText(text::kTextTooManySteps, m_line.language, StepName(step), std::to_string(kMaxAspectSteps))
                  << '\n' << help << '\n';
            return kExitUsage;
        }

    m_program.configure.ApplyOrbs(m_program.astro);
    if (geocentric)
        return GeocentricAspects(from, step, steps);
    m_program.astro.bodyCount = core::NumPlanetsFor(m_program.astro.PlutoDataReadOK());
    TableWriter writer(m_out, m_line.format, m_program.astro.tables, Words(mode));
    writer.BeginAspects();
    int64_t prepared = -1;
    for (int64_t k = 0; k < steps && m_out; ++k) {
        if (k > prepared)
            prepared = PrepareSteps(m_program.astro, from, step, k, steps);
        // The step's moment takes the world date's place, as a step of the main window does.
        const double moment = datetime::SteppedMoment(from, step, k);
        moments[static_cast<size_t>(core::kWorldDateRow)] = moment;
        for (const core::AspectFound& found : app::AspectsAt(m_program, mode, moments).aspects)
            writer.AspectRow(moment, found);
    }
    writer.End();
    return kExitSuccess;
}

}  // namespace orvane::cli
