#include "cli/cli.h"

#include "core/patterns.h"
#include "core/positions.h"
#include "datetime/date_input.h"
#include "display/stepping.h"
#include "mainwindow/actions.h"
#include "mainwindow/startup.h"
#include "orvane_version.h"
#include "text/strings.h"
#include "tools/state_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>

namespace orvane::cli {
namespace {

constexpr int16_t kTextUsage = 1010;
constexpr int16_t kTextUnknownCommand = 1011;
constexpr int16_t kTextUnknownOption = 1012;
constexpr int16_t kTextBadJulianDate = 1013;
constexpr int16_t kTextMissingValue = 1014;
constexpr int16_t kTextUnknownPattern = 1015;
constexpr int16_t kTextUnknownBody = 1016;
constexpr int16_t kTextBadValue = 1017;
constexpr int16_t kTextNeedsState = 1018;
constexpr int16_t kTextNotFound = 1019;

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

// A text without the line breaks at its end.
std::string Trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

}  // namespace

void PrintMessage(std::ostream& stream, const platform::Message& message)
{
    stream << Trimmed(ConsoleText(message.text)) << '\n';
}

namespace {

bool ParseDouble(const std::string& text, double& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

bool ParseLong(const std::string& text, long& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end;
}

std::string Fixed6(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

// A usage mistake: what was wrong, then the usage text.
struct UsageError {
    int16_t text;
    std::string detail;
    std::string detail2;
};

// The command line after the command's name: the state file (if any) and the options with their values.
class Arguments {
public:
    Arguments(const std::vector<std::string>& args, std::vector<std::string> valued, std::vector<std::string> flags)
        : m_valued(std::move(valued)), m_flags(std::move(flags))
    {
        for (size_t i = 1; i < args.size(); ++i) {
            const std::string& arg = args[i];
            if (Contains(m_valued, arg)) {
                if (i + 1 >= args.size()) {
                    m_error = UsageError{kTextMissingValue, arg, {}};
                    return;
                }
                m_values.emplace_back(arg, args[++i]);
            } else if (Contains(m_flags, arg)) {
                m_values.emplace_back(arg, "");
            } else if (arg.rfind("--", 0) != 0 && m_state.empty()) {
                m_state = arg;
            } else {
                m_error = UsageError{kTextUnknownOption, arg, {}};
                return;
            }
        }
    }

    const std::optional<UsageError>& error() const { return m_error; }
    const std::string& state() const { return m_state; }
    bool Has(const std::string& option) const
    {
        return std::any_of(m_values.begin(), m_values.end(), [&](const auto& v) { return v.first == option; });
    }
    std::string Value(const std::string& option) const
    {
        std::string value;
        for (const auto& v : m_values)
            if (v.first == option)
                value = v.second;  // the last one given counts
        return value;
    }

private:
    static bool Contains(const std::vector<std::string>& list, const std::string& item)
    {
        return std::find(list.begin(), list.end(), item) != list.end();
    }

    std::vector<std::string> m_valued;
    std::vector<std::string> m_flags;
    std::vector<std::pair<std::string, std::string>> m_values;
    std::string m_state;
    std::optional<UsageError> m_error;
};

class Session {
public:
    Session(const Environment& environment, std::ostream& out, std::ostream& err)
        : m_environment(environment), m_out(out), m_err(err)
    {
    }

    // Starts the program's models; false (after saying why) when the program text cannot be loaded.
    bool Start()
    {
        const platform::SystemClock systemClock;
        const platform::Clock& clock = m_environment.clock != nullptr ? *m_environment.clock : systemClock;
        const mainwindow::StartUpResult result = mainwindow::StartUp(m_program, m_environment.dataFolder, clock, m_store);
        if (result.programTextError) {
            PrintMessage(m_err, *result.programTextError);
            return false;
        }
        if (result.plutoError)
            PrintMessage(m_err, *result.plutoError);
        return true;
    }

    int Usage(const UsageError& error)
    {
        m_err << ConsoleText(m_program.language.GetTextWithReplacements(error.text, error.detail, error.detail2))
              << "\n\n"
              << ConsoleText(m_program.language.GetTextWithReplacements(kTextUsage, "")) << '\n';
        return kExitUsage;
    }

    int Help()
    {
        m_out << ConsoleText(m_program.language.GetTextWithReplacements(kTextUsage, "")) << '\n';
        return kExitSuccess;
    }

    int Positions(const std::vector<std::string>& args)
    {
        const Arguments arguments(args, {"--jd"}, {});
        if (arguments.error())
            return Usage(*arguments.error());
        double moment = m_environment.nowMoment;
        if (arguments.Has("--jd")) {
            if (!arguments.state().empty())
                return Usage({kTextUnknownOption, arguments.state(), {}});
            if (!ParseDouble(arguments.Value("--jd"), moment))
                return Usage({kTextBadJulianDate, arguments.Value("--jd"), {}});
        } else if (!arguments.state().empty()) {
            if (const int code = LoadState(arguments.state()); code != kExitSuccess)
                return code;
            moment = datetime::InputDateToAJDate(m_program.main, core::kWorldDateRow);
            if (moment < 0.0) {
                m_program.main.dblMoment[0] = moment;
                return DateError(datetime::ShowDateInputError(m_program.main, core::kWorldDateRow, m_program.language));
            }
        }
        const core::AstroModule& astro = m_program.astro;
        for (int16_t body = core::kEarth; body <= astro.intNumPlanets; ++body)
            m_out << PositionLine(body, astro.HelioLongitude(body, moment)) << '\n';
        return kExitSuccess;
    }

    int Report(const std::vector<std::string>& args)
    {
        const Arguments arguments(args, {"--sort", "--lang"}, {"--radians"});
        if (arguments.error())
            return Usage(*arguments.error());
        if (arguments.state().empty())
            return Usage({kTextNeedsState, "report", {}});
        if (arguments.Has("--lang")) {
            const std::string lang = arguments.Value("--lang");
            if (lang != "en" && lang != "de")
                return Usage({kTextBadValue, "--lang", lang});
            SetLanguage(lang == "de" ? text::langGerman : text::langEnglish);
        }
        long sort = 0;
        if (arguments.Has("--sort") && (!ParseLong(arguments.Value("--sort"), sort) || sort < 0))
            return Usage({kTextBadValue, "--sort", arguments.Value("--sort")});

        if (const int code = LoadState(arguments.state()); code != kExitSuccess)
            return code;
        if (arguments.Has("--radians"))
            m_program.main.SetOptRadians(true);
        m_program.main.blnStartupCompleted = true;

        const mainwindow::ComputeOutcome outcome = mainwindow::cmdCompute_Click(m_program);
        if (!outcome.computed)
            return DateError(outcome.dateError);

        const int16_t mode = m_program.main.intMode;
        // The sort list of the mode: six entries in world transits, seven in personal transits; the
        // natal and synastry listings are always in order of exactness.
        const long sortEntries = mode == core::kModeWorldTransits ? 6 : core::IsPersonalTransitMode(mode) ? 7 : 1;
        if (sort >= sortEntries)
            return Usage({kTextBadValue, "--sort", arguments.Value("--sort")});
        tools::DurationsWindow window(m_program.astro, m_program.language);
        const std::optional<platform::Message> noAspects = mainwindow::cmdReport_Click(m_program, window);
        if (!noAspects && sort != 0) {
            window.cboSortBy.SetListIndex(static_cast<int16_t>(sort));
            window.cboSortBy_Click();
        }

        m_out << Trimmed(ConsoleText(m_program.main.lblTitle)) << "\n\n";
        for (const std::string& line : AspectCellLines())
            m_out << line << '\n';
        m_out << '\n';
        const std::string& summary =
            core::IsOneDateMode(mode) ? m_program.main.txbReport : m_program.main.txbReport1;
        m_out << Trimmed(ConsoleText(summary)) << "\n\n";
        if (noAspects)
            PrintMessage(m_out, *noAspects);
        else
            m_out << Trimmed(ConsoleText(window.ClipboardText())) << '\n';
        return kExitSuccess;
    }

    int Find(const std::vector<std::string>& args)
    {
        const Arguments arguments(args, {"--pattern", "--planets", "--at-least", "--step", "--max-steps"}, {});
        if (arguments.error())
            return Usage(*arguments.error());
        if (arguments.state().empty())
            return Usage({kTextNeedsState, "find", {}});
        if (!arguments.Has("--pattern"))
            return Usage({kTextMissingValue, "--pattern", {}});

        const int16_t pattern = PatternIndex(arguments.Value("--pattern"));
        if (pattern < 0)
            return Usage({kTextUnknownPattern, arguments.Value("--pattern"), {}});
        std::array<int16_t, core::kNumSoughtPlanetBoxes> planets{};
        if (arguments.Has("--planets")) {
            const std::vector<std::string> names = Split(arguments.Value("--planets"));
            if (names.size() > planets.size())
                return Usage({kTextBadValue, "--planets", arguments.Value("--planets")});
            for (size_t k = 0; k < names.size(); ++k) {
                planets[k] = BodyIndex(names[k]);
                if (planets[k] == 0)
                    return Usage({kTextUnknownBody, names[k], {}});
            }
        }
        long atLeast = 0;
        if (arguments.Has("--at-least") &&
            (!ParseLong(arguments.Value("--at-least"), atLeast) || atLeast < 2 || atLeast > 9))
            return Usage({kTextBadValue, "--at-least", arguments.Value("--at-least")});
        long maxSteps = kDefaultMaxSteps;
        if (arguments.Has("--max-steps") &&
            (!ParseLong(arguments.Value("--max-steps"), maxSteps) || maxSteps < 1))
            return Usage({kTextBadValue, "--max-steps", arguments.Value("--max-steps")});
        std::optional<int16_t> step;
        if (arguments.Has("--step")) {
            step = StepPosition(arguments.Value("--step"));
            if (!step)
                return Usage({kTextBadValue, "--step", arguments.Value("--step")});
        }

        if (const int code = LoadState(arguments.state()); code != kExitSuccess)
            return code;
        mainwindow::MainModel& main = m_program.main;
        main.SelectMode(core::Mode::WorldTransits);
        // The search starts from the state's world date: a date the date input rejects has no next step
        // (stepping an incomplete row would invent a date). The conversion also fills in the default
        // half hour and zone, so that the steps start from the moment the date row stands for.
        if (const double start = datetime::InputDateToAJDate(main, core::kWorldDateRow); start < 0.0) {
            main.dblMoment[0] = start;
            return DateError(datetime::ShowDateInputError(main, core::kWorldDateRow, m_program.language));
        }
        if (step)
            main.cboForwardBack.SetListIndex(*step);
        main.blnStartupCompleted = true;

        // The run dialog as a user would fill it in.
        tools::RunDialogModel& dialog = m_program.runDialog;
        dialog.Form_Activate(m_program.astro.tables);
        dialog.cboAspectPattern.SetListIndex(pattern);
        dialog.cboAspectPattern_Click();
        for (size_t k = 0; k < planets.size(); ++k)
            dialog.cboSoughtPlanet[k].SetListIndex(planets[k]);
        if (atLeast >= 2) {
            dialog.chkTwoOrMore = true;
            dialog.chkTwoOrMore_Click();
            dialog.cboNumToFind.SetListIndex(static_cast<int16_t>(atLeast - 2));
        }
        if (const std::optional<platform::Message> refused = dialog.cmdRun_Click(m_program.language)) {
            PrintMessage(m_err, *refused);
            return kExitUsage;
        }

        m_program.run.blnRunning = true;
        for (long n = 0; n < maxSteps; ++n) {
            dialog.search.intNumPlanetsFound = 0;
            const mainwindow::StepOutcome outcome = mainwindow::cmdForwardBack_Click(m_program, mainwindow::kForwardButton);
            if (outcome.undone || !outcome.compute.computed)
                return DateError(outcome.compute.dateError);
            if (outcome.compute.found) {
                PrintMessage(m_out, *outcome.compute.found);
                m_out << datetime::InputDateToString(main, core::kWorldDateRow, false, m_program.language)
                      << '\n';
                return kExitSuccess;
            }
        }
        m_err << ConsoleText(m_program.language.GetTextWithReplacements(kTextNotFound, std::to_string(maxSteps)))
              << '\n';
        return kExitNotFound;
    }

private:
    void SetLanguage(int16_t language)
    {
        m_program.language.intLanguage = language;
        mainwindow::ApplyLanguageToModels(m_program);
    }

    int LoadState(const std::string& path)
    {
        const std::string error = mainwindow::LoadStateFile(m_program, path, m_store);
        if (!error.empty()) {
            m_err << ConsoleText(error) << '\n';
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

    // One line per aspect cell, in cell order: "3,4 Me-Ju Sqr 2°15' -".
    std::vector<std::string> AspectCellLines() const
    {
        const display::GridModel& grid = m_program.grid;
        const core::AstroTables& tables = m_program.astro.tables;
        const bool triangle = core::IsOneDateMode(m_program.main.intMode);
        std::vector<std::string> lines;
        for (int16_t i = 0; i < grid.intNumCells; ++i) {
            if (grid.CellAspect(tables, i) == 0)
                continue;
            const int16_t row = static_cast<int16_t>(i / grid.intNumCols);
            const int16_t col = static_cast<int16_t>(i % grid.intNumCols);
            const auto rowBody = static_cast<size_t>(row - 1);
            const auto colBody = static_cast<size_t>(triangle ? col + 1 : col - 1);
            const std::string text = ReplaceLineBreaks(grid.txbCell[static_cast<size_t>(i)].text, " ");
            lines.push_back(std::to_string(row) + "," + std::to_string(col) + " " + tables.strPlanetAbbrev[rowBody] +
                            "-" + tables.strPlanetAbbrev[colBody] + " " + text);
        }
        return lines;
    }

    std::string PositionLine(int16_t body, double longitude) const
    {
        const core::AstroTables& tables = m_program.astro.tables;
        std::string line = tables.strPlanetName[static_cast<size_t>(body)] + " ";
        if (longitude == core::kPlutoBeforeTable)
            return line + "<";
        if (longitude == core::kPlutoAfterTable)
            return line + ">";
        if (longitude < 0.0)
            return line + "?";
        return line + Fixed6(longitude / core::kTwoPi * 360.0) + " " +
               core::Rad2DegMin(longitude, false, false, false, false) + " " +
               core::ZodiacPositionText(tables, longitude, false);
    }

    // A pattern index 0 … 13 or a pattern name in any case; −1 for neither.
    int16_t PatternIndex(const std::string& text) const
    {
        long index = -1;
        if (ParseLong(text, index))
            return index >= 0 && index < core::kNumPatterns ? static_cast<int16_t>(index) : int16_t{-1};
        const auto& names = m_program.astro.tables.strPatternName;
        for (size_t i = 0; i < names.size(); ++i)
            if (text::LowerCase(names[i]) == text::LowerCase(text))
                return static_cast<int16_t>(i);
        return -1;
    }

    // A body by its name or abbreviation, in any case; 0 for none.
    int16_t BodyIndex(const std::string& text) const
    {
        const core::AstroTables& tables = m_program.astro.tables;
        for (int16_t body = core::kEarth; body <= core::kPluto; ++body)
            if (text::LowerCase(tables.strPlanetName[static_cast<size_t>(body)]) == text::LowerCase(text) ||
                text::LowerCase(tables.strPlanetAbbrev[static_cast<size_t>(body)]) == text::LowerCase(text))
                return body;
        return 0;
    }

    static std::optional<int16_t> StepPosition(const std::string& text)
    {
        static const std::array<const char*, display::kNumStepIncrements> kNames{"halfhour", "day", "week", "month",
                                                                                "year"};
        for (size_t i = 0; i < kNames.size(); ++i)
            if (text::LowerCase(text) == kNames[i])
                return static_cast<int16_t>(i);
        return std::nullopt;
    }

    static std::vector<std::string> Split(const std::string& text)
    {
        std::vector<std::string> parts;
        size_t start = 0;
        while (start <= text.size()) {
            const size_t comma = text.find(',', start);
            parts.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
        return parts;
    }

    const Environment& m_environment;
    std::ostream& m_out;
    std::ostream& m_err;
    // The command-line companion keeps no display settings of its own: they live in memory for the run.
    settings::MemoryRegistryStore m_store;
    mainwindow::Program m_program;
};

}  // namespace

int Run(const std::vector<std::string>& args, const Environment& environment, std::ostream& out,
        std::ostream& err)
{
    if (!args.empty() && args[0] == "--version") {
        out << "orvane-cli " << orvane::kVersion << '\n';
        return kExitSuccess;
    }
    auto session = std::make_unique<Session>(environment, out, err);
    if (!session->Start())
        return kExitBadInput;
    if (args.empty())
        return session->Usage({kTextUnknownCommand, "", {}});
    const std::string& command = args[0];
    if (command == "--help" || command == "-h")
        return session->Help();
    if (command == "positions")
        return session->Positions(args);
    if (command == "report")
        return session->Report(args);
    if (command == "find")
        return session->Find(args);
    return session->Usage({kTextUnknownCommand, command, {}});
}

}  // namespace orvane::cli
