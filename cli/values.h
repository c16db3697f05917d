#pragma once

// The values of the command line as the companion reads them: numbers, lists, and the names of bodies,
// aspects, patterns, event kinds, formats and steps.

#include "app/option_values.h"
#include "cli/tables.h"
#include "core/vocabulary.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvane::cli {

// Numbers and names as the companion and the Python module read them.
using app::AspectIndex;
using app::BodyIndex;
using app::KindIndex;
using app::NameTables;
using app::PatternIndex;
using app::PatternNumbers;
using app::ReadNumber;

// A number with six decimals ("2451545.000000").
std::string Fixed6(double value);

// A moment as a message names it: with six decimals, or, when that many digits would not be read, in the
// shortest form that reads back as the same number ("1e+300").
std::string MomentText(double moment);

// The parts of a comma-separated list; an empty part (",," or a comma at either end) is kept as "".
std::vector<std::string> Split(const std::string& text);

inline const std::map<std::string, TableFormat> kFormats{
    {"text", TableFormat::Text}, {"csv", TableFormat::Csv}, {"json", TableFormat::Json}};
// The event list is also written as a calendar.
inline const std::map<std::string, TableFormat> kEventFormats{
    {"text", TableFormat::Text}, {"csv", TableFormat::Csv}, {"json", TableFormat::Json}, {"ics", TableFormat::Ics}};

// The step increments by name, with their positions in the main window's step list.
inline const std::map<std::string, int16_t> kStepPositions{
    {"halfhour", 0}, {"day", 1}, {"week", 2}, {"month", 3}, {"year", 4}};

}  // namespace orvane::cli
