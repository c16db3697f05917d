#pragma once

// The events of a place's angles seen from the Earth: every moment at which a body's longitude stands in
// an exact aspect to the Ascendant or the Midheaven of the place (GeoEventKind::Angle), for the event
// search of core/geo_events.h.
//
// How no event is missed. The angles follow the Earth's turning, sidereal time θ advancing by 361° a day
// (UT). The Midheaven moves at that rate times dλ/dα, between cos ε and 1/cos ε. The Ascendant moves at
//     dλ/dθ = cos φ · |sin H| / sin ι  ≤  cos φ / cos(|φ| + ε),
// where φ is the latitude, H the hour angle of the rising point of the ecliptic and ι the angle between
// the ecliptic and the horizon, which is never less than 90° − (|φ| + ε). The obliquity ε stays below
// 24.2° over the ephemeris' range, so the bound is taken with ε = kMaxObliquityDegrees; at φ = 0 it is
// also the Midheaven's greatest rate, and it grows with |φ|: 396° a day at the equator, 796° at 48.2°,
// 1,786° at 60°, 10,927° at 65°, without bound where |φ| + ε reaches 90° (within the polar circles the
// ecliptic lies in the horizon at times and the Ascendant jumps). Latitudes up to
// kAngleEventLatitudeLimit = 65° are accepted.
//
// Below the polar circles the ecliptic rises in the order of the signs: the Ascendant never moves
// backwards (within 65° never slower than 180° a day), and no body moves faster than the Moon's 15.4° a
// day, nor backwards faster than 2.2°. So the difference angle − body only grows, by less than the bound
// plus 2.2° a day. Samples are taken AngleSampleDays(φ) apart, the time in which that difference grows by
// at most kAngleTurnPerStep = 60° (at 48.2° every 108 minutes, at 60° every 48, at 65° every 7.9). A
// crossing of an aspect's angle is then a change of the wrapped difference from below zero to at or above
// it with both values within 90° of zero, which a wrap across ±180° never is; and as the difference grows
// by less than a turn in a step it passes each value at most once there. Each moment is sampled once,
// also where two steps of the search meet, so that a root at a sample belongs to one step alone.
//
// Each moment is refined with the event search's root finder (core/event_roots.h) on the ephemeris and
// the house routine themselves, until the correction is below kEventCorrectionDays.

#include "core/geo_events.h"

#include <array>
#include <vector>

namespace orvane::core {

inline constexpr double kAngleEventLatitudeLimit = 65.0;
inline constexpr double kMaxObliquityDegrees = 24.2;
inline constexpr double kAngleTurnPerStep = 60.0;

// The greatest rate (degrees a day) of an angle of a place at `latitude` (degrees, |latitude| below
// 90° − kMaxObliquityDegrees), and the days between two samples of the angle events there.
double AngleRateBound(double latitude);
double AngleSampleDays(double latitude);

class AngleEventSearch {
public:
    // The bodies, aspects and place of `filter` (which must have one, within the latitude limit).
    AngleEventSearch(platform::Convention convention, const GeoEventFilter& filter);

    // Appends the angle events of (t0, t1] to `found`; false when the ephemeris or the house routine failed.
    // Called for consecutive spans, each beginning where the one before ended.
    bool Between(double t0, double t1, std::vector<GeoEvent>& found);

private:
    struct Sample {
        double t = 0.0;
        std::array<double, platform::kNumGeoBodies> bodies{};
        std::array<double, kGeoAngles.size()> angles{};
    };

    bool Take(double t, Sample& sample) const;
    void StepEvents(const Sample& a, const Sample& b, std::vector<GeoEvent>& found);
    // The angle's longitude less the body's at `t` (radians, not wrapped); NaN when either failed.
    double Difference(GeoBody body, GeoAngle angle, double t);

    platform::Convention m_convention;
    GeoEventFilter m_filter;
    GeoPlace m_place;
    double m_step = 0.0;
    bool m_failed = false;
    bool m_sampled = false;
    Sample m_last;
};

}  // namespace orvane::core
