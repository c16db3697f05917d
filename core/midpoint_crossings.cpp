#include "core/midpoint_crossings.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace orvane::core {
namespace {

double WrapPi(double angle)
{
    return angle - kTwoPi * std::round(angle / kTwoPi);
}

// The cubic through values at the days −1, 0, 1, 2 around a day, in powers of the fraction f of that day.
struct DayCubic {
    double a = 0.0, b = 0.0, c = 0.0, d = 0.0;

    explicit DayCubic(const std::array<double, 4>& y)
        : a(y[1]), c((y[0] + y[2] - 2 * y[1]) / 2), d((y[3] - 3 * y[2] + 3 * y[1] - y[0]) / 6)
    {
        b = y[2] - y[1] - c - d;
    }
    double Value(double f) const { return a + f * (b + f * (c + f * d)); }
    double Slope(double f) const { return b + f * (2 * c + f * 3 * d); }

    // The fractions in (0, 1) at which the slope changes sign, in order.
    std::vector<double> Turns() const
    {
        std::vector<double> turns;
        const double qa = 3 * d;
        const double qb = 2 * c;
        const auto keep = [&](double f) {
            if (f > 0.0 && f < 1.0)
                turns.push_back(f);
        };
        if (std::fabs(qa) < 1e-15) {
            if (qb != 0.0)
                keep(-b / qb);
        } else if (const double disc = qb * qb - 4 * qa * b; disc > 0.0) {
            const double root = std::sqrt(disc);
            keep((-qb - root) / (2 * qa));
            keep((-qb + root) / (2 * qa));
        }
        std::sort(turns.begin(), turns.end());
        return turns;
    }

    // The fraction in [lo, hi] at which the cubic, monotone there, reaches `value`.
    double Root(double lo, double hi, double value) const
    {
        const bool increasing = Value(hi) > Value(lo);
        double f = 0.5 * (lo + hi);
        for (int i = 0; i < 60 && hi - lo > 1e-12; ++i) {
            const double g = Value(f) - value;
            ((g < 0.0) == increasing ? lo : hi) = f;
            const double slope = Slope(f);
            double next = slope != 0.0 ? f - g / slope : 0.5 * (lo + hi);
            if (!(next > lo && next < hi))
                next = 0.5 * (lo + hi);
            if (std::fabs(next - f) < 1e-13)
                return next;
            f = next;
        }
        return f;
    }
};

// A day's change of the angle stays far below this beyond its straight line between the day's ends (even
// Mercury's motion changes by less than half a degree a day): days farther than this from every edge of
// the band are passed over without a cubic.
constexpr double kBendMargin = 0.02;

// Body z on the midpoint of x and y.
struct Triple {
    Body x, y, z;
};

// A crossing found on the samples: its first guess, the edge's value and the angle's slope there.
struct Pending {
    double guess;
    double target;
    double slope;
    Triple bodies;
};

// Each body's unwrapped longitude at the days −1 … days + 1 of the span.
std::array<std::vector<double>, kBodySlots> DailyLongitudes(const LongitudeSamples& samples,
                                                            std::span<const Body> bodies, size_t days)
{
    std::array<std::vector<double>, kBodySlots> daily;
    for (const Body body : bodies) {
        std::vector<double>& values = daily[SlotOf(body)];
        values.resize(days + 3);
        for (size_t k = 0; k < values.size(); ++k)
            values[k] = samples.Unwrapped(body, samples.From() + static_cast<double>(k) - 1.0);
    }
    return daily;
}

// The crossings of the band's edges ±`width` (and their turns round the circle) within the day that
// starts at t0, on the day's cubic: split where the cubic turns back, each piece monotone.
void CrossingsInDay(const DayCubic& cubic, double t0, double width, const Triple& triple,
                    std::vector<Pending>& pending)
{
    std::vector<double> ends{0.0};
    for (const double turn : cubic.Turns())
        ends.push_back(turn);
    ends.push_back(1.0);
    for (size_t piece = 0; piece + 1 < ends.size(); ++piece) {
        const double f0 = ends[piece];
        const double f1 = ends[piece + 1];
        const double v0 = cubic.Value(f0);
        const double v1 = cubic.Value(f1);
        const double lo = std::min(v0, v1);
        const double hi = std::max(v0, v1);
        for (const double edge : {width, -width}) {
            // Every value edge + n·2π in (lo, hi].
            for (double target = edge + kTwoPi * std::ceil((lo - edge) / kTwoPi); target <= hi; target += kTwoPi) {
                if (target <= lo)
                    continue;
                const double f = cubic.Root(f0, f1, target);
                pending.push_back({t0 + f, target, cubic.Slope(f), triple});
            }
        }
    }
}

// The crossings of the angle h = 2·Lz − Lx − Ly, given at the days −1 … days + 1 of the span from `from`
// to `to`, over the band's edges ±`width`.
void CrossingsOfAngle(const std::vector<double>& h, double from, double to, double width, const Triple& triple,
                      std::vector<Pending>& pending)
{
    for (size_t k = 1; k + 2 < h.size(); ++k) {
        const double t0 = from + static_cast<double>(k) - 1.0;
        if (t0 >= to)
            break;
        const std::array<double, 4> y4{h[k - 1], h[k], h[k + 1], h[k + 2]};
        if (std::any_of(y4.begin(), y4.end(), [](double v) { return std::isnan(v); }))
            continue;
        // The band's edges nearest to the day's values: 2·orb and −2·orb, a whole turn apart.
        const double near = WrapPi(h[k]);
        const double change = h[k + 1] - h[k];
        if (std::fabs(near) > width + std::fabs(change) + kBendMargin &&
            std::fabs(WrapPi(h[k + 1])) > width + std::fabs(change) + kBendMargin)
            continue;
        CrossingsInDay(DayCubic(y4), t0, width, triple, pending);
    }
}

// The moment of a crossing: its guess, corrected once on the ephemeris where Mercury takes part (only
// Mercury's motion changes fast enough for the cubic to stray by a good part of a second).
double CorrectedMoment(const LongitudeSamples& samples, const Pending& crossing)
{
    const double t = crossing.guess;
    const auto [x, y, z] = crossing.bodies;
    if (x != Body::Mercury && y != Body::Mercury && z != Body::Mercury)
        return t;
    const double Lx = samples.Precise(x, t);
    const double Ly = samples.Precise(y, t);
    const double Lz = samples.Precise(z, t);
    if (Lx >= 0.0 && Ly >= 0.0 && Lz >= 0.0 && crossing.slope != 0.0) {
        const double corrected = t - WrapPi(2 * Lz - Lx - Ly - crossing.target) / crossing.slope;
        if (std::fabs(corrected - t) < 0.01)
            return corrected;
    }
    return t;
}

}  // namespace

std::vector<double> MidpointCrossings(const LongitudeSamples& samples, double orb)
{
    std::vector<double> moments;
    const double from = samples.From();
    const double to = samples.To();
    if (!(to > from) || !(orb > 0.0))
        return moments;
    const AstroModule& astro = samples.Astro();
    const std::span<const Body> bodies = BodiesInUse(astro.bodyCount);
    const auto days = static_cast<size_t>(std::ceil(to - from));
    const std::array<std::vector<double>, kBodySlots> daily = DailyLongitudes(samples, bodies, days);

    std::vector<Pending> pending;
    std::vector<double> h(days + 3);
    for (const Body x : bodies)
        for (const Body y : BodiesAfter(x, astro.bodyCount))
            for (const Body z : bodies) {
                if (z == x || z == y)
                    continue;
                const std::vector<double>& ux = daily[SlotOf(x)];
                const std::vector<double>& uy = daily[SlotOf(y)];
                const std::vector<double>& uz = daily[SlotOf(z)];
                for (size_t k = 0; k < h.size(); ++k)
                    h[k] = 2 * uz[k] - ux[k] - uy[k];
                CrossingsOfAngle(h, from, to, 2 * orb, {x, y, z}, pending);
            }
    // Corrected in the order of time, so that the ephemeris reads each stretch of its data once.
    std::sort(pending.begin(), pending.end(), [](const Pending& a, const Pending& b) { return a.guess < b.guess; });
    for (const Pending& crossing : pending)
        if (const double t = CorrectedMoment(samples, crossing); t >= from && t < to)
            moments.push_back(t);
    std::sort(moments.begin(), moments.end());
    return moments;
}

}  // namespace orvane::core
