#pragma once

// The pieces the command-line reader builds the companion's parser from: the language asked for before
// anything is read, the top-level usage's form, the checks of numbers and dates, how an option with a value
// is declared, and the one command a line runs.

#include <CLI/CLI.hpp>

#include <cstdint>
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

// The halfhour, day, week, month and year of --step, as a refusal lists them.
inline constexpr const char* kStepNames = "halfhour, day, week, month, year";

// "text|csv|json" as a refusal lists the values: "text, csv, json".
std::string ListedNames(std::string names);

// An option with a value, shown in the help as `type`; given more than once, its last value counts.
CLI::Option* Valued(CLI::Option* option, const char* type);

// The command a line runs when only its parser need be built; nothing when the whole parser must read it.
std::string_view SoleCommand(const std::vector<std::string>& args);

}  // namespace orvane::cli
