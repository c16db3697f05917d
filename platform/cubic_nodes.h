#pragma once

// The cubic through four values at equally spaced nodes, read between the second and the third: the
// value at fraction f (0 … 1) of that step is Σ weight[n]·value[n], its slope per step Σ slope[n]·value[n]
// (Lagrange's weights and their derivatives). Every table read off nodes in sequence (the nutation, the
// turn into the frame of date, the light-time) interpolates with these.

#include <array>

namespace orvane::platform {

inline std::array<double, 4> CubicWeights(double f)
{
    return {-f * (f - 1) * (f - 2) / 6, (f + 1) * (f - 1) * (f - 2) / 2, -(f + 1) * f * (f - 2) / 2,
            (f + 1) * f * (f - 1) / 6};
}

inline std::array<double, 4> CubicSlopes(double f)
{
    return {-(3 * f * f - 6 * f + 2) / 6, (3 * f * f - 4 * f - 1) / 2, -(3 * f * f - 2 * f - 2) / 2,
            (3 * f * f - 1) / 6};
}

}  // namespace orvane::platform
