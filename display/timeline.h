#pragma once

// The aspect timeline without the window: over a span of moments, every aspect in orb as a bar from the
// moment it comes within its orb to the moment it leaves it, with its exact moments; one row per pair of
// bodies and aspect, in the grid's order. Bars already in orb at the span's start or still in orb at its
// end are cut there and marked open. The aspects are the grid's seven and the four further ones of the
// event search (semisquare, sesquiquadrate, quintile, biquintile). Above the aspects, a lane for each
// moving body holds the events of that body alone as marks: its sign ingresses, the crossings of chosen
// degrees, its return to its natal place (personal transits), its nodes and its apsides. Also the arithmetic of the picture: moments to pixels and back, the
// row under the pointer, the month (or day) ticks along the top, zooming and scrolling, and the texts of
// the hover box and of the CSV export.

#include "core/astro_module.h"
#include "core/events.h"
#include "platform/result.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvane::text {
class Language;
}

namespace orvane::display {

// One stay of an aspect within its orb.
struct TimelineBar {
    double from = 0.0;  // the entry, or the span's start when already in orb there (openStart)
    double to = 0.0;    // the exit, or the span's end when still in orb there (openEnd)
    bool openStart = false;
    bool openEnd = false;
    std::vector<double> exacts;  // the exact moments within the bar
};

struct TimelineRow {
    core::EventPair pair;
    core::Aspect aspect = core::Aspect::Conjunction;
    std::vector<TimelineBar> bars;
};

// A body's lane: the events of that body alone (events without an aspect), in the order of time.
struct TimelineLane {
    core::Body body = core::Body::Earth;
    std::vector<core::Event> marks;
};

// The picture's rows are the lanes first, then the aspect rows; a row number counts both.
struct Timeline {
    double from = 0.0;
    double to = 0.0;
    core::Mode mode = core::Mode::None;
    std::vector<TimelineRow> rows;
    std::vector<TimelineLane> lanes;

    int RowCount() const { return static_cast<int>(lanes.size() + rows.size()); }
    // The lane of row `row`, or null when it is an aspect row (or none).
    const TimelineLane* LaneOfRow(int row) const
    {
        return row >= 0 && row < static_cast<int>(lanes.size()) ? &lanes[static_cast<size_t>(row)] : nullptr;
    }
    // The aspect row of row `row`, or null when it is a lane (or none).
    const TimelineRow* AspectRowOf(int row) const
    {
        const int index = row - static_cast<int>(lanes.size());
        return index >= 0 && index < static_cast<int>(rows.size()) ? &rows[static_cast<size_t>(index)] : nullptr;
    }
};

// An aspect of a pair that holds at the span's start.
struct InOrbAtStart {
    core::EventPair pair;
    core::Aspect aspect = core::Aspect::Conjunction;
};

// The aspects of the search's pairs that `filter` asks for and that hold at `moment`.
std::vector<InOrbAtStart> InOrbAt(const core::AstroModule& astro, const core::EventSearch& search, double moment,
                                  const core::EventFilter& filter, platform::Convention convention);

// The rows from the events of the span (in the order of core::EventBefore) and the aspects holding at its
// start: each entry opens a bar, each exit closes the bar open for its pair and aspect, each exact moment
// goes to the open bar. A row for every pair and aspect with a bar, ordered as `pairs`, then by aspect.
Timeline AssembleTimeline(double from, double to, const std::vector<core::EventPair>& pairs,
                          const std::vector<InOrbAtStart>& atStart, const std::vector<core::Event>& events);

// The lanes of `bodies`, in their order, from the events of the span: each event of a body alone (not of an
// aspect kind) becomes a mark on its body's lane; a body without a mark has no lane.
std::vector<TimelineLane> AssembleLanes(const std::vector<core::Body>& bodies, const std::vector<core::Event>& events);

// What a timeline shows beyond its mode: the convention of every position, and the longitudes (radians,
// 0 ≤ d < 2π) whose crossings are marked (none: no crossings).
struct TimelineChoice {
    platform::Convention convention;
    std::vector<double> degrees;
};

// The degrees typed for the crossings, "0, 15, 90" (commas or blanks between them, a decimal point
// allowed): the longitudes in radians, or the message naming the first that is no degree from 0 up to 360.
// An empty text is no crossings.
platform::Result<std::vector<double>> ReadDegrees(const std::string& typed, const text::Language& language);

// The event kinds of the lanes, in the order of their marks' colours and the legend: ingress, cross, return,
// ascending and descending node, perihelion, aphelion.
inline constexpr std::array<core::EventKind, 7> kLaneKinds{
    core::EventKind::Ingress,        core::EventKind::Cross,      core::EventKind::Return,
    core::EventKind::AscendingNode,  core::EventKind::DescendingNode, core::EventKind::Perihelion,
    core::EventKind::Aphelion};

// The timeline of `mode` over from … to with the orbs in `astro` (the further aspects with the event
// search's own); `moments` are the moments of the three date rows (the birthdates of the two-date modes
// stand still). The moving bodies' own events are its lanes.
Timeline BuildTimeline(const core::AstroModule& astro, core::Mode mode, const std::array<double, 3>& moments,
                       double from, double to, const TimelineChoice& choice = {});

// The rows of `timeline` whose two bodies are both ticked in `bodies` (by body index 1 … 9), without the
// further aspects unless `furtherAspects`, and the lanes of the ticked bodies, in their order.
Timeline KeepBodies(const Timeline& timeline, const std::array<bool, core::kBodySlots>& bodies,
                    bool furtherAspects = true);

// ----- The picture's arithmetic ---------------------------------------------------------------------------

// The part of the span shown, in moments.
struct TimeView {
    double from = 0.0;
    double to = 0.0;
    double Length() const { return to - from; }
};

// The view zoomed by `factor` (below 1 closer) around `anchor`, which stays at its place; no shorter than
// `leastDays` and kept within `bounds`.
TimeView Zoomed(const TimeView& view, double anchor, double factor, const TimeView& bounds, double leastDays);
// The view moved by `days` (later when positive), kept within `bounds`.
TimeView Scrolled(const TimeView& view, double days, const TimeView& bounds);

// Where things are, in pixels: the label column on the left, the tick band at the top, the rows below.
struct TimelineLayout {
    int width = 0;
    int labelWidth = 150;
    int headerHeight = 36;
    int rowHeight = 18;
    int rightMargin = 12;
    TimeView view;

    double X(double moment) const;
    double Moment(double x) const;
    // The row at `y` when the rows are scrolled up by `offset` pixels; −1 above the first row.
    int RowAt(double y, int offset) const;
    double PixelsPerDay() const;
};

// A mark along the top: the start of a month on the upper line, of a day on the lower line.
struct TimeTick {
    double moment = 0.0;
    std::string label;  // "Mar." / "März", with the year in January and at the first tick; a day number
    bool major = false; // the start of a year
    int16_t line = 0;   // 0 months, 1 days
};

// The ticks within `view`, in local time `zoneMinutes` east of Greenwich, spaced so that two labels are at
// least `leastPixels` apart at `pixelsPerDay`; month names in `language` (1 German). The month the view
// begins in is named at its left edge (a tick without a line) when its first month tick is further on; day
// ticks come once days are wide enough to be told apart.
std::vector<TimeTick> TimeTicks(const TimeView& view, int16_t zoneMinutes, double pixelsPerDay, double leastPixels,
                                int16_t language);

// ----- Texts ----------------------------------------------------------------------------------------------

// A moment as the program writes it, in local time `zoneMinutes` east of Greenwich: "Mar. 4, 2025, 05:06".
std::string MomentText(double moment, int16_t zoneMinutes, int16_t language);

// The row's label in the label column: "Ma Sqr Ju"; the transiting body marked "tr." and the natal one
// with its mark in personal transits, the charts' numbers in synastry.
std::string RowLabel(const core::AstroTables& tables, const text::Language& language, core::Mode mode,
                     const TimelineRow& row);
// The hover text of a bar: the pair and aspect in words, then its entry, exact moments and exit.
std::string BarText(const core::AstroTables& tables, const text::Language& language, core::Mode mode,
                    const TimelineRow& row, const TimelineBar& bar, int16_t zoneMinutes);
// The bar of `row` at `moment`, widened by `slackDays` each side; null when none.
const TimelineBar* BarAt(const TimelineRow& row, double moment, double slackDays);

// A lane's label: the body's name, "tr." before it in personal transits.
std::string LaneLabel(const core::AstroTables& tables, core::Mode mode, const TimelineLane& lane);
// The hover text of a mark: what happens ("Mars enters Aries", "Mars at perihelion, 1.3814 AU") and when.
std::string MarkText(const core::AstroTables& tables, const text::Language& language, const core::Event& mark,
                     int16_t zoneMinutes);
// The short label beside a mark: the sign entered ("Tau"), the degree crossed ("15°"), the node's glyph;
// none for a return or an apsis, whose colour tells them.
std::string MarkLabel(const core::AstroTables& tables, const core::Event& mark);
// The mark of `lane` nearest to `moment` within `slackDays`; null when none.
const core::Event* MarkAt(const TimelineLane& lane, double moment, double slackDays);

// Every bar as one CSV line (display/machine_formats.h) under the header `body1,aspect,body2,enter,exact,leave`: English
// names, moments in ISO 8601 UT to the second, enter/leave empty where the bar is cut by the span, several exact
// moments separated by ";".
std::string TimelineCsv(const core::AstroTables& tables, const Timeline& timeline);

}  // namespace orvane::display
