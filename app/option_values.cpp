#include "app/option_values.h"

#include "core/events.h"
#include "core/geocentric.h"
#include "text/text_numbers.h"
#include "core/patterns.h"
#include "text/strings.h"

namespace orvane::app {

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

int16_t PatternIndex(const std::string& typed)
{
    if (const std::optional<long> number = ReadNumber<long>(typed))
        return *number >= 0 && *number < core::kNumPatterns ? static_cast<int16_t>(*number) : int16_t{-1};
    for (const auto& [name, index] : PatternNumbers())
        if (text::LowerCase(name) == text::LowerCase(typed))
            return index;
    return core::PatternNameIndex(typed);
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
    const auto& kKinds = core::kEventKindKeys;
    for (size_t k = 0; k < kKinds.size(); ++k)
        if (text::LowerCase(text) == kKinds[k])
            return static_cast<int>(k);
    return -1;
}

std::optional<double> Degree(const std::string& typed)
{
    const std::optional<double> value = ReadNumber<double>(typed);
    return value && *value >= 0.0 && *value < 360.0 ? value : std::nullopt;
}

std::optional<std::pair<int16_t, double>> AspectOrb(const std::string& typed)
{
    const size_t sign = typed.find('=');
    if (sign == std::string::npos)
        return std::nullopt;
    const int16_t aspect = AspectIndex(typed.substr(0, sign));
    const std::optional<double> orb = ReadNumber<double>(typed.substr(sign + 1));
    if (aspect == 0 || !orb || !(*orb >= 0.0 && *orb <= 180.0))
        return std::nullopt;
    return std::pair(aspect, *orb);
}

std::pair<int16_t, std::string> UnknownBodyReason(const std::string& name)
{
    const std::optional<core::GeoBody> seen = core::GeoBodyNamed(name);
    if (seen && !core::HelioBodyOf(*seen))
        return {text::kTextNoHeliocentricBody, std::string(core::GeoBodyName(*seen))};
    return {text::kTextUnknownBody, name};
}

}  // namespace orvane::app
