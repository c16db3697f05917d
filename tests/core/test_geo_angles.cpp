// The Ascendant and Midheaven of a place among the geocentric points: the aspects of one moment against
// angles computed here from sidereal time and the obliquity, and the angle events of a few days against
// a dense scan and plain bisection.

#include "core/geo_angle_events.h"
#include "core/geo_aspects.h"

#include <gtest/gtest.h>
#include <swephexp.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <tuple>
#include <vector>

namespace orvane::core {
namespace {

using platform::kGeoBodies;

constexpr platform::Convention kConvention = platform::kGeocentricDefault;
constexpr double kDegree = kTwoPi / 360.0;
constexpr double kSecond = 1.0 / 86400.0;

double Wrap(double angle)
{
    return angle - kTwoPi * std::round(angle / kTwoPi);
}

double Normalized(double angle)
{
    return angle - kTwoPi * std::floor(angle / kTwoPi);
}

// The Ascendant and Midheaven from the local apparent sidereal time and the true obliquity: the ecliptic's
// point on the meridian, and its point on the eastern horizon.
std::array<double, 2> AnglesFromSiderealTime(double moment, const GeoPlace& place)
{
    double nutation[6]{};
    char error[256]{};
    swe_calc_ut(moment, SE_ECL_NUT, 0, nutation, error);
    const double eps = nutation[0] * kDegree;
    const double ramc = (swe_sidtime(moment) * 15.0 + place.longitude) * kDegree;
    const double phi = place.latitude * kDegree;
    const double mc = std::atan2(std::sin(ramc), std::cos(ramc) * std::cos(eps));
    const double ac = std::atan2(std::cos(ramc), -(std::sin(ramc) * std::cos(eps) + std::tan(phi) * std::sin(eps)));
    return {Normalized(ac), Normalized(mc)};
}

// Orbs of the aspects in search order, and their angles, in degrees.
struct AspectRule {
    Aspect aspect;
    double angle;
    double orb;
};
constexpr std::array<AspectRule, 7> kRules{{{Aspect::Conjunction, 0, 8},
                                            {Aspect::Opposition, 180, 8},
                                            {Aspect::Square, 90, 8},
                                            {Aspect::Trine, 120, 8},
                                            {Aspect::Sextile, 60, 6},
                                            {Aspect::Semisextile, 30, 2},
                                            {Aspect::Quincunx, 150, 3}}};

struct Expected {
    Aspect aspect;
    double deviation;
    Motion motion;
};

// The first aspect in search order that a body `L` and an angle `A` stand in, and its motion from their
// places half an hour later.
std::optional<Expected> ExpectedAspect(double L, double A, double laterL, double laterA)
{
    const double separation = std::fabs(Wrap(L - A));
    const double laterSeparation = std::fabs(Wrap(laterL - laterA));
    for (const AspectRule& rule : kRules) {
        const double deviation = std::fabs(separation - rule.angle * kDegree);
        if (deviation >= rule.orb * kDegree)
            continue;
        const double later = std::fabs(laterSeparation - rule.angle * kDegree);
        return Expected{rule.aspect, deviation, later < deviation ? Motion::Applying : Motion::Separating};
    }
    return std::nullopt;
}

TEST(GeoAngles, AspectsOfTheAnglesAgainstSiderealTime)
{
    AstroModule astro;
    astro.InitializeAstroTables("/nonexistent-orvane-folder/");
    astro.orbs.ApplyOrbs({480, 480, 480, 480, 360, 120, 180}, {2, 3});
    const std::array<GeoPlace, 3> places{{{48.2, 16.37}, {-60.0, -64.0}, {0.0, -78.5}}};
    int angleRows = 0;
    for (const GeoPlace& place : places)
        for (const double moment : {2451545.0, 2460320.979167, 2469000.3}) {
            const auto plain = GeoAspectsAt(astro, moment, kConvention);
            const auto withAngles = GeoAspectsAt(astro, moment, kConvention, place);
            ASSERT_TRUE(plain && withAngles);
            // The bodies' pairs are those without a place, in the same order; the angles' pairs follow each
            // body's pairs, the Ascendant's before the Midheaven's, and never pair the two angles.
            std::vector<GeoAspectFound> bodyPairs;
            std::map<std::pair<GeoBody, GeoAngle>, GeoAspectFound> anglePairs;
            for (size_t i = 0; i < withAngles->size(); ++i) {
                const GeoAspectFound& row = (*withAngles)[i];
                if (!row.angle) {
                    bodyPairs.push_back(row);
                    continue;
                }
                anglePairs[{row.body1, *row.angle}] = row;
                if (i + 1 < withAngles->size()) {
                    const GeoAspectFound& next = (*withAngles)[i + 1];
                    EXPECT_TRUE(next.body1 != row.body1 || (next.angle && *next.angle > *row.angle)) << i;
                }
            }
            EXPECT_EQ(bodyPairs, *plain);
            const auto now = AnglesFromSiderealTime(moment, place);
            const auto later = AnglesFromSiderealTime(moment + 1.0 / 48.0, place);
            for (const GeoBody body : kGeoBodies)
                for (const GeoAngle angle : kGeoAngles) {
                    const size_t a = static_cast<size_t>(angle);
                    const double L = platform::GeoLongitudeIn(body, moment, kConvention).value();
                    const double laterL = platform::GeoLongitudeIn(body, moment + 1.0 / 48.0, kConvention).value();
                    const std::optional<Expected> expected = ExpectedAspect(L, now[a], laterL, later[a]);
                    const auto found = anglePairs.find({body, angle});
                    ASSERT_EQ(expected.has_value(), found != anglePairs.end())
                        << GeoBodyName(body) << " " << GeoAngleName(angle) << " at " << moment;
                    if (!expected)
                        continue;
                    ++angleRows;
                    EXPECT_EQ(found->second.aspect, expected->aspect);
                    EXPECT_NEAR(found->second.deviation, expected->deviation, 0.001 / 3600 * kDegree);
                    EXPECT_EQ(found->second.motion, expected->motion);
                }
        }
    // A fifth of the pairs or more: twelve aspects' orbs cover well over a third of the circle.
    EXPECT_GE(angleRows, 9 * 20 / 5);
}

// The angle events of one body and angle, by aspect (its number) and branch (degrees): every change of
// sign of the wrapped difference on a grid of two minutes, halved down to 0.2 ms.
std::map<std::pair<int16_t, double>, std::vector<double>> ScannedRoots(GeoBody body, GeoAngle angle,
                                                                      const GeoPlace& place, double from, double to)
{
    const auto difference = [&](double t) {
        const platform::Angles angles = platform::AnglesAt(t, place.latitude, place.longitude).value();
        return LongitudeOf(angles, angle) - platform::GeoLongitudeIn(body, t, kConvention).value();
    };
    constexpr double kGrid = 2.0 / 1440.0;
    std::vector<double> grid;
    for (int k = 0; from + (k - 1) * kGrid < to; ++k)
        grid.push_back(difference(from + k * kGrid));
    std::map<std::pair<int16_t, double>, std::vector<double>> roots;
    for (const AspectRule& rule : kRules)
        for (const double branch : {rule.angle, 360.0 - rule.angle}) {
            if (branch == 360.0 || (rule.angle == 180.0 && roots.contains({IndexOf(rule.aspect), branch})))
                continue;  // a conjunction and an opposition have one branch
            const auto g = [&](double t) { return Wrap(difference(t) - branch * kDegree); };
            auto& found = roots[{IndexOf(rule.aspect), branch}];
            for (size_t k = 1; k < grid.size(); ++k) {
                const double ga = Wrap(grid[k - 1] - branch * kDegree);
                const double gb = Wrap(grid[k] - branch * kDegree);
                if ((ga < 0.0) == (gb < 0.0) || std::fabs(ga) > 1.0 || std::fabs(gb) > 1.0)
                    continue;
                double lo = from + static_cast<double>(k - 1) * kGrid, hi = from + static_cast<double>(k) * kGrid;
                while (hi - lo > 2e-9)
                    ((g(0.5 * (lo + hi)) < 0.0) == (ga < 0.0) ? lo : hi) = 0.5 * (lo + hi);
                if (lo >= from && lo < to)
                    found.push_back(0.5 * (lo + hi));
            }
        }
    return roots;
}

using Key = std::tuple<GeoBody, GeoAngle, int16_t>;  // the body, the angle, the aspect's number

TEST(GeoAngles, EventsMatchADenseScanAtTwoLatitudes)
{
    constexpr double kFrom = 2460402.5;  // 2024-04-01 0h UT
    constexpr double kDays = 3.0;
    for (const GeoPlace& place : {GeoPlace{48.2, 16.37}, GeoPlace{-60.0, -64.0}}) {
        std::map<Key, std::vector<double>> expected;
        size_t total = 0;
        for (const GeoBody body : kGeoBodies)
            for (const GeoAngle angle : kGeoAngles)
                for (const auto& [aspectBranch, roots] : ScannedRoots(body, angle, place, kFrom, kFrom + kDays)) {
                    auto& all = expected[{body, angle, aspectBranch.first}];
                    all.insert(all.end(), roots.begin(), roots.end());
                }
        std::map<Key, std::vector<double>> found;
        GeoEventFilter filter;
        filter.kinds = 1u << static_cast<int>(GeoEventKind::Angle);
        filter.place = place;
        ASSERT_TRUE(FindGeoEvents(kFrom, kFrom + kDays, kConvention, filter, [&](const GeoEvent& e) {
            EXPECT_EQ(e.kind, GeoEventKind::Angle);
            found[{e.body1, e.angle.value(), IndexOf(e.aspect.value())}].push_back(e.moment);
            return true;
        }));
        double worst = 0.0;
        for (auto& [key, roots] : expected) {
            std::sort(roots.begin(), roots.end());
            const std::vector<double>& got = found[key];
            total += roots.size();
            ASSERT_EQ(got.size(), roots.size()) << GeoBodyName(std::get<0>(key)) << " "
                                                << GeoAngleName(std::get<1>(key)) << " aspect " << std::get<2>(key);
            for (size_t i = 0; i < roots.size(); ++i)
                worst = std::max(worst, std::fabs(got[i] - roots[i]));
        }
        EXPECT_EQ(found.size(), expected.size());
        EXPECT_LT(worst, kSecond);
        std::printf("latitude %+.1f: %.1f angle events a day, worst %.4f s\n", place.latitude,
                    static_cast<double>(total) / kDays, worst / kSecond);
    }
}

// The bound on the angles' rate holds for the house routine's angles, measured every 0.05° of sidereal
// time, so that the step keeps their motion within a step below a quarter turn.
TEST(GeoAngles, SampleStepFollowsTheAngleRate)
{
    for (const double latitude : {0.0, 30.0, 48.2, 60.0, 65.0}) {
        double fastest = 0.0;
        for (double theta = 0.0; theta < 360.0; theta += 0.05) {
            const double t = 2451545.0 + theta / 360.9856;
            const double dt = 1e-5;
            const auto a = platform::AnglesAt(t - dt, latitude, 0.0).value();
            const auto b = platform::AnglesAt(t + dt, latitude, 0.0).value();
            fastest = std::max(fastest, std::fabs(Wrap(b.ascendant - a.ascendant)) / (2 * dt) / kDegree);
            fastest = std::max(fastest, std::fabs(Wrap(b.midheaven - a.midheaven)) / (2 * dt) / kDegree);
        }
        EXPECT_LE(fastest, AngleRateBound(latitude)) << latitude;
        // Within a step an angle less a body (at most 2.2° a day backwards) moves by well under the 90°
        // within which a crossing is told from a wrap.
        EXPECT_LT((fastest + 2.2) * AngleSampleDays(latitude), 90.0) << latitude;
    }
}

}  // namespace
}  // namespace orvane::core
