#include "app/place_entry.h"

#include "text/language.h"

#include <utility>

namespace orvane::app {
namespace {

// Enough proposals to tell the Springfields apart, few enough for a list under the field.
constexpr size_t kProposals = 12;

}  // namespace

atlas::NameLanguage PlaceNames(const text::Language& language)
{
    return language.currentLanguage == text::langGerman ? atlas::NameLanguage::German : atlas::NameLanguage::English;
}

void PlaceEntry::Type(std::string_view text, const atlas::Atlas& places, atlas::NameLanguage names)
{
    if (text == m_text)
        return;
    m_text = std::string(text);
    m_zone.clear();
    m_place = charts::Place{m_text, {}, {}, std::nullopt, std::nullopt};
    m_proposed = places.Search(m_text, kProposals);
    m_labels.clear();
    for (const atlas::AtlasPlace* place : m_proposed)
        m_labels.push_back(atlas::PlaceLabel(*place, names));
}

bool PlaceEntry::Choose(size_t index, atlas::NameLanguage names)
{
    if (index >= m_proposed.size())
        return false;
    const atlas::AtlasPlace& chosen = *m_proposed[index];
    m_text = m_labels[index];
    m_zone = chosen.zone;
    m_place = charts::Place{atlas::DisplayName(chosen, names), atlas::DisplayRegion(chosen, names),
                            chosen.countryCode, chosen.latitude, chosen.longitude};
    return true;
}

void PlaceEntry::Show(const charts::Place& place, std::string zone)
{
    m_place = place;
    m_zone = place.latitude && place.longitude ? std::move(zone) : std::string();
    m_text = PlaceText(place);
    m_proposed.clear();
    m_labels.clear();
}

std::string PlaceText(const charts::Place& place)
{
    std::string text = place.name;
    for (const std::string* part : {&place.region, &place.countryCode})
        if (!part->empty() && *part != place.name)
            text += (text.empty() ? "" : ", ") + *part;
    return text;
}

}  // namespace orvane::app
