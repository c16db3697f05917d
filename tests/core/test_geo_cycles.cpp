#include "core/geo_cycles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace orvane::core {
namespace {

constexpr platform::Convention kConvention = platform::kGeocentricDefault;
constexpr double kJan2020 = 2458849.5;
constexpr double kJan2024 = 2460310.5;

// The faster body's lead over the slower one in degrees, from the positions alone.
double LeadDegrees(GeoBody faster, GeoBody slower, double moment)
{
    const double lead = *platform::GeoLongitudeIn(faster, moment, kConvention) -
                        *platform::GeoLongitudeIn(slower, moment, kConvention);
    return std::fmod(lead / kTwoPi * 360.0 + 720.0, 360.0);
}

double AngleApart(double a, double b)
{
    const double d = std::fabs(a - b);
    return std::min(d, 360.0 - d);
}

TEST(GeoCycles, OnlyPairsThatLapHaveCycles)
{
    EXPECT_FALSE(HaveGeoCycle(GeoBody::Sun, GeoBody::Venus));
    EXPECT_FALSE(HaveGeoCycle(GeoBody::Mercury, GeoBody::Venus));
    EXPECT_TRUE(HaveGeoCycle(GeoBody::Moon, GeoBody::Mercury));
    EXPECT_TRUE(HaveGeoCycle(GeoBody::Sun, GeoBody::Mars));
    const GeoCycleSearch search(GeoBody::Jupiter, GeoBody::Mercury, kConvention);
    EXPECT_EQ(search.Faster(), GeoBody::Mercury);
}

// Mercury's retrograde loops turn the phase angle back: every phase listed is where the lead really is,
// the cycles join end to start, and some phase of a cycle is passed three times.
TEST(GeoCycles, RetrogradePassesAreListedWhereTheyAre)
{
    const GeoCycleSearch search(GeoBody::Mercury, GeoBody::Jupiter, kConvention);
    const std::vector<SynodicCycle> cycles = search.Cycles(kJan2020, kJan2024);
    ASSERT_GT(cycles.size(), 3u);
    EXPECT_LE(cycles.front().start, kJan2020);
    EXPECT_LT(cycles.back().start, kJan2024);
    bool passedThrice = false;
    for (size_t k = 0; k < cycles.size(); ++k) {
        const SynodicCycle& cycle = cycles[k];
        EXPECT_LT(AngleApart(LeadDegrees(GeoBody::Mercury, GeoBody::Jupiter, cycle.start), 0.0), 1e-5);
        if (k + 1 < cycles.size()) {
            EXPECT_EQ(cycle.end, cycles[k + 1].start);
        }
        std::map<int16_t, int> passes;
        double previous = cycle.start;
        for (const CyclePhase& phase : cycle.phases) {
            EXPECT_GT(phase.moment, previous);
            previous = phase.moment;
            EXPECT_LT(AngleApart(LeadDegrees(GeoBody::Mercury, GeoBody::Jupiter, phase.moment), phase.degrees), 1e-5);
            EXPECT_EQ(phase.aspect, AspectOfPhase(phase.degrees));
            passedThrice = passedThrice || ++passes[phase.degrees] == 3;
        }
    }
    EXPECT_TRUE(passedThrice);
}

}  // namespace
}  // namespace orvane::core
