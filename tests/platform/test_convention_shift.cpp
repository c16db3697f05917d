// Positions outside the grid's convention asked in sequence come from the J2000 geometric position plus a
// shift read off nodes; these tests hold them to Swiss Ephemeris' own computation in the convention.

#include "platform/ephemeris.h"
#include "platform/nutation.h"

#include <swephexp.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <thread>
#include <utility>
#include <vector>

namespace orvane::platform {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kArcsecond = kPi / 180.0 / 3600.0;

constexpr std::array<int32_t, 10> kSwissBody{-1,         SE_MERCURY, SE_VENUS,   SE_EARTH,   SE_MARS,
                                             SE_JUPITER, SE_SATURN,  SE_URANUS,  SE_NEPTUNE, SE_PLUTO};
constexpr int32_t kEarth = 3;

// The conventions whose positions are read off nodes in sequence.
constexpr std::array<Convention, 2> kConventions{{{Frame::OfDate, PositionKind::Apparent},
                                                  {Frame::J2000, PositionKind::Apparent}}};

int32_t FlagsOf(Convention convention)
{
    int32_t flags = SEFLG_SWIEPH | SEFLG_HELCTR | SEFLG_NOABERR | SEFLG_NOGDEFL;
    if (convention.frame == Frame::J2000)
        flags |= SEFLG_J2000 | SEFLG_NONUT;
    if (convention.positions == PositionKind::Geometric)
        flags |= SEFLG_TRUEPOS;
    return flags;
}

std::array<double, 6> Calc(int32_t body, double momentUt, int32_t flags)
{
    const double tt = momentUt + swe_deltat_ex(momentUt, SEFLG_SWIEPH, nullptr);
    std::array<double, 6> xx{};
    char serr[AS_MAXCH];
    swe_calc(tt, body, flags, xx.data(), serr);
    return xx;
}

// Swiss Ephemeris' own longitude, latitude and distance (radians, AU) in the convention; for the Earth
// latitude and distance are the Earth–Moon barycentre's, as the layer gives them.
std::array<double, 3> Reference(int32_t planet, double moment, Convention convention)
{
    const int32_t flags = FlagsOf(convention) | SEFLG_RADIANS;
    const std::array<double, 6> polar = Calc(kSwissBody[static_cast<size_t>(planet)], moment, flags);
    if (planet != kEarth)
        return {polar[0], polar[1], polar[2]};
    const int32_t rectangular = FlagsOf(convention) | SEFLG_XYZ;
    std::array<double, 6> earth = Calc(SE_EARTH, moment, rectangular);
    const std::array<double, 6> moon = Calc(SE_MOON, moment, (rectangular & ~SEFLG_HELCTR) | SEFLG_TRUEPOS);
    for (size_t k = 0; k < 3; ++k)
        earth[k] += moon[k] / (1.0 + 81.30056907);
    const double r = std::sqrt(earth[0] * earth[0] + earth[1] * earth[1] + earth[2] * earth[2]);
    return {polar[0], std::asin(earth[2] / r), r};
}

// The rate of Δψ (radians a day), from Swiss Ephemeris' nutation either side of `moment`.
double NutationRate(double moment)
{
    constexpr double h = 0.01;
    const auto psi = [](double t) { return Calc(SE_ECL_NUT, t, SEFLG_SWIEPH)[2] * kPi / 180.0; };
    return (psi(moment + h) - psi(moment - h)) / (2 * h);
}

double LongitudeGap(double a, double b)
{
    return std::fabs(std::remainder(a - b, 2 * kPi)) / kArcsecond;
}

class ConventionShift : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDataFolder("/nonexistent-orvane-folder/");
        swe_set_ephe_path("/usr/share/libswe/ephe");
    }
};

struct Worst {
    double longitude = 0.0;  // arcseconds
    double latitude = 0.0;   // arcseconds
    double distance = 0.0;   // AU
};

// Walks `planet` in `convention` through 120 days from `start` in steps shorter than any node step, as a
// search does, and returns the greatest differences from Swiss Ephemeris' own values.
Worst WalkAgainstReference(int32_t planet, Convention convention, double start)
{
    Worst worst;
    for (int k = 0; k < 220; ++k) {
        const double moment = start + k * 0.5471;
        const std::array<double, 3> reference = Reference(planet, moment, convention);
        const double longitude = HelioLongitudeIn(planet, moment, convention).value();
        const HelioState state = HelioStateIn(planet, moment + 1e-3, convention, false).value();
        const std::array<double, 3> later = Reference(planet, moment + 1e-3, convention);
        worst.longitude = std::max({worst.longitude, LongitudeGap(longitude, reference[0]),
                                    LongitudeGap(state.longitude, later[0])});
        worst.latitude = std::max(worst.latitude, std::fabs(state.latitude - later[1]) / kArcsecond);
        worst.distance = std::max(worst.distance, std::fabs(state.distance - later[2]));
    }
    return worst;
}

// Over two thousand years, every body in both apparent conventions, walked in sequence: the positions stay within
// two thousandths of an arcsecond (and 2e-9 AU, 300 m) of Swiss Ephemeris' own.
TEST_F(ConventionShift, PositionsInSequenceEqualSwissEphemerisOverCenturies)
{
    const std::array<double, 7> starts{1721425.5, 2086507.3, 2305447.5, 2415020.5, 2460676.5, 2524593.5, 2780000.5};
    for (const Convention convention : kConventions)
        for (int32_t planet = 1; planet <= 9; ++planet) {
            Worst worst;
            for (const double start : starts) {
                const Worst window = WalkAgainstReference(planet, convention, start);
                worst = {std::max(worst.longitude, window.longitude), std::max(worst.latitude, window.latitude),
                         std::max(worst.distance, window.distance)};
            }
            EXPECT_LT(worst.longitude, 0.002) << "planet " << planet;
            EXPECT_LT(worst.latitude, 0.002) << "planet " << planet;
            EXPECT_LT(worst.distance, 2e-9) << "planet " << planet;
        }
}

// The rates in sequence are those Swiss Ephemeris gives for the moment itself: the same whether a moment
// is asked alone or in a search. (The Earth's state is always computed directly.)
TEST_F(ConventionShift, RatesInSequenceEqualSwissEphemerisRates)
{
    for (const Convention convention : kConventions)
        for (int32_t planet = 1; planet <= 9; ++planet) {
            if (planet == kEarth)
                continue;
            std::array<double, 3> worst{};
            for (int k = 0; k < 120; ++k) {
                const double moment = 2460676.5 + k * 0.7713;
                const HelioState state = HelioStateIn(planet, moment, convention, true).value();
                // The reference is the mean frame of date, whose latitudes nutation leaves as they are; the
                // longitude's rate adds that of Δψ.
                const int32_t flags = FlagsOf(convention) | SEFLG_RADIANS | SEFLG_SPEED | SEFLG_NONUT;
                const std::array<double, 6> reference = Calc(kSwissBody[static_cast<size_t>(planet)], moment, flags);
                // The distance's rate is taken in J2000 (see ephemeris.cpp).
                const std::array<double, 6> j2000 = Calc(kSwissBody[static_cast<size_t>(planet)], moment,
                                                         flags | SEFLG_J2000);
                const double nutationRate = convention.frame == Frame::J2000 ? 0.0 : NutationRate(moment);
                worst = {std::max(worst[0], std::fabs(state.longitudeSpeed - reference[3] - nutationRate)),
                         std::max(worst[1], std::fabs(state.latitudeSpeed - reference[4])),
                         std::max(worst[2], std::fabs(state.distanceSpeed - j2000[5]))};
            }
            EXPECT_LT(worst[0] / kArcsecond, 0.003) << "planet " << planet;
            EXPECT_LT(worst[1] / kArcsecond, 0.003) << "planet " << planet;
            EXPECT_LT(worst[2], 1e-9) << "planet " << planet;
        }
}

// Where a latitude rate of date passes zero: bisection on `rate` between `from` and `to`, which bracket it.
template <typename Rate>
double RootOf(const Rate& rate, double from, double to)
{
    const bool risingAtFrom = rate(from) >= 0.0;
    for (int k = 0; k < 50; ++k) {
        const double middle = (from + to) / 2;
        ((rate(middle) >= 0.0) == risingAtFrom ? from : to) = middle;
    }
    return (from + to) / 2;
}

// Latitude extremes of date are found where the rate of the latitude passes zero. The rates a search gets
// put them where Swiss Ephemeris' own latitude of date turns (its slope taken by differencing latitudes, to
// fourth order), while the rates of date Swiss Ephemeris gives with a position are off that slope by up to
// a thousandth of an arcsecond a day: extremes from those lay a second (Mercury) to days (Neptune) away.
TEST_F(ConventionShift, LatitudeExtremesOfDateLieWhereTheLatitudeTurns)
{
    struct Case {
        int32_t planet;
        double near;    // within a few days of the extreme (Julian date, UT)
        double window;  // days either side that bracket it
        double step;    // days between the latitudes differenced
        double within;  // seconds from the turn the search's extreme must lie within
        double beyond;  // … and the one from Swiss Ephemeris' rate beyond
    };
    const std::array<Case, 8> cases{{{1, 2478309.16, 1.0, 0.1, 0.2, 0.5},
                                     {2, 2486925.8, 2.0, 0.1, 0.2, 1.0},
                                     {4, 2460744.15, 2.0, 0.25, 5.0, 100.0},
                                     {5, 2479412.4, 8.0, 1.0, 5.0, 100.0},
                                     {6, 2455957.73, 16.0, 1.0, 5.0, 100.0},
                                     {7, 2469532.5, 20.0, 1.0, 5.0, 100.0},
                                     {8, 2467720.06, 40.0, 1.0, 5.0, 100.0},
                                     {9, 2483646.23, 40.0, 1.0, 5.0, 100.0}}};
    const Convention mainstream{Frame::OfDate, PositionKind::Apparent};
    const int32_t flags = FlagsOf(mainstream) | SEFLG_RADIANS | SEFLG_SPEED | SEFLG_NONUT;
    for (const Case& c : cases) {
        const int32_t body = kSwissBody[static_cast<size_t>(c.planet)];
        const double from = c.near - c.window;
        const double to = c.near + c.window;
        // A search samples the span before it refines, in steps shorter than the body's node step.
        for (double moment = from - 64.0; moment <= to + 64.0; moment += 2.0)
            HelioStateIn(c.planet, moment, mainstream, true).value();
        const double inSequence = RootOf(
            [&](double t) { return HelioStateIn(c.planet, t, mainstream, true).value().latitudeSpeed; }, from, to);
        const double own = RootOf([&](double t) { return Calc(body, t, flags)[4]; }, from, to);
        const auto latitude = [&](double t) { return Calc(body, t, flags)[1]; };
        const double h = c.step;
        const double turn = RootOf(
            [&](double t) {
                return 8 * (latitude(t + h / 2) - latitude(t - h / 2)) - (latitude(t + h) - latitude(t - h));
            },
            from, to);
        EXPECT_LT(std::fabs(inSequence - turn) * 86400, c.within) << "planet " << c.planet;
        EXPECT_GT(std::fabs(own - turn) * 86400, c.beyond) << "planet " << c.planet;
    }
}

// A moment asked alone (a chart's) is computed directly: Swiss Ephemeris' own position, not one read
// off nodes (which would stray by up to a thousandth of an arcsecond).
TEST_F(ConventionShift, LoneMomentsAreComputedDirectly)
{
    std::thread worker([] {
        for (const Convention convention : kConventions)
            for (int k = 0; k < 30; ++k) {
                const double moment = 2378496.5 + k * 7305.37;
                for (int32_t planet = 1; planet <= 9; ++planet) {
                    const std::array<double, 3> reference = Reference(planet, moment, convention);
                    const HelioState state = HelioStateIn(planet, moment, convention, false).value();
                    // The frame of date's longitude carries the nutation, which has its own rule (nutation.h).
                    if (convention.frame == Frame::J2000) {
                        EXPECT_LT(LongitudeGap(state.longitude, reference[0]), 1e-6) << planet << " at " << moment;
                    }
                    EXPECT_LT(std::fabs(state.latitude - reference[1]) / kArcsecond, 1e-6) << planet << " at " << moment;
                }
            }
    });
    worker.join();
}

// A search tells the layer the moments it is about to ask; from then on each of them is read off the same
// nodes in whatever order it comes, so that the moments it finds do not depend on the order of its work.
// Forgetting what was worked out puts a thread back where it started.
TEST_F(ConventionShift, PreparedMomentsDoNotDependOnTheOrderOfAsking)
{
    constexpr Convention kMainstream{Frame::OfDate, PositionKind::Apparent};
    constexpr double kFrom = 2460676.5;
    constexpr double kTo = kFrom + 300.0;
    std::vector<std::pair<double, int32_t>> asks;  // moment, planet
    for (int k = 0; k < 200; ++k)
        asks.emplace_back(kFrom + std::fmod(k * 77.123, kTo - kFrom), 1 + k % 9);
    enum class Before { Nothing, Prepare, PrepareAndForget };
    const auto ask = [&](Before before, bool ascending) {
        std::vector<std::pair<double, int32_t>> order = asks;
        if (ascending)
            std::sort(order.begin(), order.end());
        std::map<std::pair<double, int32_t>, std::array<double, 3>> values;
        std::thread worker([&] {
            std::vector<SequenceSpan> spans;
            for (int32_t planet = 1; planet <= 9; ++planet)
                spans.push_back({planet, kFrom, kTo});
            if (before != Before::Nothing)
                PrepareSequence(spans, kMainstream);
            if (before == Before::PrepareAndForget)
                ForgetSequence();
            for (const auto& [moment, planet] : order) {
                const HelioState state = HelioStateIn(planet, moment, kMainstream, true).value();
                values[{moment, planet}] = {HelioLongitudeIn(planet, moment, kMainstream).value(), state.latitude,
                                            state.latitudeSpeed};
            }
        });
        worker.join();
        return values;
    };
    const auto prepared = ask(Before::Prepare, false);
    EXPECT_EQ(prepared, ask(Before::Prepare, true));
    const auto alone = ask(Before::Nothing, false);
    EXPECT_NE(prepared, alone);  // asked alone, the scattered moments are computed directly
    EXPECT_EQ(alone, ask(Before::PrepareAndForget, false));
}

// Δψ, which the frame of date adds to every longitude, against Swiss Ephemeris' own (SE_ECL_NUT, at the
// moment in UT): over years 1–2900 a lone moment's is the same to 1e-8″, and moments asked in sequence,
// read off the daily values, stray from it by under 0.0007″.
TEST_F(ConventionShift, NutationInLongitudeEqualsSwissEphemeris)
{
    const auto swissNutation = [](double moment) {
        std::array<double, 6> xx{};
        char serr[AS_MAXCH];
        swe_calc_ut(moment, SE_ECL_NUT, SEFLG_SWIEPH, xx.data(), serr);
        return xx[2] * kPi / 180.0;
    };
    const auto gap = [&](double moment, bool withRate) {
        return std::fabs(NutationInLongitude(moment, withRate).longitude - swissNutation(moment)) /
               kArcsecond;
    };
    std::thread worker([&] {
        // Each moment 1237.31 days after the last one: alone every time.
        double lone = 0.0;
        for (double moment = 1721425.5; moment < 2780000.0; moment += 1237.31)
            lone = std::max(lone, gap(moment, false));
        EXPECT_LT(lone, 1e-8);
        double inSequence = 0.0;
        for (const double start : {1721425.5, 2451544.5, 2780000.5})
            for (int k = 0; k < 250; ++k)
                inSequence = std::max({inSequence, gap(start + k * 0.2371, false), gap(start + k * 0.2371, true)});
        EXPECT_LT(inSequence, 0.0007);
        EXPECT_GT(inSequence, 1e-6);  // read off the daily values, not worked out anew
        swe_close();  // the state Swiss Ephemeris keeps for this thread, asked directly here
    });
    worker.join();
}

}  // namespace
}  // namespace orvane::platform
