#include "app/chart_library.h"

#include "app/moment_dialog.h"
#include "app/place_entry.h"
#include "app/precise_moments.h"
#include "app/workspace.h"
#include "atlas/atlas.h"
#include "datetime/date_input.h"
#include "platform/index.h"
#include "text/language.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <utility>

namespace orvane::app {
namespace {

std::string TagsText(const charts::ChartRecord& chart)
{
    std::string text;
    for (const std::string& tag : chart.tags)
        text += (text.empty() ? "" : ", ") + tag;
    return text;
}

// What a column sorts by: names, places and tags in any case and without accents, dates by their instant.
bool Before(const charts::ChartRecord& a, const charts::ChartRecord& b, ChartColumn column)
{
    const auto byName = [](const charts::ChartRecord& c) {
        return std::make_tuple(atlas::Folded(c.name), atlas::Folded(c.firstName));
    };
    switch (column) {
    case ChartColumn::Date: return a.moment.moment < b.moment.moment;
    case ChartColumn::Place: return atlas::Folded(PlaceText(a.place)) < atlas::Folded(PlaceText(b.place));
    case ChartColumn::Tags: return atlas::Folded(TagsText(a)) < atlas::Folded(TagsText(b));
    case ChartColumn::Name: break;
    }
    return byName(a) < byName(b);
}

}  // namespace

std::string ChartDateText(const charts::ChartRecord& chart)
{
    const datetime::WallTime& local = chart.moment.local;
    char text[40];
    if (chart.timeKnown)
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", local.year, local.month, local.day, local.hour,
                      local.minute);
    else
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", local.year, local.month, local.day);
    return text;
}

platform::Result<void> ChartLibrary::Open(const std::string& path)
{
    m_store.reset();
    m_listed.clear();
    m_total = 0;
    m_chosenId = 0;
    platform::Result<charts::ChartStore> opened =
        charts::ChartStore::Open(path.empty() ? charts::DefaultChartsPath() : path, m_language);
    if (!opened)
        return platform::Result<void>(opened.failure());
    m_store.emplace(std::move(opened).value());
    return Refresh();
}

platform::Result<void> ChartLibrary::Search(std::string_view query)
{
    m_query = std::string(query);
    return Refresh();
}

platform::Result<void> ChartLibrary::Refresh()
{
    m_listed.clear();
    if (!m_store)
        return {};
    const platform::Result<size_t> count = m_store->Count();
    if (!count)
        return platform::Result<void>(count.failure());
    m_total = count.value();
    platform::Result<std::vector<charts::ChartRecord>> found = m_store->Search(m_query, kListedCharts);
    if (!found)
        return platform::Result<void>(found.failure());
    m_listed = std::move(found).value();
    Sort();
    return {};
}

void ChartLibrary::SortBy(ChartColumn column)
{
    m_descending = column == m_sortColumn && !m_descending;
    m_sortColumn = column;
    Sort();
}

void ChartLibrary::Sort()
{
    std::stable_sort(m_listed.begin(), m_listed.end(), [this](const charts::ChartRecord& a, const charts::ChartRecord& b) {
        return m_descending ? Before(b, a, m_sortColumn) : Before(a, b, m_sortColumn);
    });
}

std::array<std::string, kChartColumns> ChartLibrary::Cells(size_t index) const
{
    const charts::ChartRecord& chart = m_listed.at(index);
    return {charts::FullName(chart), ChartDateText(chart), PlaceText(chart.place), TagsText(chart)};
}

void ChartLibrary::Choose(std::optional<size_t> index)
{
    m_chosenId = index && *index < m_listed.size() ? m_listed[*index].id : 0;
}

std::optional<size_t> ChartLibrary::ChosenIndex() const
{
    const auto found = std::find_if(m_listed.begin(), m_listed.end(),
                                    [this](const charts::ChartRecord& chart) { return chart.id == m_chosenId; });
    if (m_chosenId == 0 || found == m_listed.end())
        return std::nullopt;
    return static_cast<size_t>(found - m_listed.begin());
}

const charts::ChartRecord* ChartLibrary::Chosen() const
{
    const std::optional<size_t> index = ChosenIndex();
    return index ? &m_listed[*index] : nullptr;
}

platform::Message ChartLibrary::DeleteQuestion() const
{
    const charts::ChartRecord* chart = Chosen();
    return platform::Message::Question(m_language.Text(text::kTextChartsTitle),
                                       m_language.TextWithReplacements(text::kTextChartsDeleteQuestion,
                                                                       chart ? charts::FullName(*chart) : ""),
                                       platform::Button::No);
}

platform::Result<void> ChartLibrary::DeleteChosen()
{
    const charts::ChartRecord* chart = Chosen();
    if (!m_store || chart == nullptr)
        return {};
    // The neighbour below (or above, for the last) is chosen next, so that Delete can go on by keyboard.
    const size_t index = *ChosenIndex();
    if (platform::Result<void> removed = m_store->Remove(chart->id); !removed)
        return removed;
    m_listed.erase(m_listed.begin() + static_cast<std::ptrdiff_t>(index));
    Choose(m_listed.empty() ? std::nullopt : std::optional<size_t>(std::min(index, m_listed.size() - 1)));
    return Refresh();
}

platform::Result<void> ChartLibrary::Save(charts::ChartRecord chart)
{
    if (!m_store)
        return {};
    platform::Result<charts::ChartRecord> saved = chart.id == 0 ? m_store->Add(std::move(chart)) : m_store->Update(std::move(chart));
    if (!saved)
        return platform::Result<void>(saved.failure());
    m_chosenId = saved.value().id;
    return Refresh();
}

void ChartLibrary::UseChosen(Workspace& program, int16_t row) const
{
    const charts::ChartRecord* chart = Chosen();
    if (chart == nullptr || !core::IsDateRow(row))
        return;
    SetPreciseMoment(program, row, chart->moment);
    program.rowPlaces[platform::At(row)] = chart->place;
}

platform::Result<charts::ChartRecord> ChartLibrary::Draft(const Workspace& program, int16_t row,
                                                          const platform::Clock& clock) const
{
    using Drafted = platform::Result<charts::ChartRecord>;
    const size_t r = platform::At(row);
    if (!program.main.preciseMoments[r] && text::Trimmed(program.main.yearTexts[r]).empty())
        return Drafted(platform::ErrorCode::InvalidInput,
                       platform::Message::Information(m_language.Text(text::kTextChartsTitle),
                                                      m_language.TextWithReplacements(text::kTextChartsRowEmpty,
                                                                                      program.main.rowNames[r])));
    MomentDialog moment;
    moment.Prepare(program, row, clock);
    platform::Result<datetime::PreciseMoment> precise = moment.Resolve(m_language);
    if (!precise)
        return Drafted(precise.failure());
    charts::ChartRecord chart;
    chart.moment = std::move(precise).value();
    if (program.main.preciseMoments[r])
        chart.place = program.rowPlaces[r];
    return Drafted(std::move(chart));
}

}  // namespace orvane::app
