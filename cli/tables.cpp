#include "cli/tables.h"

#include "datetime/zoned_moments.h"
#include "platform/moment.h"
#include "display/angle_texts.h"
#include "text/language.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "datetime/datepr2.h"
#include "datetime/iso_dates.h"
#include "text/text_numbers.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <utility>
#include <vector>

namespace orvane::cli {
namespace {

constexpr int kDateWidth = 15;
constexpr int kNameWidth = 8;

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

// An event's value as the tables write it: degrees, or AU for a distance; none where nothing applies.
std::optional<double> ValueOf(const core::Event& event)
{
    if (!event.value)
        return std::nullopt;
    const bool distance = event.kind == core::EventKind::Perihelion || event.kind == core::EventKind::Aphelion;
    return distance ? *event.value : *event.value / core::kTwoPi * 360.0;
}

std::string ValueText(const core::Event& event, const char* format)
{
    const std::optional<double> value = ValueOf(event);
    if (!value)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, format, *value);
    return text;
}

// The further columns' keys, in the order they follow a longitude.
constexpr std::array<std::pair<uint8_t, const char*>, 3> kColumnKeys{
    {{kColumnLatitude, "latitude"}, {kColumnDistance, "distance"}, {kColumnSpeed, "speed"}}};

// A further column's value: latitude and speed in degrees, distance in AU.
double ColumnValue(const platform::HelioState& state, uint8_t column)
{
    constexpr double kDegrees = 360.0 / core::kTwoPi;
    return column == kColumnLatitude ? state.latitude * kDegrees
           : column == kColumnDistance ? state.distance
                                       : state.longitudeSpeed * kDegrees;
}

}  // namespace

TableWriter::TableWriter(std::ostream& out, TableFormat format, const core::AstroTables& tables,
                         const TableWords& words)
    : m_out(out), m_format(format), m_zone(words.heading.zoneMinutes), m_zoneName(words.heading.zoneName),
      m_tables(tables), m_words(words), m_json(out),
      m_bodyNames(tables.bodyNames.begin() + core::kEarth, tables.bodyNames.begin() + core::kPluto + 1)
{
}

int32_t ZoneMinutesAt(const std::string& zoneName, int32_t fixedMinutes, double moment)
{
    if (zoneName.empty())
        return fixedMinutes;
    // The name was found in the tz database when the command line was read; its offset follows the moment.
    static const text::Language unused;
    const platform::Result<int32_t> offset = datetime::OffsetAt(zoneName, moment, unused);
    return offset ? static_cast<int32_t>(std::lround(offset.value() / 60.0)) : fixedMinutes;
}

int32_t TableWriter::ZoneAt(double moment) const
{
    return ZoneMinutesAt(m_zoneName, m_zone, moment);
}

bool ShownTwice(const std::string& zoneName, double moment)
{
    if (zoneName.empty())
        return false;
    // The clocks go back by at most a few hours: the same wall time stood on the other side of such a change
    // as many minutes later (or earlier) as they went back.
    constexpr double kReach = 3.0 / 24.0;
    constexpr double kMinute = 1.0 / platform::kMinutesPerDay;
    const int32_t here = ZoneMinutesAt(zoneName, 0, moment);
    const int32_t later = ZoneMinutesAt(zoneName, 0, moment + kReach);
    const int32_t earlier = ZoneMinutesAt(zoneName, 0, moment - kReach);
    if (const int32_t back = here - later; back > 0 && ZoneMinutesAt(zoneName, 0, moment + back * kMinute) == later)
        return true;
    const int32_t back = earlier - here;
    return back > 0 && ZoneMinutesAt(zoneName, 0, moment - back * kMinute) == earlier;
}

std::string TextTimeColumns(double moment, int32_t zoneMinutes, int16_t language, size_t timeWidth,
                            const std::string& zoneName)
{
    const platform::WallTime local = platform::WallTimeAt(moment, zoneMinutes * 60);
    const int64_t day = platform::DayNumberOf({local.year, local.month, local.day});
    char time[32];
    int length = std::snprintf(time, sizeof time, "%02d:%02d:%02d", local.hour, local.minute, local.second);
    if (ShownTwice(zoneName, moment))
        std::snprintf(time + length, sizeof time - static_cast<size_t>(length), " %c%02d:%02d",
                      zoneMinutes < 0 ? '-' : '+', std::abs(zoneMinutes) / 60, std::abs(zoneMinutes) % 60);
    return Padded(datetime::DateText(static_cast<int32_t>(day), true, language), kDateWidth) + "  " +
           Padded(time, timeWidth);
}

std::string TextMoment(double moment, int32_t zoneMinutes, int16_t language, const std::string& zoneName)
{
    std::string text = TextTimeColumns(moment, zoneMinutes, language, 0, zoneName);
    // The date column's padding is one blank here.
    const size_t blanks = text.find("  ");
    const size_t time = text.find_first_not_of(' ', blanks);
    return text.substr(0, blanks) + " " + text.substr(time);
}

std::string DurationInDays(double days, int16_t language)
{
    char number[32];
    std::snprintf(number, sizeof number, "%.2f", days);
    std::string text = number;
    if (language == text::langGerman)
        std::replace(text.begin(), text.end(), '.', ',');
    return text + " " + OwnText(text::kTextDays, language);
}

std::string TimeHeadingText(const std::string& time, int32_t zoneMinutes)
{
    return time + " (" + ZoneLabel(zoneMinutes) + ")";
}

std::string PaddedText(std::string text, size_t width)
{
    return Padded(std::move(text), width);
}

std::string TableWriter::TimeColumns(double moment) const
{
    return TextTimeColumns(moment, ZoneAt(moment), m_words.language, TimeHeading().size(), m_zoneName);
}

std::string TableWriter::TimeHeading() const
{
    return m_zoneName.empty() ? TimeHeadingText(m_words.time, m_zone) : m_words.time + " (" + m_zoneName + ")";
}

size_t TableWriter::KindWidth() const
{
    size_t width = Characters(m_words.event);
    for (const std::string& word : m_words.kinds)
        width = std::max(width, Characters(word));  // a kind not asked for has no word
    for (const std::string& word : m_words.stations)
        width = std::max(width, Characters(word));
    return std::max(width, Characters(m_words.angle));
}

void WriteTextLine(std::ostream& out, std::string line)
{
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    out << line << '\n';
}

void TableWriter::TextLine(std::string line)
{
    WriteTextLine(m_out, std::move(line));
}

size_t TableWriter::SignWidth() const
{
    size_t width = Characters(m_words.sign);
    for (const core::SignNames& sign : m_tables.SignText)
        width = std::max(width, Characters(sign.Name));
    return width;
}

void TableWriter::Opening()
{
    if (m_format == TableFormat::Text)
        TextLine(HeadingLine(m_words.heading, m_words.language));
    else if (m_format == TableFormat::Json)
        m_json.SetMetadata(HeadingMetadata(m_words.heading));
}

void TableWriter::BeginEvents()
{
    Opening();
    if (m_format == TableFormat::Csv) {
        m_out << display::CsvLine({"time", "jd_ut", "kind", "body1", "aspect", "body2", "sign", "value", "role1", "role2"});
    } else if (m_format == TableFormat::Text) {
        std::string heading = Padded(m_words.date, kDateWidth) + "  " + TimeHeading() + "  " +
                              Padded(m_words.event, KindWidth()) + "  " + Padded(m_words.body, m_words.nameWidth) + "  " +
                              Padded(m_words.aspect, m_words.aspectWidth) + "  " + Padded(m_words.body, m_words.nameWidth) + "  ";
        heading += m_words.value.empty() ? m_words.sign : Padded(m_words.sign, SignWidth()) + "  " + m_words.value;
        TextLine(heading);
    }
}

void TableWriter::Event(const core::Event& event)
{
    const auto kind = static_cast<size_t>(event.kind);
    const bool ingress = event.kind == core::EventKind::Ingress;
    const display::PairRoles roles = m_words.eventRoles;
    const std::string role1 = display::RoleKey(roles.first);
    const std::string role2 = event.body2 ? display::RoleKey(roles.second) : "";
    const std::string& name1 = m_tables.bodyNames[core::SlotOf(event.body1)];
    const std::string name2 = event.body2 ? m_tables.bodyNames[core::SlotOf(*event.body2)] : "";
    const std::string aspect = event.aspect ? m_tables.NamesOf(*event.aspect).Name : "";
    const std::string sign = ingress ? m_tables.SignText[static_cast<size_t>(event.sign)].Name : "";
    const std::optional<double> value = ValueOf(event);
    if (m_format == TableFormat::Csv) {
        const std::string time = datetime::IsoText(event.moment, ZoneAt(event.moment));
        m_out << display::CsvLine({time, Fixed6(event.moment), core::kEventKindKeys[kind], name1, aspect, name2, sign,
                                   value ? Fixed6(*value) : "", role1, role2});
    } else if (m_format == TableFormat::Json) {
        const std::string time = datetime::IsoText(event.moment, ZoneAt(event.moment));
        using display::TextOrNull;
        m_json.Row({{"time", time},
                    {"jd_ut", event.moment},
                    {"kind", core::kEventKindKeys[kind]},
                    {"body1", name1},
                    {"aspect", TextOrNull(aspect)},
                    {"body2", TextOrNull(name2)},
                    {"sign", TextOrNull(sign)},
                    {"value", value ? display::JsonValue(*value) : display::JsonValue(nullptr)},
                    {"role1", TextOrNull(role1)},
                    {"role2", TextOrNull(role2)}});
    } else {
        // A body's own event names the body alone; an aspect's names each body with its role.
        const std::string body1 = event.body2 ? NameWithRole(name1, roles.first, roles.second, m_words.natal) : name1;
        const std::string body2 = event.body2 ? NameWithRole(name2, roles.second, roles.first, m_words.natal) : "";
        std::string line = TimeColumns(event.moment) + "  " + Padded(m_words.kinds[kind], KindWidth()) + "  " +
                           Padded(body1, m_words.nameWidth) + "  " + Padded(aspect, m_words.aspectWidth) + "  " +
                           Padded(body2, m_words.nameWidth) + "  ";
        const bool distance = event.kind == core::EventKind::Perihelion || event.kind == core::EventKind::Aphelion;
        line += m_words.value.empty() ? sign
                                      : Padded(sign, SignWidth()) + "  " +
                                            ValueText(event, distance ? "%.6f AU" : "%.4f°");
        TextLine(line);
    }
}

const std::string& TableWriter::GeoKindWord(core::GeoEventKind kind) const
{
    switch (kind) {
    case core::GeoEventKind::Exact:
        return m_words.kinds[static_cast<size_t>(core::EventKind::Exact)];
    case core::GeoEventKind::Ingress:
        return m_words.kinds[static_cast<size_t>(core::EventKind::Ingress)];
    case core::GeoEventKind::StationRetrograde:
        return m_words.stations[0];
    case core::GeoEventKind::StationDirect:
        return m_words.stations[1];
    case core::GeoEventKind::Angle:
        break;
    }
    return m_words.angle;
}

void TableWriter::GeoEventRow(const core::GeoEvent& event)
{
    const bool station = event.kind == core::GeoEventKind::StationRetrograde ||
                         event.kind == core::GeoEventKind::StationDirect;
    const std::string name1(core::GeoBodyName(event.body1));
    const std::string name2 = event.body2 ? std::string(core::GeoBodyName(*event.body2))
                              : event.angle ? std::string(core::GeoAngleName(*event.angle))
                                            : "";
    const std::string aspect = event.aspect ? m_tables.NamesOf(*event.aspect).Name : "";
    const std::string sign = event.sign >= 0 ? m_tables.SignText[static_cast<size_t>(event.sign)].Name : "";
    const double degrees = event.longitude / core::kTwoPi * 360.0;
    const char* key = core::kGeoEventKindKeys[static_cast<size_t>(event.kind)];
    if (m_format == TableFormat::Csv) {
        m_out << display::CsvLine({datetime::IsoText(event.moment, ZoneAt(event.moment)), Fixed6(event.moment), key,
                                   name1, aspect, name2, sign, station ? Fixed6(degrees) : "", "", ""});
    } else if (m_format == TableFormat::Json) {
        const std::string time = datetime::IsoText(event.moment, ZoneAt(event.moment));
        using display::TextOrNull;
        m_json.Row({{"time", time},
                    {"jd_ut", event.moment},
                    {"kind", key},
                    {"body1", name1},
                    {"aspect", TextOrNull(aspect)},
                    {"body2", TextOrNull(name2)},
                    {"sign", TextOrNull(sign)},
                    {"value", station ? display::JsonValue(degrees) : display::JsonValue(nullptr)},
                    {"role1", nullptr},
                    {"role2", nullptr}});
    } else {
        TextLine(TimeColumns(event.moment) + "  " + Padded(GeoKindWord(event.kind), KindWidth()) + "  " + Padded(name1, m_words.nameWidth) +
                 "  " + Padded(aspect, m_words.aspectWidth) + "  " + Padded(name2, m_words.nameWidth) + "  " + sign);
    }
}

void TableWriter::BeginPositions()
{
    Opening();
    if (m_format == TableFormat::Csv) {
        std::vector<std::string> heading{"time", "jd_ut"};
        for (const std::string& name : m_bodyNames) {
            heading.push_back(name);
            for (const auto& [column, key] : kColumnKeys)
                if ((m_columns & column) != 0)
                    heading.push_back(name + "_" + key);
        }
        m_out << display::CsvLine(heading);
    } else if (m_format == TableFormat::Text) {
        std::string line = Padded(m_words.date, kDateWidth) + "  " + TimeHeading();
        for (const std::string& name : m_bodyNames) {
            line += "  " + Padded(name, kNameWidth);
            for (size_t k = 0; k < kColumnKeys.size(); ++k)
                if ((m_columns & kColumnKeys[k].first) != 0)
                    line += "  " + Padded(m_words.columns[k], kNameWidth + 2);
        }
        TextLine(line);
    }
}

void TableWriter::Positions(double moment, const std::array<double, core::kBodySlots>& longitudes,
                            const BodyStates& states)
{
    PositionRow(moment, std::span(longitudes).subspan(core::kEarth, core::kNumBodies),
                std::span(states).subspan(core::kEarth, core::kNumBodies));
}

void TableWriter::PositionRow(double moment, std::span<const double> longitudes,
                              std::span<const std::optional<platform::HelioState>> states)
{
    // The further columns of one body: text, or numbers as CSV writes them (six decimals) and JSON holds them.
    const auto columnText = [&](size_t body, uint8_t column) -> std::string {
        const std::optional<platform::HelioState>& state = states[body];
        if (!state)
            return m_format == TableFormat::Text ? "-" : "";
        const double value = ColumnValue(*state, column);
        if (m_format != TableFormat::Text)
            return Fixed6(value);
        char text[32];
        std::snprintf(text, sizeof text, column == kColumnDistance ? "%.6f" : "%+.4f°", value);
        return text;
    };
    if (m_format == TableFormat::Text) {
        std::string line = TimeColumns(moment);
        for (size_t body = 0; body < m_bodyNames.size(); ++body) {
            const double L = longitudes[body];
            const std::string place = L >= 0.0                       ? display::ZodiacPositionText(m_tables, L, false)
                                      : L == core::kPlutoBeforeTable ? "<"
                                                                     : ">";
            line += "  " + Padded(place, kNameWidth);
            for (const auto& [column, key] : kColumnKeys)
                if ((m_columns & column) != 0)
                    line += "  " + Padded(columnText(body, column), kNameWidth + 2);
        }
        TextLine(line);
    } else if (m_format == TableFormat::Csv) {
        std::vector<std::string> row{datetime::IsoText(moment, ZoneAt(moment)), Fixed6(moment)};
        for (size_t body = 0; body < m_bodyNames.size(); ++body) {
            const double L = longitudes[body];
            row.push_back(L >= 0.0 ? Fixed6(L / core::kTwoPi * 360.0) : "");
            for (const auto& [column, key] : kColumnKeys)
                if ((m_columns & column) != 0)
                    row.push_back(columnText(body, column));
        }
        m_out << display::CsvLine(row);
    } else {
        nlohmann::ordered_json row{{"time", datetime::IsoText(moment, ZoneAt(moment))}, {"jd_ut", moment}};
        for (size_t body = 0; body < m_bodyNames.size(); ++body) {
            const double L = longitudes[body];
            const std::string& name = m_bodyNames[body];
            row[name] = L >= 0.0 ? nlohmann::ordered_json(L / core::kTwoPi * 360.0) : nlohmann::ordered_json(nullptr);
            const std::optional<platform::HelioState>& state = states[body];
            for (const auto& [column, key] : kColumnKeys)
                if ((m_columns & column) != 0)
                    row[name + "_" + key] = state ? nlohmann::ordered_json(ColumnValue(*state, column))
                                                  : nlohmann::ordered_json(nullptr);
        }
        m_json.Object(row);
    }
}

void TableWriter::BeginFound()
{
    Opening();
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

const std::string& TableWriter::IsoTime(double moment)
{
    if (moment != m_isoMoment || m_isoTime.empty()) {
        m_isoMoment = moment;
        m_isoTime = datetime::IsoText(moment, ZoneAt(moment));
    }
    return m_isoTime;
}

void TableWriter::BeginAspects()
{
    Opening();
    if (m_format == TableFormat::Csv) {
        m_out << display::CsvLine(
            {"time", "jd_ut", "body1", "aspect", "body2", "deviation", "applying", "role1", "role2"});
    } else if (m_format == TableFormat::Text) {
        TextLine(Padded(m_words.date, kDateWidth) + "  " + TimeHeading() + "  " + Padded(m_words.body, m_words.nameWidth) +
                 "  " + Padded(m_words.aspect, m_words.aspectWidth) + "  " + Padded(m_words.body, m_words.nameWidth) + "  " +
                 Padded(m_words.deviation, m_words.aspectWidth) + "  " + m_words.motion);
    }
}

void TableWriter::AspectRow(double moment, const core::AspectFound& found)
{
    AspectLine(moment, {m_tables.bodyNames[core::SlotOf(found.body1)], m_tables.bodyNames[core::SlotOf(found.body2)]},
               found.aspect, found.deviation, found.motion, m_words.gridRoles);
}

void TableWriter::GeoAspectRow(double moment, const core::GeoAspectFound& found)
{
    const std::string_view second = found.angle ? core::GeoAngleName(*found.angle) : core::GeoBodyName(found.body2);
    AspectLine(moment, {std::string(core::GeoBodyName(found.body1)), std::string(second)}, found.aspect,
               found.deviation, found.motion, {});
}

void TableWriter::AspectLine(double moment, const std::array<std::string, 2>& bodies, core::Aspect aspectFound,
                             double deviation, core::Motion motionFound, const display::PairRoles& roles)
{
    const std::string& body1 = bodies[0];
    const std::string& body2 = bodies[1];
    const std::string role1 = display::RoleKey(roles.first);
    const std::string role2 = display::RoleKey(roles.second);
    const std::string& aspect = m_tables.AspectText[core::SlotOf(aspectFound)].Name;
    const double degrees = deviation / core::kTwoPi * 360.0;
    const bool applying = motionFound == core::Motion::Applying;
    if (m_format == TableFormat::Csv) {
        m_out << display::CsvLine({IsoTime(moment), Fixed6(moment), body1, aspect, body2,
                                   Fixed6(degrees), applying ? "true" : "false", role1, role2});
    } else if (m_format == TableFormat::Json) {
        const std::string time = IsoTime(moment);
        m_json.Row({{"time", time},
                    {"jd_ut", moment},
                    {"body1", body1},
                    {"aspect", aspect},
                    {"body2", body2},
                    {"deviation", degrees},
                    {"applying", applying},
                    {"role1", display::TextOrNull(role1)},
                    {"role2", display::TextOrNull(role2)}});
    } else {
        const std::string motion = motionFound == core::Motion::Applying     ? m_words.applying
                                   : motionFound == core::Motion::Separating ? m_words.separating
                                                                             : "";
        TextLine(TimeColumns(moment) + "  " +
                 Padded(NameWithRole(body1, roles.first, roles.second, m_words.natal), m_words.nameWidth) + "  " +
                 Padded(aspect, m_words.aspectWidth) + "  " +
                 Padded(NameWithRole(body2, roles.second, roles.first, m_words.natal), m_words.nameWidth) + "  " +
                 Padded(display::Rad2DegMin(deviation), m_words.aspectWidth) + "  " + motion);
    }
}

void TableWriter::End()
{
    if (m_format == TableFormat::Json)
        m_json.End();
    m_out.flush();
}

}  // namespace orvane::cli
