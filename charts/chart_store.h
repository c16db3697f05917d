#pragma once
// The chart library: the user's charts kept in one SQLite file, one row per chart. The desktop and the
// companion may both have the file open and write at the same time (write-ahead log, a busy timeout and a
// transaction for every change), so no record is lost. A file that is damaged, belongs to another program
// or was written by a newer Orvane is refused with a message and left exactly as it was; an older one is
// brought up to the present schema in one transaction.
//
// Every routine answers a platform::Result; nothing throws. The messages are worded in the language given
// to Open, which must outlive the store.

#include "charts/chart_record.h"
#include "platform/result.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::text {
class Language;
}

namespace orvane::charts {

// The schema this program writes; a file with a higher version is refused.
inline constexpr int kChartSchemaVersion = 1;

// The library used when none is named: `orvaneCharts` (the ORVANE_CHARTS variable) when set, else
// $XDG_DATA_HOME/orvane/charts.sqlite, else ~/.local/share/orvane/charts.sqlite. Null or empty counts as
// unset.
std::string ChartsPath(const char* orvaneCharts, const char* xdgDataHome, const char* home);
// ChartsPath from the process's environment.
std::string DefaultChartsPath();

struct StoreConnection;  // the open file, inside the store

// What AddMany did: how many charts were added and how many were left out as already present.
struct AddedCount {
    std::size_t added = 0;
    std::size_t present = 0;
    bool operator==(const AddedCount&) const = default;
};

class ChartStore {
public:
    // Opens the library `path`, making the file (mode 0600) and its folder when there is none. Refused,
    // the file untouched: not an SQLite file, a damaged or truncated one, another program's, a newer
    // schema, no rights.
    static platform::Result<ChartStore> Open(const std::string& path, const text::Language& language);

    ChartStore(ChartStore&&) noexcept;
    ChartStore& operator=(ChartStore&&) noexcept;
    ~ChartStore();

    const std::string& path() const;

    // How many charts the library holds.
    platform::Result<std::size_t> Count() const;

    // The charts sorted by name and first name, at most `limit` (0: all).
    platform::Result<std::vector<ChartRecord>> List(std::size_t limit = 0) const;

    // The charts whose name, first name, place, region, tags or notes hold words beginning with each word
    // of `query` ("mar vie" finds Maria of Vienna), in any case and with or without accents, sorted as
    // List; an empty query lists all. Fast enough to run at every key press.
    platform::Result<std::vector<ChartRecord>> Search(std::string_view query, std::size_t limit = 0) const;

    // The charts a name given by the user means: those whose name or "first name name" is `typed` in
    // any case; when there are none, those whose name or full name begins with it. Empty when none does.
    platform::Result<std::vector<ChartRecord>> MatchName(std::string_view typed) const;

    // The one chart `typed` names (see MatchName), or the message naming the unknown name or listing the
    // candidates of an ambiguous one.
    platform::Result<ChartRecord> FindByName(std::string_view typed) const;

    // The chart stored under `id`, or the message that there is none.
    platform::Result<ChartRecord> Get(int64_t id) const;

    // Stores a new chart and returns it with its id and its created and changed times. Refused: no name,
    // a tag with a line break, a chart of the same name and moment already present.
    platform::Result<ChartRecord> Add(ChartRecord chart);

    // Replaces the chart of `chart.id` (keeping its created time, setting its changed time) and returns it.
    platform::Result<ChartRecord> Update(ChartRecord chart);

    // Removes the chart `id`; refused when there is none.
    platform::Result<void> Remove(int64_t id);

    // Adds `charts` in one transaction: all or, on a failure, none. A chart whose name, first name and
    // moment (to the second) are those of one already present (or earlier in `charts`) is left out and
    // counted as present.
    platform::Result<AddedCount> AddMany(const std::vector<ChartRecord>& charts);

private:
    explicit ChartStore(std::unique_ptr<StoreConnection> connection);
    std::unique_ptr<StoreConnection> m_connection;
};

}  // namespace orvane::charts
