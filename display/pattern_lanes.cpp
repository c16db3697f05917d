#include "display/pattern_lanes.h"

#include "core/modes.h"
#include "display/angle_texts.h"
#include "display/timeline.h"
#include "text/language.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <map>
#include <optional>

namespace orvane::display {

std::vector<PatternLane> BuildPatternLanes(const core::AstroModule& astro, core::Mode mode, double from, double to,
                                           platform::Convention convention)
{
    if (!core::IsOneDateMode(mode) || !(to > from))
        return {};
    core::LifetimeRequest request;
    request.from = from;
    request.to = to;
    request.patterns[core::kPatternMidpoint] = false;
    request.convention = convention;
    // Outside the default convention Pluto comes from the ephemeris, whether its table was read or not.
    std::optional<core::AstroModule> counted;
    if (!convention.IsDefault()) {
        counted = astro;
        counted->bodyCount = core::NumPlanetsIn(convention, astro.PlutoDataReadOK());
    }
    std::map<std::pair<int16_t, std::vector<core::Body>>, PatternLane> lanes;
    for (core::PatternOccurrence& life : core::PatternLifetimes(counted ? *counted : astro, request)) {
        PatternLane& lane = lanes[{life.pattern, life.bodies}];
        lane.pattern = life.pattern;
        lane.bodies = life.bodies;
        lane.lives.push_back(std::move(life));
    }
    std::vector<PatternLane> ordered;
    for (auto& [key, lane] : lanes) {
        if (ordered.empty() || ordered.back().pattern != lane.pattern)
            ordered.push_back({true, lane.pattern, {}, {}});
        ordered.push_back(std::move(lane));
    }
    // Within a pattern, the lane whose first life begins first comes first.
    std::stable_sort(ordered.begin(), ordered.end(), [from](const PatternLane& a, const PatternLane& b) {
        if (a.pattern != b.pattern || a.heading || b.heading)
            return a.pattern != b.pattern ? a.pattern < b.pattern : a.heading && !b.heading;
        return a.lives.front().begin.value_or(from) < b.lives.front().begin.value_or(from);
    });
    return ordered;
}

std::vector<PatternLane> KeepLaneBodies(const std::vector<PatternLane>& lanes, const std::array<bool, core::kBodySlots>& bodies)
{
    std::vector<PatternLane> kept;
    for (const PatternLane& lane : lanes) {
        if (lane.heading || !std::all_of(lane.bodies.begin(), lane.bodies.end(),
                                         [&](core::Body body) { return bodies[core::SlotOf(body)]; }))
            continue;
        if (kept.empty() || kept.back().pattern != lane.pattern)
            kept.push_back({true, lane.pattern, {}, {}});
        kept.push_back(lane);
    }
    return kept;
}

std::string LaneLabel(const core::AstroTables& tables, const PatternLane& lane)
{
    if (lane.heading)
        return tables.patternNames.at(static_cast<size_t>(lane.pattern));
    std::string bodies;
    for (const core::Body body : lane.bodies)
        bodies += (bodies.empty() ? "" : "-") + tables.bodyAbbrevs.at(core::SlotOf(body));
    return bodies;
}

const core::PatternOccurrence* LifeAt(const PatternLane& lane, double moment, double slackDays)
{
    for (const core::PatternOccurrence& life : lane.lives)
        if (moment >= life.begin.value_or(moment) - slackDays && moment <= life.end.value_or(moment) + slackDays)
            return &life;
    return nullptr;
}

std::string LifeText(const core::AstroTables& tables, const text::Language& language,
                     const core::PatternOccurrence& life, int16_t zoneMinutes)
{
    const int16_t lang = language.currentLanguage;
    std::string bodies;
    for (const core::Body body : life.bodies)
        bodies += (bodies.empty() ? "" : "-") + tables.bodyNames.at(core::SlotOf(body));
    const auto at = [&](const std::optional<double>& moment, int16_t otherwise) {
        return moment ? MomentText(*moment, zoneMinutes, lang) : language.Text(otherwise);
    };
    return tables.patternNames.at(static_cast<size_t>(life.pattern)) + ": " + bodies + "\n" +
           language.TextWithReplacements(text::kTextLifeFormed, at(life.begin, text::kTextBeforeSpan)) + "\n" +
           language.TextWithReplacements(text::kTextLifeTightest, MomentText(life.peak, zoneMinutes, lang),
                                         Rad2DegMin(life.peakDeviation)) +
           "\n" + language.TextWithReplacements(text::kTextLifeDissolved, at(life.end, text::kTextAfterSpan));
}

}  // namespace orvane::display
