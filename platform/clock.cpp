#include "platform/clock.h"

#include "platform/calendar.h"

#include <date/tz.h>

#include <ctime>

namespace orvane::platform {

LocalClockReading SystemClock::LocalNow() const
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
            local.tm_sec};
}

int32_t SystemClock::StandardOffsetSecondsWest() const
{
    return ComputerZone();
}

std::string SystemClock::ZoneName() const
{
    // The tz database throws when the computer's zone is none it knows: then the zone has no name.
    try {
        return date::current_zone()->name();
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace orvane::platform
