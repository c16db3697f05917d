// The computer's zone as the TZ variable and /etc/localtime name it. The expected standard offsets are
// the C library's reading of the same TZ text, an independent implementation.

#include "platform/clock.h"

#include <gtest/gtest.h>

#include <date/tz.h>

#include <cstdlib>
#include <ctime>

namespace orvane::platform {
namespace {

TEST(ComputerZone, TzWinsOverLocaltimeAndFallsBack)
{
    using Kind = ComputerZone::Kind;
    ComputerZone installed;  // what /etc/localtime names on this machine, as the tz library reads it
    try {
        installed = {Kind::Named, date::current_zone()->name()};
    } catch (const std::exception&) {
    }
    const std::pair<std::optional<std::string>, ComputerZone> cases[] = {
        {std::nullopt, installed},
        {"America/New_York", {Kind::Named, "America/New_York"}},
        {":Asia/Kathmandu", {Kind::Named, "Asia/Kathmandu"}},
        {":/usr/share/zoneinfo/Pacific/Chatham", {Kind::Named, "Pacific/Chatham"}},
        {"<+0545>-5:45", {Kind::Rule, "<+0545>-5:45"}},
        {"XST8XDT", {Kind::Rule, "XST8XDT"}},
        {"", {}},  // set but empty: UTC, as the C library reads it
        {"Mars/Olympus_Mons", installed},
        {":", installed},
    };
    for (const auto& [tz, zone] : cases)
        EXPECT_EQ(FindComputerZone(tz), zone) << tz.value_or("(unset)");
}

TEST(ComputerZone, StandardOffsetAsTheCLibraryReadsIt)
{
    for (const char* tz : {"Pacific/Chatham", "<+0545>-5:45", "CET-1CEST,M3.5.0,M10.5.0/3", "XST8XDT"}) {
        setenv("TZ", tz, 1);
        tzset();
        EXPECT_EQ(SystemClock().Copy()->StandardOffsetSecondsWest(), timezone) << tz;
    }
    unsetenv("TZ");
}

}  // namespace
}  // namespace orvane::platform
