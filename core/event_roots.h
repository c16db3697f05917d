#pragma once

// The root finding the event search shares between its files: angles brought near zero, and the refinement
// of a moment bracketed between two samples.

#include "core/events.h"

#include <algorithm>
#include <cmath>

namespace orvane::core::event_roots {

// An angle brought into −π … π.
inline double WrapPi(double angle)
{
    return angle - kTwoPi * std::round(angle / kTwoPi);
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

}  // namespace orvane::core::event_roots
