#include "charts/chart_csv.h"

#include "datetime/iso_dates.h"
#include "datetime/zoned_moments.h"
#include "text/language.h"
#include "text/text_numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <variant>

namespace orvane::charts {

namespace {

using datetime::MomentZone;
using datetime::ZoneKind;

constexpr std::array<std::string_view, 17> kColumns{
    "name",   "first_name", "kind",      "date_time", "zone",   "offset",      "time_known", "place",  "region",
    "country", "latitude",  "longitude", "source",    "reliability", "notes", "tags",       "foreign"};
enum Column { kName, kFirstName, kKind, kDateTime, kZone, kOffset, kTimeKnown, kPlace, kRegion, kCountry,
              kLatitude, kLongitude, kSource, kReliability, kNotes, kTags, kForeign };

constexpr std::string_view kHeader =
    "name,first_name,kind,date_time,zone,offset,time_known,place,region,country,latitude,longitude,source,"
    "reliability,notes,tags,foreign";

// ----- RFC 4180 ------------------------------------------------------------------------------------------

struct Row {
    int line = 0;
    std::vector<std::string> fields;
    bool open = false;  // a quoted field ran to the end of the text
};

// The row that begins at `at`, which is moved past it; `line` counts the line breaks passed.
Row NextRow(std::string_view text, size_t& at, int& line)
{
    Row row{line, {std::string()}, false};
    bool quoted = false;
    while (at < text.size()) {
        const char c = text[at++];
        if (quoted) {
            if (c == '"' && at < text.size() && text[at] == '"') {
                row.fields.back() += '"';
                ++at;
            } else if (c == '"') {
                quoted = false;
            } else {
                line += c == '\n' ? 1 : 0;
                row.fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.fields.emplace_back();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && at < text.size() && text[at] == '\n')
                ++at;
            ++line;
            return row;
        } else {
            row.fields.back() += c;
        }
    }
    row.open = quoted;
    return row;
}

void AppendField(std::string_view field, std::string& out)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// ----- Values ---------------------------------------------------------------------------------------------

std::string NumberText(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::optional<double> ReadNumber(std::string_view text, double limit)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !(std::abs(value) <= limit))
        return std::nullopt;
    return value;
}

// "+01:00", "-03:30", "+01:05:21".
std::string OffsetField(int32_t seconds)
{
    const int32_t magnitude = std::abs(seconds);
    char text[24];
    if (magnitude % 60 != 0)
        std::snprintf(text, sizeof text, "%c%02d:%02d:%02d", seconds < 0 ? '-' : '+', magnitude / 3600,
                      magnitude / 60 % 60, magnitude % 60);
    else
        std::snprintf(text, sizeof text, "%c%02d:%02d", seconds < 0 ? '-' : '+', magnitude / 3600, magnitude / 60 % 60);
    return text;
}

std::optional<int32_t> ReadOffset(std::string_view text)
{
    if (text.size() != 6 && text.size() != 9)
        return std::nullopt;
    if ((text[0] != '+' && text[0] != '-') || text[3] != ':' || (text.size() == 9 && text[6] != ':'))
        return std::nullopt;
    int32_t parts[3] = {0, 0, 0};
    for (size_t part = 0; part * 3 + 3 <= text.size(); ++part) {
        const std::string_view digits = text.substr(part * 3 + 1, 2);
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + 2, parts[part]);
        if (error != std::errc() || end != digits.data() + 2 || (part > 0 && parts[part] >= 60))
            return std::nullopt;
    }
    const int32_t seconds = parts[0] * 3600 + parts[1] * 60 + parts[2];
    if (seconds > datetime::kMaxOffsetSeconds)
        return std::nullopt;
    return text[0] == '-' ? -seconds : seconds;
}

std::string ZoneField(const datetime::PreciseMoment& moment)
{
    switch (moment.zone.kind) {
    case ZoneKind::Named: return moment.zone.name;
    case ZoneKind::FixedOffset: return OffsetField(moment.zone.offsetSeconds);
    case ZoneKind::LocalMeanTime: return "LMT " + NumberText(moment.zone.longitude);
    }
    return {};
}

std::string Joined(const std::vector<std::string>& tags)
{
    std::string joined;
    for (const std::string& tag : tags)
        joined += (joined.empty() ? "" : ";") + tag;
    return joined;
}

std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> parts;
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find(';', at), text.size());
        if (end > at)
            parts.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return parts;
}

// One line's chart, or the reason it cannot be read (below).
std::variant<ChartRecord, std::string> ChartFromRow(const std::vector<std::string>& fields,
                                                    const text::Language& language);

}  // namespace

std::string_view ChartCsvHeader()
{
    return kHeader;
}

ExchangeReading ReadChartCsv(std::string_view bytes, const text::Language& language)
{
    const std::string text = DecodedText(bytes);
    ExchangeReading reading;
    size_t at = 0;
    int line = 1;
    const Row header = NextRow(text, at, line);
    std::string named;
    for (size_t index = 0; index < header.fields.size(); ++index)
        named += (index == 0 ? "" : ",") + header.fields[index];
    if (named != kHeader) {
        reading.skipped.push_back({1, language.TextWithReplacements(text::kTextCsvHeader, std::string(kHeader))});
        return reading;
    }
    while (at < text.size()) {
        const Row row = NextRow(text, at, line);
        if (row.fields.size() == 1 && row.fields.front().empty() && !row.open)
            continue;
        if (row.open) {
            reading.skipped.push_back({row.line, language.Text(text::kTextCsvOpenQuote)});
        } else if (row.fields.size() != kColumns.size()) {
            reading.skipped.push_back({row.line, language.TextWithReplacements(text::kTextCsvColumnCount,
                                                                              std::to_string(row.fields.size()),
                                                                              std::to_string(kColumns.size()))});
        } else {
            std::variant<ChartRecord, std::string> read = ChartFromRow(row.fields, language);
            if (auto* chart = std::get_if<ChartRecord>(&read))
                reading.records.push_back(std::move(*chart));
            else
                reading.skipped.push_back({row.line, std::get<std::string>(read)});
        }
    }
    return reading;
}

std::string WriteChartCsv(const std::vector<ChartRecord>& charts, TextEncoding encoding)
{
    std::string out(kHeader);
    out += "\r\n";
    for (const ChartRecord& chart : charts) {
        const datetime::PreciseMoment& moment = chart.moment;
        const std::array<std::string, kColumns.size()> fields{
            chart.name, chart.firstName, std::string(KindWord(chart.kind)), datetime::WallTimeIso(moment.local),
            ZoneField(moment), OffsetField(moment.offsetSeconds), chart.timeKnown ? "true" : "false",
            chart.place.name, chart.place.region, chart.place.countryCode,
            chart.place.latitude ? NumberText(*chart.place.latitude) : "",
            chart.place.longitude ? NumberText(*chart.place.longitude) : "", chart.source, chart.reliability,
            chart.notes, Joined(chart.tags), chart.foreign};
        for (size_t index = 0; index < fields.size(); ++index) {
            if (index != 0)
                out += ',';
            AppendField(fields[index], out);
        }
        out += "\r\n";
    }
    return EncodedText(out, encoding);
}

namespace {

std::string Bad(const text::Language& language, Column column, const std::string& why)
{
    return language.TextWithReplacements(text::kTextCsvBadField, std::string(kColumns[column]), why);
}

// The zone column: an offset, local mean time at a longitude (the place's when none is given), or a zone
// name or place as the companion's zone options take it.
std::variant<MomentZone, std::string> ReadZone(const std::string& field, const std::optional<double>& longitude,
                                              const text::Language& language)
{
    if (const std::optional<int32_t> offset = ReadOffset(field))
        return MomentZone::Fixed(*offset);
    if (field.rfind("LMT", 0) == 0) {
        const std::string_view rest = std::string_view(field).substr(field.size() > 3 ? 4 : 3);
        const std::optional<double> at = rest.empty() ? longitude : ReadNumber(rest, 180.0);
        if (!at)
            return Bad(language, kZone, field);
        return MomentZone::MeanTime(*at);
    }
    const platform::Result<MomentZone> zone = datetime::ParseMomentZone(field, language);
    if (!zone)
        return Bad(language, kZone, zone.error().text);
    return zone.value();
}

std::variant<ChartRecord, std::string> ChartFromRow(const std::vector<std::string>& fields,
                                                    const text::Language& language)
{
    ChartRecord chart;
    chart.name = fields[kName];
    chart.firstName = fields[kFirstName];
    const std::optional<ChartKind> kind = KindFromWord(fields[kKind]);
    if (!kind)
        return Bad(language, kKind, fields[kKind]);
    chart.kind = *kind;
    chart.place = {fields[kPlace], fields[kRegion], fields[kCountry], std::nullopt, std::nullopt};
    for (const auto& [column, limit, coordinate] : {std::tuple{kLatitude, 90.0, &chart.place.latitude},
                                                    std::tuple{kLongitude, 180.0, &chart.place.longitude}}) {
        if (fields[column].empty())
            continue;
        *coordinate = ReadNumber(fields[column], limit);
        if (!*coordinate)
            return Bad(language, column, fields[column]);
    }
    if (fields[kTimeKnown] != "true" && fields[kTimeKnown] != "false")
        return Bad(language, kTimeKnown, fields[kTimeKnown]);
    chart.timeKnown = fields[kTimeKnown] == "true";
    const std::optional<datetime::IsoMoment> iso = datetime::ParseIsoMoment(fields[kDateTime], 0);
    if (!iso || !iso->hasTime)
        return Bad(language, kDateTime, fields[kDateTime]);
    std::variant<MomentZone, std::string> zone = ReadZone(fields[kZone], chart.place.longitude, language);
    if (const auto* problem = std::get_if<std::string>(&zone))
        return *problem;
    const std::optional<int32_t> offset = fields[kOffset].empty() ? std::nullopt : ReadOffset(fields[kOffset]);
    if (!fields[kOffset].empty() && !offset)
        return Bad(language, kOffset, fields[kOffset]);
    const MomentZone& momentZone = std::get<MomentZone>(zone);
    const datetime::WallTime local = datetime::WallTimeWithFraction(iso->moment, 0, iso->microsecond);
    platform::Result<datetime::PreciseMoment> moment = datetime::ResolveWallTime(
        local, momentZone, momentZone.kind == ZoneKind::Named ? offset : std::nullopt, language);
    if (!moment)
        return Bad(language, kDateTime, moment.error().text);
    chart.moment = moment.value();
    chart.moment.typed = datetime::PreciseMomentIso(chart.moment);
    chart.source = fields[kSource];
    chart.reliability = fields[kReliability];
    chart.notes = fields[kNotes];
    chart.tags = Split(fields[kTags]);
    chart.foreign = fields[kForeign];
    return chart;
}

}  // namespace

}  // namespace orvane::charts
