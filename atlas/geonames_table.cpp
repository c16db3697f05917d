// The atlas' table, read from Debian's geonames library: its places through the library's own calls, and
// their German names from its German catalogue, which names each place by its geonames number.

#include "atlas/atlas.h"

#include <geonames.h>

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
// the places' geonames numbers.
constexpr const char* kGermanCatalogue = "/usr/share/locale/de/LC_MESSAGES/geonames.mo";

// A place's record in the library: its number, name, region code, region, country code, country, zone,
// population, latitude and longitude. Only the number and the untranslated name are read from it; where
// the record has another form the German names are left out and the name comes from the library's call.
constexpr const char* kCityRecordType = "(sssssssudd)";

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

// The German names by geonames number; empty when the catalogue is missing or not a message catalogue.
std::unordered_map<std::string, std::string> GermanNames()
{
    std::ifstream file(kGermanCatalogue, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::unordered_map<std::string, std::string> names;
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

struct CityDeleter {
    void operator()(GeonamesCity* city) const { geonames_city_free(city); }
};

std::string Text(const char* text)
{
    return text != nullptr ? text : "";
}

// The record's string field `index`, or nothing when the record has another form.
std::optional<std::string> RecordField(GeonamesCity* city, size_t index)
{
    if (std::strcmp(g_variant_get_type_string(city), kCityRecordType) != 0)
        return std::nullopt;
    GVariant* field = g_variant_get_child_value(city, index);
    std::string text = g_variant_get_string(field, nullptr);
    g_variant_unref(field);
    return text;
}

std::vector<AtlasPlace> ReadGeonames()
{
    const std::unordered_map<std::string, std::string> german = GermanNames();
    std::vector<AtlasPlace> places;
    const gint count = geonames_get_n_cities();
    places.reserve(count > 0 ? static_cast<size_t>(count) : 0);
    for (gint index = 0; index < count; ++index) {
        const std::unique_ptr<GeonamesCity, CityDeleter> city(geonames_get_city(index));
        if (!city)
            continue;
        AtlasPlace place;
        // The library's own call gives the name in the process' language; the record keeps the English one.
        place.name = RecordField(city.get(), 1).value_or(Text(geonames_city_get_name(city.get())));
        if (const std::optional<std::string> number = RecordField(city.get(), 0))
            if (const auto found = german.find(*number); found != german.end() && found->second != place.name)
                place.germanName = found->second;
        place.region = Text(geonames_city_get_state(city.get()));
        place.country = Text(geonames_city_get_country(city.get()));
        place.countryCode = Text(geonames_city_get_country_code(city.get()));
        place.zone = Text(geonames_city_get_timezone(city.get()));
        place.latitude = geonames_city_get_latitude(city.get());
        place.longitude = geonames_city_get_longitude(city.get());
        place.population = geonames_city_get_population(city.get());
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
