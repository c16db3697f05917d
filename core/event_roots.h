#pragma once

// The root finding the event search shares between its files: angles brought near zero, the refinement
// of a moment bracketed between two samples, and the moment of a largest value.

#include "core/events.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace orvane::core::event_roots {

// An angle brought into −π … π. Most angles handed here lie within half a turn already: they are returned
// as the rounding would return them (a zero as +0), without calling it.
inline double WrapPi(double angle)
{
    const double turns = angle / kTwoPi;
    if (std::fabs(turns) < 0.5)
        return angle + 0.0;
    return angle - kTwoPi * std::round(turns);
}

// A root of g in [a, b], where g(a) lies below 0 and g(b) at or above it (mirrored when `increasing` is
// false), starting from `guess` with slope `slope`: Newton's step with that slope, then secant steps,
// bisection whenever a step would leave the bracket. NaN when g has no value somewhere on the way.
template <typename Function>
double RefineRoot(const Function& g, double a, double b, bool increasing, double guess, double slope)
{
    const double orientation = increasing ? 1.0 : -1.0;
    double x = std::clamp(guess, a, b);
    double previousX = 0.0;
    double previousG = 0.0;
    for (int i = 0; i < 80; ++i) {
        const double gx = g(x);
        if (std::isnan(gx))
            return gx;
        if (gx == 0.0)
            return x;
        (orientation * gx < 0.0 ? a : b) = x;
        if (i > 0 && x != previousX)
            slope = (gx - previousG) / (x - previousX);
        // A correction that stays in the bracket and is small enough ends the search (also when the root
        // lies at the bracket's end, where the moment cannot move by less than its own precision).
        double next = slope != 0.0 ? x - gx / slope : std::nan("");
        if (next >= a && next <= b) {
            if (std::fabs(next - x) < kEventCorrectionDays)
                return next;
        } else {
            next = 0.5 * (a + b);
        }
        if (b - a < kEventBracketDays)
            return 0.5 * (a + b);
        previousX = x;
        previousG = gx;
        x = next;
    }
    return x;
}

// The moment in [a, b] at which `f`, having one peak there, is largest: golden-section search until the
// bracket is narrower than `tolerance`, then its middle (a tie keeps the left part), with the larger of the
// last two values f took in it. Nothing when f has no value (NaN) on the way.
struct GoldenPeak {
    double moment = 0.0;
    double value = 0.0;
};
template <typename F>
std::optional<GoldenPeak> GoldenSectionMaximum(const F& f, double a, double b, double tolerance)
{
    constexpr double kInverseGolden = 0.6180339887498949;
    double c = b - kInverseGolden * (b - a);
    double d = a + kInverseGolden * (b - a);
    double fc = f(c);
    double fd = f(d);
    while (b - a > tolerance) {
        if (std::isnan(fc) || std::isnan(fd))
            return std::nullopt;
        if (fc >= fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - kInverseGolden * (b - a);
            fc = f(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + kInverseGolden * (b - a);
            fd = f(d);
        }
    }
    return GoldenPeak{0.5 * (a + b), std::max(fc, fd)};
}

}  // namespace orvane::core::event_roots
