#include "app/chart_names.h"

#include "charts/chart_store.h"
#include "datetime/iso_dates.h"
#include "text/text_numbers.h"

#include <filesystem>

namespace orvane::app {

bool NamesChart(std::string_view typed)
{
    return typed.starts_with('@');
}

std::string ChartMomentIso(const charts::ChartRecord& chart)
{
    const datetime::PreciseMoment& moment = chart.moment;
    if (moment.offsetSeconds % 60 == 0 && moment.zone.kind != datetime::ZoneKind::LocalMeanTime)
        return datetime::PreciseMomentIso(moment);
    const datetime::WallTime ut = datetime::WallTimeWithFraction(moment.moment, 0, moment.local.microsecond);
    return datetime::WallTimeIso(ut) + "Z";
}

platform::Result<charts::ChartRecord> ChartNamed(std::string_view typed, const std::string& libraryPath,
                                                 const text::Language& language)
{
    using Chart = platform::Result<charts::ChartRecord>;
    const std::string name(typed.substr(NamesChart(typed) ? 1 : 0));
    std::error_code missing;
    if (!std::filesystem::exists(libraryPath, missing))
        return Chart(platform::ErrorCode::InvalidInput,
                     platform::Message::Exclamation(
                         "", language.TextWithReplacements(text::kTextChartNoLibrary, name, libraryPath)));
    platform::Result<charts::ChartStore> store = charts::ChartStore::Open(libraryPath, language);
    if (!store)
        return Chart(store.failure());
    return store.value().FindByName(name);
}

platform::Result<std::string> ChartMomentText(std::string_view typed, const std::string& libraryPath,
                                              const text::Language& language)
{
    const platform::Result<charts::ChartRecord> chart = ChartNamed(typed, libraryPath, language);
    if (!chart)
        return platform::Result<std::string>(chart.failure());
    return platform::Result<std::string>(ChartMomentIso(chart.value()));
}

platform::Result<void> ResolveChartNames(TypedChart& chart, const std::string& libraryPath,
                                         const text::Language& language)
{
    for (size_t row = 1; row < chart.moments.size(); ++row) {
        if (!NamesChart(chart.moments[row]))
            continue;
        const platform::Result<std::string> moment = ChartMomentText(chart.moments[row], libraryPath, language);
        if (!moment)
            return platform::Result<void>(moment.failure());
        chart.moments[row] = moment.value();
    }
    return {};
}

}  // namespace orvane::app
