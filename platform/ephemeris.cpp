#include "platform/ephemeris.h"

#include <swephexp.h>

#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <mutex>
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

// The flags that name an ephemeris (JPL files, Swiss Ephemeris files, the analytic ephemeris).
constexpr int32_t kEphemerisMask = SEFLG_JPLEPH | SEFLG_SWIEPH | SEFLG_MOSEPH;

// Swiss Ephemeris body numbers, indexed by the ephemeris layer's planet number 1 … 9.
constexpr std::array<int32_t, 10> kSwissBody{-1,         SE_MERCURY, SE_VENUS,   SE_EARTH,   SE_MARS,
                                             SE_JUPITER, SE_SATURN,  SE_URANUS,  SE_NEPTUNE, SE_PLUTO};
constexpr int32_t kEarthPlanet = 3;

// The folder setting is process-wide; Swiss Ephemeris keeps its state per thread, so each thread applies
// the setting (again) when the generation it last applied is out of date.
std::mutex g_folderMutex;
std::string g_searchPath = kSystemEphemerisFolder;
std::atomic<unsigned> g_folderGeneration{1};
std::atomic<bool> g_fellBack{false};

struct ThreadEphemeris {
    unsigned appliedGeneration = 0;
    ~ThreadEphemeris()
    {
        if (appliedGeneration != 0)
            swe_close();
    }
};
thread_local ThreadEphemeris t_ephemeris;

void ApplyFolderToThisThread()
{
    const unsigned generation = g_folderGeneration.load(std::memory_order_acquire);
    if (t_ephemeris.appliedGeneration == generation)
        return;
    std::string path;
    {
        std::lock_guard lock(g_folderMutex);
        path = g_searchPath;
    }
    swe_set_ephe_path(path.c_str());
    t_ephemeris.appliedGeneration = generation;
}

void ReportFallbackOnce(const char* warning)
{
    if (g_fellBack.exchange(true))
        return;
    std::string path;
    {
        std::lock_guard lock(g_folderMutex);
        path = g_searchPath;
    }
    std::fprintf(stderr,
                 "orvane: Swiss Ephemeris data files not found (searched %s); using the built-in analytic "
                 "ephemeris, which is less accurate.%s%s\n",
                 path.c_str(), warning[0] != '\0' ? " " : "", warning);
}

// ΔT (TT − UT) of the last moment asked for, per thread: the bodies of one moment share it. Keyed by the
// ephemeris it was computed for, as ΔT's tidal term depends on it.
struct DeltaTMemo {
    double moment = 0.0;
    int32_t ephemeris = -1;
    double deltaT = 0.0;
};
thread_local DeltaTMemo t_deltaT;

double DeltaT(double momentUt, int32_t ephemeris)
{
    if (t_deltaT.ephemeris != ephemeris || t_deltaT.moment != momentUt) {
        t_deltaT.deltaT = swe_deltat_ex(momentUt, ephemeris, nullptr);
        t_deltaT.moment = momentUt;
        t_deltaT.ephemeris = ephemeris;
    }
    return t_deltaT.deltaT;
}

// swe_calc_ut with ΔT remembered between calls for the same moment: the same steps as Swiss Ephemeris
// takes (ΔT for the ephemeris asked for, and again for the one that answered when that differs).
int32_t CalcUt(double momentUt, int32_t body, std::array<double, 6>& xx, std::array<char, AS_MAXCH>& serr,
               int32_t flags = kFlags)
{
    const int32_t wanted = flags & kEphemerisMask;
    int32_t result = swe_calc(momentUt + DeltaT(momentUt, wanted), body, flags, xx.data(), serr.data());
    if (result >= 0 && (result & kEphemerisMask) != wanted)
        result = swe_calc(momentUt + DeltaT(momentUt, result & kEphemerisMask), body, flags, xx.data(), nullptr);
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
// light-time of about a second moves the barycentre by metres).
bool BarycentreOfEarth(double moment, int32_t flags, HelioState& state)
{
    const int32_t rectangular = (flags & ~SEFLG_RADIANS) | SEFLG_XYZ | SEFLG_SPEED;
    std::array<double, 6> earth{};
    std::array<double, 6> moon{};
    std::array<char, AS_MAXCH> serr;
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

}  // namespace

int32_t SetDataFolder(const char* folder)
{
    std::string path = folder != nullptr ? folder : "";
    // The program hands over its folder with a trailing separator, possibly a Windows-style one.
    while (!path.empty() && (path.back() == '/' || path.back() == '\\'))
        path.pop_back();
    {
        std::lock_guard lock(g_folderMutex);
        g_searchPath = path.empty() ? std::string(kSystemEphemerisFolder)
                                    : path + ":" + kSystemEphemerisFolder;
    }
    g_folderGeneration.fetch_add(1, std::memory_order_acq_rel);
    return 0;
}

std::optional<HelioPosition> HelioJ2000Position(int32_t planet, double moment)
{
    if (planet < 1 || planet > 8)
        return std::nullopt;
    ApplyFolderToThisThread();

    std::array<double, 6> xx{};
    // Only a message Swiss Ephemeris writes is read; the buffer needs no clearing beyond its first byte.
    std::array<char, AS_MAXCH> serr;
    serr[0] = '\0';
    const int32_t result = CalcUt(moment, kSwissBody[static_cast<size_t>(planet)], xx, serr);
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
    ApplyFolderToThisThread();

    const int32_t flags = FlagsOf(convention) | (withSpeed ? SEFLG_SPEED : 0);
    std::array<double, 6> xx{};
    std::array<char, AS_MAXCH> serr;
    serr[0] = '\0';
    const int32_t result = CalcUt(moment, kSwissBody[static_cast<size_t>(planet)], xx, serr, flags);
    if (result < 0)
        return std::nullopt;
    if ((result & SEFLG_SWIEPH) == 0)
        ReportFallbackOnce(serr.data());
    HelioState state{xx[0], xx[1], xx[2], xx[3], xx[4], xx[5]};
    if (planet == kEarthPlanet && !BarycentreOfEarth(moment, flags, state))
        return std::nullopt;
    if (!withSpeed)
        state.longitudeSpeed = state.latitudeSpeed = state.distanceSpeed = 0.0;
    return state;
}

std::optional<double> HelioLongitudeIn(int32_t planet, double moment, Convention convention)
{
    if (planet < 1 || planet > 9)
        return std::nullopt;
    ApplyFolderToThisThread();
    std::array<double, 6> xx{};
    std::array<char, AS_MAXCH> serr;
    serr[0] = '\0';
    const int32_t result = CalcUt(moment, kSwissBody[static_cast<size_t>(planet)], xx, serr, FlagsOf(convention));
    if (result < 0)
        return std::nullopt;
    if ((result & SEFLG_SWIEPH) == 0)
        ReportFallbackOnce(serr.data());
    return xx[0];
}

bool EphemerisFellBackToAnalytic()
{
    return g_fellBack.load();
}

}  // namespace orvane::platform
