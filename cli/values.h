#pragma once

// The values of the command line as the companion reads them: numbers, lists, and the names of bodies,
// aspects, patterns, event kinds, formats and steps.

#include "cli/tables.h"
#include "core/vocabulary.h"

#include <charconv>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvane::cli {

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

// A number with six decimals ("2451545.000000").
std::string Fixed6(double value);

// A moment as a message names it: with six decimals, or, when that many digits would not be read, in the
// shortest form that reads back as the same number ("1e+300").
std::string MomentText(double moment);

// The parts of a comma-separated list; an empty part (",," or a comma at either end) is kept as "".
std::vector<std::string> Split(const std::string& text);

// The names of bodies and patterns, which are the same in every language and need no data file.
const core::AstroTables& NameTables();

// The patterns' names with their numbers 0 … 13.
std::map<std::string, int16_t> PatternNumbers();

// A body by its name or abbreviation, in any case; 0 for none.
int16_t BodyIndex(const std::string& text);

// An aspect by its name or abbreviation, in any case, the event search's extra four included; 0 for none.
int16_t AspectIndex(const std::string& text);

// An event kind by its name (exact, enter, leave, ingress, cross, return, ascending-node, descending-node,
// latitude-max, latitude-min, perihelion, aphelion, miss; any case); -1 for none.
int KindIndex(const std::string& text);

inline const std::map<std::string, TableFormat> kFormats{
    {"text", TableFormat::Text}, {"csv", TableFormat::Csv}, {"json", TableFormat::Json}};

// The step increments by name, with their positions in the main window's step list.
inline const std::map<std::string, int16_t> kStepPositions{
    {"halfhour", 0}, {"day", 1}, {"week", 2}, {"month", 3}, {"year", 4}};

}  // namespace orvane::cli
