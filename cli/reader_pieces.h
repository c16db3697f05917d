#pragma once

// The pieces the command-line reader builds the companion's parser from: the language asked for before
// anything is read, the top-level usage's form, the checks of numbers and dates, how an option with a value
// is declared, and the one command a line runs.

#include <CLI/CLI.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::cli {

// --lang as the command line gives it, read before the parser runs.
int16_t LanguageAsked(const std::vector<std::string>& args);

// The top-level usage: one line per command.
std::shared_ptr<CLI::Formatter> CompanionUsageFormatter();

// A whole number written back plainly for the checks that follow; other text refused, or with `orName` kept.
CLI::Validator PlainNumber(bool orName = false);
// A Julian date the ephemeris covers.
CLI::Validator JulianDate();
// A number of degrees from `least` to `most`.
CLI::Validator DegreesWithin(double least, double most);
// A value `good` accepts, else refused with the program's text "bad value" in `language` (read when the
// value is checked) naming `option` and, when given, the `valid` ones. Only the value that counts is
// checked (CLI11 numbers it 0).
CLI::Validator Checked(std::function<bool(const std::string&)> good, const int16_t& language, std::string option,
                       std::string valid = {});

// The halfhour, day, week, month and year of --step, as a refusal lists them.
inline constexpr const char* kStepNames = "halfhour, day, week, month, year";

// "text|csv|json" as a refusal lists the values: "text, csv, json".
std::string ListedNames(std::string names);

// An option with a value, shown in the help as `type`; given more than once, its last value counts.
CLI::Option* Valued(CLI::Option* option, const char* type);

// The commands whose parsers a line needs built. A line that begins with a command and names no other
// before "--" needs that command's alone (building the others was most of a short command's start-up), a
// line that asks only for the version none; every other line is read by the whole parser, which names what
// is wrong with it.
struct ParsersToBuild {
    bool every = true;
    // When not every one: the command whose parser is built, none when empty.
    std::string_view only;
};
ParsersToBuild ParsersFor(const std::vector<std::string>& args);

}  // namespace orvane::cli
