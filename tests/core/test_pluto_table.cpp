#include "core/pluto_table.h"

#include "core/positions.h"
#include "core/vocabulary.h"
#include "tests/support/temp_folder.h"

#include <swephexp.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <sstream>

namespace orvane::core {
namespace {

double Degrees(double radians)
{
    return radians / kTwoPi * 360.0;
}

// A table whose element n holds `first` + n × `step` degrees (whole arcseconds), `lines` elements long.
std::string SyntheticTable(double first, double step, int32_t lines, const std::string& lineEnd = "\n")
{
    std::string text;
    for (int32_t n = 0; n < lines; ++n) {
        double degrees = std::fmod(first + n * step, 360.0);
        if (degrees < 0)
            degrees += 360.0;
        text += EncodePlutoEntry(n, static_cast<int32_t>(std::lround(degrees * 3600.0)) % 1296000) + lineEnd;
    }
    return text;
}

TEST(PlutoTableFormat, EncodingRoundTripsWithThePositionalOffsets)
{
    for (const int32_t n : {0, 1, 6, 7, 54, 55, 219146})
        for (const int32_t arcseconds : {0, 1, 59, 60, 3599, 3600, 216000, 1295999}) {
            const std::string line = EncodePlutoEntry(n, arcseconds);
            ASSERT_EQ(line.size(), 4U);
            EXPECT_DOUBLE_EQ(DecodePlutoEntry(n, line), arcseconds / 3600.0) << n << " " << arcseconds;
        }
    // The same characters mean something else at another position in the file.
    const std::string line = EncodePlutoEntry(3, 100000);
    EXPECT_NE(DecodePlutoEntry(4, line), DecodePlutoEntry(3, line));
    // Characters beyond the fourth are ignored.
    EXPECT_DOUBLE_EQ(DecodePlutoEntry(3, line + "junk"), DecodePlutoEntry(3, line));
}

TEST(PlutoTableFormat, ElementZeroAndTheTableEdges)
{
    PlutoTable table;
    ASSERT_EQ(table.ReadFromText(SyntheticTable(250.0, 0.004, kPlutoTableLines)), "");
    EXPECT_EQ(table.strPlutoLines.size(), static_cast<size_t>(kPlutoTableLines));

    // Midnight at the start of 1 January 1600 is element 0 itself.
    EXPECT_DOUBLE_EQ(Degrees(table.PlutoLongitude(2305447.5)), table.PlutoTableEntry(0));
    EXPECT_DOUBLE_EQ(table.PlutoTableEntry(0), 250.0);
    EXPECT_EQ(table.PlutoLongitude(2305447.4), kPlutoBeforeTable);
    // 31 December 2199 interpolates towards the last element; 1 January 2200 lies beyond the table.
    const double lastDay = table.PlutoLongitude(2524593.25);
    const double before = table.PlutoTableEntry(219145);
    EXPECT_NEAR(Degrees(lastDay), before + 0.75 * (table.PlutoTableEntry(219146) - before), 1e-9);
    EXPECT_EQ(table.PlutoLongitude(2524593.5), kPlutoAfterTable);
    EXPECT_EQ(table.PlutoLongitude(2524594.5), kPlutoAfterTable);
    EXPECT_EQ(table.PlutoTableEntry(kPlutoTableLines), kPlutoAfterTable);
    EXPECT_EQ(table.PlutoTableEntry(-1), kPlutoAfterTable);
}

TEST(PlutoTableFormat, InterpolatesThroughZeroDegrees)
{
    std::string text(SyntheticTable(0.0, 0.0, kPlutoTableLines));
    // Elements 10 and 11: 359.5° and 0.4°.
    text.replace(10 * 5, 4, EncodePlutoEntry(10, 359 * 3600 + 1800));
    text.replace(11 * 5, 4, EncodePlutoEntry(11, 1440));
    PlutoTable table;
    ASSERT_EQ(table.ReadFromText(text), "");
    const double midnight = kPlutoFirstDay + 10 - 0.5;
    EXPECT_NEAR(Degrees(table.PlutoLongitude(midnight + 0.5)), 359.95, 1e-9);
    EXPECT_NEAR(Degrees(table.PlutoLongitude(midnight + 0.75)), 0.175, 1e-9);
    EXPECT_NEAR(Degrees(table.PlutoLongitude(midnight)), 359.5, 1e-9);

    // And the other way round (a body moving backwards through 0°).
    text.replace(10 * 5, 4, EncodePlutoEntry(10, 1440));
    text.replace(11 * 5, 4, EncodePlutoEntry(11, 359 * 3600 + 1800));
    ASSERT_EQ(table.ReadFromText(text), "");
    EXPECT_NEAR(Degrees(table.PlutoLongitude(midnight + 0.25)), 0.175, 1e-9);
    EXPECT_NEAR(Degrees(table.PlutoLongitude(midnight + 0.5)), 359.95, 1e-9);
}

TEST(PlutoTableFormat, BlankLinesAndBlanksAroundLinesDoNotCount)
{
    const std::string plain = SyntheticTable(100.0, 0.01, kPlutoTableLines);
    std::string spaced = "\n   \n";
    std::istringstream lines(plain);
    std::string line;
    int n = 0;
    while (std::getline(lines, line))
        spaced += (n++ % 1000 == 0 ? "  " + line + " \r\n\r\n\t\n" : line + "\n");
    PlutoTable a, b;
    ASSERT_EQ(a.ReadFromText(plain), "");
    ASSERT_EQ(b.ReadFromText(spaced), "");
    EXPECT_EQ(a.strPlutoLines, b.strPlutoLines);
}

TEST(PlutoTableFormat, ShortDamagedAndMissingTablesAreRefused)
{
    PlutoTable table;
    const std::string shortTable = SyntheticTable(100.0, 0.01, 1000);
    EXPECT_NE(table.ReadFromText(shortTable).find("1000"), std::string::npos);
    EXPECT_TRUE(table.empty());
    // Even a table with no more than its first element gives no position rather than a read outside it.
    EXPECT_EQ(table.PlutoLongitude(2305447.5), kPlutoAfterTable);

    std::string damaged = SyntheticTable(100.0, 0.01, kPlutoTableLines);
    damaged[500 * 5 + 1] = '~';  // seconds of arc beyond 59
    EXPECT_NE(table.ReadFromText(damaged).find("line 501."), std::string::npos);
    std::string cut = SyntheticTable(100.0, 0.01, kPlutoTableLines);
    cut.replace(7 * 5, 5, "ab\n");  // a line too short to decode
    EXPECT_NE(table.ReadFromText(cut).find("line 8."), std::string::npos);
    EXPECT_TRUE(table.empty());

    testing::TempFolder folder;
    EXPECT_FALSE(table.Read(folder.folder() + kPlutoTableFileName).empty());
    EXPECT_FALSE(table.Read(folder.Write(kPlutoTableFileName, "")).empty());
    EXPECT_EQ(table.Read(folder.Write(kPlutoTableFileName, SyntheticTable(1, 0.01, kPlutoTableLines))), "");
    EXPECT_FALSE(table.empty());
}

// The generated table agrees with Swiss Ephemeris asked directly, at midnights and between them.
TEST(GeneratedPlutoTable, AgreesWithTheEphemeris)
{
    PlutoTable table;
    ASSERT_EQ(table.Read(std::string(ORVANE_BIN_DIR) + "/" + kPlutoTableFileName), "");
    ASSERT_EQ(table.strPlutoLines.size(), static_cast<size_t>(kPlutoTableLines));
    swe_set_ephe_path("/usr/share/libswe/ephe");
    constexpr int32_t flags = SEFLG_SWIEPH | SEFLG_HELCTR | SEFLG_J2000 | SEFLG_NONUT | SEFLG_TRUEPOS |
                              SEFLG_NOABERR | SEFLG_NOGDEFL;
    double worstMidnight = 0.0;
    double worstBetween = 0.0;
    for (int32_t n = 0; n < kPlutoTableLines - 1; n += 997) {
        for (const double fraction : {0.0, 0.5}) {
            const double moment = kPlutoFirstDay + n - 0.5 + fraction;
            std::array<double, 6> xx{};
            char serr[AS_MAXCH];
            swe_calc_ut(moment, SE_PLUTO, flags, xx.data(), serr);
            double difference = std::fabs(Degrees(table.PlutoLongitude(moment)) - xx[0]) * 3600.0;
            if (difference > 648000.0)
                difference = 1296000.0 - difference;
            (fraction == 0.0 ? worstMidnight : worstBetween) =
                std::max(fraction == 0.0 ? worstMidnight : worstBetween, difference);
        }
    }
    EXPECT_LE(worstMidnight, 0.5);  // whole arcseconds
    EXPECT_LE(worstBetween, 0.6);   // plus the small curvature of a day's motion
}

}  // namespace
}  // namespace orvane::core
