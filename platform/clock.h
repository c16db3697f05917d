#pragma once

// The computer's clock, behind an interface so that tests can set the time.

#include <cstdint>
#include <string>
#include <utility>

namespace orvane::platform {

// The computer's local wall-clock date and time.
struct LocalClockReading {
    int32_t year = 2000;
    int32_t month = 1;
    int32_t day = 1;
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // The local date and time as the computer's clock shows it (summer time included when in force).
    virtual LocalClockReading LocalNow() const = 0;
    // The computer's standard-time offset in seconds west of Greenwich (no summer time).
    virtual int32_t StandardOffsetSecondsWest() const = 0;
    // The computer's zone as the tz database names it ("Europe/Berlin"); empty when it names none.
    virtual std::string ZoneName() const { return {}; }
};

// The real clock and time zone of this computer.
class SystemClock final : public Clock {
public:
    LocalClockReading LocalNow() const override;
    int32_t StandardOffsetSecondsWest() const override;
    std::string ZoneName() const override;
};

// A clock that always shows what a test set.
class FixedClock final : public Clock {
public:
    explicit FixedClock(LocalClockReading reading, int32_t offsetSecondsWest = 0)
        : m_reading(reading), m_offsetSecondsWest(offsetSecondsWest)
    {
    }
    LocalClockReading LocalNow() const override { return m_reading; }
    int32_t StandardOffsetSecondsWest() const override { return m_offsetSecondsWest; }
    std::string ZoneName() const override { return m_zoneName; }
    void SetZoneName(std::string name) { m_zoneName = std::move(name); }
    void Set(LocalClockReading reading) { m_reading = reading; }
    void SetOffset(int32_t offsetSecondsWest) { m_offsetSecondsWest = offsetSecondsWest; }

private:
    LocalClockReading m_reading;
    int32_t m_offsetSecondsWest;
    std::string m_zoneName;
};

}  // namespace orvane::platform
