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
    const std::string command = "swetest -edir/usr/share/libswe/ephe -j2378496.8613 -ut -n1000 -s219.1379 "
                                "-p0123456789 -fJlbs -head -g, " + flags + " 2>/dev/null";
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
        for (size_t i = 0; i < rows.size(); ++i) {
            const Row& row = rows[i];
            const GeoBody body = kGeoBodies[i % kNumGeoBodies];
            const std::optional<HelioState> state = GeoStateIn(body, row.moment, c.convention, true);
            ASSERT_TRUE(state) << row.moment;
            worstLongitude = std::max(worstLongitude, LongitudeGap(Degrees(state->longitude), row.longitude));
            worstLatitude = std::max(worstLatitude, std::fabs(Degrees(state->latitude) - row.latitude) * 3600.0);
            worstSpeed = std::max(worstSpeed, std::fabs(Degrees(state->longitudeSpeed) - row.speed));
            const std::optional<double> alone = GeoLongitudeIn(body, row.moment, c.convention);
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

}  // namespace
}  // namespace orvane::platform
