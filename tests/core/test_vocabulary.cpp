#include "core/vocabulary.h"

#include <gtest/gtest.h>

namespace orvane::core {
namespace {

double Rad(double degrees)
{
    return degrees / 360.0 * kTwoPi;
}

AstroTables Tables()
{
    AstroTables tables;
    tables.InitializeAstroTables("/nonexistent-orvane-folder/");
    return tables;
}

TEST(Vocabulary, TablesHangOnTheirIndices)
{
    const AstroTables t = Tables();
    EXPECT_EQ(t.dblPi, 3.14159265358979);
    EXPECT_EQ(t.strPlanetName[1], "Earth");
    EXPECT_EQ(t.strPlanetAbbrev[2], "Me");
    EXPECT_EQ(t.strPlanetName[9], "Pluto");
    EXPECT_EQ(t.strPlanetGlyph[10], "s");
    EXPECT_EQ(t.strPlanetName[10], "");
    for (int i = 0; i < kBodySlots; ++i)
        EXPECT_EQ(t.blnInnerPlanet[static_cast<size_t>(i)], i >= 1 && i <= 4) << i;

    EXPECT_EQ(t.AspectText[3].Label, "square (90°)");
    EXPECT_EQ(t.AspectText[7].Abbrev, "Qui");
    EXPECT_EQ(t.AspectText[1].Phrase, "conjunct");
    EXPECT_DOUBLE_EQ(t.dblAspectAngle[2], 180.0 / 360.0 * 6.28318530717959);
    EXPECT_DOUBLE_EQ(t.dblAspectAngle[6], Rad(30));
    EXPECT_EQ(t.dblAspectColor[1], 65535.0);
    EXPECT_EQ(t.dblAspectColor[2], 16711935.0);
    EXPECT_EQ(t.dblAspectColor[3], 255.0);
    EXPECT_EQ(t.dblAspectColor[5], 16776960.0);
    EXPECT_EQ(t.dblColorPalette[11], 128 + 256.0 * 64);
    EXPECT_EQ(t.SignText[0].Name, "Aries");
    EXPECT_EQ(t.SignText[11].Abbrev, "Pis");
    EXPECT_EQ(t.strSignGlyph[6], "X");
    EXPECT_EQ(t.strPatternName[11], "3-Stellium");
    EXPECT_EQ(t.strPatternName[13], "Midpoint");
    EXPECT_EQ(t.strDataFolder, "/nonexistent-orvane-folder/");
}

TEST(Vocabulary, NormalizeAngleWrapsIntoOneTurn)
{
    EXPECT_DOUBLE_EQ(NormalizeAngle(-0.1), 6.28318530717959 - 0.1);
    EXPECT_EQ(NormalizeAngle(6.28318530717959), 0.0);
    EXPECT_EQ(NormalizeAngle(0.0), 0.0);
    EXPECT_DOUBLE_EQ(NormalizeAngle(3 * 6.28318530717959 + 1.0), 1.0);
    EXPECT_DOUBLE_EQ(NormalizeAngle(-2 * 6.28318530717959 - 1.0), 6.28318530717959 - 1.0);
}

struct DegMinCase {
    double degrees;
    bool omitZero, blank, negative, rollover;
    const char* text;
};

TEST(Vocabulary, Rad2DegMin)
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
        {0.0, false, false, false, false, "0°0'"},
        {1 + 0.4 / 60, false, false, false, false, "1°0'"},
        {1 + 1.6 / 60, false, false, false, false, "1°2'"},
    };
    for (const DegMinCase& c : cases)
        EXPECT_EQ(Rad2DegMin(Rad(c.degrees), c.omitZero, c.blank, c.negative, c.rollover), c.text) << c.degrees;
}

TEST(Vocabulary, ZodiacPositionText)
{
    const AstroTables t = Tables();
    EXPECT_EQ(ZodiacPositionText(t, Rad(59.6), true), "29° in Taurus");  // never carried into Gemini
    EXPECT_EQ(ZodiacPositionText(t, Rad(59.6), false), "29Tau36");
    EXPECT_EQ(ZodiacPositionText(t, Rad(45.5), true), "15° in Taurus");
    EXPECT_EQ(ZodiacPositionText(t, Rad(45.52), true), "16° in Taurus");
    EXPECT_EQ(ZodiacPositionText(t, Rad(42 + 34 / 60.0), false), "12Tau34");
    EXPECT_EQ(ZodiacPositionText(t, Rad(0.0), false), "0Ari0");
    EXPECT_EQ(ZodiacPositionText(t, Rad(100.377), false), "10Can23");
    EXPECT_EQ(ZodiacPositionText(t, Rad(359.5), true), "29° in Pisces");
    EXPECT_EQ(ZodiacPositionText(t, Rad(29 + 59.8 / 60), false), "0Tau0");
    EXPECT_EQ(ZodiacPositionText(t, -0.001, false), "");
    EXPECT_EQ(ZodiacPositionText(t, 6.3, false), "");
    // The last hair below 360° (and 2π itself) stays in Pisces.
    EXPECT_EQ(ZodiacPositionText(t, Rad(359.999995), false), "29Pis59");
    EXPECT_EQ(ZodiacPositionText(t, 6.28318530717959, true), "29° in Pisces");
}

}  // namespace
}  // namespace orvane::core
