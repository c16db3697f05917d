// The atlas' table, read from Debian's geonames library: its places through the library's own calls, and
// their German names from its German catalogue, which names each place by its geonames number.

#include "atlas/atlas.h"

#include <geonames.h>

#include <dlfcn.h>

#include <array>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <unordered_map>

namespace orvane::atlas {

namespace {

// The German catalogue the library installs (libgeonames-common): a GNU message catalogue whose keys are
// the places' geonames numbers and the codes of countries and regions.
constexpr const char* kGermanCatalogue = "/usr/share/locale/de/LC_MESSAGES/geonames.mo";
using GermanCatalogue = std::unordered_map<std::string, std::string>;

// A place's record in the library: its number, name, region code, region, country code, country, zone,
// population, latitude and longitude, the names in English. The atlas reads them from it directly: the
// library's calls parse a format string for each field, which made up nearly all of reading the atlas,
// and give the name, region and country in the language of the process' locale (the desktop program's
// is the computer's), where the atlas keeps them in English whatever the computer's language. Where the
// record has another form, every field comes from the calls and the German names are left out.
constexpr const char* kCityRecordType = "(sssssssudd)";
enum RecordIndex : size_t {
    kNumber = 0, kName = 1, kRegionCode = 2, kRegion = 3, kCountryCode = 4, kCountry = 5, kZone = 6,
    kPopulation = 7, kLatitude = 8, kLongitude = 9
};

uint32_t Word(const std::string& bytes, size_t at, bool swapped)
{
    if (at + 4 > bytes.size())
        return 0;
    uint32_t word = 0;
    std::memcpy(&word, bytes.data() + at, 4);
    return swapped ? __builtin_bswap32(word) : word;
}

// The catalogue's message `index` of the table at `table`: its text, or nothing when it lies outside.
std::optional<std::string> CatalogueText(const std::string& bytes, uint32_t table, uint32_t index, bool swapped)
{
    const size_t entry = table + size_t{8} * index;
    const uint32_t length = Word(bytes, entry, swapped);
    const uint32_t offset = Word(bytes, entry + 4, swapped);
    if (entry + 8 > bytes.size() || size_t{offset} + length > bytes.size())
        return std::nullopt;
    return bytes.substr(offset, length);
}

// The German names from the catalogue: of places by geonames number, of countries by their code ("DE") and
// of regions by country and region code ("DE.02"); empty when the catalogue is missing or not a message
// catalogue.
GermanCatalogue GermanNames()
{
    std::ifstream file(kGermanCatalogue, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    GermanCatalogue names;
    constexpr uint32_t kMagic = 0x950412de;
    uint32_t magic = Word(bytes, 0, false);
    const bool swapped = magic == __builtin_bswap32(kMagic);
    if (magic != kMagic && !swapped)
        return names;
    const uint32_t count = Word(bytes, 8, swapped);
    const uint32_t originals = Word(bytes, 12, swapped);
    const uint32_t translations = Word(bytes, 16, swapped);
    for (uint32_t index = 0; index < count; ++index) {
        std::optional<std::string> key = CatalogueText(bytes, originals, index, swapped);
        std::optional<std::string> name = CatalogueText(bytes, translations, index, swapped);
        if (!key || !name)
            break;
        if (!key->empty() && !name->empty())
            names.emplace(std::move(*key), std::move(*name));
    }
    return names;
}

// The library's calls, found when the atlas is first read: linked into the programs, the library and GLib
// beneath it cost every process several milliseconds at start, atlas or not.
struct GeonamesCalls {
    gint (*countCities)() = nullptr;
    GeonamesCity* (*city)(gint) = nullptr;
    void (*freeCity)(GeonamesCity*) = nullptr;
    const gchar* (*name)(GeonamesCity*) = nullptr;
    const gchar* (*state)(GeonamesCity*) = nullptr;
    const gchar* (*country)(GeonamesCity*) = nullptr;
    const gchar* (*countryCode)(GeonamesCity*) = nullptr;
    const gchar* (*timezone)(GeonamesCity*) = nullptr;
    gdouble (*latitude)(GeonamesCity*) = nullptr;
    gdouble (*longitude)(GeonamesCity*) = nullptr;
    guint (*population)(GeonamesCity*) = nullptr;
    const gchar* (*typeString)(GVariant*) = nullptr;
    GVariant* (*child)(GVariant*, gsize) = nullptr;
    const gchar* (*string)(GVariant*, gsize*) = nullptr;
    guint32 (*uint32)(GVariant*) = nullptr;
    gdouble (*real)(GVariant*) = nullptr;
    void (*unref)(GVariant*) = nullptr;
};

template <class Call>
bool Found(void* library, const char* name, Call& call)
{
    call = reinterpret_cast<Call>(dlsym(library, name));
    return call != nullptr;
}

// The calls, or nothing when the library (or one of its calls) is not there: the atlas is then empty. The
// library stays loaded for the life of the process.
std::optional<GeonamesCalls> LoadGeonames()
{
    void* library = dlopen("libgeonames.so.0", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        return std::nullopt;
    GeonamesCalls c;
    const bool all = Found(library, "geonames_get_n_cities", c.countCities) &&
                     Found(library, "geonames_get_city", c.city) && Found(library, "geonames_city_free", c.freeCity) &&
                     Found(library, "geonames_city_get_name", c.name) &&
                     Found(library, "geonames_city_get_state", c.state) &&
                     Found(library, "geonames_city_get_country", c.country) &&
                     Found(library, "geonames_city_get_country_code", c.countryCode) &&
                     Found(library, "geonames_city_get_timezone", c.timezone) &&
                     Found(library, "geonames_city_get_latitude", c.latitude) &&
                     Found(library, "geonames_city_get_longitude", c.longitude) &&
                     Found(library, "geonames_city_get_population", c.population) &&
                     Found(library, "g_variant_get_type_string", c.typeString) &&
                     Found(library, "g_variant_get_child_value", c.child) &&
                     Found(library, "g_variant_get_string", c.string) &&
                     Found(library, "g_variant_get_uint32", c.uint32) && Found(library, "g_variant_get_double", c.real) &&
                     Found(library, "g_variant_unref", c.unref);
    return all ? std::optional<GeonamesCalls>(c) : std::nullopt;
}

std::string Text(const char* text)
{
    return text != nullptr ? text : "";
}

// The record's field `index`, read by `get`.
template <class Get>
auto Field(const GeonamesCalls& calls, GeonamesCity* city, size_t index, Get get)
{
    GVariant* field = calls.child(city, index);
    const auto value = get(field);
    calls.unref(field);
    return value;
}

// The German name the catalogue has under `key`, where it is not the English one; else empty.
std::string GermanOf(const GermanCatalogue& german, const std::string& key, const std::string& english)
{
    const auto found = german.find(key);
    return found != german.end() && found->second != english ? found->second : std::string();
}

// The place read from its record; false when the record has another form.
bool ReadRecord(const GeonamesCalls& calls, GeonamesCity* city, const GermanCatalogue& german, AtlasPlace& place)
{
    if (std::strcmp(calls.typeString(city), kCityRecordType) != 0)
        return false;
    const auto text = [&calls](GVariant* field) { return Text(calls.string(field, nullptr)); };
    place.name = Field(calls, city, kName, text);
    place.germanName = GermanOf(german, Field(calls, city, kNumber, text), place.name);
    place.region = Field(calls, city, kRegion, text);
    place.country = Field(calls, city, kCountry, text);
    place.countryCode = Field(calls, city, kCountryCode, text);
    place.germanRegion =
        GermanOf(german, place.countryCode + "." + Field(calls, city, kRegionCode, text), place.region);
    place.germanCountry = GermanOf(german, place.countryCode, place.country);
    place.zone = Field(calls, city, kZone, text);
    place.population = Field(calls, city, kPopulation, calls.uint32);
    place.latitude = Field(calls, city, kLatitude, calls.real);
    place.longitude = Field(calls, city, kLongitude, calls.real);
    return true;
}

// The place from the library's calls alone.
void ReadThroughCalls(const GeonamesCalls& calls, GeonamesCity* city, AtlasPlace& place)
{
    place.name = Text(calls.name(city));
    place.region = Text(calls.state(city));
    place.country = Text(calls.country(city));
    place.countryCode = Text(calls.countryCode(city));
    place.zone = Text(calls.timezone(city));
    place.population = calls.population(city);
    place.latitude = calls.latitude(city);
    place.longitude = calls.longitude(city);
}

std::vector<AtlasPlace> ReadGeonames()
{
    std::vector<AtlasPlace> places;
    const std::optional<GeonamesCalls> loaded = LoadGeonames();
    if (!loaded)
        return places;
    const GeonamesCalls& calls = *loaded;
    const GermanCatalogue german = GermanNames();
    const gint count = calls.countCities();
    places.reserve(count > 0 ? static_cast<size_t>(count) : 0);
    const auto freeCity = [&calls](GeonamesCity* city) { calls.freeCity(city); };
    for (gint index = 0; index < count; ++index) {
        const std::unique_ptr<GeonamesCity, decltype(freeCity)> city(calls.city(index), freeCity);
        if (!city)
            continue;
        AtlasPlace place;
        if (!ReadRecord(calls, city.get(), german, place))
            ReadThroughCalls(calls, city.get(), place);
        places.push_back(std::move(place));
    }
    return places;
}

}  // namespace

const Atlas& Atlas::Shared()
{
    static const Atlas atlas(ReadGeonames());
    return atlas;
}

}  // namespace orvane::atlas
