// The engine's part of the chart library: the charts a query finds, for the module's orvane.charts.

#include "python/engine.h"

#include "app/chart_names.h"
#include "charts/chart_store.h"
#include "text/text_numbers.h"

#include <filesystem>

namespace orvane::python {

platform::Result<std::vector<charts::ChartRecord>> Engine::FindCharts(const std::string& query,
                                                                    const std::string& file) const
{
    const std::string path = file.empty() ? charts::DefaultChartsPath() : file;
    // Looking does not make a library, as a birthdate naming a chart does not.
    std::error_code missing;
    if (!std::filesystem::exists(path, missing))
        return Refused<std::vector<charts::ChartRecord>>(Text(text::kTextChartNoLibrary, query, path));
    platform::Result<charts::ChartStore> store = charts::ChartStore::Open(path, m_program.language);
    if (!store)
        return Refused<std::vector<charts::ChartRecord>>(store.error().text);
    platform::Result<std::vector<charts::ChartRecord>> found = store.value().Search(query);
    if (!found)
        return Refused<std::vector<charts::ChartRecord>>(found.error().text);
    return found;
}

std::string Engine::ChartMoment(const charts::ChartRecord& chart) const
{
    return app::ChartMomentIso(chart);
}

}  // namespace orvane::python
