#pragma once

// Events and orb windows as an iCalendar file (RFC 5545), for the companion's event list and the
// timeline's export alike, so that a calendar program shows the moments an aspect is exact, comes into
// its orb or leaves it, a body changes sign, and the stay of an aspect within its orb.
//
// One VCALENDAR (VERSION 2.0, PRODID, CALSCALE GREGORIAN) holding one VEVENT per event or window, every
// line ended by CR LF and folded at 75 octets. Times are UTC DATE-TIMEs to the second ("20250103T052139Z",
// the second rounded as in the CSV tables); an event has DTSTART alone (a moment), a window DTSTART at its
// entry and DTEND at its exit. Every VEVENT is TRANSP:TRANSPARENT: a moment of the sky keeps no one busy.
// Its UID is built from what the entry is, never from the language or the run: the kind, the bodies, the
// aspect or sign and the times ("exact-earth-opposition-pluto-20250103T052139Z@orvane"), so that writing
// the same span again and importing it replaces the entries instead of doubling them.

#include "core/events.h"
#include "core/geo_events.h"
#include "core/vocabulary.h"
#include "display/body_roles.h"
#include "display/timeline.h"

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::text {
class Language;
}

namespace orvane::display {

// The summaries in the language of the calendar, from the program text: for each event kind, "[r1] [r2]
// [r3] (exact)" with body1, the aspect and body2 (an ingress: "[r1] enters [r2]", body and sign); the
// window's "[r1] [r2] [r3] (in orb)"; and the descriptions of a window cut by the span's start or end.
struct CalendarWords {
    std::array<std::string, core::kNumEventKinds> events;
    std::string window;
    std::string cutAtStart;
    std::string cutAtEnd;
    std::string natal;  // "natal [r1]": the natal body of a personal transit
    // Seen from the Earth: "[r1] turns retrograde at [r2]" and "… direct …" (body, zodiac place), and the
    // description of every geocentric entry.
    std::array<std::string, 2> stations;
    std::string geocentric;
    // A body exact in an aspect to an angle of the place: "[r1] [r2] [r3]" with the body, the aspect and
    // the angle ("Jupiter conjunction Midheaven").
    std::string angle;
    // English writes the aspect as a common noun ("Earth opposition Pluto"); German keeps its capital.
    bool lowerCaseAspects = false;
};

// The words in the current language of `language`.
CalendarWords CalendarWordsOf(const text::Language& language);

// One content line as it goes into the file: folded after every 75 octets (the continuation lines begin
// with one blank, which counts), never inside a UTF-8 character, each part ended by CR LF.
std::string FoldedLine(std::string_view line);

// A TEXT value: backslash, semicolon and comma escaped with a backslash, a line break (CR LF, LF or CR)
// as "\n".
std::string CalendarText(std::string_view text);

// A moment (Julian date, UT) as a UTC DATE-TIME, "20250103T052139Z".
std::string CalendarTime(double moment);

// Writes one calendar to a stream as its entries come.
class CalendarWriter {
public:
    // `stamp` is the moment the calendar is made (DTSTAMP of every entry).
    CalendarWriter(std::ostream& out, const core::AstroTables& tables, CalendarWords words, double stamp);

    // The mode the events are of, whose roles the summaries name ("Saturn square natal Venus"); none
    // unless set (world transits).
    void SetMode(core::Mode mode) { m_roles = EventRoles(mode); }
    void Begin();
    void Event(const core::Event& event);
    // An event seen from the Earth: an exact aspect or an ingress worded as the heliocentric ones, a station
    // with the body's zodiac place, each described as geocentric. Its identifier begins "geo-", so that it
    // never replaces a heliocentric entry.
    void GeoEvent(const core::GeoEvent& event);
    // The stay of `row`'s aspect within its orb that `bar` draws: from its entry to its exit, or from the
    // span's start or to its end where the bar is cut there (said in the description).
    void Window(const TimelineRow& row, const TimelineBar& bar);
    // Closes the calendar and flushes.
    void End();

private:
    void Entry(const std::string& uid, double start, std::optional<double> end, const std::string& summary,
               const std::string& description);
    std::string PairSummary(const std::string& text, core::Body body1, core::Aspect aspect, core::Body body2) const;

    std::ostream& m_out;
    const core::AstroTables& m_tables;
    CalendarWords m_words;
    std::string m_stamp;
    PairRoles m_roles;
};

// The timeline as a calendar: every entry, exact moment and exit of its bars as events (in the order of
// core::EventBefore; an end cut by the span is no event), then every bar as a window.
std::string TimelineCalendar(const core::AstroTables& tables, const CalendarWords& words, const Timeline& timeline,
                             double stamp);

}  // namespace orvane::display
