#include "charts/sqlite_handle.h"

#include <sqlite3.h>

#include <utility>

namespace orvane::charts {

Database::Database(Database&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}

Database& Database::operator=(Database&& other) noexcept
{
    if (this != &other) {
        sqlite3_close_v2(m_handle);
        m_handle = std::exchange(other.m_handle, nullptr);
    }
    return *this;
}

Database::~Database()
{
    sqlite3_close_v2(m_handle);
}

int Database::Open(const std::string& path, int flags)
{
    sqlite3_close_v2(m_handle);
    m_handle = nullptr;
    const int result = sqlite3_open_v2(path.c_str(), &m_handle, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (result == SQLITE_OK)
        sqlite3_extended_result_codes(m_handle, 0);
    return result;
}

int Database::Execute(const char* sql)
{
    return sqlite3_exec(m_handle, sql, nullptr, nullptr, nullptr);
}

std::optional<int64_t> Database::Integer(const char* sql)
{
    Statement statement(*this, sql);
    if (statement.prepared() != SQLITE_OK || statement.Step() != SQLITE_ROW)
        return std::nullopt;
    return statement.Integer(0);
}

std::string Database::LastError() const
{
    return m_handle ? sqlite3_errmsg(m_handle) : sqlite3_errstr(SQLITE_CANTOPEN);
}

Statement::Statement(Database& database, std::string_view sql)
{
    m_prepared = sqlite3_prepare_v2(database.handle(), sql.data(), static_cast<int>(sql.size()), &m_handle,
                                    nullptr);
}

Statement::~Statement()
{
    sqlite3_finalize(m_handle);
}

void Statement::Bind(int index, int64_t value)
{
    sqlite3_bind_int64(m_handle, index, value);
}

void Statement::Bind(int index, double value)
{
    sqlite3_bind_double(m_handle, index, value);
}

void Statement::Bind(int index, std::string_view value)
{
    sqlite3_bind_text(m_handle, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
}

void Statement::Bind(int index, std::optional<double> value)
{
    if (value)
        Bind(index, *value);
    else
        sqlite3_bind_null(m_handle, index);
}

int Statement::Step()
{
    return m_handle ? sqlite3_step(m_handle) : SQLITE_MISUSE;
}

void Statement::Reset()
{
    sqlite3_reset(m_handle);
    sqlite3_clear_bindings(m_handle);
}

int64_t Statement::Integer(int column) const
{
    return sqlite3_column_int64(m_handle, column);
}

double Statement::Real(int column) const
{
    return sqlite3_column_double(m_handle, column);
}

std::string Statement::Text(int column) const
{
    const auto* text = sqlite3_column_text(m_handle, column);
    const int size = sqlite3_column_bytes(m_handle, column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(size)) : std::string();
}

std::optional<double> Statement::OptionalReal(int column) const
{
    if (sqlite3_column_type(m_handle, column) == SQLITE_NULL)
        return std::nullopt;
    return Real(column);
}

Transaction::Transaction(Database& database) : m_database(database)
{
    m_begun = m_database.Execute("BEGIN IMMEDIATE");
    m_open = m_begun == SQLITE_OK;
}

Transaction::~Transaction()
{
    if (m_open)
        m_database.Execute("ROLLBACK");
}

int Transaction::Commit()
{
    const int result = m_database.Execute("COMMIT");
    if (result == SQLITE_OK)
        m_open = false;
    return result;
}

}  // namespace orvane::charts
