#include "cli/tables.h"

#include "datetime/zoned_moments.h"
#include "text/language.h"

#include "cli/values.h"
#include "datetime/datepr2.h"
#include "datetime/iso_dates.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <vector>

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

// A text member of a JSON row, null when nothing applies.
nlohmann::ordered_json OrNull(const std::string& text)
{
    return text.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(text);
}

}  // namespace

TableWriter::TableWriter(std::ostream& out, TableFormat format, int32_t zoneMinutes, const core::AstroTables& tables,
                         const TableWords& words)
    : m_out(out), m_format(format), m_zone(zoneMinutes), m_tables(tables), m_words(words), m_json(out)
{
}

void TableWriter::SetZoneName(std::string name)
{
    m_zoneName = std::move(name);
}

int32_t TableWriter::ZoneAt(double moment) const
{
    if (m_zoneName.empty())
        return m_zone;
    // The name was found in the tz database when the command line was read; its offset follows the moment.
    static const text::Language unused;
    const platform::Result<int32_t> offset = datetime::OffsetAt(m_zoneName, moment, unused);
    return offset ? static_cast<int32_t>(std::lround(offset.value() / 60.0)) : m_zone;
}

std::string TableWriter::TimeColumns(double moment) const
{
    const auto total = static_cast<int64_t>(std::floor((moment + 0.5) * 86400.0 + ZoneAt(moment) * 60 + 0.5));
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
    return m_words.time + " (" + (m_zoneName.empty() ? ZoneLabel(m_zone) : m_zoneName) + ")";
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

void TableWriter::BeginEvents()
{
    if (m_format == TableFormat::Csv) {
        m_out << display::CsvLine({"time", "jd_ut", "kind", "body1", "aspect", "body2", "sign"});
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
        const std::string time = datetime::IsoText(event.moment, ZoneAt(event.moment));
        m_out << display::CsvLine({time, Fixed6(event.moment), kKindKeys[kind], body1, aspect, body2, sign});
    } else if (m_format == TableFormat::Json) {
        m_json.Object({{"time", datetime::IsoText(event.moment, ZoneAt(event.moment))},
                       {"jd_ut", event.moment},
                       {"kind", kKindKeys[kind]},
                       {"body1", body1},
                       {"aspect", OrNull(aspect)},
                       {"body2", OrNull(body2)},
                       {"sign", OrNull(sign)}});
    } else {
        TextLine(TimeColumns(event.moment) + "  " + Padded(m_words.kinds[kind], KindWidth()) + "  " +
                 Padded(body1, kNameWidth) + "  " + Padded(aspect, kAspectWidth) + "  " + Padded(body2, kNameWidth) +
                 "  " + sign);
    }
}

void TableWriter::BeginPositions()
{
    if (m_format == TableFormat::Csv) {
        std::vector<std::string> heading{"time", "jd_ut"};
        for (int16_t body = core::kEarth; body <= core::kPluto; ++body)
            heading.push_back(m_tables.bodyNames[static_cast<size_t>(body)]);
        m_out << display::CsvLine(heading);
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
    } else if (m_format == TableFormat::Csv) {
        std::vector<std::string> row{datetime::IsoText(moment, ZoneAt(moment)), Fixed6(moment)};
        for (int16_t body = core::kEarth; body <= core::kPluto; ++body) {
            const double L = longitudes[static_cast<size_t>(body)];
            row.push_back(L >= 0.0 ? Fixed6(L / core::kTwoPi * 360.0) : "");
        }
        m_out << display::CsvLine(row);
    } else {
        nlohmann::ordered_json row{{"time", datetime::IsoText(moment, ZoneAt(moment))}, {"jd_ut", moment}};
        for (int16_t body = core::kEarth; body <= core::kPluto; ++body) {
            const double L = longitudes[static_cast<size_t>(body)];
            row[m_tables.bodyNames[static_cast<size_t>(body)]] =
                L >= 0.0 ? nlohmann::ordered_json(L / core::kTwoPi * 360.0) : nlohmann::ordered_json(nullptr);
        }
        m_json.Object(row);
    }
}

void TableWriter::BeginFound()
{
    if (m_format == TableFormat::Csv)
        m_out << display::CsvLine({"time", "jd_ut", "pattern"});
}

void TableWriter::Found(double moment, const std::string& pattern)
{
    if (m_format == TableFormat::Csv)
        m_out << display::CsvLine({datetime::IsoText(moment, ZoneAt(moment)), Fixed6(moment), pattern});
    else if (m_format == TableFormat::Json)
        m_json.Object({{"time", datetime::IsoText(moment, ZoneAt(moment))}, {"jd_ut", moment}, {"pattern", pattern}});
}

void TableWriter::End()
{
    if (m_format == TableFormat::Json)
        m_json.End();
    m_out.flush();
}

}  // namespace orvane::cli
