#include "cli/values.h"

#include "datetime/stepping.h"
#include "text/strings.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace orvane::cli {

static_assert(datetime::kNumStepIncrements == 5, "kStepPositions names every step increment");

std::string Fixed6(double value)
{
    // Exactly what printf's "%.6f" writes, without its format parsing and locale: an event table writes
    // two such numbers a row. Room for the largest double's 309 digits.
    std::array<char, 330> text{};
    const auto [end, ec] = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 6);
    return ec == std::errc() ? std::string(text.data(), end) : std::string();
}

std::string MomentText(double moment)
{
    if (std::fabs(moment) < 1e15)
        return Fixed6(moment);
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, moment);
    return ec == std::errc() ? std::string(text, end) : std::string();
}

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

}  // namespace orvane::cli
