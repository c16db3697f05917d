#include "platform/ephemeris.h"

#include "platform/convention_shift.h"
#include "platform/mean_frame.h"
#include "platform/nutation.h"
#include "platform/swiss_calls.h"

#include <array>
#include <cmath>
#include <string>

namespace orvane::platform {
namespace {

constexpr const char* kSystemEphemerisFolder = "/usr/share/libswe/ephe";

constexpr int32_t kFlags = SEFLG_SWIEPH | SEFLG_HELCTR | SEFLG_J2000 | SEFLG_NONUT | SEFLG_TRUEPOS |
                           SEFLG_NOABERR | SEFLG_NOGDEFL | SEFLG_RADIANS;

// The flags of a convention. The frame of date drops SEFLG_J2000 and SEFLG_NONUT (true ecliptic and
// equinox of date); apparent positions drop SEFLG_TRUEPOS, so that the body is taken where it was when
// the light now reaching the Sun left it. Aberration and light deflection have no meaning for an observer
// at the Sun and stay off (Swiss Ephemeris applies neither to heliocentric positions).
constexpr int32_t FlagsOf(Convention convention)
{
    int32_t flags = SEFLG_SWIEPH | SEFLG_HELCTR | SEFLG_NOABERR | SEFLG_NOGDEFL | SEFLG_RADIANS;
    if (convention.frame == Frame::J2000)
        flags |= SEFLG_J2000 | SEFLG_NONUT;
    if (convention.positions == PositionKind::Geometric)
        flags |= SEFLG_TRUEPOS;
    return flags;
}
static_assert(FlagsOf(Convention{}) == kFlags);

// The Earth–Moon mass ratio of the JPL ephemerides Swiss Ephemeris is compressed from (DE431).
constexpr double kEarthMoonMassRatio = 81.30056907;

// Swiss Ephemeris body numbers, indexed by the ephemeris layer's planet number 1 … 9.
constexpr std::array<int32_t, 10> kSwissBody{-1,         SE_MERCURY, SE_VENUS,   SE_EARTH,   SE_MARS,
                                             SE_JUPITER, SE_SATURN,  SE_URANUS,  SE_NEPTUNE, SE_PLUTO};
constexpr int32_t kMercuryPlanet = 1;
constexpr int32_t kEarthPlanet = 3;

constexpr double kTwoPi = 6.28318530717958647692;

// std::fmod(x + 4π, 2π) bit for bit for any x within ±4π, at a fraction of its cost: each subtraction is
// exact, as fmod's result is.
double WithinTurn(double x)
{
    double y = x + 2 * kTwoPi;
    if (y >= 2 * kTwoPi)
        y -= 2 * kTwoPi;
    if (y >= kTwoPi)
        y -= kTwoPi;
    return y >= kTwoPi ? y - kTwoPi : y;
}

using swiss::CalcUt;
using swiss::ReportFallbackOnce;

// Polar coordinates of `body` in `convention` (Swiss Ephemeris' SEFLG_RADIANS order), as swe_calc_ut
// gives them. In the frame of date the body is taken in the mean ecliptic and equinox of date and moved by
// the nutation in longitude, which costs less than Swiss Ephemeris' own nutation at every moment. Returns
// swe_calc's flags.
int32_t PolarIn(double moment, int32_t body, Convention convention, bool withSpeed, swiss::Values& xx,
                swiss::ErrorText& serr)
{
    const int32_t speed = withSpeed ? SEFLG_SPEED : 0;
    if (convention.frame == Frame::J2000)
        return CalcUt(moment, body, xx, serr, FlagsOf(convention) | speed);
    const int32_t result = CalcUt(moment, body, xx, serr, FlagsOf(convention) | SEFLG_NONUT | speed);
    if (result < 0)
        return result;
    const Nutation nutation = NutationInLongitude(moment, withSpeed);
    xx[0] = std::fmod(xx[0] + nutation.longitude + kTwoPi, kTwoPi);
    xx[3] += nutation.rate;
    return result;
}

// Latitude, distance and their rates from a position and velocity in rectangular ecliptic coordinates.
void FromRectangular(const std::array<double, 6>& x, HelioState& state)
{
    const double r = std::sqrt(x[0] * x[0] + x[1] * x[1] + x[2] * x[2]);
    const double rho2 = x[0] * x[0] + x[1] * x[1];
    state.distance = r;
    state.latitude = std::asin(x[2] / r);
    state.distanceSpeed = (x[0] * x[3] + x[1] * x[4] + x[2] * x[5]) / r;
    // d/dt asin(z/r) = (ż·r − z·ṙ) / (r² · cos β), and r·cos β = √(x² + y²).
    state.latitudeSpeed = (x[5] * r - x[2] * state.distanceSpeed) / (r * std::sqrt(rho2));
}

// The Earth–Moon barycentre's latitude and distance: the heliocentric Earth plus the geocentric Moon
// scaled by the Moon's share of their mass, both in the convention's frame (the Moon geometric: its
// light-time of about a second moves the barycentre by metres). Nutation leaves latitudes and distances
// as they are, so the frame of date is taken with the mean equinox.
bool BarycentreOfEarth(double moment, Convention convention, HelioState& state)
{
    const int32_t rectangular = (FlagsOf(convention) & ~SEFLG_RADIANS) | SEFLG_NONUT | SEFLG_XYZ | SEFLG_SPEED;
    swiss::Values earth{};
    swiss::Values moon{};
    swiss::ErrorText serr;
    serr[0] = '\0';
    if (CalcUt(moment, SE_EARTH, earth, serr, rectangular) < 0)
        return false;
    if (CalcUt(moment, SE_MOON, moon, serr, (rectangular & ~SEFLG_HELCTR) | SEFLG_TRUEPOS) < 0)
        return false;
    for (size_t k = 0; k < earth.size(); ++k)
        earth[k] += moon[k] / (1.0 + kEarthMoonMassRatio);
    FromRectangular(earth, state);
    return true;
}

// The polar coordinates of `planet` in `convention` as Swiss Ephemeris computes them at `moment` (see
// PolarIn), saying once when it had to fall back to the analytic ephemeris.
std::optional<swiss::Values> DirectPolar(int32_t planet, double moment, Convention convention, bool withSpeed)
{
    swiss::Values xx{};
    swiss::ErrorText serr;
    serr[0] = '\0';
    const int32_t result = PolarIn(moment, kSwissBody[static_cast<size_t>(planet)], convention, withSpeed, xx, serr);
    if (result < 0)
        return std::nullopt;
    if ((result & SEFLG_SWIEPH) == 0)
        ReportFallbackOnce(serr.data());
    return xx;
}

// The state of `planet` in `convention` as Swiss Ephemeris computes it at `moment`.
std::optional<HelioState> DirectState(int32_t planet, double moment, Convention convention, bool withSpeed)
{
    const std::optional<swiss::Values> polar = DirectPolar(planet, moment, convention, withSpeed);
    if (!polar)
        return std::nullopt;
    swiss::Values xx = *polar;
    swiss::ErrorText serr;
    serr[0] = '\0';
    HelioState state{xx[0], xx[1], xx[2], xx[3], xx[4], xx[5]};
    // The distance does not depend on the frame, but Swiss Ephemeris' rate of it in the frame of date
    // carries a noise of some 1e-10 AU a day from the rotation into that frame, which moves the flat
    // extremes of the outer planets by up to two hours: distance and rate come from the J2000 frame.
    if (withSpeed && convention.frame == Frame::OfDate && planet != kEarthPlanet) {
        const int32_t j2000 = FlagsOf({Frame::J2000, convention.positions}) | SEFLG_SPEED;
        if (CalcUt(moment, kSwissBody[static_cast<size_t>(planet)], xx, serr, j2000) < 0)
            return std::nullopt;
        state.distance = xx[2];
        state.distanceSpeed = xx[5];
    }
    if (planet == kEarthPlanet && !BarycentreOfEarth(moment, convention, state))
        return std::nullopt;
    if (!withSpeed)
        state.longitudeSpeed = state.latitudeSpeed = state.distanceSpeed = 0.0;
    return state;
}

// The nutation in longitude the convention's frame adds (none for J2000).
Nutation NutationOf(double moment, Convention convention, bool withRate)
{
    if (convention.frame == Frame::J2000)
        return Nutation{};
    return NutationInLongitude(moment, withRate);
}

// The body's own J2000 position (longitude, latitude, distance, with rates when `withSpeed`), geometric or
// apparent as `positions` says; nothing when the ephemeris fails.
std::optional<HelioState> J2000State(int32_t planet, double moment, PositionKind positions, bool withSpeed)
{
    swiss::Values xx{};
    swiss::ErrorText serr;
    serr[0] = '\0';
    const int32_t flags = FlagsOf({Frame::J2000, positions}) | (withSpeed ? SEFLG_SPEED : 0);
    const int32_t result = CalcUt(moment, kSwissBody[static_cast<size_t>(planet)], xx, serr, flags);
    if (result < 0)
        return std::nullopt;
    if ((result & SEFLG_SWIEPH) == 0)
        ReportFallbackOnce(serr.data());
    return HelioState{xx[0], xx[1], xx[2], xx[3], xx[4], xx[5]};
}

// Light's speed in AU a day, from the metre values of c and the astronomical unit the ephemeris uses.
constexpr double kLightAuPerDay = 299792458.0 * 86400.0 / 149597870700.0;
// The Sun's GM in AU³/day² (Gauss' constant squared).
constexpr double kSunGm = 0.01720209895 * 0.01720209895;

using Vector6 = std::array<double, 6>;

// Longitude, latitude, distance and their rates from a rectangular position and velocity.
Vector6 PolarOf(const Vector6& x)
{
    const double rho2 = x[0] * x[0] + x[1] * x[1];
    const double r = std::sqrt(rho2 + x[2] * x[2]);
    const double rho = std::sqrt(rho2);
    const double rate = (x[0] * x[3] + x[1] * x[4] + x[2] * x[5]) / r;
    return {std::atan2(x[1], x[0]), std::atan2(x[2], rho), r, (x[0] * x[4] - x[1] * x[3]) / rho2,
            (x[5] * r - x[2] * rate) / (r * rho), rate};
}

// Mercury's light-time shift worked out from its geometric state, the way Swiss Ephemeris defines it: the
// body taken from the barycentre at t − τ, where τ is its barycentric distance over c (two rounds of the
// straight-line guess), less the Sun at t. Its motion back over τ (about three minutes) follows its
// velocity and the Sun's pull to third order; the planets' pulls on it are a few millionths of the Sun's.
// Equal to Swiss Ephemeris' apparent less geometric position within 0.00004″ and its rates within
// 0.00003″ a day and 7e-11 AU a day (years 1–2900), for two of the ephemeris' cheaper computations
// instead of its light-time iteration.
std::optional<LightTimeShift> MercuryLightTimeOf(double moment)
{
    constexpr int32_t rectangular = (FlagsOf({Frame::J2000, PositionKind::Geometric}) & ~SEFLG_RADIANS) |
                                    SEFLG_XYZ | SEFLG_SPEED;
    swiss::Values x{};
    swiss::Values sun{};
    swiss::ErrorText serr;
    serr[0] = '\0';
    const int32_t result = CalcUt(moment, SE_MERCURY, x, serr, rectangular);
    if (result < 0 || CalcUt(moment, SE_SUN, sun, serr, (rectangular & ~SEFLG_HELCTR) | SEFLG_BARYCTR) < 0)
        return std::nullopt;
    if ((result & SEFLG_SWIEPH) == 0)
        ReportFallbackOnce(serr.data());
    const double r2 = x[0] * x[0] + x[1] * x[1] + x[2] * x[2];
    const double r3 = r2 * std::sqrt(r2);
    const double radialRate = (x[0] * x[3] + x[1] * x[4] + x[2] * x[5]) / r2;
    std::array<double, 3> velocity{};  // barycentric
    std::array<double, 3> guess{};
    for (size_t i = 0; i < 3; ++i)
        velocity[i] = x[i + 3] + sun[i + 3];
    double tau = 0.0;
    for (size_t i = 0; i < 3; ++i)
        tau += (x[i] + sun[i]) * (x[i] + sun[i]);
    tau = std::sqrt(tau) / kLightAuPerDay;
    for (size_t i = 0; i < 3; ++i)
        guess[i] = x[i] + sun[i] - tau * velocity[i];
    tau = std::sqrt(guess[0] * guess[0] + guess[1] * guess[1] + guess[2] * guess[2]) / kLightAuPerDay;
    Vector6 apparent{};
    for (size_t i = 0; i < 3; ++i) {
        const double pull = -kSunGm * x[i] / r3;
        const double pullRate = -kSunGm * (x[i + 3] - 3.0 * x[i] * radialRate) / r3;
        apparent[i] = x[i] - tau * velocity[i] + tau * tau / 2 * pull - tau * tau * tau / 6 * pullRate;
        apparent[i + 3] = x[i + 3] - tau * pull + tau * tau / 2 * pullRate;
    }
    const Vector6 a = PolarOf(apparent);
    const Vector6 g = PolarOf({x[0], x[1], x[2], x[3], x[4], x[5]});
    return LightTimeShift{std::remainder(a[0] - g[0], kTwoPi), a[1] - g[1], a[2] - g[2], a[3] - g[3], a[4] - g[4],
                          a[5] - g[5]};
}

// The light-time shift of `planet` at `moment` and the difference of the rates, worked out directly: a node
// of their cubics. Only Mercury's, the most frequent nodes, come from its geometric state: the others'
// motion back over their light-time feels the planets' pulls enough to move flat apsides (Jupiter's on
// Saturn changes Saturn's apparent distance rate by 1e-9 AU a day, 100 s at its perihelion of 2003; Venus'
// apsides moved by up to 2 s), and the Earth's light-time Swiss Ephemeris works out otherwise (0.2″ off
// the model). Theirs take its apparent and geometric computations.
std::optional<LightTimeShift> DirectLightTimeOf(int32_t planet, double moment)
{
    if (planet == kMercuryPlanet)
        return MercuryLightTimeOf(moment);
    const auto apparent = J2000State(planet, moment, PositionKind::Apparent, true);
    const auto geometric = J2000State(planet, moment, PositionKind::Geometric, true);
    if (!apparent || !geometric)
        return std::nullopt;
    return LightTimeShift{std::remainder(apparent->longitude - geometric->longitude, kTwoPi),
                          apparent->latitude - geometric->latitude,
                          apparent->distance - geometric->distance,
                          apparent->longitudeSpeed - geometric->longitudeSpeed,
                          apparent->latitudeSpeed - geometric->latitudeSpeed,
                          apparent->distanceSpeed - geometric->distanceSpeed};
}

// The state in `convention` for a moment asked in sequence: the J2000 geometric position, shifted by the
// light-time read off its nodes, turned into the mean frame of date and moved by the nutation (unless
// `withNutation` is false). For the Earth the latitude and distance are its own, not the barycentre's.
std::optional<HelioState> SequenceState(int32_t planet, double moment, Convention convention, bool withSpeed,
                                        bool withNutation = true)
{
    auto state = J2000State(planet, moment, PositionKind::Geometric, withSpeed);
    if (!state)
        return std::nullopt;
    if (convention.positions == PositionKind::Apparent) {
        const auto shift = LightTimeInSequence(planet, moment, withSpeed, DirectLightTimeOf);
        if (!shift)
            return std::nullopt;
        state->longitude += shift->longitude;
        state->latitude += shift->latitude;
        state->distance += shift->distance;
        state->longitudeSpeed += shift->longitudeSpeed;
        state->latitudeSpeed += shift->latitudeSpeed;
        state->distanceSpeed += shift->distanceSpeed;
    }
    if (convention.frame == Frame::OfDate) {
        const auto turn = TurnToMeanOfDate(moment, withSpeed);
        if (!turn)
            return std::nullopt;
        const Nutation nutation = withNutation ? NutationOf(moment, convention, withSpeed) : Nutation{};
        Turn(*turn, *state, withSpeed);
        state->longitude += nutation.longitude;
        state->longitudeSpeed += nutation.rate;
    }
    state->longitude = WithinTurn(state->longitude);
    if (!withSpeed)
        state->longitudeSpeed = state->latitudeSpeed = state->distanceSpeed = 0.0;
    return state;
}

// A node of a body's whole longitude: its state in sequence, without the nutation.
std::optional<double> WholeLongitudeNode(int32_t planet, double moment, Convention convention)
{
    const auto state = SequenceState(planet, moment, convention, false, false);
    return state ? std::optional<double>(state->longitude) : std::nullopt;
}

// The longitude in `convention` for a moment asked in sequence.
std::optional<double> LongitudeInSequence(int32_t planet, double moment, Convention convention)
{
    if (const auto whole = WholeLongitudeInSequence(planet, moment, convention, WholeLongitudeNode))
        return WithinTurn(*whole + NutationOf(moment, convention, false).longitude);
    const auto state = SequenceState(planet, moment, convention, false);
    return state ? std::optional<double>(state->longitude) : std::nullopt;
}

}  // namespace

int32_t SetDataFolder(const char* folder)
{
    std::string path = folder != nullptr ? folder : "";
    // The program hands over its folder with a trailing separator, possibly a Windows-style one.
    while (!path.empty() && (path.back() == '/' || path.back() == '\\'))
        path.pop_back();
    swiss::SetSearchPath(path.empty() ? std::string(kSystemEphemerisFolder) : path + ":" + kSystemEphemerisFolder);
    return 0;
}

std::optional<HelioPosition> HelioJ2000Position(int32_t planet, double moment)
{
    if (planet < 1 || planet > 8)
        return std::nullopt;
    swiss::ApplyFolderToThisThread();

    swiss::Values xx{};
    // Only a message Swiss Ephemeris writes is read; the buffer needs no clearing beyond its first byte.
    swiss::ErrorText serr;
    serr[0] = '\0';
    const int32_t result = CalcUt(moment, kSwissBody[static_cast<size_t>(planet)], xx, serr, kFlags);
    if (result < 0)
        return std::nullopt;
    if ((result & SEFLG_SWIEPH) == 0)
        ReportFallbackOnce(serr.data());
    return HelioPosition{xx[0], xx[2]};
}

std::optional<HelioState> HelioStateIn(int32_t planet, double moment, Convention convention, bool withSpeed)
{
    if (planet < 1 || planet > 9)
        return std::nullopt;
    swiss::ApplyFolderToThisThread();
    // The Earth's latitude and distance are the barycentre's, whose light-time shift carries the Earth's
    // monthly swing about it, too fast for the nodes: the Earth's state is always computed directly. Rates
    // of date in sequence are the J2000 rates turned along with the turn's own rate; Swiss Ephemeris' own
    // are up to 0.001″ a day off the slope of its latitudes, which moved flat extremes by hours to days.
    if (planet != kEarthPlanet && AskedInSequence(planet, moment, convention))
        if (auto state = SequenceState(planet, moment, convention, withSpeed))
            return state;
    return DirectState(planet, moment, convention, withSpeed);
}

std::optional<double> HelioLongitudeIn(int32_t planet, double moment, Convention convention)
{
    if (planet < 1 || planet > 9)
        return std::nullopt;
    swiss::ApplyFolderToThisThread();
    if (AskedInSequence(planet, moment, convention))
        if (const auto longitude = LongitudeInSequence(planet, moment, convention))
            return longitude;
    const std::optional<swiss::Values> polar = DirectPolar(planet, moment, convention, false);
    if (!polar)
        return std::nullopt;
    return (*polar)[0];
}

void PrepareSequence(std::span<const SequenceSpan> spans, Convention convention)
{
    // Positions read off nodes in sequence are the apparent ones (see AskedInSequence).
    if (convention.positions == PositionKind::Geometric)
        return;
    swiss::ApplyFolderToThisThread();
    PrepareInSequence(spans, convention, DirectLightTimeOf, WholeLongitudeNode);
}

void ForgetSequence()
{
    ForgetShiftsInSequence();
    ForgetTurnNodes();
    ForgetNutationInSequence();
}

bool EphemerisFellBackToAnalytic()
{
    return swiss::FellBack();
}

}  // namespace orvane::platform
