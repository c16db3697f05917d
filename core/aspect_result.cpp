#include "core/aspect_result.h"

#include "core/astro_module.h"
#include "core/midpoints.h"
#include "core/modes.h"

#include <algorithm>
#include <optional>

namespace orvane::core {
namespace {

constexpr double kHalfHour = 1.0 / 48.0;

}  // namespace

Comparison ComparisonOf(core::Mode mode)
{
    if (IsPersonalTransitMode(mode))
        return Comparison::Transits;
    if (mode == Mode::Synastry)
        return Comparison::Synastry;
    return Comparison::OneMoment;
}

bool CloseAspectRule::IsClose(const OrbTable& orbs, Aspect aspect, int16_t column, double deviation) const
{
    switch (kind) {
    case Kind::WithinOneDegree: return deviation < 1.0 / 360.0 * kTwoPi;
    case Kind::FractionOfOrb:
        return column >= 0 && column < kOrbColumns && deviation < orbs.Orb(aspect, column) / std::max<int32_t>(1, divisor);
    default: return false;
    }
}

std::array<int16_t, kAspectSlots> AspectResult::AspectCounts() const
{
    std::array<int16_t, kAspectSlots> counts{};
    for (const AspectFound& found : aspects)
        ++counts[SlotOf(found.aspect)];
    return counts;
}

AspectResult FindAspects(const AstroModule& astro, Comparison comparison, const std::array<ChartPositions, 2>& positions,
                         const CloseAspectRule& closeRule, const LaterPosition& later)
{
    AspectResult result;
    result.comparison = comparison;
    result.positions = positions;
    const bool oneMoment = comparison == Comparison::OneMoment;
    const int16_t column = OrbColumnOf(comparison);
    // Synastry's close aspects are measured against the personal-transit orbs.
    const int16_t closeColumn = oneMoment ? kOrbColumnOneMoment : kOrbColumnPersonal;
    const ChartPositions& first = positions[0];
    const ChartPositions& second = positions[oneMoment ? 0 : 1];

    for (const Body body1 : kBodies) {
        const std::optional<double>& L1 = second[body1].longitude;
        if (!L1)
            continue;
        for (const Body body2 : kBodies) {
            if (oneMoment && body2 <= body1)
                continue;
            const std::optional<double>& L2 = first[body2].longitude;
            if (!L2)
                continue;
            const std::optional<AspectHeld> held = astro.FirstAspectHeld(Separation(*L1, *L2), column);
            if (!held)
                continue;
            AspectFound found{body1, body2, held->aspect, held->deviation};
            if (oneMoment)
                found.motion = astro.ApplyingOrSeparatingFrom(later(body1), later(body2), found.aspect, found.deviation);
            else if (comparison == Comparison::Transits)
                found.motion = astro.ApplyingOrSeparatingFrom(later(body2), second[body1], found.aspect, found.deviation);
            found.close = closeRule.IsClose(astro.orbs, found.aspect, closeColumn, found.deviation);
            result.aspects.push_back(found);
        }
    }
    return result;
}

AspectResult ComputeAspects(const AstroModule& astro, const AspectRequest& request)
{
    const bool oneMoment = request.comparison == Comparison::OneMoment;
    std::array<ChartPositions, 2> positions;
    for (const Body body : BodiesInUse(astro.bodyCount)) {
        positions[0][body] = astro.PositionAt(body, request.moments[0]);
        if (!oneMoment)
            positions[1][body] = astro.PositionAt(body, request.moments[1]);
    }

    // Each body's position half an hour later is asked for once, however many aspects it makes.
    std::array<std::optional<Position>, kBodySlots> later;
    const double laterMoment = request.moments[0] + kHalfHour;
    const auto laterPosition = [&](Body body) {
        std::optional<Position>& known = later[SlotOf(body)];
        if (!known)
            known = astro.PositionAt(body, laterMoment);
        return *known;
    };

    AspectResult result = FindAspects(astro, request.comparison, positions, request.closeRule, laterPosition);
    if (oneMoment)
        result.patterns = FindChartPatterns(astro, result.positions[0], request.midpointOrbPosition, request.run);
    return result;
}

}  // namespace orvane::core
