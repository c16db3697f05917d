#pragma once

// The Charts window without the window: the library it shows, the charts the search box finds in the
// order the user sorted them, the chart chosen in the list, and what its buttons do: delete the chart
// (after a question), save one from the editor, put one into a date row as the ◷ dialog puts a precise
// moment there, or draft one from a date row for "Add to charts".

#include "charts/chart_record.h"
#include "charts/chart_store.h"
#include "platform/clock.h"
#include "platform/message.h"
#include "platform/result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::text {
class Language;
}

namespace orvane::app {

struct Workspace;

// The list's columns, in their order.
enum class ChartColumn { Name, Date, Place, Tags };
inline constexpr size_t kChartColumns = 4;

// At most this many charts are listed; the search box narrows a larger library.
inline constexpr size_t kListedCharts = 2000;

class ChartLibrary {
public:
    // The messages are worded in `language`, which must outlive the library.
    explicit ChartLibrary(const text::Language& language) : m_language(language) {}

    // Opens the library `path` (the default library when empty) and lists its charts; a refused file is
    // the message, and the list stays empty.
    platform::Result<void> Open(const std::string& path);
    bool IsOpen() const { return m_store.has_value(); }
    std::string Path() const { return m_store ? m_store->path() : std::string(); }

    // The search box's text: the list holds the charts it finds, still in the chosen order, and the
    // chosen chart stays chosen while it is found.
    platform::Result<void> Search(std::string_view query);
    // A click on a column's heading: the list sorted by it, the other way round on a second click.
    void SortBy(ChartColumn column);
    ChartColumn SortColumn() const { return m_sortColumn; }
    bool Descending() const { return m_descending; }

    size_t size() const { return m_listed.size(); }
    const charts::ChartRecord& at(size_t index) const { return m_listed.at(index); }
    // What the list shows of chart `index`: its full name, its date and time, its place and its tags.
    std::array<std::string, kChartColumns> Cells(size_t index) const;
    // How many charts the library holds (the list may hold fewer).
    size_t Total() const { return m_total; }

    // The chart chosen in the list, by its position; none chooses none.
    void Choose(std::optional<size_t> index);
    std::optional<size_t> ChosenIndex() const;
    const charts::ChartRecord* Chosen() const;

    // Delete: the question asked first (No the default), then the chosen chart removed.
    platform::Message DeleteQuestion() const;
    platform::Result<void> DeleteChosen();

    // The editor's OK: a new chart added or a chart changed; it becomes the chosen one.
    platform::Result<void> Save(charts::ChartRecord chart);

    // "Use as 1st birthdate" (row 1), "2nd" (row 2), "World date" (row 0): the chosen chart's moment
    // becomes the row's precise moment, and its place the row's.
    void UseChosen(Workspace& program, int16_t row) const;

    // "Add to charts": a new chart of date row `row`'s moment as the ◷ dialog would take it (its precise
    // moment and place, or its lists), for the user to name; refused for an empty row.
    platform::Result<charts::ChartRecord> Draft(const Workspace& program, int16_t row, const platform::Clock& clock) const;

private:
    // The search again, sorted, the chosen chart found again by its id.
    platform::Result<void> Refresh();
    void Sort();

    const text::Language& m_language;
    std::optional<charts::ChartStore> m_store;
    std::string m_query;
    std::vector<charts::ChartRecord> m_listed;
    size_t m_total = 0;
    int64_t m_chosenId = 0;
    ChartColumn m_sortColumn = ChartColumn::Name;
    bool m_descending = false;
};

// "1978-03-14 06:45", or the date alone when the time is unknown.
std::string ChartDateText(const charts::ChartRecord& chart);

}  // namespace orvane::app
