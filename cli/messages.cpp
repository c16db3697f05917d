#include "cli/messages.h"

#include "cli/texts.h"
#include "datetime/zoned_moments.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <filesystem>

namespace orvane::cli {
namespace {

// The zone names a message lists at most.
constexpr size_t kListedZones = 5;

// The edits between `a` and `b`: letters left out, added, changed, or two neighbours swapped.
size_t EditDistance(const std::string& a, const std::string& b)
{
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i)
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t changed = d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, changed});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

// The zones whose name (or its last part, the city) is closest to `word`: those containing it first, then
// those a slip away.
std::vector<std::string> ClosestZones(const std::string& word)
{
    std::vector<std::string> zones = datetime::MatchingZoneNames(word);
    if (zones.empty()) {
        std::vector<std::string> cities;
        for (const std::string& zone : datetime::ZoneNames())
            cities.push_back(zone.substr(zone.rfind('/') + 1));
        if (const std::optional<std::string> city = ClosestName(word, cities))
            for (const std::string& zone : datetime::ZoneNames())
                if (zone.substr(zone.rfind('/') + 1) == *city)
                    zones.push_back(zone);
    }
    // A zone of a region ("Europe/Vienna") before an alias of the same city ("Vienna" has none; "US/…").
    std::stable_sort(zones.begin(), zones.end(), [](const std::string& a, const std::string& b) {
        return (a.find('/') == std::string::npos) < (b.find('/') == std::string::npos);
    });
    if (zones.size() > kListedZones)
        zones.resize(kListedZones);
    return zones;
}

}  // namespace

std::optional<std::string> ClosestName(const std::string& typed, const std::vector<std::string>& names)
{
    const std::string lower = text::LowerCase(typed);
    // A name begun and not finished ("--form" for --format) is the shortest name it begins.
    std::optional<std::string> begun;
    for (const std::string& name : names)
        if (lower.size() >= 4 && text::LowerCase(name).starts_with(lower) && (!begun || name.size() < begun->size()))
            begun = name;
    if (begun)
        return begun;
    std::optional<std::string> closest;
    size_t best = std::max<size_t>(1, lower.size() / 3) + 1;
    for (const std::string& name : names) {
        const size_t distance = EditDistance(lower, text::LowerCase(name));
        if (distance < best) {
            best = distance;
            closest = name;
        }
    }
    return closest;
}

std::optional<std::string> ZoneWordRemedy(const std::string& word, const std::string& date, int16_t language)
{
    std::error_code error;
    if (date.empty() || word.empty() || std::filesystem::exists(word, error))
        return std::nullopt;
    const std::vector<std::string> zones = ClosestZones(word);
    if (zones.empty())
        return std::nullopt;
    // The date as typed, without a zone or offset of its own, with the first zone in brackets.
    std::string bare = date.substr(0, date.find('['));
    if (bare.size() > 10)
        if (const size_t sign = bare.find_first_of("+-Z", 10); sign != std::string::npos)
            bare.resize(sign);
    std::string list;
    for (const std::string& zone : zones)
        list += (list.empty() ? "" : ", ") + zone;
    return OwnText(text::kTextZoneOutsideBrackets, language, word, bare + "[" + zones.front() + "]") + "\n" +
           OwnText(text::kTextClosestZones, language, {}, {}, list);
}

}  // namespace orvane::cli
