#include "platform/convention_shift.h"

#include "platform/cubic_nodes.h"
#include "platform/mean_frame.h"

#include <algorithm>
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
constexpr size_t kSlots = 512;       // nodes kept per body: 1024 days of Mercury's

// Nodes `step` days apart, read through the cubic (4 points), the quintic (6) or the septic (8).
struct Grid {
    double step = 0.0;
    size_t points = 4;

    int64_t IndexOf(double moment) const { return static_cast<int64_t>(std::floor(moment / step)); }
    // The first and the last node a moment of node interval `index` is read from.
    int64_t First(int64_t index) const { return index - static_cast<int64_t>(points / 2 - 1); }
    int64_t Last(int64_t index) const { return index + static_cast<int64_t>(points / 2); }
    double MomentOf(int64_t index) const { return static_cast<double>(index) * step; }
};

// Light-time: see convention_shift.h.
constexpr std::array<Grid, kPlanets> kShiftGrid{{{}, {2.0, 6}, {8.0, 4}, {4.0, 4}, {16.0, 4}, {32.0, 4},
                                                 {32.0, 4}, {32.0, 4}, {32.0, 4}, {32.0, 4}}};
// Whole longitudes (see WholeLongitudeInSequence).
constexpr std::array<Grid, kPlanets> kLongitudeGrid{{{}, {1.0, 8}, {4.0, 6}, {2.0, 6}, {8.0, 6}, {16.0, 6},
                                                     {16.0, 6}, {16.0, 6}, {16.0, 6}, {16.0, 6}}};
constexpr size_t kLongitudeSlots = 512;  // 512 days of Mercury's nodes: a chunk of a search (256 days) and more

const Grid& ShiftGrid(int32_t planet)
{
    return kShiftGrid[static_cast<size_t>(planet)];
}

const Grid& LongitudeGrid(int32_t planet)
{
    return kLongitudeGrid[static_cast<size_t>(planet)];
}

constexpr size_t kMostPoints = 8;
using Weights = std::array<double, kMostPoints>;

// The weights of the grid's points for the value at fraction f of a node interval.
Weights WeightsOf(const Grid& grid, double f)
{
    Weights weight{};
    const auto take = [&weight](const auto& some) { std::copy(some.begin(), some.end(), weight.begin()); };
    if (grid.points == 8)
        take(LagrangeWeights<8>(f));
    else if (grid.points == 6)
        take(LagrangeWeights<6>(f));
    else
        take(CubicWeights(f));
    return weight;
}

// Where a moment is read on a grid: its first node and the weights of the grid's points from there.
struct Reading {
    int64_t first = 0;
    Weights weight{};
};

Reading ReadingOf(const Grid& grid, double moment)
{
    const double t = moment / grid.step;
    const double whole = std::floor(t);
    return {grid.First(static_cast<int64_t>(whole)), WeightsOf(grid, t - whole)};
}

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

// The whole longitudes of one body in one convention a thread worked out, by node number.
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

bool NodesAtHand(int32_t planet, double moment)
{
    NodeTable& table = TableOf(planet);
    const Grid& grid = ShiftGrid(planet);
    const int64_t index = grid.IndexOf(moment);
    for (int64_t n = grid.First(index); n <= grid.Last(index); ++n)
        if (!table.Has(n))
            return false;
    return true;
}

const Differences* NodeValues(NodeTable& table, int64_t index, int32_t planet, DirectLightTime direct)
{
    Node& slot = table.SlotOf(index);
    if (slot.index != index) {
        const auto shift = direct(planet, ShiftGrid(planet).MomentOf(index));
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

// The body's longitude node `index` in `convention`, computed with `direct` when not at hand.
std::optional<double> LongitudeNodeOf(int32_t planet, int64_t index, Convention convention, DirectLongitude direct)
{
    std::unique_ptr<LongitudeTable>& table = t_shifts.longitudes[ConventionIndex(convention)][static_cast<size_t>(planet)];
    if (!table)
        table = std::make_unique<LongitudeTable>();
    LongitudeNode& slot = (*table)[static_cast<size_t>(index) % kLongitudeSlots];
    if (slot.index != index) {
        const auto value = direct(planet, LongitudeGrid(planet).MomentOf(index), convention);
        if (!value)
            return std::nullopt;
        slot = {index, *value};
    }
    return slot.longitude;
}

bool LongitudeNodeAtHand(int32_t planet, int64_t index, Convention convention)
{
    const std::unique_ptr<LongitudeTable>& table =
        t_shifts.longitudes[ConventionIndex(convention)][static_cast<size_t>(planet)];
    return table && (*table)[static_cast<size_t>(index) % kLongitudeSlots].index == index;
}

// A node to work out ahead: a light-time node of `planet`, a turn node (planet 0) or a longitude node.
struct Due {
    double moment = 0.0;
    int32_t planet = 0;
    int64_t index = 0;
};

// The node numbers moments from `from` to `to` read on `grid`.
std::pair<int64_t, int64_t> NodesOver(const Grid& grid, double from, double to)
{
    return {grid.First(grid.IndexOf(from)), grid.Last(grid.IndexOf(to))};
}

// The light-time nodes (apparent positions) and the turn's nodes (the frame of date) the span's moments and
// its longitude nodes' moments read, where not at hand.
void AddShiftAndTurnNodes(const SequenceSpan& span, Convention convention, std::vector<Due>& due)
{
    double from = span.from;
    double to = span.to;
    if (LongitudeGrid(span.planet).step > 0.0) {
        const Grid& slow = LongitudeGrid(span.planet);
        const auto [first, last] = NodesOver(slow, span.from, span.to);
        from = std::min(from, slow.MomentOf(first));
        to = std::max(to, slow.MomentOf(last));
    }
    if (convention.positions == PositionKind::Apparent) {
        NodeTable& table = TableOf(span.planet);
        const Grid& grid = ShiftGrid(span.planet);
        const auto [first, last] = NodesOver(grid, from, to);
        for (int64_t n = first; n <= last; ++n)
            if (!table.Has(n))
                due.push_back({grid.MomentOf(n), span.planet, n});
    }
    if (convention.frame == Frame::OfDate) {
        const auto [first, last] = TurnNodesOver(from, to);
        for (int64_t n = first; n <= last; ++n)
            if (!TurnNodeAtHand(n))
                due.push_back({TurnNodeMoment(n), 0, n});
    }
}

void AddLongitudeNodes(const SequenceSpan& span, Convention convention, std::vector<Due>& due)
{
    const Grid& grid = LongitudeGrid(span.planet);
    if (grid.step == 0.0)
        return;
    const auto [first, last] = NodesOver(grid, span.from, span.to);
    for (int64_t n = first; n <= last; ++n)
        if (!LongitudeNodeAtHand(span.planet, n, convention))
            due.push_back({grid.MomentOf(n), span.planet, n});
}

// Works out `due` in the order of time (longitude nodes when `longitudes`), each node once.
void WorkOut(std::vector<Due>& due, bool longitudes, Convention convention, DirectLightTime shift,
             DirectLongitude longitude)
{
    std::sort(due.begin(), due.end(), [](const Due& a, const Due& b) {
        return a.moment != b.moment ? a.moment < b.moment : a.planet < b.planet;
    });
    due.erase(std::unique(due.begin(), due.end(),
                          [](const Due& a, const Due& b) { return a.planet == b.planet && a.index == b.index; }),
              due.end());
    for (const Due& node : due) {
        if (longitudes)
            LongitudeNodeOf(node.planet, node.index, convention, longitude);
        else if (node.planet == 0)
            WorkOutTurnNode(node.index);
        else
            NodeValues(TableOf(node.planet), node.index, node.planet, shift);
    }
}

}  // namespace

bool AskedInSequence(int32_t planet, double moment, Convention convention)
{
    // Geometric positions of date cost Swiss Ephemeris little more than J2000 ones: only the light-time
    // is worth the nodes.
    if (planet < 1 || planet > 9 || convention.positions == PositionKind::Geometric)
        return false;
    const int64_t index = ShiftGrid(planet).IndexOf(moment);
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
    const Grid& grid = ShiftGrid(planet);
    const Reading reading = ReadingOf(grid, moment);
    const Weights& weight = reading.weight;
    NodeTable& table = TableOf(planet);
    Differences value{};
    double first = 0.0;
    for (size_t n = 0; n < grid.points; ++n) {
        const Differences* node = NodeValues(table, reading.first + static_cast<int64_t>(n), planet, direct);
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

std::optional<double> WholeLongitudeInSequence(int32_t planet, double moment, Convention convention,
                                              DirectLongitude direct)
{
    if (planet < 1 || planet > 9 || convention.IsDefault() || LongitudeGrid(planet).step == 0.0)
        return std::nullopt;
    const Grid& grid = LongitudeGrid(planet);
    const Reading reading = ReadingOf(grid, moment);
    const Weights& weight = reading.weight;
    double longitude = 0.0;
    double first = 0.0;
    for (size_t n = 0; n < grid.points; ++n) {
        const std::optional<double> node =
            LongitudeNodeOf(planet, reading.first + static_cast<int64_t>(n), convention, direct);
        if (!node)
            return std::nullopt;
        if (n == 0)
            first = *node;
        longitude += weight[n] * (first + WithinHalfTurn(*node - first));
    }
    return longitude;
}

void ForgetShiftsInSequence()
{
    t_shifts = {};
}

void PrepareInSequence(std::span<const SequenceSpan> spans, Convention convention, DirectLightTime shift,
                       DirectLongitude longitude)
{
    if (convention.IsDefault())
        return;
    // First what the longitude nodes are computed from (the light-time and the turn into the
    // frame of date, over their moments too), then those nodes, each in the order of time.
    std::vector<Due> due;
    for (const SequenceSpan& span : spans)
        if (span.planet >= 1 && span.planet <= 9)
            AddShiftAndTurnNodes(span, convention, due);
    WorkOut(due, false, convention, shift, longitude);
    due.clear();
    for (const SequenceSpan& span : spans)
        if (span.planet >= 1 && span.planet <= 9)
            AddLongitudeNodes(span, convention, due);
    WorkOut(due, true, convention, shift, longitude);
}

}  // namespace orvane::platform
