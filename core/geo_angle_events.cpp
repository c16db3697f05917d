#include "core/geo_angle_events.h"

#include "core/event_roots.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvane::core {
namespace {

using event_roots::WrapPi;

constexpr double kRadiansPerDegree = kTwoPi / 360.0;
// Sidereal time's advance in a day of UT, rounded up (degrees).
constexpr double kSiderealDegreesPerDay = 361.0;
// The fastest backward motion of a body seen from the Earth (degrees a day), which adds to the angles'.
constexpr double kFastestRetrograde = 2.2;
// Both wrapped differences of a step that crosses zero lie within this of it; a wrap lies near ±π.
constexpr double kNearZero = kPi / 2.0;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

double AngleRateBound(double latitude)
{
    const double phi = std::fabs(latitude) * kRadiansPerDegree;
    return kSiderealDegreesPerDay * std::cos(phi) / std::cos(phi + kMaxObliquityDegrees * kRadiansPerDegree);
}

double AngleSampleDays(double latitude)
{
    return kAngleTurnPerStep / (AngleRateBound(latitude) + kFastestRetrograde);
}

AngleEventSearch::AngleEventSearch(platform::Convention convention, const GeoEventFilter& filter)
    : m_convention(convention), m_filter(filter), m_place(filter.place.value_or(GeoPlace{})),
      m_step(AngleSampleDays(m_place.latitude))
{
}

bool AngleEventSearch::Take(double t, Sample& sample) const
{
    sample.t = t;
    const std::optional<platform::Angles> angles = platform::AnglesAt(t, m_place.latitude, m_place.longitude);
    if (!angles)
        return false;
    for (size_t a = 0; a < kGeoAngles.size(); ++a)
        sample.angles[a] = LongitudeOf(*angles, kGeoAngles[a]);
    for (size_t slot = 0; slot < platform::kGeoBodies.size(); ++slot) {
        if (!m_filter.HasBody(platform::kGeoBodies[slot]))
            continue;
        const std::optional<double> longitude = platform::GeoLongitudeIn(platform::kGeoBodies[slot], t, m_convention);
        if (!longitude)
            return false;
        sample.bodies[slot] = *longitude;
    }
    return true;
}

bool AngleEventSearch::Between(double t0, double t1, std::vector<GeoEvent>& found)
{
    m_failed = false;
    if (!m_sampled || m_last.t != t0) {
        if (!Take(t0, m_last))
            return false;
        m_sampled = true;
    }
    const double steps = std::max(1.0, std::ceil((t1 - t0) / m_step));
    for (double k = 1.0; k <= steps; ++k) {
        Sample next;
        if (!Take(k == steps ? t1 : t0 + (t1 - t0) * k / steps, next))
            return false;
        StepEvents(m_last, next, found);
        m_last = next;
        if (m_failed)
            return false;
    }
    return true;
}

double AngleEventSearch::Difference(GeoBody body, GeoAngle angle, double t)
{
    const std::optional<platform::Angles> angles = platform::AnglesAt(t, m_place.latitude, m_place.longitude);
    const std::optional<double> longitude = platform::GeoLongitudeIn(body, t, m_convention);
    if (!angles || !longitude) {
        m_failed = true;
        return kNaN;
    }
    return LongitudeOf(*angles, angle) - *longitude;
}

void AngleEventSearch::StepEvents(const Sample& a, const Sample& b, std::vector<GeoEvent>& found)
{
    for (size_t slot = 0; slot < platform::kGeoBodies.size(); ++slot) {
        const GeoBody body = platform::kGeoBodies[slot];
        if (!m_filter.HasBody(body))
            continue;
        for (size_t which = 0; which < kGeoAngles.size(); ++which) {
            const GeoAngle angle = kGeoAngles[which];
            const double da = a.angles[which] - a.bodies[slot];
            const double db = b.angles[which] - b.bodies[slot];
            for (const Aspect aspect : kEventAspects) {
                if (!m_filter.HasAspect(aspect))
                    continue;
                const int degrees = kEventAspectDegrees[static_cast<size_t>(IndexOf(aspect))];
                const double target = degrees * kRadiansPerDegree;
                for (const double branch : {target, kTwoPi - target}) {
                    const double ga = WrapPi(da - branch);
                    const double gb = WrapPi(db - branch);
                    if (ga < 0.0 && gb >= 0.0 && ga > -kNearZero && gb < kNearZero) {
                        const auto g = [&](double t) { return WrapPi(Difference(body, angle, t) - branch); };
                        const double root = event_roots::RefineRoot(g, a.t, b.t, true, a.t - ga / (gb - ga) * (b.t - a.t),
                                                                    (gb - ga) / (b.t - a.t));
                        if (!std::isnan(root))
                            found.push_back({root, GeoEventKind::Angle, body, std::nullopt, aspect, -1, 0.0, angle});
                    }
                    if (degrees == 0 || degrees == 180)
                        break;
                }
            }
        }
    }
}

}  // namespace orvane::core
