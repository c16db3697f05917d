#pragma once
// Small owners of SQLite's C handles: a connection and a prepared statement, each closed or finalized when
// it goes, and a transaction that rolls back unless it was committed. They report SQLite's own result
// codes; the store turns them into the program's messages.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace orvane::charts {

class Database {
public:
    Database() = default;
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    // Opens `path` with SQLite's `flags`; the SQLite result code (SQLITE_OK on success).
    int Open(const std::string& path, int flags);
    // Runs `sql` (one or more statements without parameters).
    int Execute(const char* sql);
    // The integer the one-row statement `sql` answers, or nothing when it fails.
    std::optional<int64_t> Integer(const char* sql);
    // SQLite's description of the connection's last failure.
    std::string LastError() const;

    sqlite3* handle() const { return m_handle; }

private:
    sqlite3* m_handle = nullptr;
};

class Statement {
public:
    Statement(Database& database, std::string_view sql);
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    // The result of preparing: SQLITE_OK, or why the statement could not be made.
    int prepared() const { return m_prepared; }

    void Bind(int index, int64_t value);
    void Bind(int index, double value);
    void Bind(int index, std::string_view value);
    void Bind(int index, std::optional<double> value);  // NULL for nothing

    // SQLITE_ROW while there are rows, SQLITE_DONE at the end, else the failure.
    int Step();
    // Makes the statement ready for new parameters.
    void Reset();

    int64_t Integer(int column) const;
    double Real(int column) const;
    std::string Text(int column) const;
    std::optional<double> OptionalReal(int column) const;

private:
    sqlite3_stmt* m_handle = nullptr;
    int m_prepared = 0;
};

// BEGIN IMMEDIATE (the write lock taken at once, waiting on the busy timeout), rolled back when the
// transaction goes without Commit.
class Transaction {
public:
    explicit Transaction(Database& database);
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction();

    int begun() const { return m_begun; }
    int Commit();

private:
    Database& m_database;
    int m_begun = 0;
    bool m_open = false;
};

}  // namespace orvane::charts
