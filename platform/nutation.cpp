#include "platform/nutation.h"

#include "platform/cubic_nodes.h"
#include "platform/nutation_series.h"

#include <swephexp.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace orvane::platform {
namespace {

// Δψ at `moment` (UT), in radians, as Swiss Ephemeris gives it: its series at the moment in Terrestrial
// Time its own ΔT gives.
double DirectNutation(double moment)
{
    return LunisolarNutation(moment + swe_deltat_ex(moment, SEFLG_SWIEPH, nullptr));
}

// The daily values a thread worked out, by day number: a direct-mapped table, so that a search moving back
// and forth over a year finds its days again.
class DailyValues {
public:
    double Get(int64_t day)
    {
        Slot& slot = m_slots[static_cast<size_t>(day) % m_slots.size()];
        if (slot.day != day)
            slot = {day, DirectNutation(static_cast<double>(day))};
        return slot.value;
    }

    bool Has(int64_t day) const { return m_slots[static_cast<size_t>(day) % m_slots.size()].day == day; }

private:
    struct Slot {
        int64_t day = std::numeric_limits<int64_t>::min();
        double value = 0.0;
    };
    std::array<Slot, 512> m_slots{};
};

struct ThreadNutation {
    DailyValues daily;
    std::optional<int64_t> lastDay;  // of the moment asked last
};
thread_local ThreadNutation t_nutation;

// From the cubic through the daily values at day − 1 … day + 2 (f is the moment's fraction of its day).
Nutation Interpolated(int64_t day, double f, bool withRate)
{
    const std::array<double, 4> weight = CubicWeights(f);
    const std::array<double, 4> slope = CubicSlopes(f);
    Nutation nutation;
    for (size_t n = 0; n < 4; ++n) {
        const double value = t_nutation.daily.Get(day - 1 + static_cast<int64_t>(n));
        nutation.longitude += weight[n] * value;
        if (withRate)
            nutation.rate += slope[n] * value;
    }
    return nutation;
}

}  // namespace

Nutation NutationInLongitude(double moment, bool withRate)
{
    const double whole = std::floor(moment);
    const auto day = static_cast<int64_t>(whole);
    ThreadNutation& thread = t_nutation;
    const bool inSequence = (thread.lastDay && std::llabs(day - *thread.lastDay) <= 1) ||
                            (thread.daily.Has(day) && thread.daily.Has(day + 1));
    thread.lastDay = day;
    if (inSequence || withRate)
        return Interpolated(day, moment - whole, withRate);
    return Nutation{DirectNutation(moment), 0.0};
}

void ForgetNutationInSequence()
{
    t_nutation = {};
}

}  // namespace orvane::platform
