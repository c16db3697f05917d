#include "display/calendar_file.h"

#include "datetime/iso_dates.h"
#include "display/angle_texts.h"
#include "text/language.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <sstream>
#include <utility>
#include <vector>

namespace orvane::display {
namespace {

constexpr size_t kLineOctets = 75;

bool ContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

CalendarWords CalendarWordsOf(const text::Language& language)
{
    CalendarWords words;
    const std::array<int16_t, core::kNumEventKinds> events{
        text::kTextCalendarExact,          text::kTextCalendarEnter,       text::kTextCalendarLeave,
        text::kTextCalendarIngress,        text::kTextCalendarCross,       text::kTextCalendarReturn,
        text::kTextCalendarAscendingNode,  text::kTextCalendarDescendingNode, text::kTextCalendarLatitudeMax,
        text::kTextCalendarLatitudeMin,    text::kTextCalendarPerihelion,  text::kTextCalendarAphelion,
        text::kTextCalendarMiss};
    for (size_t k = 0; k < words.events.size(); ++k)
        words.events[k] = language.Text(events[k]);
    words.window = language.Text(text::kTextCalendarWindow);
    words.cutAtStart = language.Text(text::kTextCalendarCutAtStart);
    words.cutAtEnd = language.Text(text::kTextCalendarCutAtEnd);
    words.natal = language.Text(text::kTextNatalBody);
    words.stations = {language.Text(text::kTextCalendarStationRetrograde),
                      language.Text(text::kTextCalendarStationDirect)};
    words.geocentric = language.Text(text::kTextCalendarGeocentric);
    words.angle = language.Text(text::kTextCalendarAngle);
    words.lowerCaseAspects = language.currentLanguage == text::langEnglish;
    return words;
}

std::string FoldedLine(std::string_view line)
{
    std::string folded;
    size_t room = kLineOctets;
    while (line.size() > room) {
        // Back to the start of the character that would be cut; a run of stray continuation bytes longer
        // than a line is cut where the octets end, as nothing would be split there.
        size_t cut = room;
        while (cut > 0 && ContinuationByte(line[cut]))
            --cut;
        if (cut == 0)
            cut = room;
        folded.append(line.substr(0, cut)).append("\r\n ");
        line.remove_prefix(cut);
        room = kLineOctets - 1;
    }
    return folded.append(line).append("\r\n");
}

std::string CalendarText(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            escaped += "\\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            continue;
        }
        if (c == '\\' || c == ';' || c == ',')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::string CalendarTime(double moment)
{
    // "2025-01-03T05:21:39Z" without its separators.
    std::string time = datetime::IsoText(moment, 0);
    std::erase_if(time, [](char c) { return c == '-' || c == ':'; });
    return time;
}

CalendarWriter::CalendarWriter(std::ostream& out, const core::AstroTables& tables, CalendarWords words, double stamp)
    : m_out(out), m_tables(tables), m_words(std::move(words)), m_stamp(CalendarTime(stamp))
{
}

void CalendarWriter::Begin()
{
    m_out << FoldedLine("BEGIN:VCALENDAR") << FoldedLine("VERSION:2.0")
          << FoldedLine("PRODID:-//Veltrane//Orvane//EN") << FoldedLine("CALSCALE:GREGORIAN");
}

std::string CalendarWriter::PairSummary(const std::string& text, core::Body body1, core::Aspect aspect,
                                        core::Body body2) const
{
    const std::string& name = m_tables.NamesOf(aspect).Name;
    return text::ReplacePlaceholders(
        text, NameWithRole(m_tables.bodyNames[core::SlotOf(body1)], m_roles.first, m_roles.second, m_words.natal),
        m_words.lowerCaseAspects ? text::LowerCase(name) : name,
        NameWithRole(m_tables.bodyNames[core::SlotOf(body2)], m_roles.second, m_roles.first, m_words.natal));
}

void CalendarWriter::Event(const core::Event& event)
{
    const auto kind = static_cast<size_t>(event.kind);
    const std::string& body = m_tables.bodyNames[core::SlotOf(event.body1)];
    std::string what;
    std::string summary;
    if (event.kind == core::EventKind::Ingress) {
        const std::string& sign = m_tables.SignText[static_cast<size_t>(event.sign)].Name;
        what = body + "-" + sign;
        summary = text::ReplacePlaceholders(m_words.events[kind], body, sign);
    } else if (event.aspect && event.body2) {
        what = body + "-" + m_tables.NamesOf(*event.aspect).Name + "-" + m_tables.bodyNames[core::SlotOf(*event.body2)];
        summary = PairSummary(m_words.events[kind], event.body1, *event.aspect, *event.body2);
    } else {
        // A body's own event: the degree crossed or returned to, the latitude or the distance beside it.
        std::string number;  // the value's digits, which the entry's identifier takes too
        std::string value;   // as the summary shows it: a distance in AU, an angle in degrees
        if (event.value) {
            const bool distance = event.kind == core::EventKind::Perihelion || event.kind == core::EventKind::Aphelion;
            char digits[32];
            std::snprintf(digits, sizeof digits, distance ? "%.6f" : "%.2f",
                          distance ? *event.value : *event.value * 180.0 / core::kPi);
            number = digits;
            value = distance ? number : number + "°";
        }
        what = body;
        if (event.kind == core::EventKind::Cross || event.kind == core::EventKind::Return)
            what += "-" + number;
        summary = text::ReplacePlaceholders(m_words.events[kind], body, value);
    }
    const std::string uid = text::LowerCase(std::string(core::kEventKindKeys[kind]) + "-" + what) + "-" +
                            CalendarTime(event.moment) + "@orvane";
    Entry(uid, event.moment, std::nullopt, summary, {});
}

void CalendarWriter::GeoEvent(const core::GeoEvent& event)
{
    const std::string body(core::GeoBodyName(event.body1));
    std::string what;
    std::string summary;
    if (event.kind == core::GeoEventKind::Exact && event.aspect && event.body2) {
        const std::string& aspect = m_tables.NamesOf(*event.aspect).Name;
        const std::string body2(core::GeoBodyName(*event.body2));
        what = body + "-" + aspect + "-" + body2;
        summary = text::ReplacePlaceholders(m_words.events[static_cast<size_t>(core::EventKind::Exact)], body,
                                            m_words.lowerCaseAspects ? text::LowerCase(aspect) : aspect, body2);
    } else if (event.kind == core::GeoEventKind::Angle && event.aspect && event.angle) {
        const std::string& aspect = m_tables.NamesOf(*event.aspect).Name;
        const std::string angle(core::GeoAngleName(*event.angle));
        what = body + "-" + aspect + "-" + angle;
        summary = text::ReplacePlaceholders(m_words.angle, body, m_words.lowerCaseAspects ? text::LowerCase(aspect) : aspect,
                                            angle);
    } else if (event.kind == core::GeoEventKind::Ingress) {
        const std::string& sign = m_tables.SignText[static_cast<size_t>(event.sign)].Name;
        what = body + "-" + sign;
        summary = text::ReplacePlaceholders(m_words.events[static_cast<size_t>(core::EventKind::Ingress)], body, sign);
    } else {
        what = body;
        const bool retrograde = event.kind == core::GeoEventKind::StationRetrograde;
        // The place in the sign as the almanacs give a station: "27°13' Aries".
        constexpr double kSignWidth = core::kTwoPi / core::kNumSigns;
        const auto sign = static_cast<size_t>(event.longitude / kSignWidth) % core::kNumSigns;
        const std::string place = Rad2DegMin(event.longitude - static_cast<double>(sign) * kSignWidth) + " " +
                                  m_tables.SignText[sign].Name;
        summary = text::ReplacePlaceholders(m_words.stations[retrograde ? 0 : 1], body, place);
    }
    const std::string key = core::kGeoEventKindKeys[static_cast<size_t>(event.kind)];
    const std::string uid = "geo-" + text::LowerCase(key + "-" + what) + "-" + CalendarTime(event.moment) + "@orvane";
    Entry(uid, event.moment, std::nullopt, summary, m_words.geocentric);
}

void CalendarWriter::Window(const TimelineRow& row, const TimelineBar& bar)
{
    const std::string what = m_tables.bodyNames[core::SlotOf(row.pair.body1)] + "-" +
                             m_tables.NamesOf(row.aspect).Name + "-" +
                             m_tables.bodyNames[core::SlotOf(row.pair.body2)];
    const std::string uid =
        text::LowerCase("window-" + what) + "-" + CalendarTime(bar.from) + "-" + CalendarTime(bar.to) + "@orvane";
    std::string description;
    if (bar.openStart)
        description = m_words.cutAtStart;
    if (bar.openEnd)
        description += (description.empty() ? "" : "\n") + m_words.cutAtEnd;
    Entry(uid, bar.from, bar.to, PairSummary(m_words.window, row.pair.body1, row.aspect, row.pair.body2),
          description);
}

void CalendarWriter::Entry(const std::string& uid, double start, std::optional<double> end,
                           const std::string& summary, const std::string& description)
{
    m_out << FoldedLine("BEGIN:VEVENT") << FoldedLine("UID:" + CalendarText(uid))
          << FoldedLine("DTSTAMP:" + m_stamp) << FoldedLine("DTSTART:" + CalendarTime(start));
    if (end)
        m_out << FoldedLine("DTEND:" + CalendarTime(*end));
    m_out << FoldedLine("SUMMARY:" + CalendarText(summary));
    if (!description.empty())
        m_out << FoldedLine("DESCRIPTION:" + CalendarText(description));
    m_out << FoldedLine("TRANSP:TRANSPARENT") << FoldedLine("END:VEVENT");
}

void CalendarWriter::End()
{
    m_out << FoldedLine("END:VCALENDAR");
    m_out.flush();
}

std::string TimelineCalendar(const core::AstroTables& tables, const CalendarWords& words, const Timeline& timeline,
                             double stamp)
{
    std::vector<core::Event> events;
    for (const TimelineRow& row : timeline.rows)
        for (const TimelineBar& bar : row.bars) {
            const auto add = [&](double moment, core::EventKind kind) {
                events.push_back({moment, kind, row.pair.body1, row.pair.body2, row.aspect, -1, 0.0, std::nullopt});
            };
            if (!bar.openStart)
                add(bar.from, core::EventKind::Enter);
            for (const double exact : bar.exacts)
                add(exact, core::EventKind::Exact);
            if (!bar.openEnd)
                add(bar.to, core::EventKind::Leave);
        }
    std::sort(events.begin(), events.end(), core::EventBefore);

    std::ostringstream out;
    CalendarWriter writer(out, tables, words, stamp);
    writer.SetMode(timeline.mode);
    writer.Begin();
    for (const core::Event& event : events)
        writer.Event(event);
    for (const TimelineRow& row : timeline.rows)
        for (const TimelineBar& bar : row.bars)
            writer.Window(row, bar);
    writer.End();
    return out.str();
}

}  // namespace orvane::display
