#include "platform/geocentric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace orvane::platform {
namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;
constexpr double kArcsecond = kDegree / 3600.0;

constexpr double kFirstMoment = 2378496.8613;  // 1800-01-01T08:40Z
constexpr double kStepDays = 219.1379;

// One line of swetest's table: the moment (UT), the body's longitude, latitude and speed in degrees.
struct Row {
    double moment = 0.0;
    double longitude = 0.0;
    double latitude = 0.0;
    double speed = 0.0;
};

// Debian's swetest over the same data files for 1,000 moments spread over 1800 … 2400 at changing times of
// day, Sun, Moon and Mercury … Pluto at each, with `flags` for the convention. Empty when it cannot run.
std::vector<Row> Swetest(const std::string& flags)
{
    char moments[64];
    std::snprintf(moments, sizeof moments, "-j%.4f -ut -n1000 -s%.4f", kFirstMoment, kStepDays);
    const std::string command = std::string("swetest -edir/usr/share/libswe/ephe ") + moments +
                                " -p0123456789 -fJlbs -head -g, " + flags + " 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::vector<Row> rows;
    if (!pipe)
        return rows;
    char line[256];
    while (std::fgets(line, sizeof line, pipe.get()) != nullptr) {
        Row row;
        if (std::sscanf(line, "%lf,%lf,%lf,%lf", &row.moment, &row.longitude, &row.latitude, &row.speed) == 4)
            rows.push_back(row);
    }
    return rows;
}

double Degrees(double radians)
{
    return radians / kDegree;
}

double LongitudeGap(double a, double b)
{
    const double d = std::fabs(std::remainder(a - b, 360.0));
    return d * 3600.0;
}

// Each convention as swetest's flags name it: the view's usual apparent positions of date, geometric
// ones (no light-time, aberration or deflection), and both in the J2000 frame.
TEST(Geocentric, EqualsSwetestInEveryConvention)
{
    if (std::system("command -v swetest > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "swetest (Debian's libswe-dev / swe-basic-data) is not installed";
    SetDataFolder("");
    const struct {
        const char* flags;
        Convention convention;
    } cases[] = {{"", kGeocentricDefault},
                 {"-true", {Frame::OfDate, PositionKind::Geometric}},
                 {"-j2000", {Frame::J2000, PositionKind::Apparent}},
                 {"-j2000 -true", {Frame::J2000, PositionKind::Geometric}}};
    for (const auto& c : cases) {
        const std::vector<Row> rows = Swetest(c.flags);
        ASSERT_EQ(rows.size(), 1000u * kNumGeoBodies) << c.flags;
        double worstLongitude = 0.0, worstLatitude = 0.0, worstSpeed = 0.0;
        // swetest adds the step to the moment as it goes: the same rounding here (its printed moment has
        // five decimals only, which moves the Moon by up to 0.2″).
        double moment = kFirstMoment;
        for (size_t i = 0; i < rows.size(); ++i) {
            const Row& row = rows[i];
            if (i > 0 && i % kNumGeoBodies == 0)
                moment += kStepDays;
            ASSERT_NEAR(row.moment, moment, 1e-5);
            const GeoBody body = kGeoBodies[i % kNumGeoBodies];
            const std::optional<HelioState> state = GeoStateIn(body, moment, c.convention, true);
            ASSERT_TRUE(state) << moment;
            worstLongitude = std::max(worstLongitude, LongitudeGap(Degrees(state->longitude), row.longitude));
            worstLatitude = std::max(worstLatitude, std::fabs(Degrees(state->latitude) - row.latitude) * 3600.0);
            worstSpeed = std::max(worstSpeed, std::fabs(Degrees(state->longitudeSpeed) - row.speed));
            const std::optional<double> alone = GeoLongitudeIn(body, moment, c.convention);
            ASSERT_TRUE(alone);
            EXPECT_NEAR(*alone, state->longitude, 0.001 * kArcsecond);
        }
        EXPECT_LE(worstLongitude, 0.001) << c.flags;
        EXPECT_LE(worstLatitude, 0.001) << c.flags;
        EXPECT_LE(worstSpeed, 1e-6) << c.flags;
        std::printf("swetest %-12s worst: longitude %.5f\", latitude %.5f\", speed %.2e°/day\n", c.flags,
                    worstLongitude, worstLatitude, worstSpeed);
    }
}

// The Ascendant and Midheaven of a place in each hemisphere and near the polar circle, every 20 years
// from 1800 to 2400, against swetest's house routine for the same places and moments.
TEST(Geocentric, AnglesEqualSwetest)
{
    if (std::system("command -v swetest > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "swetest (Debian's libswe-dev / swe-basic-data) is not installed";
    SetDataFolder("");
    for (const auto& [longitude, latitude] : {std::pair(16.37, 48.21), std::pair(-58.38, -34.6), std::pair(25.7, 66.5)}) {
        char command[256];
        std::snprintf(command, sizeof command,
                      "swetest -edir/usr/share/libswe/ephe -j%.4f -ut -n30 -s7305.123 -p -house%g,%g,O "
                      "-fPl -head 2>/dev/null",
                      kFirstMoment, longitude, latitude);
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command, "r"), pclose);
        ASSERT_TRUE(pipe);
        char line[256];
        int step = 0;
        double asc = -1.0;
        double moment = kFirstMoment;
        while (std::fgets(line, sizeof line, pipe.get()) != nullptr) {
            double value = 0.0;
            if (std::sscanf(line, "Ascendant %lf", &value) == 1) {
                asc = value;
            } else if (std::sscanf(line, "MC %lf", &value) == 1) {
                const std::optional<Angles> angles = AnglesAt(moment, latitude, longitude);
                moment += 7305.123;
                ++step;
                ASSERT_TRUE(angles);
                EXPECT_LE(LongitudeGap(Degrees(angles->ascendant), asc), 0.001) << step;
                EXPECT_LE(LongitudeGap(Degrees(angles->midheaven), value), 0.001) << step;
            }
        }
        EXPECT_EQ(step, 30) << latitude;
    }
}

}  // namespace
}  // namespace orvane::platform
