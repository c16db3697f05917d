#include "cli/tables.h"

#include "cli/values.h"
#include "datetime/datepr2.h"
#include "datetime/iso_dates.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>

namespace orvane::cli {
namespace {

constexpr std::array<const char*, core::kNumEventKinds> kKindKeys{"exact", "enter", "leave", "ingress"};
constexpr int kDateWidth = 15;
constexpr int kNameWidth = 8;
constexpr int kAspectWidth = 12;

// Width in characters, not bytes: German dates and words hold umlauts.
size_t Characters(const std::string& text)
{
    size_t characters = 0;
    for (const char c : text)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return characters;
}

std::string Padded(std::string text, size_t width)
{
    const size_t characters = Characters(text);
    if (characters < width)
        text.append(width - characters, ' ');
    return text;
}

// The zone as the text tables name it: "UT" or "+01:00".
std::string ZoneLabel(int32_t zone)
{
    if (zone == 0)
        return "UT";
    char text[16];
    std::snprintf(text, sizeof text, "%c%02d:%02d", zone < 0 ? '-' : '+', std::abs(zone) / 60, std::abs(zone) % 60);
    return text;
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

}  // namespace

TableWriter::TableWriter(std::ostream& out, TableFormat format, int32_t zoneMinutes, const core::AstroTables& tables,
                         const TableWords& words)
    : m_out(out), m_format(format), m_zone(zoneMinutes), m_tables(tables), m_words(words)
{
}

std::string TableWriter::TimeColumns(double moment) const
{
    const auto total = static_cast<int64_t>(std::floor((moment + 0.5) * 86400.0 + m_zone * 60 + 0.5));
    const int64_t day = total >= 0 ? total / 86400 : -((-total + 86399) / 86400);
    const int64_t second = total - day * 86400;
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", static_cast<int>(second / 3600),
                  static_cast<int>(second / 60 % 60), static_cast<int>(second % 60));
    return Padded(datetime::DateText(static_cast<int32_t>(day), true, m_words.language), kDateWidth) + "  " +
           Padded(time, TimeHeading().size());
}

std::string TableWriter::TimeHeading() const
{
    return m_words.time + " (" + ZoneLabel(m_zone) + ")";
}

size_t TableWriter::KindWidth() const
{
    size_t width = Characters(m_words.event);
    for (const std::string& word : m_words.kinds)
        width = std::max(width, Characters(word));
    return width;
}

void TableWriter::TextLine(std::string line)
{
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    m_out << line << '\n';
}

void TableWriter::JsonRow(const std::string& object)
{
    m_out << (m_rows == 0 ? "[\n" : ",\n") << object;
}

void TableWriter::BeginEvents()
{
    if (m_format == TableFormat::Csv) {
        m_out << "time,jd_ut,kind,body1,aspect,body2,sign\r\n";
    } else if (m_format == TableFormat::Text) {
        TextLine(Padded(m_words.date, kDateWidth) + "  " + TimeHeading() +
                 "  " + Padded(m_words.event, KindWidth()) + "  " + Padded(m_words.body, kNameWidth) + "  " +
                 Padded(m_words.aspect, kAspectWidth) + "  " + Padded(m_words.body, kNameWidth) + "  " + m_words.sign);
    }
}

void TableWriter::Event(const core::Event& event)
{
    const auto kind = static_cast<size_t>(event.kind);
    const bool ingress = event.kind == core::EventKind::Ingress;
    const std::string body1 = m_tables.bodyNames[core::SlotOf(event.body1)];
    const std::string body2 = event.body2 ? m_tables.bodyNames[core::SlotOf(*event.body2)] : "";
    const std::string aspect = event.aspect ? m_tables.AspectText[core::SlotOf(*event.aspect)].Name : "";
    const std::string sign = ingress ? m_tables.SignText[static_cast<size_t>(event.sign)].Name : "";
    if (m_format == TableFormat::Csv) {
        m_out << datetime::IsoText(event.moment, m_zone) << ',' << Fixed6(event.moment) << ',' << kKindKeys[kind]
              << ',' << body1 << ',' << aspect << ',' << body2 << ',' << sign << "\r\n";
    } else if (m_format == TableFormat::Json) {
        const auto orNull = [](const std::string& text) { return text.empty() ? std::string("null") : Quoted(text); };
        JsonRow("{\"time\":" + Quoted(datetime::IsoText(event.moment, m_zone)) + ",\"jd_ut\":" + Fixed6(event.moment) +
                ",\"kind\":" + Quoted(kKindKeys[kind]) + ",\"body1\":" + Quoted(body1) + ",\"aspect\":" +
                orNull(aspect) + ",\"body2\":" + orNull(body2) + ",\"sign\":" + orNull(sign) + "}");
    } else {
        TextLine(TimeColumns(event.moment) + "  " + Padded(m_words.kinds[kind], KindWidth()) + "  " +
                 Padded(body1, kNameWidth) + "  " + Padded(aspect, kAspectWidth) + "  " + Padded(body2, kNameWidth) +
                 "  " + sign);
    }
    ++m_rows;
}

void TableWriter::BeginPositions()
{
    if (m_format == TableFormat::Csv) {
        m_out << "time,jd_ut";
        for (int16_t body = core::kEarth; body <= core::kPluto; ++body)
            m_out << ',' << m_tables.bodyNames[static_cast<size_t>(body)];
        m_out << "\r\n";
    } else if (m_format == TableFormat::Text) {
        std::string line = Padded(m_words.date, kDateWidth) + "  " + TimeHeading();
        for (int16_t body = core::kEarth; body <= core::kPluto; ++body)
            line += "  " + Padded(m_tables.bodyNames[static_cast<size_t>(body)], kNameWidth);
        TextLine(line);
    }
}

void TableWriter::Positions(double moment, const std::array<double, core::kBodySlots>& longitudes)
{
    if (m_format == TableFormat::Text) {
        std::string line = TimeColumns(moment);
        for (int16_t body = core::kEarth; body <= core::kPluto; ++body) {
            const double L = longitudes[static_cast<size_t>(body)];
            const std::string place = L >= 0.0                       ? core::ZodiacPositionText(m_tables, L, false)
                                      : L == core::kPlutoBeforeTable ? "<"
                                                                     : ">";
            line += "  " + Padded(place, kNameWidth);
        }
        TextLine(line);
    } else {
        const bool json = m_format == TableFormat::Json;
        std::string row = json ? "{\"time\":" + Quoted(datetime::IsoText(moment, m_zone)) + ",\"jd_ut\":" + Fixed6(moment)
                               : datetime::IsoText(moment, m_zone) + "," + Fixed6(moment);
        for (int16_t body = core::kEarth; body <= core::kPluto; ++body) {
            const double L = longitudes[static_cast<size_t>(body)];
            const std::string degrees = L >= 0.0 ? Fixed6(L / core::kTwoPi * 360.0) : (json ? "null" : "");
            row += json ? ",\"" + m_tables.bodyNames[static_cast<size_t>(body)] + "\":" + degrees : "," + degrees;
        }
        if (json)
            JsonRow(row + "}");
        else
            m_out << row << "\r\n";
    }
    ++m_rows;
}

void TableWriter::BeginFound()
{
    if (m_format == TableFormat::Csv)
        m_out << "time,jd_ut,pattern\r\n";
}

void TableWriter::Found(double moment, const std::string& pattern)
{
    if (m_format == TableFormat::Csv)
        m_out << datetime::IsoText(moment, m_zone) << ',' << Fixed6(moment) << ',' << pattern << "\r\n";
    else if (m_format == TableFormat::Json)
        JsonRow("{\"time\":" + Quoted(datetime::IsoText(moment, m_zone)) + ",\"jd_ut\":" + Fixed6(moment) +
                ",\"pattern\":" + Quoted(pattern) + "}");
    ++m_rows;
}

void TableWriter::End()
{
    if (m_format == TableFormat::Json)
        m_out << (m_rows == 0 ? "[]\n" : "\n]\n");
    m_out.flush();
}

}  // namespace orvane::cli
