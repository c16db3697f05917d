#include "display/orb_windows.h"

#include "core/aspects.h"

#include <algorithm>
#include <cmath>

namespace orvane::display {
namespace {

// Samples of a stay without an exact moment before the least deviation is narrowed down between the
// neighbours of the least sample: a stay's deviation falls and rises once, as heliocentric bodies keep
// their direction.
constexpr int kTightestSamples = 24;
constexpr int kNarrowingSteps = 40;

// The deviation from exact of `aspect` at moment t; a large value where a body has no position.
double DeviationAt(const core::AstroModule& astro, const core::EventPair& pair, core::Aspect aspect, double t,
                   platform::Convention convention)
{
    const double L1 = pair.moving1 ? astro.HelioLongitude(pair.body1, t, convention) : pair.fixed1;
    const double L2 = pair.moving2 ? astro.HelioLongitude(pair.body2, t, convention) : pair.fixed2;
    if (L1 < 0.0 || L2 < 0.0)
        return core::kTwoPi;
    const double angle = core::kEventAspectDegrees[core::SlotOf(aspect)] * core::kTwoPi / 360.0;
    return std::fabs(core::Separation(L1, L2) - angle);
}

// The least deviation within a stay that has no exact moment: the least of evenly spread samples, then a
// golden-section search between its neighbours.
double TightestDeviation(const core::AstroModule& astro, const OrbWindow& window, platform::Convention convention)
{
    const auto deviation = [&](double t) { return DeviationAt(astro, window.pair, window.aspect, t, convention); };
    const double step = (window.bar.to - window.bar.from) / kTightestSamples;
    int best = 0;
    double least = deviation(window.bar.from);
    for (int k = 1; k <= kTightestSamples; ++k)
        if (const double d = deviation(window.bar.from + k * step); d < least) {
            least = d;
            best = k;
        }
    double a = window.bar.from + std::max(best - 1, 0) * step;
    double b = window.bar.from + std::min(best + 1, kTightestSamples) * step;
    const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
    for (int k = 0; k < kNarrowingSteps; ++k) {
        const double c = b - ratio * (b - a);
        const double d = a + ratio * (b - a);
        if (deviation(c) < deviation(d))
            b = d;
        else
            a = c;
    }
    return std::min(least, deviation((a + b) / 2.0));
}

}  // namespace

std::vector<OrbWindow> OrbWindows(const core::AstroModule& astro, core::Mode mode, const std::array<double, 3>& moments,
                                  double from, double to, core::EventFilter filter, platform::Convention convention)
{
    filter.kinds = static_cast<uint16_t>(1u << static_cast<unsigned>(core::EventKind::Exact) |
                                         1u << static_cast<unsigned>(core::EventKind::Enter) |
                                         1u << static_cast<unsigned>(core::EventKind::Leave));
    const core::EventSearch search(astro, mode, moments, filter, convention);
    const std::vector<core::Event> events = search.Collect(from, to);
    const Timeline timeline =
        AssembleTimeline(from, to, search.Pairs(), InOrbAt(astro, search, from, filter, convention), events);
    std::vector<OrbWindow> windows;
    for (const TimelineRow& row : timeline.rows)
        for (const TimelineBar& bar : row.bars) {
            OrbWindow window{row.pair, row.aspect, bar, 0.0};
            if (bar.exacts.empty())
                window.tightest = TightestDeviation(astro, window, convention);
            windows.push_back(std::move(window));
        }
    std::stable_sort(windows.begin(), windows.end(),
                     [](const OrbWindow& a, const OrbWindow& b) { return a.bar.from < b.bar.from; });
    return windows;
}

}  // namespace orvane::display
