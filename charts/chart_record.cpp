#include "charts/chart_record.h"

#include <array>
#include <utility>

namespace orvane::charts {

namespace {

constexpr std::array<std::pair<ChartKind, std::string_view>, 4> kKindWords{{
    {ChartKind::Person, "person"},
    {ChartKind::Event, "event"},
    {ChartKind::Organisation, "organisation"},
    {ChartKind::Country, "country"},
}};

}  // namespace

std::string FullName(const ChartRecord& chart)
{
    if (chart.firstName.empty())
        return chart.name;
    if (chart.name.empty())
        return chart.firstName;
    return chart.firstName + " " + chart.name;
}

std::string_view KindWord(ChartKind kind)
{
    for (const auto& [each, word] : kKindWords)
        if (each == kind)
            return word;
    return kKindWords.front().second;
}

std::optional<ChartKind> KindFromWord(std::string_view word)
{
    for (const auto& [kind, each] : kKindWords)
        if (each == word)
            return kind;
    return std::nullopt;
}

}  // namespace orvane::charts
