#include "platform/nutation.h"

#include "platform/cubic_nodes.h"
#include "platform/swiss_calls.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace orvane::platform {
namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// Δψ at `moment`, in radians, as Swiss Ephemeris gives it.
std::optional<double> DirectNutation(double moment)
{
    swiss::Values xx{};
    swiss::ErrorText serr;
    serr[0] = '\0';
    if (swiss::CalcUt(moment, SE_ECL_NUT, xx, serr, SEFLG_SWIEPH) < 0)
        return std::nullopt;
    return xx[2] * kRadiansPerDegree;
}

// The daily values a thread worked out, by day number: a direct-mapped table, so that a search moving back
// and forth over a year finds its days again.
class DailyValues {
public:
    const double* Get(int64_t day)
    {
        Slot& slot = m_slots[static_cast<size_t>(day) % m_slots.size()];
        if (slot.day != day) {
            const auto value = DirectNutation(static_cast<double>(day));
            if (!value)
                return nullptr;
            slot = {day, *value};
        }
        return &slot.value;
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
std::optional<Nutation> Interpolated(int64_t day, double f, bool withRate)
{
    const std::array<double, 4> weight = CubicWeights(f);
    const std::array<double, 4> slope = CubicSlopes(f);
    Nutation nutation;
    for (size_t n = 0; n < 4; ++n) {
        const double* value = t_nutation.daily.Get(day - 1 + static_cast<int64_t>(n));
        if (value == nullptr)
            return std::nullopt;
        nutation.longitude += weight[n] * *value;
        if (withRate)
            nutation.rate += slope[n] * *value;
    }
    return nutation;
}

}  // namespace

std::optional<Nutation> NutationInLongitude(double moment, bool withRate)
{
    const double whole = std::floor(moment);
    const auto day = static_cast<int64_t>(whole);
    ThreadNutation& thread = t_nutation;
    const bool inSequence = (thread.lastDay && std::llabs(day - *thread.lastDay) <= 1) ||
                            (thread.daily.Has(day) && thread.daily.Has(day + 1));
    thread.lastDay = day;
    if (inSequence || withRate)
        return Interpolated(day, moment - whole, withRate);
    const auto direct = DirectNutation(moment);
    if (!direct)
        return std::nullopt;
    return Nutation{*direct, 0.0};
}

}  // namespace orvane::platform
