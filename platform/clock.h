#pragma once

// The computer's clock and zone, behind an interface so that tests can set the time.

#include "platform/moment.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace orvane::platform {

// The computer's local wall-clock date and time is a wall time to the second; the older name stays for
// the callers that still use it.
using LocalClockReading = WallTime;

class Clock {
public:
    virtual ~Clock() = default;
    // The local date and time as the computer's clock shows it (summer time included when in force).
    virtual WallTime LocalNow() const = 0;
    // The computer's standard-time offset in seconds west of Greenwich (no summer time).
    virtual int32_t StandardOffsetSecondsWest() const = 0;
    // The computer's zone as the tz database names it ("Europe/Berlin"); empty when it names none.
    virtual std::string ZoneName() const { return {}; }
    // The offset in effect now, in seconds east, when the computer's zone is a rule the tz database does
    // not name (TZ="<+0545>-5:45"); nothing when the zone has a name.
    virtual std::optional<int32_t> RuleOffsetNow() const { return std::nullopt; }
    // A clock of its own that reads the same, for a model that asks later (the computer's zone is looked
    // up when first needed, not at start).
    virtual std::shared_ptr<const Clock> Copy() const = 0;
};

// Where the computer's zone comes from, as every Unix program finds it: the TZ variable (a zone name,
// with or without a leading colon, a path into the zoneinfo folder, or a POSIX rule such as "EST5EDT" or
// "<+0545>-5:45"), else /etc/localtime; UTC when neither names a usable zone. An empty TZ means UTC.
struct ComputerZone {
    enum class Kind { Named, Rule, Universal };
    Kind kind = Kind::Universal;
    std::string text;  // the tz database's name (Named) or the rule (Rule)
    bool operator==(const ComputerZone&) const = default;
};

// The computer's zone for a TZ variable holding `tz` (nothing: unset). Reads the tz database, so it is
// called only when the zone is needed.
ComputerZone FindComputerZone(const std::optional<std::string>& tz);

// The real clock and zone of this computer. The zone is looked up on the first question about it.
class SystemClock final : public Clock {
public:
    // The zone that the TZ variable of this process names.
    SystemClock();
    // The zone that a TZ variable holding `tz` would name (nothing: unset).
    explicit SystemClock(std::optional<std::string> tz);

    WallTime LocalNow() const override;
    int32_t StandardOffsetSecondsWest() const override;
    std::string ZoneName() const override;
    std::optional<int32_t> RuleOffsetNow() const override;
    std::shared_ptr<const Clock> Copy() const override;

private:
    struct Zone;
    struct Lookup;
    const Zone& Resolved() const;

    // The TZ text and, once asked for, the zone it names; shared by copies, so that it is looked up once.
    std::shared_ptr<Lookup> m_lookup;
};

// A clock that always shows what a test set.
class FixedClock final : public Clock {
public:
    explicit FixedClock(WallTime reading, int32_t offsetSecondsWest = 0)
        : m_reading(reading), m_offsetSecondsWest(offsetSecondsWest)
    {
    }
    WallTime LocalNow() const override { return m_reading; }
    int32_t StandardOffsetSecondsWest() const override { return m_offsetSecondsWest; }
    std::string ZoneName() const override { return m_zoneName; }
    std::optional<int32_t> RuleOffsetNow() const override { return m_ruleOffset; }
    std::shared_ptr<const Clock> Copy() const override { return std::make_shared<FixedClock>(*this); }
    void SetZoneName(std::string name) { m_zoneName = std::move(name); }
    // A zone given as a rule the tz database does not name, with this offset east of UT (seconds).
    void SetRuleOffset(std::optional<int32_t> offsetSecondsEast) { m_ruleOffset = offsetSecondsEast; }
    void Set(WallTime reading) { m_reading = reading; }
    void SetOffset(int32_t offsetSecondsWest) { m_offsetSecondsWest = offsetSecondsWest; }

private:
    WallTime m_reading;
    int32_t m_offsetSecondsWest;
    std::string m_zoneName;
    std::optional<int32_t> m_ruleOffset;
};

}  // namespace orvane::platform
