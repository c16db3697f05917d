#pragma once

// The editor of one chart (New, Edit, Add to charts) without the window: the name, first name and kind,
// the moment entered as in the ◷ dialog (date, time, zone or local mean time, the place with the atlas
// behind it), the place's coordinates, tags, notes and source; and the record they make.

#include "app/moment_dialog.h"
#include "charts/chart_record.h"
#include "platform/result.h"

#include <optional>
#include <string>
#include <string_view>

namespace orvane::text {
class Language;
}

namespace orvane::app {

class ChartEditor {
public:
    std::string name;
    std::string firstName;
    charts::ChartKind kind = charts::ChartKind::Person;
    // The date, time, zone and place, read and resolved exactly as the ◷ dialog reads its own.
    MomentDialog moment;
    // The place's coordinates, filled when a place of the atlas is chosen, typed for one it lacks.
    std::string latitudeText;
    std::string longitudeText;
    std::string tagsText;  // separated by commas
    std::string notes;
    std::string source;

    // The entries filled from `chart` (a stored one, or a draft); what the editor does not show (the
    // reliability, an exchange record's foreign part, the times of the store) is kept for Record.
    void Fill(const charts::ChartRecord& chart, const text::Language& language);
    // A proposal of the place field chosen: the zone and the coordinates follow it.
    void ChoosePlace(size_t index, atlas::NameLanguage names);
    // The chart the entries make, or the message why they make none (a moment or coordinates refused).
    platform::Result<charts::ChartRecord> Record(const text::Language& language) const;
    // The chart the editor was filled from.
    const charts::ChartRecord& Base() const { return m_base; }

private:
    charts::ChartRecord m_base;
};

// A latitude as typed: decimal degrees ("48.2", "-33.9") or degrees, minutes and seconds with the
// hemisphere ("48°12'N", "33 52 S"); north positive. None outside −90 … 90 or unreadable.
std::optional<double> ParseLatitude(std::string_view text);

}  // namespace orvane::app
