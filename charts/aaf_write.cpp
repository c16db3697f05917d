// Writing AAF: one record a chart, in the forms the format defines.

#include "charts/aaf.h"
#include "charts/aaf_fields.h"
#include "datetime/zoned_moments.h"
#include "platform/moment.h"

#include <date/tz.h>

#include <cctype>
#include <chrono>
#include <cmath>

namespace orvane::charts {

namespace {

using datetime::ZoneKind;

constexpr std::string_view kSexLine = "#:sex:";
constexpr std::string_view kSummerLine = "#:summer:";

// A field of #A93: "*" when empty; commas, which no field may hold, as ';', and line breaks as blanks.
std::string Field(std::string_view text)
{
    std::string field(aaf::Trimmed(text));
    for (char& c : field)
        c = c == ',' ? ';' : c == '\n' || c == '\r' ? ' ' : c;
    return field.empty() ? std::string(aaf::kUnknown) : field;
}

// The text after `prefix` on the foreign line that begins with it, or nothing.
std::optional<std::string> Annotation(const std::string& foreign, std::string_view prefix)
{
    for (size_t at = 0; at < foreign.size();) {
        const size_t end = std::min(foreign.find('\n', at), foreign.size());
        const std::string_view line = std::string_view(foreign).substr(at, end - at);
        if (line.substr(0, prefix.size()) == prefix)
            return std::string(line.substr(prefix.size()));
        at = end + 1;
    }
    return std::nullopt;
}

char TypeLetter(const ChartRecord& chart)
{
    switch (chart.kind) {
    case ChartKind::Event: return 'e';
    case ChartKind::Country: return 'l';
    case ChartKind::Organisation: return 'o';
    case ChartKind::Person: break;
    }
    const std::optional<std::string> sex = Annotation(chart.foreign, kSexLine);
    return sex && sex->size() == 1 ? (*sex)[0] : '*';
}

// The summer time a zone of the tz database had at the moment, in seconds.
int32_t SummerSeconds(const std::string& zone, double moment)
{
    try {
        const date::sys_info info = date::locate_zone(zone)->get_info(platform::NearestSecond(moment));
        return static_cast<int32_t>(std::chrono::duration_cast<std::chrono::seconds>(info.save).count());
    } catch (const std::exception&) {
        return 0;
    }
}

// #B93's zone difference (summer time left out) and summer-time field.
std::pair<std::string, std::string> ZoneFields(const ChartRecord& chart)
{
    const datetime::PreciseMoment& moment = chart.moment;
    if (moment.zone.kind == ZoneKind::LocalMeanTime)
        return {aaf::ZoneDifferenceText(moment.offsetSeconds), "L"};
    int32_t summer = 0;
    if (moment.zone.kind == ZoneKind::Named)
        summer = SummerSeconds(moment.zone.name, moment.moment);
    else if (const std::optional<std::string> hours = Annotation(chart.foreign, kSummerLine); hours == "*")
        return {aaf::ZoneDifferenceText(moment.offsetSeconds), std::string(aaf::kUnknown)};
    else if (hours)
        summer = std::atoi(hours->c_str()) * 3600;
    if (summer % 3600 != 0 || summer < 0 || summer > 7200)
        summer = 0;
    return {aaf::ZoneDifferenceText(moment.offsetSeconds - summer), std::to_string(summer / 3600)};
}

void WriteHuman(const ChartRecord& chart, std::string& out)
{
    const datetime::WallTime& local = chart.moment.local;
    std::string date(aaf::kUnknown);
    if (local.year >= 1 && local.year <= 9999) {
        // The year always with four digits, as date fields read it: "1.3.0965".
        char text[24];
        std::snprintf(text, sizeof text, "%d.%d.%04d", local.day, local.month, local.year);
        date = text;
    }
    std::string time(aaf::kUnknown);
    if (chart.timeKnown) {
        char text[16];
        std::snprintf(text, sizeof text, local.second != 0 ? "%d:%02d:%02d" : "%d:%02d", local.hour, local.minute,
                      local.second);
        time = text;
    }
    out += "#A93:" + Field(chart.name) + "," + Field(chart.firstName) + "," + TypeLetter(chart) + "," + date + "," +
           time + "," + Field(chart.place.name) + "," + Field(chart.place.countryCode) + "\n";
}

void WriteMachine(const ChartRecord& chart, std::string& out)
{
    const auto [zone, summer] = ZoneFields(chart);
    const std::optional<double>& latitude = chart.place.latitude;
    std::optional<double> longitude = chart.place.longitude;
    if (!longitude && chart.moment.zone.kind == ZoneKind::LocalMeanTime)
        longitude = chart.moment.zone.longitude;
    out += "#B93:" + aaf::JulianDayText(chart.moment.moment) + "," +
           (latitude ? aaf::AngleText(*latitude, 'n', 's') : std::string(aaf::kUnknown)) + "," +
           (longitude ? aaf::AngleText(*longitude, 'e', 'w') : std::string(aaf::kUnknown)) + "," + zone + "," + summer +
           "\n";
    if (chart.moment.zone.kind == ZoneKind::Named)
        out += "#ZNAM:" + chart.moment.zone.name + "\n";
}

// A chunk of text over several lines; a line that would begin with '#' gets a blank before it.
void WriteText(std::string_view id, const std::string& text, std::string& out)
{
    if (text.empty())
        return;
    out += "#";
    out += id;
    out += ":";
    for (size_t at = 0; at <= text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        if (at != 0)
            out += text[at] == '#' ? "\n " : "\n";
        out.append(text, at, end - at);
        at = end + 1;
    }
    out += "\n";
}

// The foreign lines but the annotations; without #ZNAM (and its further lines) when the chart's zone, a
// zone of the tz database, is written there instead.
void WriteForeign(const std::string& foreign, bool zoneNamed, std::string& out)
{
    bool skipping = false;
    for (size_t at = 0; at < foreign.size();) {
        const size_t end = std::min(foreign.find('\n', at), foreign.size());
        const std::string_view line = std::string_view(foreign).substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.front() == '#') {
            std::string id(line.substr(0, 6));
            for (char& c : id)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            skipping = (zoneNamed && id == "#ZNAM:") || line.substr(0, kSexLine.size()) == kSexLine ||
                       line.substr(0, kSummerLine.size()) == kSummerLine;
        }
        if (!line.empty() && !skipping) {
            out += line;
            out += "\n";
        }
    }
}

}  // namespace

std::string WriteAaf(const std::vector<ChartRecord>& charts, TextEncoding encoding)
{
    std::string out;
    out.reserve(charts.size() * 160);
    for (const ChartRecord& chart : charts) {
        if (!out.empty())
            out += "\n";
        WriteHuman(chart, out);
        WriteMachine(chart, out);
        std::string source = chart.source;
        for (char& c : source)
            c = c == '\n' || c == '\r' ? ' ' : c;
        WriteText("COM", chart.notes, out);
        WriteText("SRC", source, out);
        WriteForeign(chart.foreign, chart.moment.zone.kind == ZoneKind::Named, out);
    }
    return EncodedText(out, encoding);
}

}  // namespace orvane::charts
