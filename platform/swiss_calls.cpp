#include "platform/swiss_calls.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <utility>

namespace orvane::platform::swiss {
namespace {

// The flags that name an ephemeris (JPL files, Swiss Ephemeris files, the analytic ephemeris).
constexpr int32_t kEphemerisMask = SEFLG_JPLEPH | SEFLG_SWIEPH | SEFLG_MOSEPH;

// The folder setting is process-wide; Swiss Ephemeris keeps its state per thread, so each thread applies
// the setting (again) when the generation it last applied is out of date.
std::mutex g_folderMutex;
std::string g_searchPath = "/usr/share/libswe/ephe";
std::atomic<unsigned> g_folderGeneration{1};

struct ThreadEphemeris {
    unsigned appliedGeneration = 0;
    ~ThreadEphemeris()
    {
        if (appliedGeneration != 0)
            swe_close();
    }
};
thread_local ThreadEphemeris t_ephemeris;

std::atomic<bool> g_fellBack{false};

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

}  // namespace

void SetSearchPath(std::string path)
{
    {
        std::lock_guard lock(g_folderMutex);
        g_searchPath = std::move(path);
    }
    g_folderGeneration.fetch_add(1, std::memory_order_acq_rel);
}

std::string SearchPath()
{
    std::lock_guard lock(g_folderMutex);
    return g_searchPath;
}

void ApplyFolderToThisThread()
{
    const unsigned generation = g_folderGeneration.load(std::memory_order_acquire);
    if (t_ephemeris.appliedGeneration == generation)
        return;
    swe_set_ephe_path(SearchPath().c_str());
    t_ephemeris.appliedGeneration = generation;
}

void ReportFallbackOnce(const char* warning)
{
    if (g_fellBack.exchange(true))
        return;
    std::fprintf(stderr,
                 "orvane: Swiss Ephemeris data files not found (searched %s); using the built-in analytic "
                 "ephemeris, which is less accurate.%s%s\n",
                 SearchPath().c_str(), warning[0] != '\0' ? " " : "", warning);
}

bool FellBack()
{
    return g_fellBack.load();
}

int32_t CalcUt(double momentUt, int32_t body, Values& xx, ErrorText& serr, int32_t flags)
{
    const int32_t wanted = flags & kEphemerisMask;
    int32_t result = swe_calc(momentUt + DeltaT(momentUt, wanted), body, flags, xx.data(), serr.data());
    if (result >= 0 && (result & kEphemerisMask) != wanted)
        result = swe_calc(momentUt + DeltaT(momentUt, result & kEphemerisMask), body, flags, xx.data(), nullptr);
    return result;
}

}  // namespace orvane::platform::swiss
