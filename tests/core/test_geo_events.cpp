#include "core/geo_events.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <tuple>
#include <vector>

namespace orvane::core {
namespace {

using platform::kGeoBodies;

constexpr platform::Convention kConvention = platform::kGeocentricDefault;
constexpr double kHour = 1.0 / 24.0;

// The longitudes the hourly grid asks for again and again are kept.
double L(GeoBody body, double t)
{
    static std::map<std::pair<GeoBody, double>, double> known;
    const auto [place, fresh] = known.try_emplace({body, t}, 0.0);
    if (fresh)
        place->second = platform::GeoLongitudeIn(body, t, kConvention).value();
    return place->second;
}

// The moment in [a, b] where `f` changes sign, by halving alone.
template <typename F>
double Bisect(const F& f, double a, double b)
{
    const bool negativeFirst = f(a) < 0.0;
    while (b - a > 1e-9) {
        const double m = 0.5 * (a + b);
        ((f(m) < 0.0) == negativeFirst ? a : b) = m;
    }
    return 0.5 * (a + b);
}

// Every sign change of `f` (|f| small at both ends, so not a wrap) on an hourly grid over [from, to).
template <typename F>
std::vector<double> HourlyRoots(const F& f, double from, double to)
{
    std::vector<double> roots;
    double previous = f(from);
    for (int k = 1; from + (k - 1) * kHour < to; ++k) {
        const double t = from + k * kHour;
        const double value = f(t);
        if ((previous < 0.0) != (value < 0.0) && std::fabs(previous) < 1.0 && std::fabs(value) < 1.0)
            if (const double root = Bisect(f, t - kHour, t); root >= from && root < to)
                roots.push_back(root);
        previous = value;
    }
    return roots;
}

using Key = std::tuple<GeoEventKind, GeoBody, GeoBody, int16_t>;  // kind, bodies, aspect or sign entered

// The same events found independently: positions only, on an hourly grid, each crossing halved down to a
// tenth of a millisecond; a station where the longitude's change over a quarter hour turns.
std::map<Key, std::vector<double>> Independent(double from, double to)
{
    std::map<Key, std::vector<double>> events;
    for (const GeoBody body : kGeoBodies) {
        for (int sign = 0; sign < kNumSigns; ++sign) {
            const auto g = [&](double t) { return std::remainder(L(body, t) - sign * kTwoPi / 12.0, kTwoPi); };
            for (const double root : HourlyRoots(g, from, to)) {
                const bool forward = std::remainder(L(body, root + 0.01) - L(body, root - 0.01), kTwoPi) > 0.0;
                events[{GeoEventKind::Ingress, body, body, static_cast<int16_t>(forward ? sign : (sign + 11) % 12)}]
                    .push_back(root);
            }
        }
        const auto rate = [&](double t) { return std::remainder(L(body, t + 0.005) - L(body, t - 0.005), kTwoPi); };
        for (const double root : HourlyRoots(rate, from, to)) {
            const bool turnsBack = rate(root - 0.1) > 0.0;
            events[{turnsBack ? GeoEventKind::StationRetrograde : GeoEventKind::StationDirect, body, body, -1}]
                .push_back(root);
        }
    }
    for (size_t i = 0; i < kGeoBodies.size(); ++i)
        for (size_t j = i + 1; j < kGeoBodies.size(); ++j)
            for (const Aspect aspect : kAspects) {
                const double angle = kAspectDegrees[SlotOf(aspect)] * kTwoPi / 360.0;
                for (const double branch : {angle, kTwoPi - angle}) {
                    const auto g = [&](double t) {
                        return std::remainder(L(kGeoBodies[i], t) - L(kGeoBodies[j], t) - branch, kTwoPi);
                    };
                    for (const double root : HourlyRoots(g, from, to))
                        events[{GeoEventKind::Exact, kGeoBodies[i], kGeoBodies[j], IndexOf(aspect)}].push_back(root);
                    if (angle == 0.0 || aspect == Aspect::Opposition)
                        break;
                }
            }
    return events;
}

// Six weeks around Mercury's retrograde of spring 2024 (both stations, the Moon's aspects and ingresses,
// Mercury's and Venus' ingresses), every event of the search against the independent list: the same
// events, none missed or doubled, each within a second.
TEST(GeoEvents, EveryEventOnceWithinASecond)
{
    const double from = 2460389.5;  // 2024-03-20
    const double to = 2460435.5;    // 2024-05-05
    std::map<Key, std::vector<double>> found;
    size_t count = 0;
    const bool ok = FindGeoEvents(from, to, kConvention, {}, [&](const GeoEvent& e) {
        const GeoBody second = e.body2.value_or(e.body1);
        const int16_t detail = e.kind == GeoEventKind::Exact ? IndexOf(*e.aspect) : e.sign;
        found[{e.kind, e.body1, second, detail}].push_back(e.moment);
        ++count;
        return true;
    });
    ASSERT_TRUE(ok);
    const std::map<Key, std::vector<double>> expected = Independent(from, to);
    double worst = 0.0;
    size_t expectedCount = 0;
    for (auto [key, moments] : expected) {
        std::sort(moments.begin(), moments.end());  // the branches of an aspect were searched one by one
        expectedCount += moments.size();
        const std::vector<double>& mine = found[key];
        ASSERT_EQ(mine.size(), moments.size()) << static_cast<int>(std::get<0>(key)) << " "
                                               << static_cast<int>(std::get<1>(key)) << "-"
                                               << static_cast<int>(std::get<2>(key)) << " " << std::get<3>(key);
        for (size_t k = 0; k < moments.size(); ++k)
            worst = std::max(worst, std::fabs(mine[k] - moments[k]) * 86400.0);
    }
    EXPECT_EQ(count, expectedCount);
    EXPECT_LT(worst, 1.0);
    const auto& stations = found[{GeoEventKind::StationRetrograde, GeoBody::Mercury, GeoBody::Mercury, -1}];
    EXPECT_EQ(stations.size(), 1u);
    std::printf("%zu geocentric events, worst %.3f s from the independent bisection\n", count, worst);
}

// The orb edges of every pair and aspect over the same six weeks against the edges crossed independently
// (the aspect's angle on either branch, less or more its orb, on the hourly grid and halved): the same
// edges, none missed or doubled, each within a second; and each one enters the orb exactly when the pair
// is within it a minute later.
TEST(GeoEvents, EveryOrbEdgeOnceWithinASecond)
{
    const double from = 2460389.5;  // 2024-03-20
    const double to = 2460435.5;    // 2024-05-05
    constexpr std::array<double, 7> kOrbDegrees{8, 8, 7, 7, 5, 2, 3};
    std::array<double, kAspectSlots> orbs{};
    for (const Aspect aspect : kAspects)
        orbs[SlotOf(aspect)] = kOrbDegrees[SlotOf(aspect) - 1] * kTwoPi / 360.0;
    const auto within = [&](GeoBody b1, GeoBody b2, Aspect aspect, double t) {
        const double separation = std::fabs(std::remainder(L(b1, t) - L(b2, t), kTwoPi));
        return std::fabs(separation - kAspectDegrees[SlotOf(aspect)] * kTwoPi / 360.0) < orbs[SlotOf(aspect)];
    };
    using EdgeKey = std::tuple<GeoBody, GeoBody, int16_t>;
    std::map<EdgeKey, std::vector<double>> found;
    int wrongWay = 0;
    const bool ok = FindGeoOrbEdges(from, to, kConvention, 0xFE, orbs, [&](const GeoOrbEdge& e) {
        found[{e.body1, e.body2, IndexOf(e.aspect)}].push_back(e.moment);
        wrongWay += within(e.body1, e.body2, e.aspect, e.moment + 1.0 / 1440.0) != e.enters ? 1 : 0;
    });
    ASSERT_TRUE(ok);
    double worst = 0.0;
    size_t count = 0;
    for (size_t i = 0; i < kGeoBodies.size(); ++i)
        for (size_t j = i + 1; j < kGeoBodies.size(); ++j)
            for (const Aspect aspect : kAspects) {
                const double angle = kAspectDegrees[SlotOf(aspect)] * kTwoPi / 360.0;
                const double orb = orbs[SlotOf(aspect)];
                // The conjunction's and the opposition's two branches are one.
                const bool oneBranch = angle == 0.0 || aspect == Aspect::Opposition;
                std::vector<double> edges{angle - orb, angle + orb};
                if (!oneBranch)
                    edges.insert(edges.end(), {-angle - orb, -angle + orb});
                std::vector<double> expected;
                for (const double edge : edges) {
                    const auto g = [&](double t) {
                        return std::remainder(L(kGeoBodies[i], t) - L(kGeoBodies[j], t) - edge, kTwoPi);
                    };
                    const std::vector<double> roots = HourlyRoots(g, from, to);
                    expected.insert(expected.end(), roots.begin(), roots.end());
                }
                std::sort(expected.begin(), expected.end());
                const std::vector<double>& mine = found[{kGeoBodies[i], kGeoBodies[j], IndexOf(aspect)}];
                ASSERT_EQ(mine.size(), expected.size()) << static_cast<int>(kGeoBodies[i]) << "-"
                                                        << static_cast<int>(kGeoBodies[j]) << " " << IndexOf(aspect);
                for (size_t k = 0; k < expected.size(); ++k)
                    worst = std::max(worst, std::fabs(mine[k] - expected[k]) * 86400.0);
                count += expected.size();
            }
    // In six weeks the Moon laps every other body at least once, passing each of its 24 edges.
    EXPECT_GT(count, 9u * 24u);
    EXPECT_LT(worst, 1.0);
    EXPECT_EQ(wrongWay, 0);
}

}  // namespace
}  // namespace orvane::core
