#include "platform/convention_shift.h"

#include "platform/cubic_nodes.h"
#include "platform/mean_frame.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <vector>

namespace orvane::platform {
namespace {

constexpr double kTwoPi = 6.28318530717958647692;
constexpr size_t kPlanets = 10;      // 1 … 9, index 0 unused
constexpr size_t kConventions = 3;   // every convention but the default
constexpr size_t kSlots = 256;       // nodes kept per body: 512 days of Mercury's

constexpr std::array<double, kPlanets> kNodeStep{0.0, 2.0, 8.0, 4.0, 16.0, 32.0, 32.0, 32.0, 32.0, 32.0};
constexpr std::array<double, kPlanets> kLongitudeStep{0.0, 0.0, 0.0, 0.0, 2.0, 8.0, 8.0, 16.0, 16.0, 16.0};
constexpr size_t kLongitudeSlots = 256;  // 512 days of Mars' nodes, a chunk of a search (256 days) and more

// A node's differences: longitude, latitude and distance, then their rates.
using Differences = std::array<double, 6>;

struct Node {
    int64_t index = std::numeric_limits<int64_t>::min();
    Differences values{};
};

// The nodes of one body a thread worked out, by node number.
class NodeTable {
public:
    NodeTable() : m_slots(kSlots) {}

    Node& SlotOf(int64_t index) { return m_slots[static_cast<size_t>(index) % kSlots]; }
    bool Has(int64_t index) { return SlotOf(index).index == index; }

private:
    std::vector<Node> m_slots;
};

// The whole longitudes of one slow body in one convention a thread worked out, by node number.
struct LongitudeNode {
    int64_t index = std::numeric_limits<int64_t>::min();
    double longitude = 0.0;
};
using LongitudeTable = std::array<LongitudeNode, kLongitudeSlots>;

struct ThreadShifts {
    std::array<std::unique_ptr<NodeTable>, kPlanets> tables;
    std::array<std::array<std::unique_ptr<LongitudeTable>, kPlanets>, kConventions> longitudes;
    std::array<std::array<std::optional<int64_t>, kPlanets>, kConventions> lastIndex;  // of the moment asked last
};
thread_local ThreadShifts t_shifts;

NodeTable& TableOf(int32_t planet)
{
    std::unique_ptr<NodeTable>& table = t_shifts.tables[static_cast<size_t>(planet)];
    if (!table)
        table = std::make_unique<NodeTable>();
    return *table;
}

int64_t IndexOf(int32_t planet, double moment)
{
    return static_cast<int64_t>(std::floor(moment / kNodeStep[static_cast<size_t>(planet)]));
}

bool NodesAtHand(int32_t planet, double moment)
{
    NodeTable& table = TableOf(planet);
    const int64_t index = IndexOf(planet, moment);
    return table.Has(index - 1) && table.Has(index) && table.Has(index + 1) && table.Has(index + 2);
}

const Differences* NodeValues(NodeTable& table, int64_t index, int32_t planet, DirectLightTime direct)
{
    Node& slot = table.SlotOf(index);
    if (slot.index != index) {
        const auto shift = direct(planet, static_cast<double>(index) * kNodeStep[static_cast<size_t>(planet)]);
        if (!shift)
            return nullptr;
        slot = {index,
                {shift->longitude, shift->latitude, shift->distance, shift->longitudeSpeed, shift->latitudeSpeed,
                 shift->distanceSpeed}};
    }
    return &slot.values;
}

size_t ConventionIndex(Convention convention)
{
    return static_cast<size_t>(convention.frame) * 2 + static_cast<size_t>(convention.positions) - 1;
}

// `d` moved by a whole turn into −π … π, as std::remainder(d, 2π) gives it for |d| < 3π (longitudes and
// their differences here), at a fraction of its cost: either subtraction is exact.
double WithinHalfTurn(double d)
{
    constexpr double kPi = kTwoPi / 2;
    if (d > kPi)
        return d - kTwoPi;
    if (d < -kPi)
        return d + kTwoPi;
    return d;
}

}  // namespace

bool AskedInSequence(int32_t planet, double moment, Convention convention)
{
    // Geometric positions of date cost Swiss Ephemeris little more than J2000 ones: only the light-time
    // is worth the nodes.
    if (planet < 1 || planet > 9 || convention.positions == PositionKind::Geometric)
        return false;
    const int64_t index = IndexOf(planet, moment);
    std::optional<int64_t>& last = t_shifts.lastIndex[ConventionIndex(convention)][static_cast<size_t>(planet)];
    const bool near = last && std::llabs(index - *last) <= 1;
    last = index;
    if (near)
        return true;
    return NodesAtHand(planet, moment) && (convention.frame == Frame::J2000 || TurnIsAtHand(moment));
}

std::optional<LightTimeShift> LightTimeInSequence(int32_t planet, double moment, bool withRate,
                                                  DirectLightTime direct)
{
    if (planet < 1 || planet > 9)
        return std::nullopt;
    const double t = moment / kNodeStep[static_cast<size_t>(planet)];
    const double whole = std::floor(t);
    const auto index = static_cast<int64_t>(whole);
    const std::array<double, 4> weight = CubicWeights(t - whole);
    NodeTable& table = TableOf(planet);
    Differences value{};
    double first = 0.0;
    for (size_t n = 0; n < 4; ++n) {
        const Differences* node = NodeValues(table, index - 1 + static_cast<int64_t>(n), planet, direct);
        if (node == nullptr)
            return std::nullopt;
        if (n == 0)
            first = (*node)[0];
        // Longitudes are taken on from the first node's, should the nodes straddle ±π.
        value[0] += weight[n] * (first + WithinHalfTurn((*node)[0] - first));
        for (size_t k = 1; k < (withRate ? 6 : 3); ++k)
            value[k] += weight[n] * (*node)[k];
    }
    return LightTimeShift{value[0], value[1], value[2], value[3], value[4], value[5]};
}

std::optional<double> SlowLongitudeInSequence(int32_t planet, double moment, Convention convention,
                                              DirectLongitude direct)
{
    if (planet < 1 || planet > 9 || convention.IsDefault() || kLongitudeStep[static_cast<size_t>(planet)] == 0.0)
        return std::nullopt;
    std::unique_ptr<LongitudeTable>& table = t_shifts.longitudes[ConventionIndex(convention)][static_cast<size_t>(planet)];
    if (!table)
        table = std::make_unique<LongitudeTable>();
    const double step = kLongitudeStep[static_cast<size_t>(planet)];
    const double t = moment / step;
    const double whole = std::floor(t);
    const auto index = static_cast<int64_t>(whole);
    const std::array<double, 4> weight = CubicWeights(t - whole);
    double longitude = 0.0;
    double first = 0.0;
    for (size_t n = 0; n < 4; ++n) {
        const int64_t at = index - 1 + static_cast<int64_t>(n);
        LongitudeNode& slot = (*table)[static_cast<size_t>(at) % kLongitudeSlots];
        if (slot.index != at) {
            const auto value = direct(planet, static_cast<double>(at) * step, convention);
            if (!value)
                return std::nullopt;
            slot = {at, *value};
        }
        if (n == 0)
            first = slot.longitude;
        longitude += weight[n] * (first + WithinHalfTurn(slot.longitude - first));
    }
    return longitude;
}

}  // namespace orvane::platform
