#pragma once

// A place field with the atlas behind it: what the user types, the places it proposes ("Springfield,
// Illinois, US", "Springfield, Missouri, US"), and the place chosen from them with its coordinates and
// zone. A place the atlas lacks stays as typed, without coordinates until they are entered by hand.

#include "atlas/atlas.h"
#include "charts/chart_record.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::text {
class Language;
}

namespace orvane::app {

// The atlas names in the interface language.
atlas::NameLanguage PlaceNames(const text::Language& language);

class PlaceEntry {
public:
    // The field's text, as typed or as the chosen proposal reads.
    const std::string& Text() const { return m_text; }
    // The user typed: a place chosen before no longer holds, and the atlas is asked again.
    void Type(std::string_view text, const atlas::Atlas& places, atlas::NameLanguage names);
    // The labels of the places the text proposes, the best first.
    const std::vector<std::string>& Proposals() const { return m_labels; }
    // The proposal `index` (of Proposals) chosen: the text becomes its label, the place its own. False
    // for an index that was not proposed.
    bool Choose(size_t index, atlas::NameLanguage names);
    // Whether the place was chosen from the atlas (and has its coordinates and zone).
    bool Chosen() const { return !m_zone.empty(); }
    // The chosen place's zone; empty for a place typed by hand.
    const std::string& Zone() const { return m_zone; }
    // The place as a chart keeps it: the chosen one, or the text alone as its name.
    const charts::Place& Place() const { return m_place; }
    // Shows a place kept before (a chart's, a row's), as chosen when it has coordinates.
    void Show(const charts::Place& place, std::string zone);
    void Clear() { Show({}, {}); }

private:
    std::string m_text;
    std::string m_zone;
    charts::Place m_place;
    std::vector<const atlas::AtlasPlace*> m_proposed;
    std::vector<std::string> m_labels;
};

// "Springfield, Illinois, US": a kept place as the field shows it.
std::string PlaceText(const charts::Place& place);

}  // namespace orvane::app
