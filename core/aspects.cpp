#include "core/aspects.h"

#include <cmath>

namespace orvane::core {
namespace {

// Rounding to 6 decimals, halves to the even neighbour, as the sense test compares.
double Round6(double value)
{
    return std::nearbyint(value * 1.0e6);
}

}  // namespace

double AngularSeparation(double L1, double L2, int16_t& sense)
{
    const double s = Separation(L1, L2);

    if (Round6(NormalizeAngle(L1 + s)) == Round6(L2))
        sense = -1;
    else if (Round6(NormalizeAngle(L2 + s)) == Round6(L1))
        sense = 1;
    return s;
}

double SignedSeparation(double L1, double L2)
{
    int16_t sense = 0;
    const double s = AngularSeparation(L1, L2, sense);
    return s * sense;
}

void OrbTable::ApplyOrbs(const std::array<int32_t, kNumAspects>& orbMinutes, const std::array<int32_t, 2>& proportions)
{
    for (int a = kConjunction; a <= kNumAspects; ++a)
        orbs[static_cast<size_t>(a)][kOrbColumnOneMoment] =
            orbMinutes[static_cast<size_t>(a - 1)] / 60.0 / 360.0 * kTwoPi;
    for (size_t j = 0; j < 2; ++j) {
        const int32_t divisor = proportions[j] >= 1 ? proportions[j] : 1;
        for (int a = kConjunction; a <= kNumAspects; ++a) {
            auto& row = orbs[static_cast<size_t>(a)];
            row[j + 1] = row[kOrbColumnOneMoment] / divisor;
        }
    }
    SetOrbSummary();
}

void OrbTable::SetOrbSummary()
{
    const auto summarise = [this](size_t column, double& max, double& min) {
        max = 0.0;
        min = 20.0;
        for (int a = kConjunction; a <= kNumAspects; ++a) {
            const double orb = orbs[static_cast<size_t>(a)][column];
            if (orb > max)
                max = orb;
            if (orb > 0.0 && orb < min)
                min = orb;
        }
    };
    summarise(0, largestOrb, smallestOrb);
    allOrbsEqual = smallestOrb == largestOrb;
    summarise(1, largestOrbOfColumn[0], smallestOrbOfColumn[0]);
    summarise(2, largestOrbOfColumn[1], smallestOrbOfColumn[1]);
}

}  // namespace orvane::core
