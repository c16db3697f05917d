#pragma once

// The per-user store of the display settings: named text values ("0" or "1" for the four display
// options), read and written one at a time. The desktop program keeps them in its per-user settings;
// the companion, the tests and the tour keep them in memory.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::settings {

// The names of the display values.
inline constexpr const char* kValueTZDisp = "TZDisp";
inline constexpr const char* kValueZodiacSectors = "Zodiac sectors";
inline constexpr const char* kValueIPAD = "IPAD";
inline constexpr const char* kValueSOEA = "SOEA";
// The outer ring of geocentric positions on the chart ("1" shown); a store without it has the ring off.
inline constexpr const char* kValueGeoRing = "Geocentric ring";

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text of the value `name`; none when it is missing or the store cannot be read.
    virtual std::optional<std::string> Read(std::string_view name) const = 0;
    // Stores `value` under `name`; false when the store could not keep it (the previous value stays).
    virtual bool Write(std::string_view name, std::string_view value) = 0;
};

// A store held in a map: the values live as long as the store.
class MemorySettingsStore : public SettingsStore {
public:
    std::optional<std::string> Read(std::string_view name) const override
    {
        const auto found = values.find(name);
        return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
    }

    bool Write(std::string_view name, std::string_view value) override
    {
        values.insert_or_assign(std::string(name), std::string(value));
        return true;
    }

    std::map<std::string, std::string, std::less<>> values;
};

}  // namespace orvane::settings
