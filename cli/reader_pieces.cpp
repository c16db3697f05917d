#include "cli/reader_pieces.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "text/language.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <sstream>

namespace orvane::cli {
namespace {

// The top-level usage: one line per command, "or:" before each after the first, so that the manual page
// made from the help lists them as its synopsis. The commands' own help keeps the usual usage line.
class CompanionFormatter : public CLI::Formatter {
public:
    std::string make_usage(const CLI::App* app, std::string name) const override
    {
        if (app->get_parent() != nullptr)
            return CLI::Formatter::make_usage(app, std::move(name));
        return "Usage: orvane-cli report (STATE | --date DATE | --birth DATE) [--birth2 DATE] [--mode MODE] [--sort N]"
               " [--frame j2000|date] [--positions geometric|apparent] [--lang en|de] [--radians]\n"
               "  or:  orvane-cli find (STATE | --date DATE | --birth DATE) [--mode MODE] --pattern P [--planets B1,B2,B3] [--at-least N]"
               " [--step UNIT] [--max-steps N] [--forms] [--frame j2000|date] [--positions geometric|apparent]"
               " [--format text|csv|json]\n"
               "  or:  orvane-cli positions [STATE | --jd JD | --date DATE] [--frame j2000|date]"
               " [--positions geometric|apparent] [--perspective heliocentric|geocentric] [--compare] [--lat DEG --lon DEG]\n"
               "  or:  orvane-cli events [STATE] [--birth DATE] [--birth2 DATE] [--mode MODE] [--from DATE] [--to DATE]"
               " [--bodies B,...] [--aspects A,...]"
               " [--kinds K,...] [--degrees D,...] [--orb NAME=DEG] [--frame j2000|date]"
               " [--positions geometric|apparent] [--perspective heliocentric|geocentric] [--format text|csv|json|ics]"
               " [--windows] [--zone Z]\n"
               "  or:  orvane-cli patterns [STATE] [--from DATE] [--to DATE] [--pattern P,...] [--planets B,...]"
               " [--frame j2000|date] [--positions geometric|apparent] [--perspective heliocentric|geocentric]"
               " [--format text|csv|json] [--zone Z]\n"
               "  or:  orvane-cli ephemeris --from DATE --to DATE [--step UNIT] [--columns C,...]"
               " [--frame j2000|date] [--positions geometric|apparent] [--perspective heliocentric|geocentric]"
               " [--format text|csv|json] [--zone Z]\n"
               "  or:  orvane-cli aspects [STATE] --from DATE --to DATE [--step UNIT] [--frame j2000|date]"
               " [--positions geometric|apparent] [--perspective heliocentric|geocentric] [--format text|csv|json]"
               " [--zone Z]\n"
               "  or:  orvane-cli cycles B1 B2 [--from DATE] [--to DATE] [--date DATE] [--frame j2000|date]"
               " [--positions geometric|apparent] [--perspective heliocentric|geocentric] [--format text|csv|json]"
               " [--zone Z]\n"
               "  or:  orvane-cli state [STATE] [--date DATE] [--birth DATE] [--birth2 DATE] [--mode MODE]"
               " --output FILE.qvs\n"
               "  or:  orvane-cli charts list [--search Q] | show NAME | add --name N --birth DATE [--first F]"
               " [--kind K] [--place P] [--lat L --lon L] [--source S] [--reliability R] [--notes T] [--tag T ...]"
               " | edit NAME [the same options] | remove NAME | import FILE [--format aaf|csv]"
               " | export [--format aaf|csv|json] [--output F] [--charts FILE] [--format text|csv|json]\n"
               "  or:  orvane-cli --help | --version\n";
    }
};

}  // namespace

std::shared_ptr<CLI::Formatter> CompanionUsageFormatter()
{
    return std::make_shared<CompanionFormatter>();
}

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


// A whole number as the program reads it, written back plainly ("007" → "7") for the CLI11 checks and the
// conversion that follow, which read numbers as strtoll(…, 0) does ("010" is eight there, "09" no number).
// Other text is refused, or with `orName` left as it is: a pattern is a number or a name.
CLI::Validator Checked(std::function<bool(const std::string&)> good, const int16_t& language, std::string option,
                       std::string valid)
{
    return CLI::Validator(
               [good = std::move(good), &language, option = std::move(option),
                valid = std::move(valid)](std::string& typed) -> std::string {
                   if (good(typed))
                       return {};
                   return valid.empty() ? OwnText(text::kTextBadValue, language, option, EchoedValue(typed))
                                        : OwnText(text::kTextBadValueListed, language, option, EchoedValue(typed),
                                                  valid);
               },
               "")
        .application_index(0);
}

CLI::Validator PlainNumber(bool orName)
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

// A number of degrees from `least` to `most`.
CLI::Validator DegreesWithin(double least, double most)
{
    return {[least, most](std::string& text) -> std::string {
                const std::optional<double> value = ReadNumber<double>(text);
                return value && *value >= least && *value <= most ? "" : "out of range";
            },
            ""};
}

// "text|csv|json" as a refusal lists the values: "text, csv, json".
std::string ListedNames(std::string names)
{
    for (size_t bar = names.find('|'); bar != std::string::npos; bar = names.find('|', bar))
        names.replace(bar, 1, ", ");
    return names;
}

// An option with a value, shown in the help as `type`; given more than once, its last value counts.
CLI::Option* Valued(CLI::Option* option, const char* type)
{
    return option->type_name(type)->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

constexpr std::string_view kCommands[] = {"report",    "find",    "positions", "events", "patterns",
                                          "ephemeris", "aspects", "cycles",    "state",  "charts", "places"};

ParsersToBuild ParsersFor(const std::vector<std::string>& args)
{
    // A line that asks only for the version needs no command's parser.
    if (args.size() == 1 && args.front() == "--version")
        return {.every = false, .only = {}};
    const auto isCommand = [](const std::string& arg) { return std::ranges::find(kCommands, arg) != std::end(kCommands); };
    if (args.empty() || !isCommand(args.front()))
        return {};
    const auto rest = std::ranges::find(args, std::string("--"));
    if (std::any_of(args.begin() + 1, rest, isCommand))
        return {};
    return {.every = false, .only = args.front()};
}

}  // namespace orvane::cli
