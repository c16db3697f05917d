#pragma once
// Inside the chart store: its connection, its schema, and a chart's row written and read. Not for other
// floors; they use chart_store.h.

#include "charts/chart_record.h"
#include "charts/chart_store.h"
#include "charts/sqlite_handle.h"

#include <string>

namespace orvane::charts {

struct StoreConnection {
    StoreConnection(std::string path, const text::Language& language) : path(std::move(path)), language(language) {}
    Database database;
    std::string path;
    const text::Language& language;
};

// The first schema: one row per chart with the moment in its parts, the tags one per line, and the search
// index over the words of the name, place, tags and notes (accents folded, prefixes of 1 to 3 characters
// indexed for searching as the user types). `moment_second` is the instant to the second, which with the
// name and first name tells a chart already present.
inline constexpr const char* kSchemaVersion1 = R"sql(
CREATE TABLE charts (
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL, first_name TEXT NOT NULL, kind TEXT NOT NULL,
    year INTEGER NOT NULL, month INTEGER NOT NULL, day INTEGER NOT NULL,
    hour INTEGER NOT NULL, minute INTEGER NOT NULL, second INTEGER NOT NULL, microsecond INTEGER NOT NULL,
    zone_kind TEXT NOT NULL, zone_name TEXT NOT NULL, zone_offset INTEGER NOT NULL, zone_longitude REAL NOT NULL,
    utc_offset INTEGER NOT NULL, typed TEXT NOT NULL, moment REAL NOT NULL, moment_second INTEGER NOT NULL,
    from_clock INTEGER NOT NULL, time_known INTEGER NOT NULL,
    place TEXT NOT NULL, region TEXT NOT NULL, country_code TEXT NOT NULL, latitude REAL, longitude REAL,
    source TEXT NOT NULL, reliability TEXT NOT NULL, notes TEXT NOT NULL, tags TEXT NOT NULL,
    created TEXT NOT NULL, changed TEXT NOT NULL, foreign_data TEXT NOT NULL);
CREATE INDEX charts_by_name ON charts (name COLLATE NOCASE, first_name COLLATE NOCASE);
CREATE INDEX charts_identity ON charts (name, first_name, moment_second);
CREATE VIRTUAL TABLE charts_search USING fts5 (
    name, first_name, place, region, country_code, tags, notes,
    content = 'charts', content_rowid = 'id', tokenize = 'unicode61 remove_diacritics 2', prefix = '1 2 3');
CREATE TRIGGER charts_added AFTER INSERT ON charts BEGIN
    INSERT INTO charts_search (rowid, name, first_name, place, region, country_code, tags, notes)
    VALUES (new.id, new.name, new.first_name, new.place, new.region, new.country_code, new.tags, new.notes);
END;
CREATE TRIGGER charts_removed AFTER DELETE ON charts BEGIN
    INSERT INTO charts_search (charts_search, rowid, name, first_name, place, region, country_code, tags, notes)
    VALUES ('delete', old.id, old.name, old.first_name, old.place, old.region, old.country_code, old.tags, old.notes);
END;
CREATE TRIGGER charts_changed AFTER UPDATE ON charts BEGIN
    INSERT INTO charts_search (charts_search, rowid, name, first_name, place, region, country_code, tags, notes)
    VALUES ('delete', old.id, old.name, old.first_name, old.place, old.region, old.country_code, old.tags, old.notes);
    INSERT INTO charts_search (rowid, name, first_name, place, region, country_code, tags, notes)
    VALUES (new.id, new.name, new.first_name, new.place, new.region, new.country_code, new.tags, new.notes);
END;
)sql";

// The columns of a chart's row in the order ReadChart takes them, the id first.
inline constexpr const char* kChartColumns =
    "id, name, first_name, kind, year, month, day, hour, minute, second, microsecond, zone_kind, zone_name, "
    "zone_offset, zone_longitude, utc_offset, typed, moment, moment_second, from_clock, time_known, place, region, "
    "country_code, latitude, longitude, source, reliability, notes, tags, created, changed, foreign_data";
// How many columns BindChart fills: all but the id, as parameters ?1 … ?32.
inline constexpr int kBoundColumns = 32;

// The chart from the current row of a statement that selected kChartColumns.
ChartRecord ReadChart(const Statement& row);
// Binds every field of `chart` but its id as parameters 1 … kBoundColumns, in kChartColumns' order.
void BindChart(Statement& statement, const ChartRecord& chart);
// The instant to the second by which a chart already present is known.
int64_t MomentSecond(double moment);

}  // namespace orvane::charts
