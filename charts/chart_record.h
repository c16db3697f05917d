#pragma once
// One chart of the library: a person, an event, an organisation or a country, with the moment as the user
// typed it and as an instant, the place, where the data came from and how far it can be trusted, and the
// user's notes and tags. The store, the exchange formats and the windows all speak this one record.

#include "datetime/zoned_moments.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::charts {

// What a chart is of; the kinds the exchange format knows.
enum class ChartKind { Person, Event, Organisation, Country };

// Where a chart was cast: a place of the atlas or one entered by hand.
struct Place {
    std::string name;                // "Vienna"
    std::string region;              // "Vienna" (the state or province), may be empty
    std::string countryCode;         // ISO 3166 alpha-2, "AT"; may be empty
    std::optional<double> latitude;  // degrees north (south negative)
    std::optional<double> longitude; // degrees east (west negative)
    bool operator==(const Place&) const = default;
};

struct ChartRecord {
    int64_t id = 0;                  // the store's key; 0 for a record not stored yet
    std::string name;                // the family name, or the event's name
    std::string firstName;
    ChartKind kind = ChartKind::Person;
    // The moment as typed (its wall time, zone and text) and as an instant (its Julian date, UT).
    datetime::PreciseMoment moment;
    bool timeKnown = true;           // false: only the date is known; the moment stands at 12:00 local
    Place place;
    std::string source;              // where the data came from ("birth certificate", a book …)
    std::string reliability;         // a rating such as "AA", "A", "B", "C", "DD", "X", "XX"; may be empty
    std::string notes;
    std::vector<std::string> tags;
    std::string created;             // ISO 8601 in UT, to the second; set by the store
    std::string changed;
    // What an imported exchange record held that Orvane does not read (positions, houses …), kept as it was
    // read so that an export gives it back.
    std::string foreign;
    bool operator==(const ChartRecord&) const = default;
};

// The display name: "first name name", or the name alone.
std::string FullName(const ChartRecord& chart);

// "person", "event", "organisation", "country": the words the companion and the machine formats use.
std::string_view KindWord(ChartKind kind);
std::optional<ChartKind> KindFromWord(std::string_view word);

}  // namespace orvane::charts
