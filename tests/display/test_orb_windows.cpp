#include "display/orb_windows.h"

#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace orvane::display {
namespace {

using testing::Jdn;

class OrbWindowsTest : public testing::ProgramTest {};

// A year of personal transits: the stays come by entry and keep to the bodies and aspects asked for; a
// stay with an exact moment is tightest at 0, one without has as its tightest orb the least deviation a
// dense independent sampling of the stay finds (to 1″), and a stay cut by the span has no duration.
TEST_F(OrbWindowsTest, StaysByEntryWithTheirTightestOrb)
{
    core::AstroModule& astro = program->astro;
    astro.orbs.ApplyOrbs({600, 540, 360, 420, 240, 180, 180}, {3, 3});
    const double from = Jdn(2025, 1, 1) - 0.5, to = Jdn(2026, 1, 1) - 0.5;
    const std::array<double, 3> moments{from, Jdn(1978, 3, 14) - 0.5 + 5.5 / 24, 0.0};
    core::EventFilter filter;
    filter.aspects = static_cast<uint16_t>(1u << core::IndexOf(core::Aspect::Trine) |
                                           1u << core::IndexOf(core::Aspect::Square));
    const std::vector<OrbWindow> windows =
        OrbWindows(astro, core::Mode::PersonalTransits1st, moments, from, to, filter, platform::Convention{});
    ASSERT_GT(windows.size(), 20u);
    int withoutExact = 0;
    for (size_t k = 0; k < windows.size(); ++k) {
        const OrbWindow& w = windows[k];
        if (k > 0) {
            EXPECT_LE(windows[k - 1].bar.from, w.bar.from);
        }
        EXPECT_TRUE(w.aspect == core::Aspect::Trine || w.aspect == core::Aspect::Square);
        EXPECT_TRUE(w.pair.moving1 && !w.pair.moving2);
        EXPECT_EQ(w.Days().has_value(), !w.bar.openStart && !w.bar.openEnd);
        if (!w.bar.exacts.empty()) {
            EXPECT_EQ(w.tightest, 0.0);
            continue;
        }
        ++withoutExact;
        const double angle = core::kEventAspectDegrees[core::SlotOf(w.aspect)] / 180.0 * core::kPi;
        double least = core::kTwoPi;
        for (int i = 0; i <= 20000; ++i) {
            const double t = w.bar.from + (w.bar.to - w.bar.from) * i / 20000.0;
            const double separation = std::fabs(std::remainder(astro.HelioLongitude(w.pair.body1, t) - w.pair.fixed2,
                                                               core::kTwoPi));
            least = std::min(least, std::fabs(separation - angle));
        }
        EXPECT_NEAR(w.tightest, least, 1.0 / 3600 / 180 * core::kPi) << k;
        EXPECT_LE(w.tightest, least + 1e-12) << k;
    }
    EXPECT_GT(withoutExact, 0);
}

}  // namespace
}  // namespace orvane::display
