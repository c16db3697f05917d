#include "atlas/atlas.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <utility>

namespace orvane::atlas {

namespace {

// The ASCII letter of each letter U+00C0 … U+017F without its accent ('\0' where it takes two letters or is
// no letter), lower case: Latin-1's letters, then Latin Extended-A in its pairs of capital and small.
using namespace std::string_view_literals;
constexpr std::string_view kLatin1Letters = "aaaaaa\0ceeeeiiiidnooooo\0ouuuuy\0\0aaaaaa\0ceeeeiiiidnooooo\0ouuuuy\0y"sv;
constexpr std::string_view kExtendedALetters =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiiiiijjkkkllllllllllnnnnnnnnnoooooooorrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";

// The folded form of one code point, appended to `out`.
void AppendFolded(char32_t point, std::string_view bytes, std::string& out)
{
    if (point < 0x80) {
        out += static_cast<char>(point >= 'A' && point <= 'Z' ? point - 'A' + 'a' : point);
        return;
    }
    switch (point) {
    case U'Æ': case U'æ': out += "ae"; return;
    case U'ß': out += "ss"; return;
    case U'Þ': case U'þ': out += "th"; return;
    case U'Œ': case U'œ': out += "oe"; return;
    case U'Ĳ': case U'ĳ': out += "ij"; return;
    default: break;
    }
    if (point >= 0xC0 && point < 0x100 && kLatin1Letters[point - 0xC0] != '\0') {
        out += kLatin1Letters[point - 0xC0];
        return;
    }
    if (point >= 0x100 && point < 0x180) {
        out += kExtendedALetters[point - 0x100];
        return;
    }
    out += bytes;
}

// The length of the UTF-8 sequence that begins with `lead`, 1 for a byte that begins none.
size_t SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0)
        return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

// Where `name` holds `query`: 0 equal, 1 at its start, 2 at the start of a later word, 3 nowhere.
int MatchRank(const std::string& name, std::string_view query)
{
    size_t at = name.find(query);
    if (at == 0)
        return name.size() == query.size() ? 0 : 1;
    for (; at != std::string::npos; at = name.find(query, at + 1))
        if (name[at - 1] == ' ' || name[at - 1] == '-' || name[at - 1] == '\'')
            return 2;
    return 3;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The query's parts between commas, trimmed and folded.
std::vector<std::string> QueryParts(std::string_view query)
{
    std::vector<std::string> parts;
    while (true) {
        const size_t comma = query.find(',');
        parts.push_back(Folded(Trimmed(query.substr(0, comma))));
        if (comma == std::string_view::npos)
            return parts;
        query.remove_prefix(comma + 1);
    }
}

bool StartsWith(const std::string& text, const std::string& part)
{
    return text.compare(0, part.size(), part) == 0;
}

// The places, the most populous first, those of equal population in their order: their numbers are sorted
// and each place moved once, where sorting the places themselves moved each of them many times.
std::vector<AtlasPlace> MostPopulousFirst(std::vector<AtlasPlace> places)
{
    std::vector<size_t> order(places.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&places](size_t a, size_t b) { return places[a].population > places[b].population; });
    std::vector<AtlasPlace> sorted;
    sorted.reserve(places.size());
    for (const size_t index : order)
        sorted.push_back(std::move(places[index]));
    return sorted;
}

}  // namespace

const std::string& DisplayName(const AtlasPlace& place, NameLanguage language)
{
    return language == NameLanguage::German && !place.germanName.empty() ? place.germanName : place.name;
}

const std::string& DisplayRegion(const AtlasPlace& place, NameLanguage language)
{
    return language == NameLanguage::German && !place.germanRegion.empty() ? place.germanRegion : place.region;
}

const std::string& DisplayCountry(const AtlasPlace& place, NameLanguage language)
{
    return language == NameLanguage::German && !place.germanCountry.empty() ? place.germanCountry : place.country;
}

std::string PlaceLabel(const AtlasPlace& place, NameLanguage language)
{
    std::string label = DisplayName(place, language);
    if (const std::string& region = DisplayRegion(place, language); !region.empty() && region != label)
        label += ", " + region;
    if (!place.countryCode.empty())
        label += ", " + place.countryCode;
    return label;
}

std::string Folded(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        size_t length = std::min(SequenceLength(lead), text.size() - at);
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t next = 1; next < length; ++next) {
            const auto byte = static_cast<unsigned char>(text[at + next]);
            if ((byte & 0xC0) != 0x80) {
                length = next;
                point = 0x110000;  // broken: kept as it is
                break;
            }
            point = point << 6 | (byte & 0x3F);
        }
        AppendFolded(length == 1 && lead >= 0x80 ? 0x110000 : point, text.substr(at, length), out);
        at += length;
    }
    return out;
}

Atlas::Atlas(std::vector<AtlasPlace> places) : m_places(MostPopulousFirst(std::move(places)))
{
    m_keys.reserve(m_places.size());
    for (const AtlasPlace& place : m_places)
        m_keys.push_back({Folded(place.name), Folded(place.germanName), Folded(place.region),
                          Folded(place.germanRegion), Folded(place.country), Folded(place.germanCountry),
                          Folded(place.countryCode)});
}

std::vector<const AtlasPlace*> Atlas::Search(std::string_view query, size_t limit) const
{
    const std::vector<std::string> parts = QueryParts(query);
    if (parts.front().empty())
        return {};
    std::array<std::vector<const AtlasPlace*>, 3> byRank;
    for (size_t index = 0; index < m_places.size(); ++index) {
        const Keys& keys = m_keys[index];
        const int rank = std::min(MatchRank(keys.name, parts.front()), MatchRank(keys.germanName, parts.front()));
        if (rank == 3 || byRank[rank].size() >= limit)
            continue;
        const bool qualified = std::all_of(parts.begin() + 1, parts.end(), [&keys](const std::string& part) {
            return StartsWith(keys.region, part) || StartsWith(keys.germanRegion, part) ||
                   StartsWith(keys.country, part) || StartsWith(keys.germanCountry, part) || keys.countryCode == part;
        });
        if (qualified)
            byRank[rank].push_back(&m_places[index]);
    }
    std::vector<const AtlasPlace*> found;
    for (const auto& places : byRank)
        for (const AtlasPlace* place : places)
            if (found.size() < limit)
                found.push_back(place);
    return found;
}

const AtlasPlace* Atlas::Resolve(std::string_view query, std::vector<const AtlasPlace*>* ambiguous) const
{
    std::vector<const AtlasPlace*> equal;
    const std::string name = QueryParts(query).front();
    for (const AtlasPlace* place : Search(query, 50))
        if (Folded(place->name) == name || Folded(place->germanName) == name)
            equal.push_back(place);
    if (equal.empty())
        return nullptr;
    const auto otherZone = std::find_if(equal.begin(), equal.end(), [&equal](const AtlasPlace* place) {
        return place->zone != equal.front()->zone;
    });
    if (otherZone == equal.end() || equal.front()->population >= 10ull * (*otherZone)->population)
        return equal.front();
    if (ambiguous != nullptr)
        *ambiguous = equal;
    return nullptr;
}

}  // namespace orvane::atlas
