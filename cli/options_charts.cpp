// The command charts' options: the action and NAME, the library, and the fields of a chart.

#include "cli/option_kit.h"
#include "cli/options_moments.h"
#include "cli/reader_pieces.h"
#include "cli/texts.h"
#include "cli/values.h"
#include "charts/chart_record.h"
#include "text/text_numbers.h"

#include <CLI/CLI.hpp>

#include <cmath>

namespace orvane::cli {
namespace {

constexpr const char* kActions = "list, show, add, edit, remove, import, export";
constexpr const char* kKinds = "person, event, organisation, country";

// A latitude or longitude: a finite number of degrees within ±`limit`.
std::function<bool(const std::string&)> Degrees(double limit)
{
    return [limit](const std::string& typed) {
        const std::optional<double> value = ReadNumber<double>(typed);
        return value && std::isfinite(*value) && std::abs(*value) <= limit;
    };
}

// A text option of a chart, kept in `field` when typed.
void TextField(CLI::App* charts, const char* name, std::optional<std::string>& field, const char* description,
               const char* type = "TEXT")
{
    charts->add_option_function<std::string>(name, [&field](const std::string& typed) { field = typed; }, description)
        ->type_name(type)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

void AddCoordinates(CLI::App* charts, CommandLine& line)
{
    ChartOptions& chart = line.charts;
    charts
        ->add_option_function<std::string>(
            "--lat", [&chart](const std::string& typed) { chart.latitude = ReadNumber<double>(typed); },
            "Latitude in degrees, north positive (48.2082)")
        ->type_name("DEG")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(Checked(Degrees(90.0), line.language, "--lat"));
    charts
        ->add_option_function<std::string>(
            "--lon", [&chart](const std::string& typed) { chart.longitude = ReadNumber<double>(typed); },
            "Longitude in degrees, east positive (16.3738)")
        ->type_name("DEG")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(Checked(Degrees(180.0), line.language, "--lon"));
}

// The fields of a chart that add and edit take.
void AddChartFields(CLI::App* charts, CommandLine& line)
{
    ChartOptions& chart = line.charts;
    TextField(charts, "--name", chart.name, "The name (family name, or the event's name)", "N");
    TextField(charts, "--first", chart.firstName, "The first name", "F");
    TextField(charts, "--kind", chart.kind, "person (default), event, organisation or country", "K");
    charts->get_option("--kind")->check(Checked([](const std::string& typed) { return charts::KindFromWord(typed).has_value(); },
                                                line.language, "--kind", kKinds));
    TextField(charts, "--birth", chart.birth, "The moment, with its zone or offset (DATE)", "DATE");
    charts->get_option("--birth")->check(MomentValidator(line));
    charts->add_flag("--time-unknown", chart.timeUnknown, "Only the date is known");
    TextField(charts, "--place", chart.place, "The place's name", "P");
    TextField(charts, "--region", chart.region, "The place's state or province");
    TextField(charts, "--country", chart.country, "The place's country code (AT)", "CC");
    AddCoordinates(charts, line);
    TextField(charts, "--source", chart.source, "Where the data came from", "S");
    TextField(charts, "--reliability", chart.reliability, "How far it can be trusted (AA, A, B, C, DD, X, XX)", "R");
    TextField(charts, "--notes", chart.notes, "Free notes", "T");
    charts->add_option_function<std::vector<std::string>>(
              "--tag", [&chart](const std::vector<std::string>& tags) { chart.tags = tags; },
              "A tag; give --tag once for each (edit: the tags given replace the chart's)")
        ->type_name("T")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

// The help's text below the options.
std::string ChartsFooter()
{
    return std::string(
        "The library is $XDG_DATA_HOME/orvane/charts.sqlite (~/.local/share/orvane/charts.sqlite), or the file of\n"
        "--charts or ORVANE_CHARTS; it is made, readable by its owner only, when first used. NAME is a chart's\n"
        "name or \"first name name\" in any case, or the beginning of its words when that names one chart.\n"
        "A chart's moment is a DATE with its zone (1978-03-14T06:45[Europe/Vienna], 1978-03-14T06:45+01:00) or,\n"
        "with --place, without one: then the zone of that place in the atlas is taken.\n"
        "import FILE reads AAF or CSV (UTF-8 or Latin-1), says how many charts were read, added, skipped (each\n"
        "by its line and why on stderr) and already present; export writes every chart as AAF, CSV or JSON.\n"
        "CSV header: id,name,first_name,kind,moment,jd_ut,time_known,place,region,country_code,latitude,\n"
        "longitude,source,reliability,notes,tags,created,changed (tags separated by \";\"; JSON: an array).\n"
        "Any birthdate of the other commands may name a chart: --birth @NAME, --birth2 @NAME.\n"
        "Examples: orvane-cli charts add --name Curie --first Marie --birth 1867-11-07T12:00 --place Warsaw\n"
        "          orvane-cli charts list --search mar\n"
        "          orvane-cli report --birth @\"Marie Curie\"\n");
}

}  // namespace

void AddChartsCommand(OptionKit& kit, CommandLine& line)
{
    CLI::App* charts = kit.AddCommand("charts", "The chart library: list, search, show, add, edit and remove charts",
                                      nullptr);
    ChartOptions& chart = line.charts;
    charts->add_option("ACTION", chart.action, "list, show, add, edit, remove, import or export")
        ->check(Checked(
            [](const std::string& typed) {
                return typed == "list" || typed == "show" || typed == "add" || typed == "edit" || typed == "remove" ||
                       typed == "import" || typed == "export";
            },
            line.language, "ACTION", kActions));
    charts->add_option("NAME", chart.target,
                       "The chart of show, edit and remove: its name or \"first name name\"; the FILE of import");
    AddLibraryOption(charts, line);
    charts->add_option("--search", chart.search, "list: only the charts with words beginning so (name, place, "
                                                 "tags, notes)")
        ->type_name("Q")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    AddChartFields(charts, line);
    charts
        ->add_option("--format", chart.format,
                     "list, show: text (default), csv or json; import: aaf or csv (default: by the file's ending); "
                     "export: aaf (default), csv or json")
        ->type_name("F")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(Checked(
            [](const std::string& typed) {
                return typed == "text" || typed == "csv" || typed == "json" || typed == "aaf";
            },
            line.language, "--format", "text, csv, json, aaf"));
    charts->add_option("--output", chart.output, "export: the file to write (default: standard output)")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    charts->footer(ChartsFooter());
}

void AddLibraryOption(CLI::App* command, CommandLine& line)
{
    command->add_option("--charts", line.library, "The chart library to use instead of the default one")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

std::optional<std::string> ChartOptionsMistake(const CommandLine& line)
{
    const ChartOptions& chart = line.charts;
    if (chart.action.empty())
        return OwnText(text::kTextMissingValue, line.language, "ACTION");
    const bool named = chart.action == "show" || chart.action == "edit" || chart.action == "remove" ||
                       chart.action == "import";
    if (named && chart.target.empty())
        return OwnText(text::kTextMissingValue, line.language, chart.action == "import" ? "FILE" : "NAME");
    const bool exchange = chart.action == "import" || chart.action == "export";
    if ((chart.format == "aaf" && !exchange) || (chart.format == "text" && exchange) ||
        (chart.format == "json" && chart.action == "import"))
        return OwnText(text::kTextBadValue, line.language, "--format", chart.format);
    if (!named && !chart.target.empty())
        return OwnText(text::kTextUnknownOption, line.language, EchoedValue(chart.target));
    if (chart.action == "add" && !chart.name)
        return OwnText(text::kTextMissingValue, line.language, "--name");
    if (chart.action == "add" && !chart.birth)
        return OwnText(text::kTextMissingValue, line.language, "--birth");
    return std::nullopt;
}

}  // namespace orvane::cli
