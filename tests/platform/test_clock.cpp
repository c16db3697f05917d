// The computer's zone as the TZ variable and /etc/localtime name it, and the clock read in it. The
// expected offsets are the C library's own reading of the same TZ text, an independent implementation.

#include "platform/clock.h"

#include <gtest/gtest.h>

#include <date/tz.h>

#include <chrono>
#include <cstdlib>
#include <ctime>

namespace orvane::platform {
namespace {

using Kind = ComputerZone::Kind;

// The zone /etc/localtime names on this machine, as the tz library reads it.
std::string InstalledZoneName()
{
    try {
        return date::current_zone()->name();
    } catch (const std::exception&) {
        return {};
    }
}

// The C library's offset (seconds east) and wall time now under TZ=`tz`; TZ is put back afterwards.
struct LibcReading {
    long offset = 0;
    std::tm local{};
    std::time_t now = 0;
};
LibcReading ReadWithLibc(const std::string& tz)
{
    const char* saved = std::getenv("TZ");
    const std::optional<std::string> restore = saved != nullptr ? std::optional<std::string>(saved) : std::nullopt;
    setenv("TZ", tz.c_str(), 1);
    tzset();
    LibcReading reading;
    reading.now = std::time(nullptr);
    localtime_r(&reading.now, &reading.local);
    reading.offset = reading.local.tm_gmtoff;
    if (restore)
        setenv("TZ", restore->c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    return reading;
}

// Seconds since the epoch of a wall-clock reading, as if at Greenwich.
int64_t WallSeconds(const LocalClockReading& r)
{
    const date::sys_days day{date::year(r.year) / date::month(static_cast<unsigned>(r.month)) /
                             date::day(static_cast<unsigned>(r.day))};
    return day.time_since_epoch().count() * 86400LL + r.hour * 3600 + r.minute * 60 + r.second;
}

TEST(ComputerZone, TzWinsOverLocaltimeAndFallsBack)
{
    const std::string installed = InstalledZoneName();
    const ComputerZone fallback = installed.empty() ? ComputerZone{} : ComputerZone{Kind::Named, installed};
    struct Case {
        std::optional<std::string> tz;
        ComputerZone zone;
    };
    const Case cases[] = {
        {std::nullopt, fallback},
        {"America/New_York", {Kind::Named, "America/New_York"}},
        {":Asia/Kathmandu", {Kind::Named, "Asia/Kathmandu"}},
        {"/usr/share/zoneinfo/Europe/Berlin", {Kind::Named, "Europe/Berlin"}},
        {":/usr/share/zoneinfo/Pacific/Chatham", {Kind::Named, "Pacific/Chatham"}},
        {"<+0545>-5:45", {Kind::Rule, "<+0545>-5:45"}},
        {"CET-1CEST,M3.5.0,M10.5.0/3", {Kind::Rule, "CET-1CEST,M3.5.0,M10.5.0/3"}},
        {"XST8XDT", {Kind::Rule, "XST8XDT"}},
        {"", {}},                       // set but empty: UTC, as the C library reads it
        {"Mars/Olympus_Mons", fallback},  // neither a zone nor a rule
        {":", fallback},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindComputerZone(c.tz), c.zone) << c.tz.value_or("(unset)");
}

TEST(ComputerZone, ClockReadsTheWallTimeAndOffsetOfItsZone)
{
    for (const std::string tz : {"America/New_York", "Asia/Kathmandu", "Pacific/Chatham", "<+0545>-5:45",
                                 "CET-1CEST,M3.5.0,M10.5.0/3", "EST5EDT"}) {
        const SystemClock clock(tz);
        const LibcReading expected = ReadWithLibc(tz);
        const LocalClockReading local = clock.LocalNow();
        const LocalClockReading libcLocal{expected.local.tm_year + 1900, expected.local.tm_mon + 1, expected.local.tm_mday,
                                          expected.local.tm_hour, expected.local.tm_min, expected.local.tm_sec};
        // Read a moment apart: the same wall time within a few seconds.
        EXPECT_NEAR(static_cast<double>(WallSeconds(local) - WallSeconds(libcLocal)), 0.0, 5.0) << tz;
        const bool summer = expected.local.tm_isdst > 0;
        EXPECT_EQ(clock.StandardOffsetSecondsWest(), -(expected.offset - (summer ? 3600 : 0))) << tz;
        const bool named = tz.find('<') == std::string::npos && tz.find(',') == std::string::npos;
        EXPECT_EQ(clock.ZoneName().empty(), !named) << tz;
        EXPECT_EQ(clock.RuleOffsetNow(), named ? std::nullopt : std::optional<int32_t>(expected.offset)) << tz;
    }
    // A copy reads the same zone.
    const SystemClock kathmandu(std::string("Asia/Kathmandu"));
    EXPECT_EQ(kathmandu.Copy()->ZoneName(), "Asia/Kathmandu");
    EXPECT_EQ(SystemClock(std::string("")).StandardOffsetSecondsWest(), 0);
}

}  // namespace
}  // namespace orvane::platform
