#pragma once

// The event search seen from the Earth: over a span, every moment at which an aspect between two of the
// geocentric bodies (Sun, Moon, Mercury … Pluto) is exact, at which a body enters a sign, and at which a
// planet stands still in longitude (a station: turning retrograde, or direct again). Positions are
// platform::GeoStateIn's, in the search's convention.
// With a place, also every moment at which a body stands in an exact aspect to the place's Ascendant or
// Midheaven (core/geo_angle_events.h, which samples the fast angles on its own).
//
// How no event is missed: every body is taken at moments kGeoSampleDays apart with its longitude and its
// rate. The Moon moves at most 15.4° a day and no planet more than 2.2°, so two longitudes part or close
// by under 18° in a step: far below the half turn at which a step across 0°/360° could not be told from a
// step back, and below the 30° of a sign, so that a body crosses at most one sign boundary in a step.
// Seen from the Earth a difference of longitudes turns back wherever the two rates are equal (and a body's
// longitude wherever its rate is zero: the stations). A step whose end rates differ in sign is split at
// that turning point, found on the rates themselves, so that each piece is monotone and passes each value
// at most once; an aspect touched and left again within one step is found on both sides of the turn. The
// Moon is always faster than any other body, so its differences never turn. A turn needs the rates to
// meet, and they change far too slowly to meet twice within a step.
//
// Each moment is refined with the heliocentric search's root finder (core/event_roots.h) on the
// ephemeris itself, from the linear guess and the rates' slope, until the correction is below
// kEventCorrectionDays: well within a second of the true crossing.

#include "core/events.h"
#include "core/geo_angles.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace orvane::core {

// Angle: a body exact in an aspect to an angle of the search's place.
enum class GeoEventKind : uint8_t { Exact, Ingress, StationRetrograde, StationDirect, Angle };
inline constexpr int kNumGeoEventKinds = 5;
// Each kind's name in the companion's options and machine-readable tables.
inline constexpr std::array<const char*, kNumGeoEventKinds> kGeoEventKindKeys{
    "exact", "ingress", "station-retrograde", "station-direct", "angle"};

struct GeoEvent {
    double moment = 0.0;  // Julian date, UT
    GeoEventKind kind = GeoEventKind::Exact;
    GeoBody body1 = GeoBody::Sun;     // the lower body in kGeoBodies' order; the body of its own event
    std::optional<GeoBody> body2;     // exact only
    std::optional<Aspect> aspect;     // exact and angle
    int16_t sign = -1;                // the sign entered (0 … 11) for an ingress
    double longitude = 0.0;           // a station's longitude, an ingress' boundary (radians); 0 otherwise
    std::optional<GeoAngle> angle;    // angle only: the angle that body1 stands in the aspect to
};

// Which events to look for: bit b of `bodies` selects kGeoBodies[b], bit a of `aspects` aspect number a
// (as EventFilter's), bit k of `kinds` GeoEventKind k (both stations are one choice in the companion);
// `place` is the place whose angles the kind Angle looks at (no such events without one).
struct GeoEventFilter {
    uint16_t bodies = 0x3FF;
    uint16_t aspects = 0x00FE;
    uint8_t kinds = 0x0F;
    std::optional<GeoPlace> place;

    bool HasBody(GeoBody body) const { return (bodies >> static_cast<int>(body) & 1u) != 0; }
    bool HasAspect(Aspect aspect) const { return (aspects >> IndexOf(aspect) & 1u) != 0; }
    bool HasKind(GeoEventKind kind) const { return (kinds >> static_cast<int>(kind) & 1u) != 0; }
};

// The moment an aspect between two geocentric bodies enters or leaves its orb: where their separation
// passes the aspect's angle less or more the orb. The same monotone pieces find them as the exact aspects,
// as every edge is one more value that the difference of the two longitudes passes.
struct GeoOrbEdge {
    double moment = 0.0;  // Julian date, UT
    GeoBody body1 = GeoBody::Sun;  // the lower body in kGeoBodies' order
    GeoBody body2 = GeoBody::Moon;
    Aspect aspect = Aspect::Conjunction;
    bool enters = false;  // within the orb after the moment, not before
};

// Days between two samples (see above).
inline constexpr double kGeoSampleDays = 1.0;

// Hands every event of [from, to) to `sink` in the order of time (ties in a fixed order); returning false
// ends the search. False when the ephemeris or the house routine failed within the span. A place's
// latitude must lie within kAngleEventLatitudeLimit (core/geo_angle_events.h).
using GeoEventSink = std::function<bool(const GeoEvent&)>;
bool FindGeoEvents(double from, double to, platform::Convention convention, const GeoEventFilter& filter,
                   const GeoEventSink& sink);

// Hands every orb edge of [from, to) to `sink` in the order of time: of every pair of the ten bodies, for
// each aspect of `aspects` (bit a for aspect number a, the seven aspects of the grid) with its orb `orbs`
// (radians, by aspect slot). False when the ephemeris failed within the span.
using GeoOrbEdgeSink = std::function<void(const GeoOrbEdge&)>;
bool FindGeoOrbEdges(double from, double to, platform::Convention convention, uint16_t aspects,
                     const std::array<double, kAspectSlots>& orbs, const GeoOrbEdgeSink& sink);

}  // namespace orvane::core
