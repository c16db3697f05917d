#pragma once

// The cubic through four values at equally spaced nodes, read between the second and the third: the
// value at fraction f (0 … 1) of that step is Σ weight[n]·value[n], its slope per step Σ slope[n]·value[n]
// (Lagrange's weights and their derivatives). Every table read off nodes in sequence (the nutation, the
// turn into the frame of date, the light-time) interpolates with these; where a quantity is smooth enough
// for nodes further apart, the quintic through six (QuinticWeights) strays less for the same step.

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

// The quintic through six values at equally spaced nodes, read between the third and the fourth: the value
// at fraction f (0 … 1) of that step is Σ weight[n]·value[n]. Its error for a term of period P and
// amplitude A is about 0.0049·A·(2πh/P)⁶ for nodes h apart, against the cubic's 0.023·A·(2πh/P)⁴.
inline std::array<double, 6> QuinticWeights(double f)
{
    const double a = f + 2;
    const double b = f + 1;
    const double c = f - 1;
    const double d = f - 2;
    const double e = f - 3;
    return {-b * f * c * d * e / 120, a * f * c * d * e / 24, -a * b * c * d * e / 12,
            a * b * f * d * e / 12,  -a * b * f * c * e / 24, a * b * f * c * d / 120};
}

}  // namespace orvane::platform
