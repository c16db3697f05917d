#pragma once

// The durations window without its widgets: the report of the current computation. In the transit modes
// it lists every current aspect on one line with its exactness and, when "Show durations" is ticked, the
// days on which it begins and ends and how long it lasts, sorted by a key the user picks; in the natal and
// synastry modes it writes the aspects as sentences, counts them by kind and lists the aspect patterns.
// The duration records it sorts and reads are built by core::GetDurations.

#include "core/aspect_result.h"
#include "core/astro_module.h"
#include "core/aspect_span.h"
#include "platform/control_models.h"
#include "platform/message.h"
#include "text/language.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvane::reports {

// The fields of a duration record, in the order in which the report compares them: a sort key is its
// field and every field after it, so records equal in the key field are ordered by the fields that follow.
enum class SortField : uint8_t { FirstBody, SecondBody, Aspect, Deviation, Beginning, Ending, Duration };

// The field on which sort-box entry `sortIndex` sorts. The personal-transit and synastry modes have one
// more entry (the second body) than world transits and the natal modes. None for an entry the mode does
// not offer.
std::optional<SortField> SortFieldOf(core::Mode currentMode, int16_t sortIndex);

// Compares two records by `field` and the fields after it: below 0 when `a` comes first in ascending
// order, 0 when they are equal in the key. A day not found comes before every day, as does a duration
// without both days.
int CompareRecords(const core::DurationRecord& a, const core::DurationRecord& b, SortField field);

// Sorts records[first … last] (positions in the vector) by the key of `field`. One quicksort pass leaves
// the range in descending order; when `ascending` is set the range is then reversed. Not stable: records
// equal in the key may change places.
void SortRecords(bool ascending, std::vector<core::DurationRecord>& records, int16_t first, int16_t last,
                 SortField field);

// One recursive quicksort pass into descending order of the key.
void QuickSortPass(std::vector<core::DurationRecord>& records, int16_t first, int16_t last, SortField field);

// How long `days` days are in words: "1 day", "364 days", "1 year", "1 year, 1 day", "2 years, 5 days"
// (a year counted as 365.2425 days), in the current language.
std::string DurationText(const text::Language& language, int32_t days);

// The Report button's message when the grid holds no aspect: information, titled with the button's caption.
platform::Message NoAspectsMessage(const text::Language& language, core::Mode currentMode);

// What the natal listing needs from the last computation.
struct NatalListingInputs {
    // The positions of the computation: 0 the (first) chart, 1 the second chart in synastry.
    std::array<core::ChartPositions, 2> positions;
    // Aspects found, by aspect index 1 … 7.
    std::array<int16_t, core::kAspectSlots> aspectCounts{};
    // The patterns and midpoints of the (first) chart, as core::FindChartPatterns finds them.
    std::vector<core::PatternFound> patterns;
};

// What the main window hands to Report.
struct ReportInputs {
    core::Mode currentMode = core::Mode::None;
    // The text of date row 0, 1 or 2 (InputDateToString).
    std::function<std::string(int16_t row, bool abbreviated)> InputDateToString;
    // The title with the orbs appended (AddOrbToTitle).
    std::function<std::string(const std::string& title, bool personal, bool addPeriod)> AddOrbToTitle;
    // The grid from which the duration records are built.
    core::DurationGrid grid;
};

class DurationsWindow {
public:
    // The window keeps references to the astronomical module and the program text; both must outlive it.
    // The column widths are computed from the body and aspect names here, once.
    DurationsWindow(const core::AstroModule& astro, const text::Language& language);

    // Controls.
    std::string Caption;  // the window's caption
    std::string titleText;
    std::string sortByCaption;
    bool sortByCaptionShown = false;
    platform::ComboBoxModel sortList;
    bool sortByShown = false;
    std::string showDurationsCaption;
    bool showDurationsTicked = false;  // ticked
    bool showDurationsShown = true;
    std::string outputText;
    std::string copyCaption;
    std::string closeCaption;

    // The duration records, in the order of the last sort.
    std::vector<core::DurationRecord> records;

    // Window state.
    std::array<int16_t, 7> columnWidth{};  // 1 … 6; 0 unused
    bool fillingSortList = false;
    int16_t patternsListed = 0;
    // The mode of the last Report.
    core::Mode currentMode = core::Mode::None;

    // Column widths of the list: (1) longest body name, (2) longest aspect adjective + 10, (3) as (1),
    // (4) and (5) 19, the length of the longest long date with its comma or blank, (6) twice (1) plus the
    // longest adjective plus 4.
    void ComputeColumnWidths();

    // Prepares caption, title and records for the mode (the view then places and shows the window, which
    // activates it).
    void Report(const ReportInputs& inputs);

    // Each time the window becomes active: refills the sort box and the list. `totalAspects` is the
    // main window's count of aspects in the grid.
    void Activate(int16_t totalAspects, const NatalListingInputs& natal);

    // The sort box: filled in the transit modes, shown only for two aspects or more.
    void FillSortList(int16_t totalAspects);

    // Sorts the records in ascending order of the key of sort-box entry `sortIndex`.
    void SortDurationRecords(int16_t sortIndex);

    // The user picked a sort key.
    void SortChosen();

    // "Show durations" was ticked or cleared (the view adapts the window's width).
    void ToggleDurations();

    // Writes one line per record into outputText.
    void ShowDurationList();

    // One line of the list: the bodies, the aspect with its exactness and, when "Show durations" is
    // ticked, beginning, end and duration.
    std::string FormatDurationLine(const core::DurationRecord& record) const;

    // The natal and synastry report: the aspects as sentences, their count by kind, the aspect patterns.
    void ShowNatalListing(const NatalListingInputs& natal);

    // Appends the lines of one pattern's findings under a heading and counts the patterns listed.
    void AppendPatternText(const std::string& patternText, int16_t count, int16_t patternIndex);

    // What Copy puts on the clipboard: the title, two line breaks and the list.
    std::string ClipboardText() const;

private:
    bool German() const;
    // The patterns of the natal chart, or "no patterns".
    void ListNatalPatterns(const NatalListingInputs& natal);
    // The listing's last sentence: which longitudes its positions are, in the module's convention.
    std::string ConventionSentence() const;

    const core::AstroModule& m_astro;
    const text::Language& m_language;
};

}  // namespace orvane::reports
