#include "platform/mean_frame.h"

#include "platform/cubic_nodes.h"
#include "platform/swiss_calls.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace orvane::platform {
namespace {

using Vector = std::array<double, 3>;

constexpr double kNodeStep = 512.0;  // days
constexpr size_t kSlots = 64;         // 90 years of nodes per thread
constexpr double kTwoPi = 6.28318530717958647692;

// Bodies whose positions fix the rotation: of any three directions near the ecliptic, two are at least
// 60° apart (or 60° from opposite), which keeps the rotation worked out from them exact to rounding.
constexpr std::array<int32_t, 3> kGuides{SE_EARTH, SE_JUPITER, SE_SATURN};
constexpr int32_t kGeometric = SEFLG_SWIEPH | SEFLG_HELCTR | SEFLG_TRUEPOS | SEFLG_NOABERR | SEFLG_NOGDEFL |
                               SEFLG_XYZ | SEFLG_NONUT;

Vector Cross(const Vector& a, const Vector& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

Vector Unit(const Vector& a)
{
    const double n = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
    return {a[0] / n, a[1] / n, a[2] / n};
}

double Norm(const Vector& a)
{
    return std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
}

// An orthonormal triad from two directions: the first, the normal to both, and the third completing them.
std::array<Vector, 3> Triad(const Vector& a, const Vector& b)
{
    const Vector u1 = Unit(a);
    const Vector u2 = Unit(Cross(a, b));
    return {u1, u2, Cross(u1, u2)};
}

// The rotation at `moment` from the guides' positions in both frames; nothing when the ephemeris fails.
std::optional<std::array<double, 9>> DirectTurn(double moment)
{
    std::array<Vector, 3> j2000{};
    std::array<Vector, 3> ofDate{};
    swiss::ErrorText serr;
    serr[0] = '\0';
    for (size_t g = 0; g < kGuides.size(); ++g) {
        swiss::Values xx{};
        if (swiss::CalcUt(moment, kGuides[g], xx, serr, kGeometric | SEFLG_J2000) < 0)
            return std::nullopt;
        j2000[g] = {xx[0], xx[1], xx[2]};
        if (swiss::CalcUt(moment, kGuides[g], xx, serr, kGeometric) < 0)
            return std::nullopt;
        ofDate[g] = {xx[0], xx[1], xx[2]};
    }
    size_t first = 0;
    size_t second = 1;
    double best = -1.0;
    for (size_t a = 0; a < 3; ++a)
        for (size_t b = a + 1; b < 3; ++b) {
            const double sine = Norm(Cross(j2000[a], j2000[b])) / (Norm(j2000[a]) * Norm(j2000[b]));
            if (sine > best) {
                best = sine;
                first = a;
                second = b;
            }
        }
    const std::array<Vector, 3> from = Triad(j2000[first], j2000[second]);
    const std::array<Vector, 3> to = Triad(ofDate[first], ofDate[second]);
    std::array<double, 9> m{};
    for (size_t r = 0; r < 3; ++r)
        for (size_t c = 0; c < 3; ++c)
            m[r * 3 + c] = to[0][r] * from[0][c] + to[1][r] * from[1][c] + to[2][r] * from[2][c];
    return m;
}

struct Node {
    int64_t index = std::numeric_limits<int64_t>::min();
    std::array<double, 9> matrix{};
};

thread_local std::array<Node, kSlots> t_nodes;

Node& SlotOf(int64_t index)
{
    return t_nodes[static_cast<size_t>(index) % kSlots];
}

const std::array<double, 9>* NodeTurn(int64_t index)
{
    Node& slot = SlotOf(index);
    if (slot.index != index) {
        const auto matrix = DirectTurn(TurnNodeMoment(index));
        if (!matrix)
            return nullptr;
        slot = {index, *matrix};
    }
    return &slot.matrix;
}

}  // namespace

std::optional<FrameTurn> TurnToMeanOfDate(double moment, bool withRate)
{
    const double t = moment / kNodeStep;
    const double whole = std::floor(t);
    const auto index = static_cast<int64_t>(whole);
    const double f = t - whole;
    const std::array<double, 4> weight = CubicWeights(f);
    const std::array<double, 4> slope = CubicSlopes(f);
    FrameTurn turn;
    for (size_t n = 0; n < 4; ++n) {
        const std::array<double, 9>* node = NodeTurn(index - 1 + static_cast<int64_t>(n));
        if (node == nullptr)
            return std::nullopt;
        for (size_t k = 0; k < 9; ++k) {
            turn.matrix[k] += weight[n] * (*node)[k];
            if (withRate)
                turn.rate[k] += slope[n] / kNodeStep * (*node)[k];
        }
    }
    return turn;
}

bool TurnIsAtHand(double moment)
{
    const auto index = static_cast<int64_t>(std::floor(moment / kNodeStep));
    for (int64_t n = index - 1; n <= index + 2; ++n)
        if (!TurnNodeAtHand(n))
            return false;
    return true;
}

std::pair<int64_t, int64_t> TurnNodesOver(double from, double to)
{
    const auto first = static_cast<int64_t>(std::floor(from / kNodeStep));
    const auto last = static_cast<int64_t>(std::floor(to / kNodeStep));
    return {first - 1, last + 2};
}

double TurnNodeMoment(int64_t index)
{
    return static_cast<double>(index) * kNodeStep;
}

bool TurnNodeAtHand(int64_t index)
{
    return SlotOf(index).index == index;
}

bool WorkOutTurnNode(int64_t index)
{
    return NodeTurn(index) != nullptr;
}

void ForgetTurnNodes()
{
    t_nodes = {};
}

void Turn(const FrameTurn& turn, HelioState& state, bool withRate)
{
    const double cl = std::cos(state.longitude);
    const double sl = std::sin(state.longitude);
    const double cb = std::cos(state.latitude);
    const double sb = std::sin(state.latitude);
    const double r = state.distance;
    const Vector x{r * cb * cl, r * cb * sl, r * sb};
    const Vector v{state.distanceSpeed * cb * cl - r * sb * state.latitudeSpeed * cl - r * cb * sl * state.longitudeSpeed,
                   state.distanceSpeed * cb * sl - r * sb * state.latitudeSpeed * sl + r * cb * cl * state.longitudeSpeed,
                   state.distanceSpeed * sb + r * cb * state.latitudeSpeed};
    const std::array<double, 9>& m = turn.matrix;
    Vector X{};
    Vector V{};
    for (size_t i = 0; i < 3; ++i) {
        X[i] = m[i * 3] * x[0] + m[i * 3 + 1] * x[1] + m[i * 3 + 2] * x[2];
        V[i] = m[i * 3] * v[0] + m[i * 3 + 1] * v[1] + m[i * 3 + 2] * v[2] + turn.rate[i * 3] * x[0] +
               turn.rate[i * 3 + 1] * x[1] + turn.rate[i * 3 + 2] * x[2];
    }
    const double rho2 = X[0] * X[0] + X[1] * X[1];
    const double rho = std::sqrt(rho2);
    const double longitude = std::atan2(X[1], X[0]);
    state.longitude = longitude < 0.0 ? longitude + kTwoPi : longitude;
    state.latitude = std::atan2(X[2], rho);
    if (withRate) {
        state.longitudeSpeed = (X[0] * V[1] - X[1] * V[0]) / rho2;
        state.latitudeSpeed = (V[2] * rho2 - X[2] * (X[0] * V[0] + X[1] * V[1])) / ((rho2 + X[2] * X[2]) * rho);
    }
}

}  // namespace orvane::platform
