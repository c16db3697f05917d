#pragma once

// The offline atlas: the 24,000 towns and cities of Debian's geonames library (every place of 15,000
// people and more), each with its region, country, coordinates and tz zone, and its German name, region
// and country where the library's German catalogue has them. The table is read once, at the first search,
// and searched in memory, English and German names together, as fast as the user types.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::atlas {

// One place of the atlas.
struct AtlasPlace {
    std::string name;         // the English name: "Munich"
    std::string germanName;   // "München"; empty where the catalogue has none or it is the English name
    std::string region;       // the state or province: "Bavaria"; may be empty
    std::string country;      // the country's English name: "Germany"
    std::string countryCode;  // ISO 3166 alpha-2: "DE"
    std::string zone;         // the tz database's name: "Europe/Berlin"
    double latitude = 0.0;    // degrees north (south negative)
    double longitude = 0.0;   // degrees east (west negative)
    uint32_t population = 0;
    std::string germanRegion;   // "Bayern"; empty where the catalogue has none or it is the English one
    std::string germanCountry;  // "Deutschland"; empty likewise
};

// The language a place's name is shown in.
enum class NameLanguage { English, German };

// The name, region and country to show: the German one in German where there is one, else the English one.
const std::string& DisplayName(const AtlasPlace& place, NameLanguage language);
const std::string& DisplayRegion(const AtlasPlace& place, NameLanguage language);
const std::string& DisplayCountry(const AtlasPlace& place, NameLanguage language);

// "Springfield, Illinois, US", "München, Bayern, DE": the name, the region where it is not the name, and
// the country code.
std::string PlaceLabel(const AtlasPlace& place, NameLanguage language);

// `text` folded for comparing as the user types: lower case, accents and umlauts taken off ("São Paulo"
// → "sao paulo", "München" → "munchen", "Straße" → "strasse"). UTF-8 in, ASCII for every letter the
// folding knows, other characters as they are.
std::string Folded(std::string_view text);

class Atlas {
public:
    // The places given (for tests and for a table read elsewhere).
    explicit Atlas(std::vector<AtlasPlace> places);

    // The atlas of the geonames library, read at the first call; empty when the library has no places.
    static const Atlas& Shared();

    // The places whose English or German name begins with the query's first part, in any case and without
    // its accents; every further part after a comma must begin the region or the country, in English or
    // German, or be the country code ("Springfield, Illinois", "München, Bayern", "Springfield, US"). A
    // name that equals the query comes before one that begins with it, a name beginning with it before one
    // with a later word beginning with it, and more people before fewer. At most `limit` places.
    std::vector<const AtlasPlace*> Search(std::string_view query, size_t limit = 20) const;

    // The place a zone field names when it is no tz name: the places whose name equals `query` (its parts
    // after commas as in Search) when they all have one zone, or when the most populous has ten times the
    // people of the next one in another zone ("Vienna" is Europe/Vienna, not Vienna, Virginia). Nothing
    // when the query names no place or names places of several zones alike ("Springfield"), whose
    // candidates `ambiguous` then receives.
    const AtlasPlace* Resolve(std::string_view query, std::vector<const AtlasPlace*>* ambiguous = nullptr) const;

    size_t size() const { return m_places.size(); }

private:
    struct Keys {
        std::string name;
        std::string germanName;
        std::string region;
        std::string germanRegion;
        std::string country;
        std::string germanCountry;
        std::string countryCode;
    };
    std::vector<AtlasPlace> m_places;  // the most populous first
    std::vector<Keys> m_keys;          // folded, beside each place
};

}  // namespace orvane::atlas
