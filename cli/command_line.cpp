#include "cli/command_line.h"

#include "cli/options_conventions.h"
#include "cli/help_texts.h"
#include "cli/messages.h"
#include "cli/option_kit.h"
#include "cli/options_cycles.h"
#include "cli/options_moments.h"
#include "cli/options_patterns.h"
#include "cli/reader_pieces.h"
#include "cli/texts.h"
#include "cli/values.h"
#include "datetime/iso_dates.h"
#include "orvane_version.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <ostream>
#include <string_view>
#include <utility>

namespace orvane::cli {
namespace {

// Reads the command line into a CommandLine with CLI11: the commands, their options, and CLI11's
// validators and transformers for the values, each refusal worded in the program's own text in the
// language asked for. Help, the version and usage mistakes are answered here, reading no data file.
class CommandLineReader : public OptionKit {
public:
    // Builds the parsers of the commands `parsers` names.
    CommandLineReader(CommandLine& line, std::ostream& out, std::ostream& err, const ParsersToBuild& parsers)
        : m_line(line), m_out(out), m_err(err)
    {
        m_app.set_version_flag("--version", std::string("orvane-cli ") + kVersion, "Print the version and exit");
        m_app.allow_extras();
        m_app.require_subcommand(0, 1);
        m_app.formatter(CompanionUsageFormatter());
        m_app.footer(std::string("Every command takes --lang en|de (any case); --opt=value and --opt value both work.\n"
                                 "UNIT is halfhour, day, week, month or year. "
                                 "Run orvane-cli COMMAND --help for a command's options.\n\n") +
                     kDates + kMomentHelp + "\n" + kSortList + "\n" + PatternAndBodyList() + "\n" + kExitCodes +
                     "The atlas (places, a place where a zone goes): GeoNames data (geonames.org, CC BY 4.0) through\n"
                     "Debian's libgeonames (GPL-3).\n");
        const std::pair<std::string_view, std::function<void()>> commands[] = {
            {"report", [this] { AddReport(); }},
            {"find", [this] { AddFind(); }},
            {"positions", [this] { AddPositions(); }},
            {"events", [this] { AddEvents(); }},
            {"patterns", [this] { AddPatterns(); }},
            {"ephemeris", [this] { AddEphemeris(); }},
            {"aspects", [this] { AddAspectsCommand(*this, m_line); }},
            {"cycles", [this] { AddCycles(); }},
            {"state", [this] { AddStateCommand(*this, m_line); }},
            {"charts", [this] { AddChartsCommand(*this, m_line); }},
            {"places", [this] { m_places = AddPlacesCommand(*this, m_line); }},
        };
        for (const auto& [name, add] : commands)
            if (parsers.every || name == parsers.only)
                add();
    }

    // Reads `args`; returns the exit code when they are answered here, nullopt when the command is to run.
    std::optional<int> Read(const std::vector<std::string>& args)
    {
        m_line.language = LanguageAsked(args);
        if (m_places != nullptr)
            SetPlacesHelp(m_places, m_line.language);
        if (const std::optional<EmptyValue> empty = FirstEmptyValue(args))
            return Mistake(OwnText(text::kTextMissingValue, m_line.language, empty->option), empty->command);
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
        // The reading stopped at the refused value, so the bodies of cycles, the fields of a chart or the
        // output file of state, whose absence those commands name, may not have been read yet.
        if (refused && (m_line.command == "cycles" || m_line.command == "charts" || m_line.command == "state"))
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

    // An option of a command written "--option=" with nothing after the sign, and that command.
    struct EmptyValue {
        std::string option;
        std::string command;
    };

    // The first option of the command that is given as "--option=" but needs a value: CLI11 would take the
    // argument after it for its value. Options before the command and after "--" are left to the parser,
    // as are flags, which take no value.
    std::optional<EmptyValue> FirstEmptyValue(const std::vector<std::string>& args)
    {
        const CLI::App* command = nullptr;
        for (const std::string& arg : args) {
            if (arg == "--")
                break;
            if (command == nullptr) {
                const std::vector<CLI::App*> named =
                    m_app.get_subcommands([&arg](CLI::App* candidate) { return candidate->get_name() == arg; });
                command = named.empty() ? nullptr : named.front();
                continue;
            }
            if (!arg.starts_with("--") || arg.find('=') != arg.size() - 1)
                continue;
            const std::string name = arg.substr(0, arg.size() - 1);
            const CLI::Option* option = command->get_option_no_throw(name);
            if (option != nullptr && option->get_expected_min() > 0)
                return EmptyValue{name, command->get_name()};
        }
        return std::nullopt;
    }

    // A command with its state file and --lang, which every command takes. --lang is read before the parser
    // runs (LanguageAsked) and only checked here; an empty one (--lang "") leaves the language as it is.
    CLI::App* AddCommand(const char* name, const char* description, const char* stateText) override
    {
        CLI::App* command = m_app.add_subcommand(name, description);
        command->allow_extras();
        if (stateText != nullptr)
            command->add_option("STATE", m_line.state, stateText);
        // --lang given twice is a mistake (Read names it), not a value the parser refuses.
        command->add_option("--lang", "Program text in English (en) or German (de)")
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
            ->type_name("en|de")
            ->check(Refused(CLI::IsMember({"en", "de", ""}, CLI::ignore_case), text::kTextBadValue, "--lang", "en, de"));
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
        AddBirthOptions(report, m_line);
        AddConventionOptions(*report, m_line);
        report->footer(std::string(kSortList) + "\n" + kDates + kMomentHelp);
    }

    void AddFind()
    {
        CLI::App* find = AddCommand("find", "Step the world date forward until a pattern appears",
                                    "The state file; the search starts from its world date");
        // CheckedTransformer takes a pattern's number as well as its name: the numbers are its outputs.
        Valued(find->add_option("--pattern", m_line.pattern, "The pattern sought (required)"), "P")
            ->transform(Refused(PlainNumber(true) & CLI::CheckedTransformer(PatternNumbers(), CLI::ignore_case),
                                text::kTextUnknownPattern));
        const auto planets = [this](const std::string& names) {
            const std::vector<std::string> bodies = Split(names);
            for (size_t k = 0; k < bodies.size() && k < m_line.planets.size(); ++k)
                m_line.planets[k] = BodyIndex(bodies[k]);
        };
        Valued(find->add_option_function<std::string>("--planets", planets,
                                                      "Only a pattern that involves these bodies"),
               "B1,B2,B3")
            ->check(BodyList());
        Valued(find->add_option("--at-least", m_line.atLeast, "At least N patterns (2 … 9) on the same day"), "N")
            ->transform(Refused(PlainNumber() & CLI::Range(2L, 9L), text::kTextBadValue, "--at-least", "2 … 9"));
        // IsMember refuses the positions themselves, which Transformer alone would pass on.
        const auto step = [this](const int16_t& position) { m_line.step = position; };
        Valued(find->add_option_function<int16_t>(
                   "--step", step, "The step: halfhour, day, week, month or year (default: the state's own)"),
               "UNIT")
            ->transform(Refused(CLI::IsMember(kStepPositions, CLI::ignore_case) & CLI::Transformer(kStepPositions),
                                text::kTextBadValue, "--step", kStepNames));
        Valued(find->add_option("--max-steps", m_line.maxSteps, "Give up after N steps (default 100000)"), "N")
            ->transform(Refused(PlainNumber() & CLI::Range(1L, std::numeric_limits<long>::max()),
                                text::kTextBadValue, "--max-steps"));
        AddFormsFlag(*find, m_line);
        AddBirthOptions(find, m_line);
        AddDate(find);
        AddConventionOptions(*find, m_line);
        AddFormat(find, "Text: the message and the date; csv, json: the moment found (time, jd_ut, pattern)");
        find->footer(PatternAndBodyList() + "\n" + kDates + kMomentHelp +
                     "\nFound: the message and the date, exit 0; not found: exit 3, with --format csv or json the\n"
                     "header alone or [].\n");
    }

    void AddPositions()
    {
        CLI::App* positions = AddCommand("positions",
                                         "One line per body: name, longitude in degrees, degrees and minutes, zodiac place",
                                         "The state file; its world date is used");
        const auto jd = [this](const std::string& typed) { m_line.jd = ReadNumber<double>(typed); };
        Valued(positions->add_option_function<std::string>("--jd", jd, "At this Julian date (UT) instead"), "JD")
            ->check(Refused(JulianDate(), text::kTextBadJulianDate));
        Valued(positions->add_option("--date", m_line.date,
                                     "At this moment (ISO 8601; without a zone UT) instead of the state's world "
                                     "date, or @NAME: a chart of the library (its place gives the angles)"),
               "DATE")
            ->check(ChartOrMomentValidator(m_line));
        AddLibraryOption(positions, m_line);
        AddConventionOptions(*positions, m_line);
        AddPerspectiveOption(*positions, m_line);
        positions->add_flag("--compare", m_line.compare,
                            "Both perspectives: heliocentric, geocentric and their difference (degrees)");
        AddPlace(positions, "A place's latitude (north positive): its Ascendant and Midheaven as well");
        positions->footer(
            std::string("Without STATE, --jd or --date: the present moment. --date beside STATE takes the place of its\n"
                        "world date; the file is read all the same. Pluto before or after its table prints < or >.\n"
                        "Geocentric: Sun, Moon, Mercury … Pluto (the Earth has no geocentric position, the Sun and the\n"
                        "Moon no heliocentric one). --compare: heliocentric in --frame/--positions (default j2000,\n"
                        "geometric), geocentric in them where given, else apparent positions of date. --lat and --lon\n"
                        "add the place's Ascendant and Midheaven (true ecliptic of date, Porphyry's house routine) to\n"
                        "the geocentric positions; --date @NAME takes them from the chart's place unless given.\n\n") +
            kDates + kMomentHelp);
    }

    void AddPlace(CLI::App* command, const char* latitudeText) override
    {
        const auto latitude = [this](const std::string& typed) { m_line.latitude = ReadNumber<double>(typed); };
        const auto longitude = [this](const std::string& typed) { m_line.longitude = ReadNumber<double>(typed); };
        Valued(command->add_option_function<std::string>("--lat", latitude, latitudeText), "DEG")
            ->check(Refused(DegreesWithin(-90.0, 90.0), text::kTextBadLatitude));
        Valued(command->add_option_function<std::string>("--lon", longitude, "The place's longitude (east positive)"),
               "DEG")
            ->check(Refused(DegreesWithin(-180.0, 180.0), text::kTextBadLongitude));
    }

    void AddDate(CLI::App* command) override
    {
        Valued(command->add_option("--date", m_line.date,
                                   "At this moment (ISO 8601; without a zone UT) instead of the state's world date"),
               "DATE")
            ->check(MomentValidator(m_line));
    }

    void AddFormat(CLI::App* command, const char* description) override
    {
        AddFormat(command, description, kFormats, "text|csv|json");
    }

    void AddFormat(CLI::App* command, const char* description, const std::map<std::string, TableFormat>& formats,
                   const char* names)
    {
        Valued(command->add_option("--format", m_line.format, description), names)
            ->transform(Refused(CLI::IsMember(formats, CLI::ignore_case) & CLI::Transformer(formats, CLI::ignore_case),
                                text::kTextBadValue, "--format", ListedNames(names)));
    }

    // --step UNIT, as ephemeris and aspects take it.
    void AddStep(CLI::App* command, const char* description) override
    {
        const auto step = [this](const int16_t& position) { m_line.step = position; };
        Valued(command->add_option_function<int16_t>("--step", step, description), "UNIT")
            ->transform(Refused(CLI::IsMember(kStepPositions, CLI::ignore_case) & CLI::Transformer(kStepPositions),
                                text::kTextBadValue, "--step", kStepNames));
    }

    void AddSpan(CLI::App* command, const char* from, const char* to) override
    {
        Valued(command->add_option("--from", m_line.from, from), "DATE")->check(MomentValidator(m_line));
        Valued(command->add_option("--to", m_line.to, to), "DATE")->check(MomentValidator(m_line));
        AddZoneOption(command, m_line);
    }

    // events' --bodies, --aspects and --kinds, read in the perspective given before them.
    void AddEventFilterOptions(CLI::App* events)
    {
        const auto bodies = [this](const std::string& names) {
            m_line.filter.bodies = 0;
            m_line.geoFilter.bodies = 0;
            for (const std::string& name : Split(names)) {
                if (m_line.perspective == core::Perspective::Geocentric)
                    m_line.geoFilter.bodies = static_cast<uint16_t>(m_line.geoFilter.bodies |
                                                                    1u << static_cast<int>(*core::GeoBodyNamed(name)));
                else
                    m_line.filter.bodies = static_cast<uint16_t>(m_line.filter.bodies | 1u << BodyIndex(name));
            }
        };
        Valued(events->add_option_function<std::string>(
                   "--bodies", bodies,
                   "Only pairs of these bodies (default: all); in personal transits and synastry both bodies of a "
                   "pair, moving or natal, must be among them"),
               "B,...")
            ->check(CLI::Validator([this](std::string& list) { return BodiesRefused(list); }, "").application_index(0));
        const auto aspects = [this](const std::string& names) {
            m_line.filter.aspects = 0;
            for (const std::string& name : Split(names))
                m_line.filter.aspects = static_cast<uint16_t>(m_line.filter.aspects | 1u << AspectIndex(name));
        };
        Valued(events->add_option_function<std::string>("--aspects", aspects, "Only these aspects (default: all)"),
               "A,...")
            ->check(NameList(AspectIndex, text::kTextUnknownAspect));
        const auto kinds = [this](const std::string& names) {
            m_line.kindsChosen = true;
            m_line.filter.kinds = 0;
            m_line.geoFilter.kinds = 0;
            for (const std::string& name : Split(names)) {
                if (m_line.perspective == core::Perspective::Geocentric)
                    m_line.geoFilter.kinds = static_cast<uint8_t>(m_line.geoFilter.kinds | GeoKindBits(name));
                else
                    m_line.filter.kinds = static_cast<uint16_t>(m_line.filter.kinds | 1u << KindIndex(name));
            }
        };
        Valued(events->add_option_function<std::string>(
                   "--kinds", kinds, "Only these kinds (default: exact, enter, leave, ingress; the list below)"),
               "K,...")
            ->check(CLI::Validator([this](std::string& list) { return KindsRefused(list); }, "").application_index(0));
    }

    void AddEvents()
    {
        CLI::App* events = AddCommand("events", "Exact aspects, orb entries and exits, and sign ingresses over a span",
                                      "The state file; its mode, orbs, birthdates and world date are used "
                                      "(default: world transits with the default orbs)");
        AddSpan(events, "From this moment (default: the state's world date, or now)",
                "Up to this moment, excluded (default: one year after --from)");
        // The perspective first: CLI11 runs the checks in the order the options were added, and the bodies
        // and kinds are those of the perspective.
        AddPerspectiveOption(*events, m_line);
        AddEventFilterOptions(events);
        AddPlace(events, "With --perspective geocentric, a place's latitude (north positive, within 65°): "
                         "the kind angle, its bodies' aspects to the place's Ascendant and Midheaven");
        AddBirthOptions(events, m_line);
        AddEventValueOptions(*events, m_line);
        AddConventionOptions(*events, m_line);
        AddFormat(events, "Output: text (default), csv, json or ics (an iCalendar file)", kEventFormats,
                  "text|csv|json|ics");
        AddCalendarOptions(events, m_line);
        AddRoleOptions(events, m_line);
        events->footer(std::string(kEventsHelp) + "\n" + kDates + kMomentHelp);
    }

    void AddPatterns()
    {
        CLI::App* patterns = AddCommand("patterns", "When each aspect pattern forms, is tightest and dissolves",
                                        "The state file; its orbs, midpoint orb and world date are used");
        AddSpan(patterns, "From this moment (default: the state's world date, or now)",
                "Up to this moment, excluded (default: one year after --from)");
        AddFormat(patterns, "Output: text (default), csv or json");
        // The perspective before --planets, whose bodies are the perspective's.
        AddPerspectiveOption(*patterns, m_line);
        AddPatternsOptions(*patterns, m_line);
        AddConventionOptions(*patterns, m_line);
    }

    void AddEphemeris()
    {
        CLI::App* ephemeris =
            AddCommand("ephemeris", "The nine heliocentric longitudes at every step of a span", nullptr);
        AddSpan(ephemeris, "From this moment (required)", "Up to this moment, excluded (required)");
        AddStep(ephemeris, "The step: halfhour, day (default), week, month or year");
        AddColumnsOption(*ephemeris, m_line);
        AddConventionOptions(*ephemeris, m_line);
        AddPerspectiveOption(*ephemeris, m_line);
        AddFormat(ephemeris, "Output: text (default, zodiac places), csv or json (degrees)");
        ephemeris->footer(
            "One line a step from --from up to (not including) --to. CSV header: time,jd_ut,Earth,...,Pluto (degrees, six\n"
            "decimals; empty, in JSON null, where Pluto is beyond its table; the text shows < or >). Geocentric:\n"
            "time,jd_ut,Sun,Moon,Mercury,...,Pluto, apparent positions of date unless --frame or --positions say\n"
            "otherwise; the JSON metadata holds \"perspective\":\"geocentric\".\n"
            "Months and years keep the day of the month, or the month's last day when it has fewer.\n\n" +
            std::string(kDates) + kMomentHelp);
    }

    void AddCycles()
    {
        CLI::App* cycles = AddCommand("cycles", "The synodic cycles of two bodies: conjunctions, phases, phase angle",
                                      nullptr);
        AddSpan(cycles, "From the cycle in progress at this moment (default: --date, or now)",
                "Up to this moment, excluded: the last cycle listed begins before it (default: one year after --from)");
        AddCycleOptions(*cycles, m_line);
        AddConventionOptions(*cycles, m_line);
        AddPerspectiveOption(*cycles, m_line);
        AddFormat(cycles, "Output: text (default), csv or json");
        cycles->footer(CyclesFooter() + kDates);
    }

    // `check` with its refusal worded as the program's text `number`, filled with the option and the value as
    // typed, or with the value alone when `option` is empty: CLI11's own refusals are English only and name
    // its rule ("Value 1 not in range 2 to 9"), not the mistake. No description, so that the option's help
    // shows only its type name. Only the value that counts is checked: of an option given more than once,
    // CLI11 numbers the last value 0 and the earlier ones below 0.
    CLI::Validator Refused(const CLI::Validator& check, int16_t number, const std::string& option = {},
                           const std::string& valid = {}) const
    {
        const auto refuse = [this, check, number, option, valid](std::string& value) {
            const std::string typed = value;
            if (check(value).empty())
                return std::string();
            if (!valid.empty())
                return OwnText(text::kTextBadValueListed, m_line.language, option, typed, valid);
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
                    return UnknownBodyText(name, m_line.language);
            return {};
        };
        return CLI::Validator(check, "").application_index(0);
    }

    // A comma-separated list of names, each known to `index` (non-zero), else the program's text `number`.
    CLI::Validator NameList(int16_t (*index)(const std::string&), int16_t number) const
    {
        const auto check = [this, index, number](std::string& list) -> std::string {
            for (const std::string& name : Split(list))
                if (index(name) <= 0)
                    return number == text::kTextUnknownBody ? UnknownBodyText(name, m_line.language)
                                                            : OwnText(number, m_line.language, name);
            return {};
        };
        return CLI::Validator(check, "").application_index(0);
    }

    // events --bodies: each a body of the perspective, the Earth refused geocentrically and the Sun and the
    // Moon heliocentrically with the remedy; the refusal, or nothing.
    std::string BodiesRefused(const std::string& list) const
    {
        const bool geocentric = m_line.perspective == core::Perspective::Geocentric;
        for (const std::string& name : Split(list)) {
            if (geocentric && !core::GeoBodyNamed(name))
                return BodyIndex(name) == core::kEarth ? OwnText(text::kTextNoGeocentricEarth, m_line.language)
                                                       : OwnText(text::kTextUnknownBody, m_line.language, name);
            if (!geocentric && BodyIndex(name) <= 0)
                return UnknownBodyText(name, m_line.language);
        }
        return {};
    }

    // The bits of core::GeoEventKind a geocentric --kinds name stands for: station is both stations.
    static uint8_t GeoKindBits(const std::string& name)
    {
        const std::string key = text::LowerCase(name);
        return key == "exact" ? 1u : key == "ingress" ? 2u : key == "station" ? 12u : key == "angle" ? 16u : 0u;
    }

    // events --kinds: each a kind of the perspective; the refusal, or nothing.
    std::string KindsRefused(const std::string& list) const
    {
        const bool geocentric = m_line.perspective == core::Perspective::Geocentric;
        for (const std::string& name : Split(list)) {
            if (geocentric && GeoKindBits(name) == 0)
                return OwnText(text::kTextUnknownGeoEventKind, m_line.language, name);
            if (!geocentric && KindIndex(name) < 0)
                return OwnText(text::kTextUnknownEventKind, m_line.language, name);
        }
        return {};
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
        } catch (const CLI::ConversionError& error) {
            // A flag given a value it cannot read: "Could not convert: --radians = maybe".
            const std::string what = error.what();
            const std::string prefix = "Could not convert: ";
            if (const size_t equals = what.find(" = "); what.starts_with(prefix) && equals != std::string::npos)
                return Usage(text::kTextBadValue, what.substr(prefix.size(), equals - prefix.size()),
                             what.substr(equals + 3));
            return Mistake(EchoedValue(what.substr(0, what.find('\n')), what.size()));
        } catch (const CLI::ParseError& other) {
            const std::string what = other.what();
            return Mistake(EchoedValue(what.substr(0, what.find('\n')), what.size()));
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
            return UnknownOption(command, *extra);
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

    // An option `command` does not know, with the one of its options it was most likely meant to be.
    int UnknownOption(const CLI::App& command, const std::string& typed)
    {
        const std::string name = typed.substr(0, typed.find('='));
        std::vector<std::string> names;
        for (const CLI::Option* option : command.get_options())
            for (const std::string& known : option->get_lnames())
                names.push_back("--" + known);
        if (name.starts_with("--"))
            if (const std::optional<std::string> meant = ClosestName(name, names))
                return Usage(text::kTextDidYouMean, typed, *meant);
        return Usage(text::kTextUnknownOption, typed);
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
        // An option counts as given even when its value is refused: that value is named in its turn, not
        // the state file or the span it stands for.
        const CLI::App& command = *m_app.get_subcommands().front();
        const auto given = [&command](const char* option) {
            const CLI::Option* known = command.get_option_no_throw(option);
            return known != nullptr && known->count() > 0;
        };
        if (m_line.command == "positions") {
            if (!m_line.state.empty() && given("--jd"))
                return Usage(text::kTextUnknownOption, m_line.state);
            if (given("--date") && given("--jd"))
                return Usage(text::kTextUnknownOption, "--date");
            return std::nullopt;
        }
        if (m_line.command == "events") {
            if (const std::optional<int16_t> mistake = EventOptionsMistake(m_line, given("--degrees")))
                return Mistake(OwnText(*mistake, m_line.language));
            return std::nullopt;
        }
        if (m_line.command == "patterns") {
            if (m_line.perspective == core::Perspective::Geocentric && given("--pattern") &&
                m_line.patterns[core::kPatternMidpoint])
                return Mistake(OwnText(text::kTextGeocentricNoMidpoints, m_line.language));
            return std::nullopt;
        }
        if (m_line.command == "places")
            return m_line.query.empty() ? Usage(text::kTextMissingValue, "QUERY") : std::optional<int>();
        if (m_line.command == "state")
            return m_line.output.empty() ? Usage(text::kTextStateNeedsOutput, {}) : std::optional<int>();
        if (m_line.command == "charts") {
            // A refused ACTION is named in its turn, not as missing.
            if (given("ACTION") && m_line.charts.action.empty())
                return std::nullopt;
            if (const std::optional<std::string> mistake = ChartOptionsMistake(m_line))
                return Mistake(*mistake);
            return std::nullopt;
        }
        if (m_line.command == "cycles") {
            if (const std::optional<std::string> mistake = CycleBodiesMistake(m_line))
                return Mistake(*mistake);
            return std::nullopt;
        }
        if (m_line.command == "ephemeris" || m_line.command == "aspects") {
            if (!given("--from") || !given("--to"))
                return Usage(text::kTextNeedsSpan, m_line.command);
            return std::nullopt;
        }
        if (m_line.state.empty() && !given("--date") && !given("--birth") && !given("--birth2"))
            return Usage(text::kTextNeedsState, m_line.command);
        if (m_line.command == "find" && !given("--pattern"))
            return Usage(text::kTextMissingValue, "--pattern");
        return std::nullopt;
    }

    // A usage mistake: one line saying what is wrong, then where the help is (of `command`, or of the command
    // the parser chose).
    int Mistake(const std::string& message, std::string command = {})
    {
        const std::vector<CLI::App*> chosen = m_app.get_subcommands();
        if (command.empty() && !chosen.empty())
            command = chosen.front()->get_name();
        const std::string help = "orvane-cli " + (command.empty() ? "" : command + " ") + "--help";
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
    CLI::App* m_places = nullptr;
    CLI::App m_app{"Orvane command-line companion: heliocentric positions, aspects and patterns without a window.",
                   "orvane-cli"};
};

}  // namespace

std::optional<int> ReadCommandLine(const std::vector<std::string>& args, CommandLine& line, std::ostream& out,
                                   std::ostream& err)
{
    return CommandLineReader(line, out, err, ParsersFor(args)).Read(args);
}

}  // namespace orvane::cli
