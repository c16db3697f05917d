#include "platform/nutation_series.h"

#include <erfa.h>

#include <array>
#include <cmath>
#include <cstdint>

namespace orvane::platform {
namespace {

constexpr double kRadiansPer100Nanoarcseconds = 3.14159265358979323846 / 180.0 / 3600.0 / 1e7;
constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;

// One term: the multiples of the five fundamental arguments in its argument, and the coefficients of its
// sine (with that coefficient's change per Julian century) and of its cosine, in units of 0.1 µas.
struct Term {
    std::array<int8_t, 5> multiple;  // of l, l′, F, D, Ω
    double sine;
    double sineRate;
    double cosine;
};

// The IAU 2000A nutation's 77 largest lunar–solar terms, in the order of the IAU 2000B model (roughly the
// largest first), with their longitude coefficients as the IERS Conventions 2003 give them (table 5.3a).
constexpr std::array<Term, 77> kTerms{{
    {{ 0,  0,  0,  0,  1}, -172064161, -174666, 33386},
    {{ 0,  0,  2, -2,  2}, -13170906, -1675, -13696},
    {{ 0,  0,  2,  0,  2}, -2276413, -234, 2796},
    {{ 0,  0,  0,  0,  2}, 2074554, 207, -698},
    {{ 0,  1,  0,  0,  0}, 1475877, -3633, 11817},
    {{ 0,  1,  2, -2,  2}, -516821, 1226, -524},
    {{ 1,  0,  0,  0,  0}, 711159, 73, -872},
    {{ 0,  0,  2,  0,  1}, -387298, -367, 380},
    {{ 1,  0,  2,  0,  2}, -301461, -36, 816},
    {{ 0, -1,  2, -2,  2}, 215829, -494, 111},
    {{ 0,  0,  2, -2,  1}, 128227, 137, 181},
    {{-1,  0,  2,  0,  2}, 123457, 11, 19},
    {{-1,  0,  0,  2,  0}, 156994, 10, -168},
    {{ 1,  0,  0,  0,  1}, 63110, 63, 27},
    {{-1,  0,  0,  0,  1}, -57976, -63, -189},
    {{-1,  0,  2,  2,  2}, -59641, -11, 149},
    {{ 1,  0,  2,  0,  1}, -51613, -42, 129},
    {{-2,  0,  2,  0,  1}, 45893, 50, 31},
    {{ 0,  0,  0,  2,  0}, 63384, 11, -150},
    {{ 0,  0,  2,  2,  2}, -38571, -1, 158},
    {{ 0, -2,  2, -2,  2}, 32481, 0, 0},
    {{-2,  0,  0,  2,  0}, -47722, 0, -18},
    {{ 2,  0,  2,  0,  2}, -31046, -1, 131},
    {{ 1,  0,  2, -2,  2}, 28593, 0, -1},
    {{-1,  0,  2,  0,  1}, 20441, 21, 10},
    {{ 2,  0,  0,  0,  0}, 29243, 0, -74},
    {{ 0,  0,  2,  0,  0}, 25887, 0, -66},
    {{ 0,  1,  0,  0,  1}, -14053, -25, 79},
    {{-1,  0,  0,  2,  1}, 15164, 10, 11},
    {{ 0,  2,  2, -2,  2}, -15794, 72, -16},
    {{ 0,  0, -2,  2,  0}, 21783, 0, 13},
    {{ 1,  0,  0, -2,  1}, -12873, -10, -37},
    {{ 0, -1,  0,  0,  1}, -12654, 11, 63},
    {{-1,  0,  2,  2,  1}, -10204, 0, 25},
    {{ 0,  2,  0,  0,  0}, 16707, -85, -10},
    {{ 1,  0,  2,  2,  2}, -7691, 0, 44},
    {{-2,  0,  2,  0,  0}, -11024, 0, -14},
    {{ 0,  1,  2,  0,  2}, 7566, -21, -11},
    {{ 0,  0,  2,  2,  1}, -6637, -11, 25},
    {{ 0, -1,  2,  0,  2}, -7141, 21, 8},
    {{ 0,  0,  0,  2,  1}, -6302, -11, 2},
    {{ 1,  0,  2, -2,  1}, 5800, 10, 2},
    {{ 2,  0,  2, -2,  2}, 6443, 0, -7},
    {{-2,  0,  0,  2,  1}, -5774, -11, -15},
    {{ 2,  0,  2,  0,  1}, -5350, 0, 21},
    {{ 0, -1,  2, -2,  1}, -4752, -11, -3},
    {{ 0,  0,  0, -2,  1}, -4940, -11, -21},
    {{-1, -1,  0,  2,  0}, 7350, 0, -8},
    {{ 2,  0,  0, -2,  1}, 4065, 0, 6},
    {{ 1,  0,  0,  2,  0}, 6579, 0, -24},
    {{ 0,  1,  2, -2,  1}, 3579, 0, 5},
    {{ 1, -1,  0,  0,  0}, 4725, 0, -6},
    {{-2,  0,  2,  0,  2}, -3075, 0, -2},
    {{ 3,  0,  2,  0,  2}, -2904, 0, 15},
    {{ 0, -1,  0,  2,  0}, 4348, 0, -10},
    {{ 1, -1,  2,  0,  2}, -2878, 0, 8},
    {{ 0,  0,  0,  1,  0}, -4230, 0, 5},
    {{-1, -1,  2,  2,  2}, -2819, 0, 7},
    {{-1,  0,  2,  0,  0}, -4056, 0, 5},
    {{ 0, -1,  2,  2,  2}, -2647, 0, 11},
    {{-2,  0,  0,  0,  1}, -2294, 0, -10},
    {{ 1,  1,  2,  0,  2}, 2481, 0, -7},
    {{ 2,  0,  0,  0,  1}, 2179, 0, -2},
    {{-1,  1,  0,  1,  0}, 3276, 0, 1},
    {{ 1,  1,  0,  0,  0}, -3389, 0, 5},
    {{ 1,  0,  2,  0,  0}, 3339, 0, -13},
    {{-1,  0,  2, -2,  1}, -1987, 0, -6},
    {{ 1,  0,  0,  0,  2}, -1981, 0, 0},
    {{-1,  0,  0,  1,  0}, 4026, 0, -353},
    {{ 0,  0,  2,  1,  2}, 1660, 0, -5},
    {{-1,  0,  2,  4,  2}, -1521, 0, 9},
    {{-1,  1,  0,  1,  1}, 1314, 0, 0},
    {{ 0, -2,  2, -2,  1}, -1283, 0, 0},
    {{ 1,  0,  2,  2,  1}, -1331, 0, 8},
    {{-2,  0,  2,  2,  2}, 1383, 0, -2},
    {{-1,  0,  0,  0,  2}, 1405, 0, 4},
    {{ 1,  1,  2, -2,  2}, 1290, 0, 0},
}};

// A point on the unit circle, e^{iθ}: a turn by an angle.
struct Turn {
    double cos = 1.0;
    double sin = 0.0;
};

Turn Compose(Turn a, Turn b)
{
    return {a.cos * b.cos - a.sin * b.sin, a.cos * b.sin + a.sin * b.cos};
}

// The highest multiple of an argument in any term.
constexpr int kHighestMultiple = 4;

constexpr bool MultiplesWithin(int highest)
{
    for (const Term& term : kTerms)
        for (const int8_t multiple : term.multiple)
            if (multiple > highest || multiple < -highest)
                return false;
    return true;
}
static_assert(MultiplesWithin(kHighestMultiple));

}  // namespace

double LunisolarNutation(double momentTt)
{
    const double t = (momentTt - kJ2000) / kDaysPerCentury;
    const std::array<double, 5> argument{eraFal03(t), eraFalp03(t), eraFaf03(t), eraFad03(t), eraFaom03(t)};
    // Each term's sine and cosine come from products of the arguments' own multiples, worked out once:
    // five sines and cosines instead of 77.
    std::array<std::array<Turn, kHighestMultiple + 1>, 5> power{};
    for (size_t k = 0; k < argument.size(); ++k) {
        power[k][1] = {std::cos(argument[k]), std::sin(argument[k])};
        for (size_t m = 2; m <= kHighestMultiple; ++m)
            power[k][m] = Compose(power[k][m - 1], power[k][1]);
    }
    // The small terms first, so that they are not lost in the rounding of the large ones.
    double sum = 0.0;
    for (auto term = kTerms.rbegin(); term != kTerms.rend(); ++term) {
        Turn turn;
        for (size_t k = 0; k < argument.size(); ++k) {
            const int multiple = term->multiple[k];
            if (multiple > 0)
                turn = Compose(turn, power[k][static_cast<size_t>(multiple)]);
            else if (multiple < 0)
                turn = Compose(turn, Turn{power[k][static_cast<size_t>(-multiple)].cos,
                                          -power[k][static_cast<size_t>(-multiple)].sin});
        }
        sum += (term->sine + term->sineRate * t) * turn.sin + term->cosine * turn.cos;
    }
    return sum * kRadiansPer100Nanoarcseconds;
}

}  // namespace orvane::platform
