// The chart store's reading and writing: listing, searching, finding by name, adding, changing, removing.

#include "charts/chart_rows.h"
#include "charts/chart_store.h"
#include "text/language.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <sqlite3.h>

#include <cctype>
#include <chrono>
#include <ctime>

namespace orvane::charts {

namespace {

using platform::ErrorCode;
using platform::Message;

platform::Error Failure(const StoreConnection& connection)
{
    const std::string reason = connection.database.LastError();
    const bool damaged = sqlite3_errcode(connection.database.handle()) == SQLITE_CORRUPT ||
                         sqlite3_errcode(connection.database.handle()) == SQLITE_NOTADB;
    return {damaged ? ErrorCode::Damaged : ErrorCode::Unwritable,
            Message::Exclamation("", connection.language.TextWithReplacements(
                                         damaged ? text::kTextChartsDamaged : text::kTextChartsFailed,
                                         connection.path, reason))};
}

platform::Error Refusal(const StoreConnection& connection, int16_t number, const std::string& r1 = {},
                        const std::string& r2 = {})
{
    return {ErrorCode::InvalidInput,
            Message::Exclamation("", connection.language.TextWithReplacements(number, r1, r2))};
}

// The present moment as the store writes created and changed times: ISO 8601 in UT, to the second.
std::string Now()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[24];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// The search index's query for what the user typed: every word, as the tokenizer splits them, a prefix
// that must begin some word of the chart ("mar vie" → "mar"* "vie"*); `columns` limits the columns.
std::string SearchQuery(std::string_view typed, std::string_view columns = {})
{
    std::string query;
    std::string word;
    const auto flush = [&] {
        if (word.empty())
            return;
        query += (query.empty() ? "" : " ") + std::string(columns) + "\"" + word + "\"*";
        word.clear();
    };
    for (const char c : typed) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || std::isalnum(byte))
            word += c;
        else
            flush();
    }
    flush();
    return query;
}

// Every chart a statement selects, its parameters bound.
platform::Result<std::vector<ChartRecord>> Rows(const StoreConnection& connection, Statement& statement)
{
    using Rows = platform::Result<std::vector<ChartRecord>>;
    if (statement.prepared() != SQLITE_OK)
        return Rows(Failure(connection));
    std::vector<ChartRecord> charts;
    int step = SQLITE_ROW;
    while ((step = statement.Step()) == SQLITE_ROW)
        charts.push_back(ReadChart(statement));
    if (step != SQLITE_DONE)
        return Rows(Failure(connection));
    return Rows(std::move(charts));
}

int64_t Limit(std::size_t limit)
{
    return limit == 0 ? -1 : static_cast<int64_t>(limit);
}

// A chart as the store keeps it: tags without empty ones; refused without a name or with a tag that holds a
// line break (the tags are kept one per line).
platform::Result<ChartRecord> Checked(const StoreConnection& connection, ChartRecord chart)
{
    if (chart.name.empty() && chart.firstName.empty())
        return platform::Result<ChartRecord>(Refusal(connection, text::kTextChartNeedsName));
    std::erase(chart.tags, std::string());
    for (const std::string& tag : chart.tags)
        if (tag.find_first_of("\r\n") != std::string::npos)
            return platform::Result<ChartRecord>(Refusal(connection, text::kTextChartTagLineBreak, tag));
    return platform::Result<ChartRecord>(std::move(chart));
}

const std::string kSelect = std::string("SELECT ") + kChartColumns + " FROM charts ";
// The charts' order: by name, then first name, then as they were added. The name index holds that order.
const std::string kIndexOrder = " ORDER BY name COLLATE NOCASE, first_name COLLATE NOCASE";
const std::string kOrder = kIndexOrder + ", id";
constexpr int64_t kFewMatches = 2000;
const std::string kInsert = std::string("INSERT INTO charts (") + (kChartColumns + 4) +
                            ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, "
                            "?18, ?19, ?20, ?21, ?22, ?23, ?24, ?25, ?26, ?27, ?28, ?29, ?30, ?31, ?32)";
constexpr const char* kPresent =
    "SELECT id FROM charts WHERE name = ?1 AND first_name = ?2 AND moment_second = ?3 AND id <> ?4 LIMIT 1";

bool Present(Statement& present, const ChartRecord& chart)
{
    present.Reset();
    present.Bind(1, chart.name);
    present.Bind(2, chart.firstName);
    present.Bind(3, MomentSecond(chart.moment.moment));
    present.Bind(4, chart.id);
    return present.Step() == SQLITE_ROW;
}

}  // namespace

platform::Result<std::size_t> ChartStore::Count() const
{
    const std::optional<int64_t> count = m_connection->database.Integer("SELECT count(*) FROM charts");
    if (!count)
        return platform::Result<std::size_t>(Failure(*m_connection));
    return platform::Result<std::size_t>(static_cast<std::size_t>(*count));
}

platform::Result<std::vector<ChartRecord>> ChartStore::List(std::size_t limit) const
{
    Statement statement(m_connection->database, kSelect + kOrder + " LIMIT ?1");
    statement.Bind(1, Limit(limit));
    return Rows(*m_connection, statement);
}

platform::Result<std::vector<ChartRecord>> ChartStore::Search(std::string_view query, std::size_t limit) const
{
    const std::string match = SearchQuery(query);
    if (match.empty())
        return List(limit);
    // Few matches are sorted as they are; for many (a first letter typed) the name index is walked in its
    // order until the page is full, which spares sorting tens of thousands of rows.
    Statement few(m_connection->database,
                  "SELECT count(*) FROM (SELECT rowid FROM charts_search WHERE charts_search MATCH ?1 LIMIT ?2)");
    few.Bind(1, match);
    few.Bind(2, kFewMatches + 1);
    if (few.prepared() != SQLITE_OK || few.Step() != SQLITE_ROW)
        return platform::Result<std::vector<ChartRecord>>(Failure(*m_connection));
    const bool walkIndex = limit != 0 && few.Integer(0) > kFewMatches;
    Statement statement(m_connection->database,
                        kSelect + (walkIndex ? "INDEXED BY charts_by_name " : "") +
                            "WHERE id IN (SELECT rowid FROM charts_search WHERE charts_search MATCH ?1)" +
                            (walkIndex ? kIndexOrder : kOrder) + " LIMIT ?2");
    statement.Bind(1, match);
    statement.Bind(2, Limit(limit));
    return Rows(*m_connection, statement);
}

platform::Result<std::vector<ChartRecord>> ChartStore::MatchName(std::string_view typed) const
{
    using Matches = platform::Result<std::vector<ChartRecord>>;
    const std::string match = SearchQuery(typed, "{name first_name} : ");
    if (match.empty())
        return Matches(std::vector<ChartRecord>{});
    Statement statement(m_connection->database,
                        kSelect + "WHERE id IN (SELECT rowid FROM charts_search WHERE charts_search MATCH ?1)" +
                            kOrder);
    statement.Bind(1, match);
    Matches candidates = Rows(*m_connection, statement);
    if (!candidates)
        return candidates;
    const std::string wanted = text::LowerCase(typed);
    std::vector<ChartRecord> exact;
    for (const ChartRecord& chart : candidates.value())
        if (text::LowerCase(chart.name) == wanted || text::LowerCase(FullName(chart)) == wanted)
            exact.push_back(chart);
    return exact.empty() ? candidates : Matches(std::move(exact));
}

platform::Result<ChartRecord> ChartStore::FindByName(std::string_view typed) const
{
    using Found = platform::Result<ChartRecord>;
    platform::Result<std::vector<ChartRecord>> matches = MatchName(typed);
    if (!matches)
        return Found(matches.failure());
    if (matches.value().empty())
        return Found(Refusal(*m_connection, text::kTextChartUnknownName, std::string(typed)));
    if (matches.value().size() > 1) {
        std::string names;
        for (const ChartRecord& chart : matches.value())
            names += (names.empty() ? "" : ", ") + FullName(chart) + " (" +
                     datetime::WallTimeIso(chart.moment.local).substr(0, 10) + ")";
        return Found(Refusal(*m_connection, text::kTextChartAmbiguousName, std::string(typed), names));
    }
    return Found(std::move(matches.value().front()));
}

platform::Result<ChartRecord> ChartStore::Get(int64_t id) const
{
    Statement statement(m_connection->database, kSelect + "WHERE id = ?1");
    statement.Bind(1, id);
    platform::Result<std::vector<ChartRecord>> rows = Rows(*m_connection, statement);
    if (!rows)
        return platform::Result<ChartRecord>(rows.failure());
    if (rows.value().empty())
        return platform::Result<ChartRecord>(Refusal(*m_connection, text::kTextChartNoSuchId, std::to_string(id)));
    return platform::Result<ChartRecord>(std::move(rows.value().front()));
}

platform::Result<ChartRecord> ChartStore::Add(ChartRecord chart)
{
    platform::Result<ChartRecord> checked = Checked(*m_connection, std::move(chart));
    if (!checked)
        return checked;
    checked.value().id = 0;
    const platform::Result<AddedCount> count = AddMany({checked.value()});
    if (!count)
        return platform::Result<ChartRecord>(count.failure());
    if (count.value().added == 0)
        return platform::Result<ChartRecord>(
            Refusal(*m_connection, text::kTextChartAlreadyPresent, FullName(checked.value())));
    return Get(sqlite3_last_insert_rowid(m_connection->database.handle()));
}

platform::Result<AddedCount> ChartStore::AddMany(const std::vector<ChartRecord>& charts)
{
    using Added = platform::Result<AddedCount>;
    Database& database = m_connection->database;
    Transaction transaction(database);
    Statement present(database, kPresent);
    Statement insert(database, kInsert);
    if (transaction.begun() != SQLITE_OK || present.prepared() != SQLITE_OK || insert.prepared() != SQLITE_OK)
        return Added(Failure(*m_connection));
    const std::string now = Now();
    AddedCount count;
    for (const ChartRecord& each : charts) {
        platform::Result<ChartRecord> checked = Checked(*m_connection, each);
        if (!checked)
            return Added(checked.failure());
        ChartRecord& chart = checked.value();
        chart.id = 0;
        if (Present(present, chart)) {
            ++count.present;
            continue;
        }
        chart.created = chart.changed = now;
        insert.Reset();
        BindChart(insert, chart);
        if (insert.Step() != SQLITE_DONE)
            return Added(Failure(*m_connection));
        ++count.added;
    }
    if (transaction.Commit() != SQLITE_OK)
        return Added(Failure(*m_connection));
    return Added(count);
}

platform::Result<ChartRecord> ChartStore::Update(ChartRecord chart)
{
    platform::Result<ChartRecord> checked = Checked(*m_connection, std::move(chart));
    if (!checked)
        return checked;
    ChartRecord& changed = checked.value();
    Database& database = m_connection->database;
    {
        Transaction transaction(database);
        Statement present(database, kPresent);
        Statement update(database, std::string("UPDATE charts SET (") + (kChartColumns + 4) +
                                       ") = (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, "
                                       "?17, ?18, ?19, ?20, ?21, ?22, ?23, ?24, ?25, ?26, ?27, ?28, ?29, "
                                       "(SELECT created FROM charts WHERE id = ?33), ?31, ?32) "
                                       "WHERE id = ?33");
        if (transaction.begun() != SQLITE_OK || present.prepared() != SQLITE_OK || update.prepared() != SQLITE_OK)
            return platform::Result<ChartRecord>(Failure(*m_connection));
        if (Present(present, changed))
            return platform::Result<ChartRecord>(
                Refusal(*m_connection, text::kTextChartAlreadyPresent, FullName(changed)));
        changed.changed = Now();
        BindChart(update, changed);
        update.Bind(33, changed.id);
        if (update.Step() != SQLITE_DONE)
            return platform::Result<ChartRecord>(Failure(*m_connection));
        if (sqlite3_changes(database.handle()) == 0)
            return platform::Result<ChartRecord>(
                Refusal(*m_connection, text::kTextChartNoSuchId, std::to_string(changed.id)));
        if (transaction.Commit() != SQLITE_OK)
            return platform::Result<ChartRecord>(Failure(*m_connection));
    }
    return Get(changed.id);
}

platform::Result<void> ChartStore::Remove(int64_t id)
{
    Statement remove(m_connection->database, "DELETE FROM charts WHERE id = ?1");
    remove.Bind(1, id);
    if (remove.prepared() != SQLITE_OK || remove.Step() != SQLITE_DONE)
        return platform::Result<void>(Failure(*m_connection));
    if (sqlite3_changes(m_connection->database.handle()) == 0)
        return platform::Result<void>(Refusal(*m_connection, text::kTextChartNoSuchId, std::to_string(id)));
    return {};
}

}  // namespace orvane::charts
