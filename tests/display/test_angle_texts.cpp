#include "display/angle_texts.h"

#include <gtest/gtest.h>

namespace orvane::display {
namespace {

double Rad(double degrees)
{
    return degrees / 360.0 * core::kTwoPi;
}

struct DegMinCase { double degrees; bool omitZero, blank, negative, rollover; const char* text; };

TEST(AngleTexts, Rad2DegMin)
{
    const DegMinCase cases[] = {
        {12.5, false, false, false, false, "12°30'"},
        {12 + 5 / 60.0, false, true, false, false, "12° 5'"},
        {12.0, true, false, false, false, "12°"},
        {12.0, false, false, false, false, "12°0'"},
        {29.999999, false, false, false, false, "30°0'"},  // carried to the next degree
        {29.999999, true, false, false, false, "30°"},
        {359 + 59.7 / 60, false, false, false, false, "359°59'"},
        {359 + 59.7 / 60, false, false, false, true, "360°0'"},
        {10 + 59.7 / 60, false, false, false, false, "11°0'"},
        {-0.5, false, false, false, false, ""},
        {-0.5, false, false, true, false, "-0°30'"},
        {360.0, false, false, false, false, "360°0'"},  // exactly 2π is accepted
        {360.001, false, false, false, false, ""},
        {1 + 0.4 / 60, false, false, false, false, "1°0'"},
        {1 + 1.6 / 60, false, false, false, false, "1°2'"},
    };
    for (const DegMinCase& c : cases)
        EXPECT_EQ(Rad2DegMin(Rad(c.degrees), {c.omitZero, c.blank, c.negative, c.rollover}), c.text) << c.degrees;
}

TEST(AngleTexts, ZodiacPositionText)
{
    core::AstroTables t;
    t.InitializeAstroTables("/nonexistent-orvane-folder/");
    const struct { double radians; bool words; const char* text; } cases[] = {
        {Rad(59.6), true, "29° in Taurus"},  // never carried into Gemini
        {Rad(59.6), false, "29Tau36"},
        {Rad(45.5), true, "15° in Taurus"},
        {Rad(45.52), true, "16° in Taurus"},
        {Rad(0.0), false, "0Ari0"},
        {Rad(100.377), false, "10Can23"},
        {Rad(29 + 59.8 / 60), false, "0Tau0"},
        {-0.001, false, ""},
        {6.3, false, ""},
        // The last hair below 360° (and 2π itself) stays in Pisces.
        {Rad(359.999995), false, "29Pis59"},
        {core::kTwoPi, true, "29° in Pisces"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZodiacPositionText(t, c.radians, c.words), c.text) << c.radians;
}

}  // namespace
}  // namespace orvane::display
