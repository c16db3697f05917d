#include "cli/cli.h"

#include "cli/tables.h"
#include "core/events.h"
#include "datetime/iso_dates.h"

#include "core/patterns.h"
#include "core/positions.h"
#include "datetime/date_input.h"
#include "display/grid_model.h"
#include "display/result_texts.h"
#include "display/stepping.h"
#include "app/actions.h"
#include "app/startup.h"
#include "orvane_version.h"
#include "text/strings.h"
#include "text/text_numbers.h"
#include "tools/state_file.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>

namespace orvane::cli {
namespace {

// The program text as data/qvs.dat held it at build time: the companion's own texts come from here, so
// that help and usage mistakes are answered without reading any data file.
constexpr std::string_view kCompiledProgramText =
#include "cli/program_text.inc"
    ;

// `text` with every CR LF replaced by `with` (built anew rather than replaced in place).
std::string ReplaceLineBreaks(const std::string& text, const char* with)
{
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            result += with;
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

// The program's texts break lines with CR LF; on the console every break is a plain line feed.
std::string ConsoleText(const std::string& text)
{
    return ReplaceLineBreaks(text, "\n");
}

void ReplaceAll(std::string& text, const std::string& what, const std::string& with)
{
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

// One of the companion's own texts in `language`, from the compiled-in program text, with [r1] and [r2]
// filled in and "^" as a line feed.
std::string OwnText(int16_t number, int16_t language, const std::string& r1 = {}, const std::string& r2 = {})
{
    const std::string key = std::to_string(number) + "|" + std::to_string(language) + "|";
    std::string text;
    for (size_t at = 0; at < kCompiledProgramText.size();) {
        const size_t end = std::min(kCompiledProgramText.find('\n', at), kCompiledProgramText.size());
        const std::string_view line = kCompiledProgramText.substr(at, end - at);
        if (line.substr(0, key.size()) == key)
            text = std::string(line.substr(key.size()));
        at = end + 1;
    }
    ReplaceAll(text, "[r1]", r1);
    ReplaceAll(text, "[r2]", r2);
    ReplaceAll(text, "^", "\n");
    return text;
}

// A text without the line breaks at its ends.
std::string_view Trimmed(std::string_view text)
{
    return text::Trimmed(text, "\r\n");
}

}  // namespace

void PrintMessage(std::ostream& stream, const platform::Message& message)
{
    stream << Trimmed(ConsoleText(message.text)) << '\n';
}

namespace {

// A number as the program reads it: std::from_chars over the whole text, so no "+", no blanks, no hexadecimal
// and no octal (CLI11 reads numbers with strtoll(…, 0) and strtold, which take all four); nullopt otherwise.
template <typename Number>
std::optional<Number> ReadNumber(const std::string& text)
{
    Number value{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::string Fixed6(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

// A moment as a message names it: with six decimals, or, when that many digits would not be read, in the
// shortest form that reads back as the same number ("1e+300").
std::string MomentText(double moment)
{
    if (std::fabs(moment) < 1e15)
        return Fixed6(moment);
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, moment);
    return ec == std::errc() ? std::string(text, end) : std::string();
}

// The parts of a comma-separated list; an empty part (",," or a comma at either end) is kept as "".
std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> parts;
    std::istringstream stream(text);
    for (std::string part; std::getline(stream, part, ',');)
        parts.push_back(part);
    if (text.empty() || text.back() == ',')
        parts.emplace_back();
    return parts;
}

// The names of bodies and patterns, which are the same in every language and need no data file.
const core::AstroTables& NameTables()
{
    static const core::AstroTables tables = [] {
        core::AstroTables t;
        t.SetNameTables();
        return t;
    }();
    return tables;
}

// The patterns' names with their numbers 0 … 13.
std::map<std::string, int16_t> PatternNumbers()
{
    std::map<std::string, int16_t> numbers;
    const auto& names = NameTables().patternNames;
    for (size_t i = 0; i < names.size(); ++i)
        numbers.emplace(names[i], static_cast<int16_t>(i));
    return numbers;
}

// A body by its name or abbreviation, in any case; 0 for none.
int16_t BodyIndex(const std::string& text)
{
    const core::AstroTables& tables = NameTables();
    for (int16_t body = core::kEarth; body <= core::kPluto; ++body)
        if (text::LowerCase(tables.bodyNames[static_cast<size_t>(body)]) == text::LowerCase(text) ||
            text::LowerCase(tables.bodyAbbrevs[static_cast<size_t>(body)]) == text::LowerCase(text))
            return body;
    return 0;
}

// An aspect by its name or abbreviation, in any case; 0 for none.
int16_t AspectIndex(const std::string& text)
{
    const core::AstroTables& tables = NameTables();
    for (int16_t aspect = core::kConjunction; aspect <= core::kNumAspects; ++aspect) {
        const core::AspectNames& names = tables.AspectText[static_cast<size_t>(aspect)];
        if (text::LowerCase(names.Name) == text::LowerCase(text) || text::LowerCase(names.Abbrev) == text::LowerCase(text))
            return aspect;
    }
    return 0;
}

// An event kind by its name (exact, enter, leave, ingress, any case); -1 for none.
int KindIndex(const std::string& text)
{
    constexpr std::array<const char*, core::kNumEventKinds> kKinds{"exact", "enter", "leave", "ingress"};
    for (size_t k = 0; k < kKinds.size(); ++k)
        if (text::LowerCase(text) == kKinds[k])
            return static_cast<int>(k);
    return -1;
}

const std::map<std::string, TableFormat> kFormats{
    {"text", TableFormat::Text}, {"csv", TableFormat::Csv}, {"json", TableFormat::Json}};

// The zone list's position of GMT.
constexpr int16_t kGmtZonePosition = 24;

// The step increments by name, with their positions in the main window's step list.
const std::map<std::string, int16_t> kStepPositions{
    {"halfhour", 0}, {"day", 1}, {"week", 2}, {"month", 3}, {"year", 4}};
static_assert(display::kNumStepIncrements == 5);

// --lang as the command line gives it ("--lang de" or "--lang=de", any case), read before the parser runs
// so that even a usage mistake is reported in the language asked for.
int16_t LanguageAsked(const std::vector<std::string>& args)
{
    std::string value;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--lang" && i + 1 < args.size())
            value = args[i + 1];
        else if (args[i].rfind("--lang=", 0) == 0)
            value = args[i].substr(7);
    }
    return text::LowerCase(value) == "de" ? text::langGerman : text::langEnglish;
}

// The help texts below the options: they list what the values mean, from the code's own tables.
std::string PatternAndBodyList()
{
    const core::AstroTables& tables = NameTables();
    std::string text = "Patterns P (index or name, any case):\n";
    for (size_t i = 0; i < tables.patternNames.size(); ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "  %2zu  %s\n", i, tables.patternNames[i].c_str());
        text += line;
    }
    text += "\nBodies B (name or abbreviation, any case, at most three):\n ";
    for (int16_t body = core::kEarth; body <= core::kPluto; ++body)
        text += " " + tables.bodyNames[static_cast<size_t>(body)] + " (" +
                tables.bodyAbbrevs[static_cast<size_t>(body)] + ")";
    return text + "\n";
}

// The top-level usage: one line per command, "or:" before each after the first, so that the manual page
// made from the help lists them as its synopsis. The commands' own help keeps the usual usage line.
class CompanionFormatter : public CLI::Formatter {
public:
    std::string make_usage(const CLI::App* app, std::string name) const override
    {
        if (app->get_parent() != nullptr)
            return CLI::Formatter::make_usage(app, std::move(name));
        return "Usage: orvane-cli report (STATE | --date DATE) [--sort N] [--lang en|de] [--radians]\n"
               "  or:  orvane-cli find (STATE | --date DATE) --pattern P [--planets B1,B2,B3] [--at-least N]"
               " [--step UNIT] [--max-steps N] [--format text|csv|json]\n"
               "  or:  orvane-cli positions [STATE | --jd JD | --date DATE]\n"
               "  or:  orvane-cli events [STATE] [--from DATE] [--to DATE] [--bodies B,...] [--aspects A,...]"
               " [--kinds K,...] [--format text|csv|json] [--zone Z]\n"
               "  or:  orvane-cli ephemeris --from DATE --to DATE [--step UNIT] [--format text|csv|json]"
               " [--zone Z]\n"
               "  or:  orvane-cli --help | --version\n";
    }
};

constexpr const char* kSortList =
    "Sort entries N of the durations report:\n"
    "  world transits:     0 exactness, 1 aspect, 2 planet, 3 beginning, 4 ending, 5 duration\n"
    "  personal transits:  0 exactness, 1 aspect, 2 natal planet, 3 transiting planet, 4 beginning,\n"
    "                      5 ending, 6 duration\n"
    "  natal aspects and synastry: 0 only (the listing is in order of exactness)\n";

constexpr const char* kExitCodes =
    "Exit codes: 0 success, 1 bad input data (message on stderr), 2 usage mistake, 3 not found.\n";

// A whole number as the program reads it, written back plainly ("007" → "7") for the CLI11 checks and the
// conversion that follow, which read numbers as strtoll(…, 0) does ("010" is eight there, "09" no number).
// Other text is refused, or with `orName` left as it is: a pattern is a number or a name.
CLI::Validator PlainNumber(bool orName = false)
{
    return {[orName](std::string& text) -> std::string {
                const std::optional<long> value = ReadNumber<long>(text);
                if (value)
                    text = std::to_string(*value);
                return value || orName ? "" : "not a whole number";
            },
            ""};
}

// A Julian date: a finite number as the program reads it (CLI11's Number would take "inf" and "0x1p21").
CLI::Validator JulianDate()
{
    return {[](std::string& text) -> std::string {
                const std::optional<double> value = ReadNumber<double>(text);
                return value && std::isfinite(*value) ? "" : "not a Julian date";
            },
            ""};
}

// The command line as the commands need it, every value checked.
struct CommandLine {
    std::string command;  // "report", "find" or "positions"
    std::string state;    // the state file; empty for none
    int16_t language = text::langEnglish;
    long sort = 0;
    std::string sortText;  // --sort as typed, for the refusal once the state's mode is known
    bool radians = false;
    int16_t pattern = 0;
    std::array<int16_t, core::kNumSoughtPlanetBoxes> planets{};
    long atLeast = 0;
    std::optional<int16_t> step;
    long maxSteps = kDefaultMaxSteps;
    std::optional<double> jd;
    // ISO 8601 moments as typed (checked by the reader), the zone in minutes east of Greenwich.
    std::string date;
    std::string from;
    std::string to;
    int32_t zone = 0;
    TableFormat format = TableFormat::Text;
    core::EventFilter filter;
};

// An option with a value, shown in the help as `type`; given more than once, its last value counts.
CLI::Option* Valued(CLI::Option* option, const char* type)
{
    return option->type_name(type)->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

// Reads the command line into a CommandLine with CLI11: the commands, their options, and CLI11's
// validators and transformers for the values, each refusal worded in the program's own text in the
// language asked for. Help, the version and usage mistakes are answered here, reading no data file.
class CommandLineReader {
public:
    CommandLineReader(CommandLine& line, std::ostream& out, std::ostream& err) : m_line(line), m_out(out), m_err(err)
    {
        m_app.set_version_flag("--version", std::string("orvane-cli ") + kVersion, "Print the version and exit");
        m_app.allow_extras();
        m_app.require_subcommand(0, 1);
        m_app.formatter(std::make_shared<CompanionFormatter>());
        m_app.footer(std::string("Every command takes --lang en|de (any case); --opt=value and --opt value both work.\n"
                                 "UNIT is halfhour, day, week, month or year. "
                                 "Run orvane-cli COMMAND --help for a command's options.\n\n") +
                     kSortList + "\n" + PatternAndBodyList() + "\n" + kExitCodes);
        AddReport();
        AddFind();
        AddPositions();
        AddEvents();
        AddEphemeris();
    }

    // Reads `args`; returns the exit code when they are answered here, nullopt when the command is to run.
    std::optional<int> Read(const std::vector<std::string>& args)
    {
        m_line.language = LanguageAsked(args);
        std::optional<Refusal> refused;
        if (const std::optional<int> answered = Parse(args, refused))
            return answered;
        // CLI11 checks each value as it reads it. A refused value is named only after a request for help is
        // answered and the command line's shape found right; of the values, --lang comes before the parts a
        // command needs.
        if (refused && HelpAsked()) {
            m_out << m_app.help();
            return kExitSuccess;
        }
        if (const std::optional<int> code = MisshapenCommandLine(args))
            return code;
        if (m_app.get_subcommands().front()->count("--lang") > 1)
            return Usage(text::kTextOptionRepeated, "--lang");
        if (refused && refused->option == "--lang")
            return Mistake(refused->text);
        if (const std::optional<int> code = MissingPart())
            return code;
        if (refused)
            return Mistake(refused->text);
        return std::nullopt;
    }

private:
    // A value CLI11 refused: the option and the program's text saying so.
    struct Refusal {
        std::string option;
        std::string text;
    };

    // A command with its state file and --lang, which every command takes. --lang is read before the parser
    // runs (LanguageAsked) and only checked here; an empty one leaves the language as it is.
    CLI::App* AddCommand(const char* name, const char* description, const char* stateText)
    {
        CLI::App* command = m_app.add_subcommand(name, description);
        command->allow_extras();
        if (stateText != nullptr)
            command->add_option("STATE", m_line.state, stateText);
        // --lang given twice is a mistake (Read names it), not a value the parser refuses.
        command->add_option("--lang", "Program text in English (en) or German (de)")
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
            ->type_name("en|de")
            ->check(Refused(CLI::IsMember({"en", "de", ""}, CLI::ignore_case), text::kTextBadValue, "--lang"));
        return command;
    }

    void AddReport()
    {
        CLI::App* report = AddCommand("report",
                                      "The grid's title, one line per aspect cell, the summary and the report",
                                      "The state file (.qvs or .usr); its mode is used");
        // Whether N is an entry of the sort list depends on the state's mode: the session checks that.
        const auto sort = [this](const std::string& typed) {
            m_line.sortText = typed;
            m_line.sort = ReadNumber<long>(typed).value_or(0);
        };
        Valued(report->add_option_function<std::string>("--sort", sort,
                                                        "Sort the durations report by entry N (default 0)"),
               "N")
            ->check(Refused(PlainNumber() & CLI::NonNegativeNumber, text::kTextBadValue, "--sort"));
        report->add_flag("--radians", m_line.radians, "Deviations in radians");
        AddDate(report);
        report->footer(kSortList);
    }

    void AddFind()
    {
        m_find = AddCommand("find", "Step the world date forward until a pattern appears",
                            "The state file; the search starts from its world date");
        // CheckedTransformer takes a pattern's number as well as its name: the numbers are its outputs.
        Valued(m_find->add_option("--pattern", m_line.pattern, "The pattern sought (required)"), "P")
            ->transform(Refused(PlainNumber(true) & CLI::CheckedTransformer(PatternNumbers(), CLI::ignore_case),
                                text::kTextUnknownPattern));
        const auto planets = [this](const std::string& names) {
            const std::vector<std::string> bodies = Split(names);
            for (size_t k = 0; k < bodies.size() && k < m_line.planets.size(); ++k)
                m_line.planets[k] = BodyIndex(bodies[k]);
        };
        Valued(m_find->add_option_function<std::string>("--planets", planets,
                                                        "Only a pattern that involves these bodies"),
               "B1,B2,B3")
            ->check(BodyList());
        Valued(m_find->add_option("--at-least", m_line.atLeast, "At least N patterns (2 … 9) on the same day"), "N")
            ->transform(Refused(PlainNumber() & CLI::Range(2L, 9L), text::kTextBadValue, "--at-least"));
        // IsMember refuses the positions themselves, which Transformer alone would pass on.
        const auto step = [this](const int16_t& position) { m_line.step = position; };
        Valued(m_find->add_option_function<int16_t>(
                   "--step", step, "The step: halfhour, day, week, month or year (default: the state's own)"),
               "UNIT")
            ->transform(Refused(CLI::IsMember(kStepPositions, CLI::ignore_case) & CLI::Transformer(kStepPositions),
                                text::kTextBadValue, "--step"));
        Valued(m_find->add_option("--max-steps", m_line.maxSteps, "Give up after N steps (default 100000)"), "N")
            ->transform(Refused(PlainNumber() & CLI::Range(1L, std::numeric_limits<long>::max()),
                                text::kTextBadValue, "--max-steps"));
        AddDate(m_find);
        AddFormat(m_find, "Text: the message and the date; csv, json: the moment found (time, jd_ut, pattern)");
        m_find->footer(PatternAndBodyList() + "\nFound: the message and the date, exit 0; not found: exit 3.\n");
    }

    void AddPositions()
    {
        m_positions = AddCommand("positions",
                                 "One line per body: name, longitude in degrees, degrees and minutes, zodiac place",
                                 "The state file; its world date is used");
        const auto jd = [this](const std::string& typed) { m_line.jd = ReadNumber<double>(typed); };
        Valued(m_positions->add_option_function<std::string>("--jd", jd, "At this Julian date (UT) instead"), "JD")
            ->check(Refused(JulianDate(), text::kTextBadJulianDate));
        AddDate(m_positions);
        m_positions->footer(
            "Without STATE, --jd or --date: the present moment. Pluto before or after its table prints < or >.\n");
    }

    // --date DATE: the world date, instead of (or over) the state's.
    void AddDate(CLI::App* command)
    {
        Valued(command->add_option("--date", m_line.date,
                                   "At this moment (ISO 8601; without a zone UT) instead of the state's world date"),
               "DATE")
            ->check(Refused(IsoDate(), text::kTextNotADate));
    }

    void AddFormat(CLI::App* command, const char* description)
    {
        Valued(command->add_option("--format", m_line.format, description), "text|csv|json")
            ->transform(Refused(CLI::IsMember(kFormats, CLI::ignore_case) & CLI::Transformer(kFormats, CLI::ignore_case),
                                text::kTextBadValue, "--format"));
    }

    void AddSpan(CLI::App* command, const char* from, const char* to)
    {
        Valued(command->add_option("--from", m_line.from, from), "DATE")->check(Refused(IsoDate(), text::kTextNotADate));
        Valued(command->add_option("--to", m_line.to, to), "DATE")->check(Refused(IsoDate(), text::kTextNotADate));
        const auto zone = [this](const std::string& typed) { m_line.zone = datetime::ParseZone(typed).value_or(0); };
        Valued(command->add_option_function<std::string>("--zone", zone,
                                                         "Times in this zone: Z or UT (default), +01:00, -0530 …"),
               "Z")
            ->check(Refused(CLI::Validator([](std::string& typed) {
                                return datetime::ParseZone(typed) ? std::string() : std::string("no zone");
                            }, ""),
                            text::kTextUnknownZone));
    }

    void AddEvents()
    {
        CLI::App* events = AddCommand("events", "Exact aspects, orb entries and exits, and sign ingresses over a span",
                                      "The state file; its mode, orbs, birthdates and world date are used "
                                      "(default: world transits with the default orbs)");
        AddSpan(events, "From this moment (default: the state's world date, or now)",
                "Up to this moment, excluded (default: one year after --from)");
        const auto bodies = [this](const std::string& names) {
            m_line.filter.bodies = 0;
            for (const std::string& name : Split(names))
                m_line.filter.bodies = static_cast<uint16_t>(m_line.filter.bodies | 1u << BodyIndex(name));
        };
        Valued(events->add_option_function<std::string>("--bodies", bodies, "Only pairs of these bodies (default: all)"),
               "B,...")
            ->check(NameList(BodyIndex, text::kTextUnknownBody));
        const auto aspects = [this](const std::string& names) {
            m_line.filter.aspects = 0;
            for (const std::string& name : Split(names))
                m_line.filter.aspects = static_cast<uint8_t>(m_line.filter.aspects | 1u << AspectIndex(name));
        };
        Valued(events->add_option_function<std::string>("--aspects", aspects, "Only these aspects (default: all)"),
               "A,...")
            ->check(NameList(AspectIndex, text::kTextUnknownAspect));
        const auto kinds = [this](const std::string& names) {
            m_line.filter.kinds = 0;
            for (const std::string& name : Split(names))
                m_line.filter.kinds = static_cast<uint8_t>(m_line.filter.kinds | 1u << KindIndex(name));
        };
        Valued(events->add_option_function<std::string>("--kinds", kinds,
                                                        "Only these kinds: exact, enter, leave, ingress (default: all)"),
               "K,...")
            ->check(NameList([](const std::string& name) { return static_cast<int16_t>(KindIndex(name) + 1); },
                             text::kTextUnknownKind));
        AddFormat(events, "Output: text (default), csv or json");
        events->footer(
            "One event a line, sorted by moment. CSV header: time,jd_ut,kind,body1,aspect,body2,sign\n"
            "(body1 is the transiting or 1st-birthdate body; sign only for an ingress). JSON: an array of\n"
            "objects with the same keys, null for what does not apply. DATE is ISO 8601: 2025-01-01,\n"
            "2025-01-01T06:30 or 2025-01-01T06:30+01:00 (without a zone: UT).\n"
            "Aspects A: Conjunction, Opposition, Square, Trine, Sextile, Semisextile, Quincunx (or Con, Opp …).\n");
    }

    void AddEphemeris()
    {
        CLI::App* ephemeris =
            AddCommand("ephemeris", "The nine heliocentric longitudes at every step of a span", nullptr);
        AddSpan(ephemeris, "From this moment (required)", "Up to this moment, included (required)");
        const auto step = [this](const int16_t& position) { m_line.step = position; };
        Valued(ephemeris->add_option_function<int16_t>("--step", step,
                                                       "The step: halfhour, day (default), week, month or year"),
               "UNIT")
            ->transform(Refused(CLI::IsMember(kStepPositions, CLI::ignore_case) & CLI::Transformer(kStepPositions),
                                text::kTextBadValue, "--step"));
        AddFormat(ephemeris, "Output: text (default, zodiac places), csv or json (degrees)");
        ephemeris->footer(
            "One line a step from --from up to --to. CSV header: time,jd_ut,Earth,...,Pluto (degrees, six\n"
            "decimals; empty, in JSON null, where Pluto is beyond its table; the text shows < or >).\n"
            "Months and years keep the day of the month, or the month's last day when it has fewer.\n");
    }

    // `check` with its refusal worded as the program's text `number`, filled with the option and the value as
    // typed, or with the value alone when `option` is empty: CLI11's own refusals are English only and name
    // its rule ("Value 1 not in range 2 to 9"), not the mistake. No description, so that the option's help
    // shows only its type name. Only the value that counts is checked: of an option given more than once,
    // CLI11 numbers the last value 0 and the earlier ones below 0.
    CLI::Validator Refused(const CLI::Validator& check, int16_t number, const std::string& option = {}) const
    {
        const auto refuse = [this, check, number, option](std::string& value) {
            const std::string typed = value;
            if (check(value).empty())
                return std::string();
            return option.empty() ? OwnText(number, m_line.language, typed)
                                  : OwnText(number, m_line.language, option, typed);
        };
        return CLI::Validator(refuse, "").application_index(0);
    }

    // --planets: at most three bodies, each by its name or abbreviation in any case. One validator of the
    // whole list rather than CLI11's delimiter(','), which drops empty names (so "earth,,mars" would pass as
    // two bodies) and checks the names before their number (naming "moon" in a list of four, where the
    // program names the list).
    CLI::Validator BodyList() const
    {
        const auto check = [this](std::string& list) -> std::string {
            const std::vector<std::string> names = Split(list);
            if (names.size() > m_line.planets.size())
                return OwnText(text::kTextBadValue, m_line.language, "--planets", list);
            for (const std::string& name : names)
                if (BodyIndex(name) == 0)
                    return OwnText(text::kTextUnknownBody, m_line.language, name);
            return {};
        };
        return CLI::Validator(check, "").application_index(0);
    }

    // An ISO 8601 moment as the companion reads it.
    static CLI::Validator IsoDate()
    {
        return {[](std::string& typed) {
                    return datetime::ParseIsoMoment(typed, 0) ? std::string() : std::string("not a date");
                },
                ""};
    }

    // A comma-separated list of names, each known to `index` (non-zero), else the program's text `number`.
    CLI::Validator NameList(int16_t (*index)(const std::string&), int16_t number) const
    {
        const auto check = [this, index, number](std::string& list) -> std::string {
            for (const std::string& name : Split(list))
                if (index(name) <= 0)
                    return OwnText(number, m_line.language, name);
            return {};
        };
        return CLI::Validator(check, "").application_index(0);
    }

    // Runs CLI11 over `args`: answers help, the version and the mistakes found while reading them, and keeps
    // a refused value in `refused` for Read to name in its turn.
    std::optional<int> Parse(const std::vector<std::string>& args, std::optional<Refusal>& refused)
    {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        try {
            m_app.parse(reversed);
        } catch (const CLI::CallForVersion& version) {
            m_out << version.what() << '\n';
            return kExitSuccess;
        } catch (const CLI::Success&) {
            m_out << m_app.help();
            return kExitSuccess;
        } catch (const CLI::ArgumentMismatch& mismatch) {
            const std::string what = mismatch.what();
            return Usage(text::kTextMissingValue, what.substr(0, what.find(':')));
        } catch (const CLI::ValidationError& error) {
            const std::string what = error.what();  // "OPTION: the text of Refused or BodyList"
            const size_t colon = what.find(": ");
            refused = Refusal{what.substr(0, colon), colon == std::string::npos ? what : what.substr(colon + 2)};
        } catch (const CLI::ParseError& other) {
            const std::string what = other.what();
            return Mistake(what.substr(0, what.find('\n')));
        }
        return std::nullopt;
    }

    bool HelpAsked() const
    {
        const std::vector<CLI::App*> chosen = m_app.get_subcommands();
        return m_app.get_help_ptr()->count() > 0 ||
               std::any_of(chosen.begin(), chosen.end(), [](CLI::App* c) { return c->get_help_ptr()->count() > 0; });
    }

    // No command, an unknown one, an option of the command given before it, or an argument the command
    // has no place for.
    std::optional<int> MisshapenCommandLine(const std::vector<std::string>& args)
    {
        const std::vector<CLI::App*> chosen = m_app.get_subcommands();
        if (chosen.empty()) {
            if (args.empty()) {
                m_err << m_app.help();
                return kExitUsage;
            }
            return Usage(text::kTextUnknownCommand, m_app.remaining().front());
        }
        const CLI::App& command = *chosen.front();
        m_line.command = command.get_name();
        if (const std::optional<std::string> extra = FirstLeftOver(command))
            return Usage(text::kTextUnknownOption, *extra);
        // What the program kept came before the command, or after "--" when the command had no place for it.
        const std::optional<std::string> extra = FirstLeftOver(m_app);
        if (!extra)
            return std::nullopt;
        const auto commandAt = std::find(args.begin(), args.end(), m_line.command);
        const std::string name = extra->substr(0, extra->find('='));
        if (std::find(args.begin(), commandAt, *extra) != commandAt && name.starts_with("--") &&
            command.get_option_no_throw(name) != nullptr)
            return Usage(text::kTextOptionBeforeCommand, name, m_line.command);
        return Usage(text::kTextUnknownOption, *extra);
    }

    // The first argument `app` had no place for, past the "--" that ends the options (which CLI11 keeps
    // among them).
    static std::optional<std::string> FirstLeftOver(const CLI::App& app)
    {
        for (const std::string& arg : app.remaining())
            if (arg != "--")
                return arg;
        return std::nullopt;
    }

    // The state file a command needs (or, beside --jd, has no place for), and the pattern find needs.
    std::optional<int> MissingPart()
    {
        if (m_line.command == "positions") {
            if (!m_line.state.empty() && m_positions->count("--jd") > 0)
                return Usage(text::kTextUnknownOption, m_line.state);
            if (!m_line.date.empty() && m_positions->count("--jd") > 0)
                return Usage(text::kTextUnknownOption, "--date");
            return std::nullopt;
        }
        if (m_line.command == "events")
            return std::nullopt;
        if (m_line.command == "ephemeris") {
            if (m_line.from.empty() || m_line.to.empty())
                return Usage(text::kTextNeedsSpan, m_line.command);
            return std::nullopt;
        }
        if (m_line.state.empty() && m_line.date.empty())
            return Usage(text::kTextNeedsState, m_line.command);
        if (m_line.command == "find" && m_find->count("--pattern") == 0)
            return Usage(text::kTextMissingValue, "--pattern");
        return std::nullopt;
    }

    // A usage mistake: one line saying what is wrong, then where the help is.
    int Mistake(const std::string& message)
    {
        const std::vector<CLI::App*> chosen = m_app.get_subcommands();
        const std::string help = "orvane-cli " + (chosen.empty() ? "" : chosen.front()->get_name() + " ") + "--help";
        m_err << message << '\n' << OwnText(text::kTextHelpHint, m_line.language, help) << '\n';
        return kExitUsage;
    }

    int Usage(int16_t text, const std::string& r1, const std::string& r2 = {})
    {
        return Mistake(OwnText(text, m_line.language, r1, r2));
    }

    CommandLine& m_line;
    std::ostream& m_out;
    std::ostream& m_err;
    CLI::App m_app{"Orvane command-line companion: heliocentric positions, aspects and patterns without a window.",
                   "orvane-cli"};
    CLI::App* m_find = nullptr;
    CLI::App* m_positions = nullptr;
};

class Session {
public:
    Session(const Environment& environment, const CommandLine& line, std::ostream& out, std::ostream& err)
        : m_environment(environment), m_line(line), m_out(out), m_err(err)
    {
    }

    // Starts the program's models in the language asked for; false (after saying why) when the program
    // text cannot be loaded.
    bool Start()
    {
        const platform::SystemClock systemClock;
        const platform::Clock& clock = m_environment.clock != nullptr ? *m_environment.clock : systemClock;
        const app::StartUpResult result = m_program.StartUp(m_environment.dataFolder, clock, m_store);
        if (result.programTextError) {
            PrintMessage(m_err, *result.programTextError);
            return false;
        }
        if (result.plutoError)
            PrintMessage(m_err, *result.plutoError);
        if (m_line.language != text::langEnglish) {
            m_program.language.currentLanguage = m_line.language;
            app::ApplyLanguageToModels(m_program);
        }
        return true;
    }

    int Positions()
    {
        double moment = m_line.jd.value_or(m_line.date.empty() ? m_environment.nowMoment : MomentOf(m_line.date));
        if (!m_line.jd && m_line.date.empty() && !m_line.state.empty()) {
            if (const int code = LoadState(); code != kExitSuccess)
                return code;
            const platform::Result<double> world =
                datetime::InputDateToAJDate(m_program.main, core::kWorldDateRow, m_program.language);
            if (!world)
                return DateError(world.error());
            moment = world.value();
        }
        // Every line is made before any is printed: a body without a position makes the moment bad input.
        const core::AstroModule& astro = m_program.astro;
        std::string lines;
        for (int16_t body = core::kEarth; body <= astro.bodyCount; ++body) {
            const double longitude = astro.HelioLongitude(body, moment);
            const std::string& name = astro.tables.bodyNames[static_cast<size_t>(body)];
            if (longitude == core::kPlutoBeforeTable || longitude == core::kPlutoAfterTable) {
                lines += name + " " + display::PositionErrorMark(core::PositionOf(longitude).missing) + "\n";
            } else if (!(longitude >= 0.0 && longitude < core::kTwoPi)) {
                // Outside the ephemeris' range no body has a position: the moment is named, not the body.
                m_err << OwnText(text::kTextMomentOutOfRange, m_line.language, MomentText(moment)) << '\n';
                return kExitBadInput;
            } else {
                lines += name + " " + Fixed6(longitude / core::kTwoPi * 360.0) + " " +
                         core::Rad2DegMin(longitude, false, false, false, false) + " " +
                         core::ZodiacPositionText(astro.tables, longitude, false) + "\n";
            }
        }
        m_out << lines;
        return kExitSuccess;
    }

    int Report()
    {
        if (const int code = LoadStateOrDate(); code != kExitSuccess)
            return code;
        // Without a mode the computation does nothing and has nothing to complain of.
        if (m_program.main.DetermineMode() == core::kModeNone) {
            m_err << OwnText(text::kTextNoModeSelected, m_line.language) << '\n';
            return kExitBadInput;
        }
        if (m_line.radians)
            m_program.main.SelectRadians(true);
        m_program.main.startupCompleted = true;

        const app::ComputeOutcome outcome = m_program.Compute();
        if (!outcome.computed)
            return DateError(outcome.dateError);

        const int16_t mode = m_program.main.currentMode;
        // The sort list of the mode: six entries in world transits, seven in personal transits; the
        // natal and synastry listings are always in order of exactness.
        const long sortEntries = mode == core::kModeWorldTransits ? 6 : core::IsPersonalTransitMode(mode) ? 7 : 1;
        if (m_line.sort >= sortEntries) {
            m_err << OwnText(text::kTextBadValue, m_line.language, "--sort", m_line.sortText) << '\n'
                  << OwnText(text::kTextHelpHint, m_line.language, "orvane-cli report --help") << '\n';
            return kExitUsage;
        }
        tools::DurationsWindow window(m_program.astro, m_program.language);
        const std::optional<platform::Message> noAspects = m_program.Report(window);
        if (!noAspects && m_line.sort != 0) {
            window.sortList.SetListIndex(static_cast<int16_t>(m_line.sort));
            window.SortChosen();
        }

        m_out << Trimmed(ConsoleText(m_program.main.titleText)) << "\n\n";
        for (const std::string& line : AspectCellLines())
            m_out << line << '\n';
        m_out << '\n';
        const std::string& summary =
            core::IsOneDateMode(mode) ? m_program.main.summaryText : m_program.main.twoDateSummaryText;
        m_out << Trimmed(ConsoleText(summary)) << "\n\n";
        if (noAspects)
            PrintMessage(m_out, *noAspects);
        else
            m_out << Trimmed(ConsoleText(window.ClipboardText())) << '\n';
        return kExitSuccess;
    }

    int Find()
    {
        if (const int code = LoadStateOrDate(); code != kExitSuccess)
            return code;
        app::MainModel& main = m_program.main;
        main.SelectMode(core::Mode::WorldTransits);
        // The search starts from the state's world date: a date the date input rejects has no next step
        // (stepping an incomplete row would invent a date). The conversion also fills in the default
        // half hour and zone, so that the steps start from the moment the date row stands for.
        if (const platform::Result<double> start =
                datetime::InputDateToAJDate(main, core::kWorldDateRow, m_program.language);
            !start)
            return DateError(start.error());
        if (m_line.step)
            main.stepIncrement.SetListIndex(*m_line.step);
        main.startupCompleted = true;

        // The run dialog as a user would fill it in.
        tools::RunDialogModel& dialog = m_program.runDialog;
        dialog.Activate(m_program.astro.tables);
        dialog.patternList.SetListIndex(m_line.pattern);
        dialog.ChoosePattern();
        for (size_t k = 0; k < m_line.planets.size(); ++k)
            dialog.soughtBodyLists[k].SetListIndex(m_line.planets[k]);
        if (m_line.atLeast >= 2) {
            dialog.twoOrMoreTicked = true;
            dialog.ToggleTwoOrMore();
            dialog.countList.SetListIndex(static_cast<int16_t>(m_line.atLeast - 2));
        }
        if (const std::optional<platform::Message> refused = dialog.Run(m_program.language)) {
            PrintMessage(m_err, *refused);
            return kExitUsage;
        }

        m_program.run.isRunning = true;
        for (long n = 0; n < m_line.maxSteps; ++n) {
            // Each step is judged on its own patterns: the sought bodies count only when a pattern of that
            // day involves them, not because one of an earlier step did.
            dialog.search.numBodiesFound = 0;
            dialog.search.soughtBodiesFound = false;
            const app::StepOutcome outcome = m_program.SearchStep(app::Direction::Forward);
            if (outcome.undone)
                return NotFoundUpToTheLastDate();
            if (!outcome.compute.computed)
                return DateError(outcome.compute.dateError);
            if (outcome.compute.found)
                return PrintFound(*outcome.compute.found);
        }
        m_err << OwnText(text::kTextNotFound, m_line.language, std::to_string(m_line.maxSteps)) << '\n';
        return kExitNotFound;
    }

    // The day found: the run's message and the date row as text, or the moment as CSV or JSON.
    int PrintFound(const platform::Message& message)
    {
        app::MainModel& main = m_program.main;
        if (m_line.format == TableFormat::Text) {
            PrintMessage(m_out, message);
            m_out << datetime::InputDateToString(main, core::kWorldDateRow, false, m_program.language) << '\n';
            return kExitSuccess;
        }
        const double found = datetime::InputDateToAJDate(main, core::kWorldDateRow, m_program.language).value();
        const std::string& pattern = NameTables().patternNames[static_cast<size_t>(m_line.pattern)];
        if (m_line.format == TableFormat::Csv)
            m_out << "time,jd_ut,pattern\r\n" << datetime::IsoText(found, 0) << ',' << Fixed6(found) << ',' << pattern
                  << "\r\n";
        else
            m_out << "[\n{\"time\":\"" << datetime::IsoText(found, 0) << "\",\"jd_ut\":" << Fixed6(found)
                  << ",\"pattern\":\"" << pattern << "\"}\n]\n";
        return kExitSuccess;
    }

    int Events()
    {
        int16_t mode = core::kModeWorldTransits;
        std::array<double, 3> moments{};
        double start = m_environment.nowMoment;
        app::MainModel& main = m_program.main;
        if (!m_line.state.empty()) {
            if (const int code = LoadState(); code != kExitSuccess)
                return code;
            mode = main.DetermineMode();
            if (mode == core::kModeNone) {
                m_err << OwnText(text::kTextNoModeSelected, m_line.language) << '\n';
                return kExitBadInput;
            }
            for (int16_t row = 0; row < core::kNumDateRows; ++row) {
                const bool used = core::RowUsedByMode(row, mode) || (row == core::kWorldDateRow && m_line.from.empty());
                if (!used)
                    continue;
                const platform::Result<double> moment = datetime::InputDateToAJDate(main, row, m_program.language);
                if (!moment)
                    return DateError(moment.error());
                moments[static_cast<size_t>(row)] = moment.value();
            }
            start = moments[0];
        }
        m_program.configure.ApplyOrbs(m_program.astro);
        m_program.astro.bodyCount = core::NumPlanetsFor(m_program.astro.PlutoDataReadOK());
        const double from = m_line.from.empty() ? start : MomentOf(m_line.from);
        const double to = m_line.to.empty() ? datetime::OneYearLater(from) : MomentOf(m_line.to);
        if (const int code = CheckSpan(from, to); code != kExitSuccess)
            return code;

        const core::EventSearch search(m_program.astro, mode, moments, m_line.filter);
        TableWriter writer(m_out, m_line.format, m_line.zone, m_program.astro.tables, Words());
        writer.BeginEvents();
        search.Run(from, to, [&](const core::Event& event) {
            writer.Event(event);
            return static_cast<bool>(m_out);
        });
        writer.End();
        return kExitSuccess;
    }

    int Ephemeris()
    {
        const double from = MomentOf(m_line.from);
        const double to = MomentOf(m_line.to);
        if (const int code = CheckSpan(from, to); code != kExitSuccess)
            return code;
        const core::AstroModule& astro = m_program.astro;
        TableWriter writer(m_out, m_line.format, m_line.zone, astro.tables, Words());
        writer.BeginPositions();
        const int16_t step = m_line.step.value_or(1);
        const double dayNumber = std::floor(from + 0.5);
        int64_t year = 0;
        int32_t month = 0;
        int32_t day = 0;
        datetime::GregorianDate(static_cast<int64_t>(dayNumber), year, month, day);
        for (int64_t k = 0; m_out; ++k) {
            double t = from + static_cast<double>(k) * (step == 0 ? 1.0 / 48 : step == 1 ? 1.0 : 7.0);
            if (step >= 3) {
                // Months and years keep the day of the month, or the month's last day when it has fewer.
                const int64_t months = (year * 12 + month - 1) + k * (step == 3 ? 1 : 12);
                const int64_t y = months >= 0 ? months / 12 : -((-months + 11) / 12);
                const auto m = static_cast<int32_t>(months - y * 12 + 1);
                const int64_t first = datetime::GregorianDayNumber(y, m, 1);
                const int64_t length = datetime::GregorianDayNumber(y + (m == 12 ? 1 : 0), m == 12 ? 1 : m + 1, 1) - first;
                t = static_cast<double>(first + std::min<int64_t>(day, length) - 1) + (from + 0.5 - dayNumber) - 0.5;
            }
            if (t > to)
                break;
            std::array<double, core::kBodySlots> longitudes{};
            for (int16_t body = core::kEarth; body <= core::kPluto; ++body)
                longitudes[static_cast<size_t>(body)] =
                    body <= astro.bodyCount ? astro.HelioLongitude(body, t) : core::kPlutoAfterTable;
            writer.Positions(t, longitudes);
        }
        writer.End();
        return kExitSuccess;
    }

private:
    static double MomentOf(const std::string& typed)
    {
        return datetime::ParseIsoMoment(typed, 0).value_or(datetime::IsoMoment{}).moment;
    }

    // A span must run forwards and lie within the ephemeris' range at both ends (Pluto beyond its table
    // only has no events there, as it has no aspects in the grid).
    int CheckSpan(double from, double to)
    {
        if (to < from) {
            m_err << OwnText(text::kTextSpanReversed, m_line.language, datetime::IsoText(from, m_line.zone),
                             datetime::IsoText(to, m_line.zone))
                  << '\n';
            return kExitBadInput;
        }
        for (const double moment : {from, to})
            for (int16_t body = core::kEarth; body <= core::kNeptune; ++body)
                if (m_program.astro.HelioLongitude(body, moment) < 0.0) {
                    m_err << OwnText(text::kTextMomentOutOfRange, m_line.language, MomentText(moment)) << '\n';
                    return kExitBadInput;
                }
        return kExitSuccess;
    }

    TableWords Words() const
    {
        TableWords words;
        words.language = m_line.language;
        const int16_t kinds[] = {text::kTextEventExact, text::kTextEventEnter, text::kTextEventLeave,
                                 text::kTextEventIngress};
        for (size_t k = 0; k < words.kinds.size(); ++k)
            words.kinds[k] = OwnText(kinds[k], m_line.language);
        words.date = OwnText(text::kTextColumnDate, m_line.language);
        words.time = OwnText(text::kTextColumnTime, m_line.language);
        words.event = OwnText(text::kTextColumnEvent, m_line.language);
        words.body = OwnText(text::kTextColumnBody, m_line.language);
        words.aspect = OwnText(text::kTextColumnAspect, m_line.language);
        words.sign = OwnText(text::kTextColumnSign, m_line.language);
        return words;
    }

    // The state file, then --date as its world date; or, with --date alone, world transits at that moment
    // with the program's defaults. The date rows hold half hours: the moment is taken in UT, to the half
    // hour.
    int LoadStateOrDate()
    {
        if (!m_line.state.empty())
            if (const int code = LoadState(); code != kExitSuccess)
                return code;
        if (m_line.date.empty())
            return kExitSuccess;
        if (m_line.state.empty())
            m_program.main.SelectMode(core::Mode::WorldTransits);
        constexpr auto r = static_cast<size_t>(core::kWorldDateRow);
        app::MainModel& main = m_program.main;
        double local = MomentOf(m_line.date) + 0.5;
        datetime::RoundToHalfHour(local);
        const double dayNumber = std::floor(local);
        int64_t year = 0;
        int32_t month = 0;
        int32_t day = 0;
        datetime::GregorianDate(static_cast<int64_t>(dayNumber), year, month, day);
        main.monthLists[r].SetListIndex(static_cast<int16_t>(month));
        main.dayLists[r].SetListIndex(static_cast<int16_t>(day));
        main.yearTexts[r] = std::to_string(year);
        main.halfHourLists[r].SetListIndex(static_cast<int16_t>(std::lround((local - dayNumber) * 48) + 1));
        main.zoneLists[r].SetListIndex(kGmtZonePosition);
        return kExitSuccess;
    }

    // A step past the last date the program computes is undone: the search ends, not found, where it got to.
    int NotFoundUpToTheLastDate()
    {
        m_err << OwnText(text::kTextNotFoundUpTo, m_line.language,
                         datetime::InputDateToString(m_program.main, core::kWorldDateRow, false, m_program.language))
              << '\n';
        return kExitNotFound;
    }

    int LoadState()
    {
        const platform::Result<void> loaded = app::LoadStateFile(m_program, m_line.state, m_store);
        if (!loaded.ok()) {
            m_err << ConsoleText(loaded.error().text) << '\n';
            return kExitBadInput;
        }
        return kExitSuccess;
    }

    int DateError(const std::optional<platform::Message>& message)
    {
        if (message)
            PrintMessage(m_err, *message);
        return kExitBadInput;
    }

    // One line per aspect, in the grid's order: its cell, the row body and the column body, and the cell's
    // text: "3,4 Me-Ju Sqr 2°15' -".
    std::vector<std::string> AspectCellLines() const
    {
        const core::AspectResult& result = m_program.main.result;
        const core::AstroTables& tables = m_program.astro.tables;
        std::vector<std::string> lines;
        for (const core::AspectFound& found : result.aspects) {
            const display::RowCol cell = display::AspectCell(result.comparison, found);
            const std::string text =
                ReplaceLineBreaks(display::AspectCellText(tables, found, m_program.main.radiansSelected()), " ");
            lines.push_back(std::to_string(cell.gridRow) + "," + std::to_string(cell.gridCol) + " " +
                            tables.bodyAbbrevs[core::SlotOf(found.body1)] + "-" +
                            tables.bodyAbbrevs[core::SlotOf(found.body2)] + " " + text);
        }
        return lines;
    }

    const Environment& m_environment;
    const CommandLine& m_line;
    std::ostream& m_out;
    std::ostream& m_err;
    // The command-line companion keeps no display settings of its own: they live in memory for the run.
    settings::MemorySettingsStore m_store;
    app::Workspace m_program;
};

}  // namespace

int Run(const std::vector<std::string>& args, const Environment& environment, std::ostream& out,
        std::ostream& err)
{
    CommandLine line;
    // Output that did not arrive (a full device, a closed pipe) is a failure, whatever was answered or found.
    const auto delivered = [&out, &err, &line](int code) {
        out.flush();
        if (out)
            return code;
        err << OwnText(text::kTextOutputNotWritten, line.language) << '\n';
        return kExitBadInput;
    };
    if (const std::optional<int> answered = CommandLineReader(line, out, err).Read(args))
        return delivered(*answered);
    auto session = std::make_unique<Session>(environment, line, out, err);
    if (!session->Start())
        return kExitBadInput;
    return delivered(line.command == "positions"   ? session->Positions()
                     : line.command == "report"    ? session->Report()
                     : line.command == "events"    ? session->Events()
                     : line.command == "ephemeris" ? session->Ephemeris()
                                                   : session->Find());
}

}  // namespace orvane::cli
