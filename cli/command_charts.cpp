#include "cli/command_charts.h"

#include "app/chart_names.h"
#include "atlas/atlas.h"
#include "charts/aaf.h"
#include "charts/chart_csv.h"
#include "charts/chart_store.h"
#include "cli/cli.h"
#include "cli/tables.h"
#include "cli/texts.h"
#include "datetime/iso_dates.h"
#include "datetime/zoned_moments.h"
#include "display/machine_formats.h"
#include "platform/input_file.h"
#include "platform/saved_file.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstdio>
#include <ostream>
#include <sstream>

namespace orvane::cli {
namespace {

using charts::ChartRecord;

std::string LibraryPath(const CommandLine& line)
{
    return line.library.empty() ? charts::DefaultChartsPath() : line.library;
}

int Refuse(std::ostream& err, const platform::Error& error)
{
    PrintMessage(err, error.message);
    return kExitBadInput;
}

std::string JoinedTags(const std::vector<std::string>& tags, const char* separator)
{
    std::string joined;
    for (const std::string& tag : tags)
        joined += (joined.empty() ? "" : separator) + tag;
    return joined;
}

std::string Coordinate(const std::optional<double>& degrees)
{
    if (!degrees)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", *degrees);
    return text;
}

// The moment as the text table shows it: the wall time and its zone ("1978-03-14 06:45:00 Europe/Vienna").
std::string MomentText(const ChartRecord& chart, const text::Language& language)
{
    std::string wall = datetime::WallTimeIso(chart.moment.local);
    std::replace(wall.begin(), wall.end(), 'T', ' ');
    return wall + " " + datetime::ZoneDescription(chart.moment, language) +
           (chart.timeKnown ? "" : " (" + language.Text(text::kTextChartTimeUnknown) + ")");
}

std::string PlaceText(const ChartRecord& chart)
{
    std::string place = chart.place.name;
    for (const std::string* part : {&chart.place.region, &chart.place.countryCode})
        if (!part->empty() && *part != chart.place.name)
            place += (place.empty() ? "" : ", ") + *part;
    return place;
}

// The machine formats' fields of a chart, in the order of the CSV header.
std::vector<std::string> MachineFields(const ChartRecord& chart)
{
    char jd[32];
    std::snprintf(jd, sizeof jd, "%.6f", chart.moment.moment);
    return {std::to_string(chart.id), chart.name, chart.firstName, std::string(charts::KindWord(chart.kind)),
            datetime::PreciseMomentIso(chart.moment), jd, chart.timeKnown ? "true" : "false", chart.place.name,
            chart.place.region, chart.place.countryCode, Coordinate(chart.place.latitude),
            Coordinate(chart.place.longitude), chart.source, chart.reliability, chart.notes,
            JoinedTags(chart.tags, ";"), chart.created, chart.changed};
}

constexpr std::array<const char*, 18> kMachineKeys{
    "id",     "name",        "first_name", "kind",     "moment",    "jd_ut",  "time_known", "place", "region",
    "country_code", "latitude", "longitude", "source", "reliability", "notes", "tags", "created", "changed"};

nlohmann::ordered_json JsonChart(const ChartRecord& chart)
{
    const std::vector<std::string> fields = MachineFields(chart);
    nlohmann::ordered_json object;
    for (size_t i = 0; i < kMachineKeys.size(); ++i)
        object[kMachineKeys[i]] = fields[i];
    object["id"] = chart.id;
    object["jd_ut"] = chart.moment.moment;
    object["time_known"] = chart.timeKnown;
    const auto degrees = [](const std::optional<double>& value) {
        return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
    };
    object["latitude"] = degrees(chart.place.latitude);
    object["longitude"] = degrees(chart.place.longitude);
    object["tags"] = chart.tags;
    return object;
}

// The charts as a table: text (name, moment, place, tags aligned), CSV or JSON.
void WriteCharts(std::ostream& out, TableFormat format, const std::vector<ChartRecord>& list,
                 const text::Language& language)
{
    if (format == TableFormat::Csv) {
        out << display::CsvLine(kMachineKeys);
        for (const ChartRecord& chart : list)
            out << display::CsvLine(MachineFields(chart));
        return;
    }
    if (format == TableFormat::Json) {
        display::JsonArrayWriter json(out);
        for (const ChartRecord& chart : list)
            json.Object(JsonChart(chart));
        json.End();
        return;
    }
    std::vector<std::array<std::string, 4>> rows{{language.Text(text::kTextChartLabelName),
                                                  language.Text(text::kTextChartLabelMoment),
                                                  language.Text(text::kTextChartLabelPlace),
                                                  language.Text(text::kTextChartLabelTags)}};
    for (const ChartRecord& chart : list)
        rows.push_back({charts::FullName(chart), MomentText(chart, language), PlaceText(chart),
                        JoinedTags(chart.tags, ", ")});
    std::array<size_t, 4> widths{};
    for (const auto& row : rows)
        for (size_t column = 0; column < widths.size(); ++column)
            widths[column] = std::max(widths[column], text::CharacterCount(row[column]));
    for (const auto& row : rows) {
        std::string line;
        for (size_t column = 0; column < row.size(); ++column)
            line += PaddedText(row[column], widths[column] + 2);
        WriteTextLine(out, line);
    }
    out << language.TextWithReplacements(text::kTextChartCount, std::to_string(list.size())) << '\n';
}

// One chart, every field a line "Label: value" (text), or its one row (CSV, JSON).
void WriteChart(std::ostream& out, TableFormat format, const ChartRecord& chart, const text::Language& language)
{
    if (format != TableFormat::Text)
        return WriteCharts(out, format, {chart}, language);
    const std::string coordinates = chart.place.latitude && chart.place.longitude
                                        ? Coordinate(chart.place.latitude) + ", " + Coordinate(chart.place.longitude)
                                        : std::string();
    const std::pair<int16_t, std::string> lines[] = {
        {text::kTextChartLabelName, chart.name},
        {text::kTextChartLabelFirstName, chart.firstName},
        {text::kTextChartLabelKind, std::string(charts::KindWord(chart.kind))},
        {text::kTextChartLabelMoment, MomentText(chart, language)},
        {text::kTextChartLabelUt, datetime::IsoText(chart.moment.moment, 0)},
        {text::kTextChartLabelPlace, PlaceText(chart)},
        {text::kTextChartLabelCoordinates, coordinates},
        {text::kTextChartLabelSource, chart.source},
        {text::kTextChartLabelReliability, chart.reliability},
        {text::kTextChartLabelNotes, chart.notes},
        {text::kTextChartLabelTags, JoinedTags(chart.tags, ", ")},
        {text::kTextChartLabelCreated, chart.created},
        {text::kTextChartLabelChanged, chart.changed}};
    for (const auto& [label, value] : lines)
        if (!value.empty())
            out << language.Text(label) << ": " << ConsoleText(value) << '\n';
}

// The moment of --birth. Without a zone in it, the zone of --place in the atlas (whose coordinates,
// region and country then fill what was not typed); without either it is refused: the library keeps when
// and where a chart was cast, and UT taken for a forgotten zone would be an error saved for good.
platform::Result<datetime::PreciseMoment> TypedMoment(const std::string& typed, ChartRecord& chart,
                                                      const ChartOptions& options, const text::Language& language)
{
    using Moment = platform::Result<datetime::PreciseMoment>;
    const auto read = [&](const datetime::MomentZone& zone) {
        return datetime::ParsePreciseMoment(typed, zone, language);
    };
    Moment moment = read(datetime::MomentZone::Fixed(0));
    const Moment east = read(datetime::MomentZone::Fixed(3600));
    if (!moment || !east || moment.value().moment == east.value().moment)
        return moment;
    if (!options.place)
        return Moment(platform::ErrorCode::InvalidInput,
                      platform::Message::Exclamation(
                          "", language.TextWithReplacements(text::kTextChartNeedsZone, EchoedValue(typed))));
    const atlas::AtlasPlace* place = atlas::Atlas::Shared().Resolve(*options.place);
    if (place == nullptr)
        return Moment(platform::ErrorCode::InvalidInput,
                      platform::Message::Exclamation("", language.TextWithReplacements(text::kTextChartPlaceUnknown,
                                                                                       EchoedValue(*options.place))));
    if (!options.latitude && !options.longitude) {
        chart.place.latitude = place->latitude;
        chart.place.longitude = place->longitude;
    }
    if (!options.region)
        chart.place.region = place->region;
    if (!options.country)
        chart.place.countryCode = place->countryCode;
    return read(datetime::MomentZone::Named(place->zone));
}

// `chart` with every field the command line typed; the refusal of a moment without its zone.
platform::Result<ChartRecord> WithOptions(ChartRecord chart, const ChartOptions& typed, const text::Language& language)
{
    if (typed.birth) {
        const platform::Result<datetime::PreciseMoment> moment = TypedMoment(*typed.birth, chart, typed, language);
        if (!moment)
            return platform::Result<ChartRecord>(moment.failure());
        chart.moment = moment.value();
    }
    if (typed.timeUnknown)
        chart.timeKnown = false;
    const std::pair<const std::optional<std::string>*, std::string*> texts[] = {
        {&typed.name, &chart.name},           {&typed.firstName, &chart.firstName},
        {&typed.place, &chart.place.name},    {&typed.region, &chart.place.region},
        {&typed.country, &chart.place.countryCode}, {&typed.source, &chart.source},
        {&typed.reliability, &chart.reliability},   {&typed.notes, &chart.notes}};
    for (const auto& [given, field] : texts)
        if (*given)
            *field = **given;
    if (typed.kind)
        chart.kind = charts::KindFromWord(*typed.kind).value_or(chart.kind);
    if (typed.latitude)
        chart.place.latitude = typed.latitude;
    if (typed.longitude)
        chart.place.longitude = typed.longitude;
    if (typed.tags)
        chart.tags = *typed.tags;
    return platform::Result<ChartRecord>(std::move(chart));
}

// add, edit and remove: the chart changed, and the line saying so.
int ChangeLibrary(charts::ChartStore& store, const CommandLine& line, std::ostream& out, std::ostream& err)
{
    const text::Language& language = OwnLanguage(line.language);
    const std::string& action = line.charts.action;
    ChartRecord chart;
    if (action != "add") {
        platform::Result<ChartRecord> found = store.FindByName(line.charts.target);
        if (!found)
            return Refuse(err, found.failure());
        chart = std::move(found.value());
    }
    if (action == "remove") {
        if (const platform::Result<void> removed = store.Remove(chart.id); !removed)
            return Refuse(err, removed.failure());
        out << language.TextWithReplacements(text::kTextChartRemoved, charts::FullName(chart)) << '\n';
        return kExitSuccess;
    }
    platform::Result<ChartRecord> typed = WithOptions(std::move(chart), line.charts, language);
    if (!typed)
        return Refuse(err, typed.failure());
    const platform::Result<ChartRecord> stored =
        action == "add" ? store.Add(std::move(typed.value())) : store.Update(std::move(typed.value()));
    if (!stored)
        return Refuse(err, stored.failure());
    out << (action == "add" ? language.TextWithReplacements(text::kTextChartAdded, charts::FullName(stored.value()),
                                                            store.path())
                            : language.TextWithReplacements(text::kTextChartChanged, charts::FullName(stored.value())))
        << '\n';
    return kExitSuccess;
}

TableFormat TableFormatOf(const std::string& format)
{
    return format == "csv" ? TableFormat::Csv : format == "json" ? TableFormat::Json : TableFormat::Text;
}

// The largest exchange file an import reads: some million charts.
constexpr uint64_t kMaxImportMiB = 256;

// The bytes of the exchange file `file`, or the message saying why they cannot be read.
platform::Result<std::string> ImportedBytes(const std::string& file, const text::Language& language)
{
    const std::string shown = EchoedValue(file);
    const auto describe = [&](platform::FileFault fault, const std::string& reason) {
        using platform::FileFault;
        return platform::Message::Exclamation(
            "", fault == FileFault::NotAFile ? language.TextWithReplacements(text::kTextChartsNotAFile, shown)
                : fault == FileFault::TooLarge
                    ? language.TextWithReplacements(text::kTextChartsFileTooLarge, shown, std::to_string(kMaxImportMiB))
                    : language.TextWithReplacements(text::kTextChartsNotRead, shown, reason));
    };
    return platform::ReadWholeFile(file, kMaxImportMiB * 1024 * 1024, describe);
}

// charts import FILE: the AAF or CSV file's charts added in one transaction, each skipped record said on
// `err` by its line, and the counts on `out`.
int ImportCharts(charts::ChartStore& store, const CommandLine& line, std::ostream& out, std::ostream& err)
{
    const text::Language& language = OwnLanguage(line.language);
    const std::string& file = line.charts.target;
    const platform::Result<std::string> bytes = ImportedBytes(file, language);
    if (!bytes)
        return Refuse(err, bytes.failure());
    const bool csv = line.charts.format == "csv" ||
                     (line.charts.format.empty() && text::LowerCase(file).ends_with(".csv"));
    const charts::ExchangeReading reading =
        csv ? charts::ReadChartCsv(bytes.value(), language) : charts::ReadAaf(bytes.value(), language);
    for (const charts::SkippedRecord& skipped : reading.skipped)
        err << ConsoleText(language.TextWithReplacements(text::kTextChartSkippedLine, std::to_string(skipped.line),
                                                         skipped.reason))
            << '\n';
    const platform::Result<charts::AddedCount> added = store.AddMany(reading.records);
    if (!added)
        return Refuse(err, added.failure());
    out << language.TextWithReplacements(text::kTextChartsImported,
                                         std::to_string(reading.records.size() + reading.skipped.size()),
                                         std::to_string(added.value().added), std::to_string(reading.skipped.size()),
                                         std::to_string(added.value().present))
        << '\n';
    return kExitSuccess;
}

// charts export: every chart as AAF (the default), CSV or JSON, to --output or standard output.
int ExportCharts(charts::ChartStore& store, const CommandLine& line, std::ostream& out, std::ostream& err)
{
    const text::Language& language = OwnLanguage(line.language);
    const platform::Result<std::vector<ChartRecord>> all = store.List();
    if (!all)
        return Refuse(err, all.failure());
    std::ostringstream json;
    if (line.charts.format == "json")
        WriteCharts(json, TableFormat::Json, all.value(), language);
    const std::string content = line.charts.format == "json" ? json.str()
                                : line.charts.format == "csv" ? charts::WriteChartCsv(all.value())
                                                              : charts::WriteAaf(all.value());
    if (line.charts.output.empty()) {
        out << content;
        return kExitSuccess;
    }
    const auto describe = [&](platform::ErrorCode, const std::string& folder, const std::string& reason) {
        return platform::Message::Exclamation(
            "", language.TextWithReplacements(text::kTextChartsNotWritten, line.charts.output,
                                              reason.empty() ? folder : reason));
    };
    if (const platform::Result<void> saved = platform::SaveFile(line.charts.output, content, describe); !saved)
        return Refuse(err, saved.failure());
    out << language.TextWithReplacements(text::kTextChartsExported, std::to_string(all.value().size()),
                                         line.charts.output)
        << '\n';
    return kExitSuccess;
}

}  // namespace

int RunCharts(const CommandLine& line, std::ostream& out, std::ostream& err)
{
    const text::Language& language = OwnLanguage(line.language);
    platform::Result<charts::ChartStore> opened = charts::ChartStore::Open(LibraryPath(line), language);
    if (!opened)
        return Refuse(err, opened.failure());
    charts::ChartStore& store = opened.value();
    if (line.charts.action == "list") {
        const platform::Result<std::vector<ChartRecord>> found = store.Search(line.charts.search);
        if (!found)
            return Refuse(err, found.failure());
        WriteCharts(out, TableFormatOf(line.charts.format), found.value(), language);
        return kExitSuccess;
    }
    if (line.charts.action == "show") {
        const platform::Result<ChartRecord> found = store.FindByName(line.charts.target);
        if (!found)
            return Refuse(err, found.failure());
        WriteChart(out, TableFormatOf(line.charts.format), found.value(), language);
        return kExitSuccess;
    }
    if (line.charts.action == "import")
        return ImportCharts(store, line, out, err);
    if (line.charts.action == "export")
        return ExportCharts(store, line, out, err);
    return ChangeLibrary(store, line, out, err);
}

namespace {

// positions --date @NAME: the chart's moment, and its place where the angles are shown and none is given.
bool ResolveDateName(CommandLine& line, std::ostream& err)
{
    const platform::Result<ChartRecord> chart =
        app::ChartNamed(line.date, LibraryPath(line), OwnLanguage(line.language));
    if (!chart) {
        PrintMessage(err, chart.error());
        return false;
    }
    const ChartRecord& record = chart.value();
    line.date = app::ChartMomentIso(record);
    const bool anglesShown = (line.compare || line.perspective == core::Perspective::Geocentric) &&
                             line.geoConvention.frame != platform::Frame::J2000;
    if (anglesShown && !line.latitude && !line.longitude && record.place.latitude && record.place.longitude) {
        line.latitude = record.place.latitude;
        line.longitude = record.place.longitude;
    }
    return true;
}

}  // namespace

bool ResolveBirthNames(CommandLine& line, std::ostream& err)
{
    if (line.command == "positions" && app::NamesChart(line.date) && !ResolveDateName(line, err))
        return false;
    for (std::string* birth : {&line.birth, &line.birth2}) {
        if (!app::NamesChart(*birth))
            continue;
        const platform::Result<std::string> moment =
            app::ChartMomentText(*birth, LibraryPath(line), OwnLanguage(line.language));
        if (!moment) {
            PrintMessage(err, moment.error());
            return false;
        }
        *birth = moment.value();
    }
    return true;
}

}  // namespace orvane::cli
