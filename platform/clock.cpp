#include "platform/clock.h"

#include "platform/posix_rule.h"

#include <date/tz.h>

#include <chrono>
#include <cstdlib>
#include <mutex>

namespace orvane::platform {
namespace {

// The tz database's zone of `name`, or none; the database reports an unknown name by throwing.
const date::time_zone* LocateZone(const std::string& name)
{
    try {
        return date::locate_zone(name);
    } catch (const std::exception&) {
        return nullptr;
    }
}

// The zone /etc/localtime names; UTC when there is none the tz database knows.
ComputerZone InstalledZone()
{
    try {
        return {ComputerZone::Kind::Named, date::current_zone()->name()};
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace

ComputerZone FindComputerZone(const std::optional<std::string>& tz)
{
    if (!tz)
        return InstalledZone();
    std::string text = *tz;
    if (text.empty())
        return {};
    if (text.front() == ':')
        text.erase(0, 1);
    // A path into the zoneinfo folder names the zone after it.
    constexpr std::string_view kZoneFolder = "zoneinfo/";
    if (const size_t at = text.find(kZoneFolder); !text.empty() && text.front() == '/' && at != std::string::npos)
        text.erase(0, at + kZoneFolder.size());
    if (const date::time_zone* zone = text.empty() ? nullptr : LocateZone(text))
        return {ComputerZone::Kind::Named, zone->name()};
    if (RuleOffsetsAt(text, 0))
        return {ComputerZone::Kind::Rule, text};
    return InstalledZone();
}

struct SystemClock::Zone {
    ComputerZone found;
    const date::time_zone* named = nullptr;

    // The offset in effect and the summer-time part of it at `now`.
    std::pair<std::chrono::seconds, std::chrono::seconds> Offsets(date::sys_seconds now) const
    {
        if (named != nullptr) {
            // The zone files mark summer time without saying by how much: the standard offset is that of the
            // latest period without it.
            date::sys_info info = named->get_info(now);
            const std::chrono::seconds offset = info.offset;
            for (int back = 0; back < 8 && info.save != std::chrono::minutes(0); ++back)
                info = named->get_info(info.begin - std::chrono::seconds(1));
            return {offset, offset - info.offset};
        }
        if (found.kind == ComputerZone::Kind::Rule) {
            const std::optional<RuleOffsets> rule = RuleOffsetsAt(found.text, now.time_since_epoch().count());
            return {std::chrono::seconds(rule->offset), std::chrono::seconds(rule->save)};
        }
        return {};
    }
};

struct SystemClock::Lookup {
    std::optional<std::string> tz;
    std::once_flag once;
    std::unique_ptr<const Zone> zone;
};

SystemClock::SystemClock()
    : SystemClock([]() -> std::optional<std::string> {
          const char* tz = std::getenv("TZ");
          return tz != nullptr ? std::optional<std::string>(tz) : std::nullopt;
      }())
{
}

SystemClock::SystemClock(std::optional<std::string> tz) : m_lookup(std::make_shared<Lookup>())
{
    m_lookup->tz = std::move(tz);
}

const SystemClock::Zone& SystemClock::Resolved() const
{
    std::call_once(m_lookup->once, [this] {
        auto zone = std::make_unique<Zone>();
        zone->found = FindComputerZone(m_lookup->tz);
        if (zone->found.kind == ComputerZone::Kind::Named)
            zone->named = LocateZone(zone->found.text);
        m_lookup->zone = std::move(zone);
    });
    return *m_lookup->zone;
}

WallTime SystemClock::LocalNow() const
{
    const auto now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    const date::local_seconds local{now.time_since_epoch() + Resolved().Offsets(now).first};
    const auto day = std::chrono::floor<date::days>(local);
    const date::year_month_day date{day};
    const date::hh_mm_ss<std::chrono::seconds> time{local - day};
    return {static_cast<int32_t>(date.year()), static_cast<int32_t>(static_cast<unsigned>(date.month())),
            static_cast<int32_t>(static_cast<unsigned>(date.day())), static_cast<int32_t>(time.hours().count()),
            static_cast<int32_t>(time.minutes().count()), static_cast<int32_t>(time.seconds().count()), 0};
}

int32_t SystemClock::StandardOffsetSecondsWest() const
{
    const auto now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    const auto [offset, save] = Resolved().Offsets(now);
    return static_cast<int32_t>(-(offset - save).count());
}

std::string SystemClock::ZoneName() const
{
    const Zone& zone = Resolved();
    return zone.named != nullptr ? zone.found.text : std::string();
}

std::optional<int32_t> SystemClock::RuleOffsetNow() const
{
    if (Resolved().found.kind != ComputerZone::Kind::Rule)
        return std::nullopt;
    const auto now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    return static_cast<int32_t>(Resolved().Offsets(now).first.count());
}

std::shared_ptr<const Clock> SystemClock::Copy() const
{
    return std::make_shared<SystemClock>(*this);
}

}  // namespace orvane::platform
