#pragma once

// The cubic through four values at equally spaced nodes, read between the second and the third: the
// value at fraction f (0 … 1) of that step is Σ weight[n]·value[n], its slope per step Σ slope[n]·value[n]
// (Lagrange's weights and their derivatives). Every table read off nodes in sequence (the nutation, the
// turn into the frame of date, the light-time) interpolates with these.

#include <array>
#include <cstddef>

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

// Lagrange's weights for N (even) values at equally spaced nodes, read between the middle two: the value at
// fraction f (0 … 1) of that step is Σ weight[n]·value[n]. For a term of period P and amplitude A the
// error with nodes h apart is about c·A·(2πh/P)^N, c being 0.023 for the cubic (N = 4), 0.0049 for the
// quintic (6) and 0.0011 for the septic (8): where a quantity is smooth enough for nodes further apart,
// more of them strays less for the same step.
template <size_t N>
std::array<double, N> LagrangeWeights(double f)
{
    static_assert(N % 2 == 0 && N >= 4);
    constexpr auto kFirst = -static_cast<int>(N / 2 - 1);
    static constexpr std::array<double, N> kDenominator = [] {
        std::array<double, N> d{};
        for (size_t i = 0; i < N; ++i) {
            d[i] = 1.0;
            for (size_t j = 0; j < N; ++j)
                if (j != i)
                    d[i] *= static_cast<double>(static_cast<int>(i) - static_cast<int>(j));
        }
        return d;
    }();
    // Π (f − x_j) over the nodes before i and over those after it.
    std::array<double, N> before{};
    std::array<double, N> after{};
    before[0] = 1.0;
    after[N - 1] = 1.0;
    for (size_t i = 1; i < N; ++i) {
        before[i] = before[i - 1] * (f - static_cast<double>(kFirst + static_cast<int>(i) - 1));
        after[N - 1 - i] = after[N - i] * (f - static_cast<double>(kFirst + static_cast<int>(N - i)));
    }
    std::array<double, N> weight{};
    for (size_t i = 0; i < N; ++i)
        weight[i] = before[i] * after[i] / kDenominator[i];
    return weight;
}

}  // namespace orvane::platform
