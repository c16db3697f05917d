#include "cli/values.h"

#include "datetime/stepping.h"
#include "text/strings.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace orvane::cli {

static_assert(datetime::kNumStepIncrements == 5, "kStepPositions names every step increment");

std::string Fixed6(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
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

const core::AstroTables& NameTables()
{
    static const core::AstroTables tables = [] {
        core::AstroTables t;
        t.SetNameTables();
        return t;
    }();
    return tables;
}

std::map<std::string, int16_t> PatternNumbers()
{
    std::map<std::string, int16_t> numbers;
    const auto& names = NameTables().patternNames;
    for (size_t i = 0; i < names.size(); ++i)
        numbers.emplace(names[i], static_cast<int16_t>(i));
    return numbers;
}

int16_t BodyIndex(const std::string& text)
{
    const core::AstroTables& tables = NameTables();
    for (int16_t body = core::kEarth; body <= core::kPluto; ++body)
        if (text::LowerCase(tables.bodyNames[static_cast<size_t>(body)]) == text::LowerCase(text) ||
            text::LowerCase(tables.bodyAbbrevs[static_cast<size_t>(body)]) == text::LowerCase(text))
            return body;
    return 0;
}

int16_t AspectIndex(const std::string& text)
{
    const core::AstroTables& tables = NameTables();
    for (const core::Aspect aspect : core::kEventAspects) {
        const core::AspectNames& names = tables.NamesOf(aspect);
        if (text::LowerCase(names.Name) == text::LowerCase(text) || text::LowerCase(names.Abbrev) == text::LowerCase(text))
            return core::IndexOf(aspect);
    }
    return 0;
}

int KindIndex(const std::string& text)
{
    constexpr std::array<const char*, core::kNumEventKinds> kKinds{
        "exact",           "enter",        "leave",        "ingress",    "cross",    "return", "ascending-node",
        "descending-node", "latitude-max", "latitude-min", "perihelion", "aphelion", "miss"};
    for (size_t k = 0; k < kKinds.size(); ++k)
        if (text::LowerCase(text) == kKinds[k])
            return static_cast<int>(k);
    return -1;
}

}  // namespace orvane::cli
