#pragma once

// The values the companion's options and the Python module's arguments share, read the same way by both:
// numbers, the names of bodies, aspects and event kinds, degrees of longitude and an aspect's orb.

#include "core/vocabulary.h"

#include <charconv>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace orvane::app {

// A number as the program reads it: std::from_chars over the whole text, so no "+", no blanks, no hexadecimal
// and no octal; nullopt otherwise.
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

// The names of bodies and patterns, which are the same in every language and need no data file.
const core::AstroTables& NameTables();

// The patterns' names with their numbers 0 … 13.
std::map<std::string, int16_t> PatternNumbers();

// A pattern by its number 0 … 13 or its name (any case); −1 for none.
int16_t PatternIndex(const std::string& typed);

// A body by its name or abbreviation, in any case; 0 for none.
int16_t BodyIndex(const std::string& text);
// Why a name is no body of the heliocentric picture: the text number that says so and its value (the Sun and
// the Moon are named as bodies that have no heliocentric position, any other name as unknown).
std::pair<int16_t, std::string> UnknownBodyReason(const std::string& name);

// An aspect by its name or abbreviation, in any case, the event search's extra four included; 0 for none.
int16_t AspectIndex(const std::string& text);

// An event kind by its name (exact, enter, leave, ingress, cross, return, ascending-node, descending-node,
// latitude-max, latitude-min, perihelion, aphelion, miss; any case); -1 for none.
int KindIndex(const std::string& text);

// A degree of longitude as typed: a number from 0 up to (not including) 360.
std::optional<double> Degree(const std::string& typed);

// NAME=DEG: an aspect the event search knows (its index) and an orb from 0 up to 180 degrees.
std::optional<std::pair<int16_t, double>> AspectOrb(const std::string& typed);

}  // namespace orvane::app
