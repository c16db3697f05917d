// The engine seen from the Earth: the companion's --perspective geocentric over arrays and spans.

#include "python/engine.h"

#include "app/option_values.h"
#include "core/geo_angle_events.h"
#include "core/geo_cycles.h"
#include "core/geo_pattern_lifetimes.h"
#include "datetime/iso_dates.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace orvane::python {
namespace {

constexpr double kDegrees = 360.0 / core::kTwoPi;
constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

// The bits of core::GeoEventKind a kind's name stands for: station is both stations; 0 for no kind.
uint8_t GeoKindBits(const std::string& name)
{
    const std::string key = text::LowerCase(name);
    return key == "exact" ? 1u : key == "ingress" ? 2u : key == "station" ? 12u : key == "angle" ? 16u : 0u;
}

// A moment as a refusal beyond the ephemeris names it, as the companion writes it.
std::string MomentText(double moment)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.6f", moment);
    return text;
}

// Whether a chart's mode or birthdates are asked for beside the sky's view.
bool ChartAsked(const ChartRequest& request)
{
    return !request.birth.empty() || !request.birth2.empty() ||
           (!request.mode.empty() && text::LowerCase(request.mode) != "world");
}

}  // namespace

platform::Result<std::vector<core::GeoBody>> Engine::GeoBodies(const std::vector<std::string>& names) const
{
    using Outcome = platform::Result<std::vector<core::GeoBody>>;
    std::vector<core::GeoBody> bodies;
    if (names.empty())
        bodies.assign(platform::kGeoBodies.begin(), platform::kGeoBodies.end());
    for (const std::string& name : names) {
        const std::optional<core::GeoBody> body = core::GeoBodyNamed(name);
        if (!body)
            return Refused<std::vector<core::GeoBody>>(app::BodyIndex(name) == core::kEarth
                                                           ? Text(text::kTextNoGeocentricEarth)
                                                           : Text(text::kTextUnknownBody, name));
        bodies.push_back(*body);
    }
    return Outcome(std::move(bodies));
}

platform::Result<platform::Convention> Engine::GeoConventionOf(const std::string& frame,
                                                               const std::string& positions) const
{
    const platform::Result<platform::Convention> read = ConventionOf(frame, positions);
    if (!read)
        return read;
    platform::Convention convention = platform::kGeocentricDefault;
    if (!frame.empty())
        convention.frame = read.value().frame;
    if (!positions.empty())
        convention.positions = read.value().positions;
    return platform::Result<platform::Convention>(convention);
}

void Engine::GeoPositions(std::span<const double> moments, std::span<const core::GeoBody> bodies,
                          platform::Convention convention, double* longitude, double* latitude, double* speed) const
{
    size_t at = 0;
    for (const double moment : moments)
        for (const core::GeoBody body : bodies) {
            const std::optional<platform::HelioState> state = platform::GeoStateIn(body, moment, convention, true);
            longitude[at] = state ? state->longitude * kDegrees : kNone;
            latitude[at] = state ? state->latitude * kDegrees : kNone;
            speed[at] = state ? state->longitudeSpeed * kDegrees : kNone;
            ++at;
        }
}

platform::Result<GeoSearch> Engine::PrepareGeoEvents(const EventRequest& request, bool windows) const
{
    using Outcome = platform::Result<GeoSearch>;
    if (windows || ChartAsked(request) || !request.orbs.empty() || !request.degrees.empty())
        return Refused<GeoSearch>(Text(text::kTextGeocentricWorldEvents));
    GeoSearch search;
    const platform::Result<std::vector<core::GeoBody>> bodies = GeoBodies(request.bodies);
    if (!bodies)
        return Outcome(bodies.failure());
    search.filter.bodies = 0;
    for (const core::GeoBody body : bodies.value())
        search.filter.bodies = static_cast<uint16_t>(search.filter.bodies | 1u << static_cast<int>(body));
    if (!request.aspects.empty())
        search.filter.aspects = 0;
    for (const std::string& name : request.aspects) {
        const int16_t aspect = app::AspectIndex(name);
        if (aspect <= 0)
            return Refused<GeoSearch>(Text(text::kTextUnknownAspect, name));
        search.filter.aspects = static_cast<uint16_t>(search.filter.aspects | 1u << aspect);
    }
    if (!request.kinds.empty())
        search.filter.kinds = 0;
    for (const std::string& name : request.kinds) {
        if (GeoKindBits(name) == 0)
            return Refused<GeoSearch>(Text(text::kTextUnknownGeoEventKind, name));
        search.filter.kinds = static_cast<uint8_t>(search.filter.kinds | GeoKindBits(name));
    }
    const platform::Result<platform::Convention> convention = GeoConventionOf(request.frame, request.positions);
    if (!convention)
        return Outcome(convention.failure());
    search.convention = convention.value();
    const platform::Result<std::optional<core::GeoPlace>> place = GeoPlaceOf(request, search.convention, true);
    if (!place)
        return Outcome(place.failure());
    search.filter.place = place.value();
    // A place adds its angles' events to the default kinds; chosen kinds stay as chosen, the angles'
    // only with a place.
    const bool angleKind = search.filter.HasKind(core::GeoEventKind::Angle);
    if (angleKind && !search.filter.place)
        return Refused<GeoSearch>(Text(text::kTextAngleAspectsNeed));
    if (search.filter.place && request.kinds.empty())
        search.filter.kinds = static_cast<uint8_t>(search.filter.kinds | 1u << static_cast<int>(core::GeoEventKind::Angle));
    if (const platform::Result<void> span = CheckSpan(request.from, request.to); !span)
        return Outcome(span.failure());
    return Outcome(search);
}

platform::Result<void> Engine::GeoEvents(const GeoSearch& search, double from, double to,
                                         const core::GeoEventSink& sink) const
{
    if (!core::FindGeoEvents(from, to, search.convention, search.filter, sink))
        return Refused<void>(Text(text::kTextMomentOutOfRange, MomentText(from)));
    return {};
}

platform::Result<std::vector<core::PatternOccurrence>> Engine::GeoPatterns(const PatternRequest& request) const
{
    using Outcome = platform::Result<std::vector<core::PatternOccurrence>>;
    core::LifetimeRequest lifetimes;
    const platform::Result<std::array<bool, core::kNumPatterns>> asked = PatternsAsked(request.patterns);
    if (!asked)
        return Outcome(asked.failure());
    lifetimes.patterns = asked.value();
    if (!request.patterns.empty() && lifetimes.patterns[core::kPatternMidpoint])
        return Refused<std::vector<core::PatternOccurrence>>(Text(text::kTextGeocentricNoMidpoints));
    std::vector<core::Body> involving;
    if (!request.involving.empty()) {
        const platform::Result<std::vector<core::GeoBody>> bodies = GeoBodies(request.involving);
        if (!bodies)
            return Outcome(bodies.failure());
        for (const core::GeoBody body : bodies.value())
            involving.push_back(core::PatternPointOf(body));
    }
    const platform::Result<platform::Convention> convention = GeoConventionOf(request.frame, request.positions);
    if (const platform::Result<void> span = SpanOf(request, convention, lifetimes); !span)
        return Outcome(span.failure());
    std::vector<core::PatternOccurrence> found;
    const bool computed = core::GeoPatternLifetimes(m_program.astro, lifetimes, [&](const core::PatternOccurrence& each) {
        if (Involves(each, involving))
            found.push_back(each);
    });
    if (!computed)
        return Refused<std::vector<core::PatternOccurrence>>(Text(text::kTextMomentOutOfRange, MomentText(request.from)));
    return Outcome(std::move(found));
}

platform::Result<platform::Convention> Engine::PrepareGeoChart(const ChartRequest& request) const
{
    if (ChartAsked(request))
        return Refused<platform::Convention>(Text(text::kTextGeocentricWorldAspects));
    return GeoConventionOf(request.frame, request.positions);
}

platform::Result<std::optional<core::GeoPlace>> Engine::GeoPlaceOf(const ChartRequest& request,
                                                                   platform::Convention convention, bool events) const
{
    using Outcome = platform::Result<std::optional<core::GeoPlace>>;
    if (!request.latitude && !request.longitude)
        return Outcome(std::optional<core::GeoPlace>());
    if (!request.latitude || !request.longitude || convention.frame == platform::Frame::J2000 ||
        !(std::fabs(*request.latitude) <= 90.0) || !(std::fabs(*request.longitude) <= 180.0))
        return Refused<std::optional<core::GeoPlace>>(Text(text::kTextAngleAspectsNeed));
    if (events && !(std::fabs(*request.latitude) <= core::kAngleEventLatitudeLimit)) {
        char limit[16], latitude[32];
        std::snprintf(limit, sizeof limit, "%g", core::kAngleEventLatitudeLimit);
        std::snprintf(latitude, sizeof latitude, "%g", *request.latitude);
        return Refused<std::optional<core::GeoPlace>>(Text(text::kTextAngleLatitudeLimit, limit, latitude));
    }
    return Outcome(std::optional(core::GeoPlace{*request.latitude, *request.longitude}));
}

platform::Result<std::vector<std::pair<double, core::GeoAspectFound>>>
Engine::GeoAspects(platform::Convention convention, std::span<const double> moments,
                   std::optional<core::GeoPlace> place) const
{
    using Found = std::vector<std::pair<double, core::GeoAspectFound>>;
    Found found;
    for (const double moment : moments) {
        const auto aspects = core::GeoAspectsAt(m_program.astro, moment, convention, place);
        if (!aspects)
            return Refused<Found>(Text(text::kTextMomentOutOfRange, MomentText(moment)));
        for (const core::GeoAspectFound& aspect : *aspects)
            found.emplace_back(moment, aspect);
    }
    return platform::Result<Found>(std::move(found));
}

platform::Result<CycleAnswer> Engine::GeoCycles(const std::string& first, const std::string& second, double from,
                                                double to, const std::string& frame, const std::string& positions) const
{
    using Outcome = platform::Result<CycleAnswer>;
    const platform::Result<std::vector<core::GeoBody>> bodies = GeoBodies({first, second});
    if (!bodies)
        return Outcome(bodies.failure());
    const core::GeoBody a = bodies.value()[0];
    const core::GeoBody b = bodies.value()[1];
    if (a == b)
        return Refused<CycleAnswer>(Text(text::kTextCyclesSameBody, second));
    if (!core::HaveGeoCycle(a, b))
        return Refused<CycleAnswer>(
            Text(text::kTextNoGeocentricCycle, std::string(core::GeoBodyName(a)), std::string(core::GeoBodyName(b))));
    const platform::Result<platform::Convention> convention = GeoConventionOf(frame, positions);
    if (!convention)
        return Outcome(convention.failure());
    if (const platform::Result<void> span = CheckSpan(from, to); !span)
        return Outcome(span.failure());
    const core::GeoCycleSearch search(a, b, convention.value());
    return Outcome(CycleAnswer{std::string(core::GeoBodyName(search.Faster())),
                               std::string(core::GeoBodyName(search.Slower())), search.Cycles(from, to)});
}

}  // namespace orvane::python
