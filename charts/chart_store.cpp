#include "charts/chart_store.h"

#include "charts/chart_rows.h"
#include "charts/sqlite_handle.h"
#include "text/language.h"
#include "text/text_numbers.h"

#include <sqlite3.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace orvane::charts {

namespace {

using platform::ErrorCode;
using platform::Message;

// "Orvn": the application id in the SQLite header that tells Orvane's chart library from other databases.
constexpr int64_t kApplicationId = 0x4F72766E;
// How long a write waits for another program's transaction before it gives up.
constexpr int kBusyTimeoutMs = 10000;

// The steps that bring a file from one schema version to the next: step i makes version i + 1 from i.
// Version 0 is a file without tables (new or empty).
constexpr std::array<const char*, kChartSchemaVersion> kMigrations{{
    kSchemaVersion1,
}};

platform::Error Refusal(ErrorCode code, int16_t number, const text::Language& language, const std::string& r1,
                        const std::string& r2 = {}, const std::string& r3 = {})
{
    return {code, Message::Exclamation("", language.TextWithReplacements(number, r1, r2, r3))};
}

uint32_t BigEndian(const unsigned char* bytes, int count)
{
    uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

// The folders of `path` made where missing, readable by the user alone.
void MakeFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0700);
}

// What the file's first bytes say before SQLite sees it: nothing yet (a new or empty file), or a library of
// Orvane with all its pages; refused otherwise. Reading the header ourselves keeps a foreign or truncated
// file from ever being opened for writing.
platform::Result<bool> ExamineHeaderOnce(const std::string& path, const text::Language& language)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        if (errno != ENOENT)
            return platform::Result<bool>(Refusal(ErrorCode::Unreadable, text::kTextChartsCannotOpen, language,
                                                  path, std::strerror(errno)));
        MakeFolders(path);
        const int made = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (made < 0 && errno != EEXIST)
            return platform::Result<bool>(Refusal(ErrorCode::Unwritable, text::kTextChartsCannotOpen, language,
                                                  path, std::strerror(errno)));
        if (made >= 0)
            ::close(made);
        return platform::Result<bool>(false);
    }
    if (!S_ISREG(status.st_mode))
        return platform::Result<bool>(
            Refusal(ErrorCode::Unreadable, text::kTextChartsNotLibrary, language, path));
    if (status.st_size == 0)
        return platform::Result<bool>(false);
    std::array<unsigned char, 100> header{};
    std::ifstream file(path, std::ios::binary);
    file.read(reinterpret_cast<char*>(header.data()), header.size());
    if (!file && !file.eof())
        return platform::Result<bool>(Refusal(ErrorCode::Unreadable, text::kTextChartsCannotOpen, language,
                                              path, std::strerror(errno)));
    static constexpr char kMagic[] = "SQLite format 3";
    if (file.gcount() < 16 || std::memcmp(header.data(), kMagic, sizeof kMagic) != 0)
        return platform::Result<bool>(Refusal(ErrorCode::Damaged, text::kTextChartsNotLibrary, language, path));
    if (file.gcount() < static_cast<std::streamsize>(header.size()))
        return platform::Result<bool>(Refusal(ErrorCode::Damaged, text::kTextChartsDamaged, language, path));
    const uint32_t pageSize = BigEndian(&header[16], 2) == 1 ? 65536 : BigEndian(&header[16], 2);
    const bool countValid = BigEndian(&header[24], 4) == BigEndian(&header[92], 4);
    const uint64_t pages = BigEndian(&header[28], 4);
    if (countValid && static_cast<uint64_t>(status.st_size) < pages * pageSize)
        return platform::Result<bool>(Refusal(ErrorCode::Damaged, text::kTextChartsDamaged, language, path));
    if (BigEndian(&header[68], 4) != kApplicationId)
        return platform::Result<bool>(Refusal(ErrorCode::Damaged, text::kTextChartsNotLibrary, language, path));
    // A newer schema is refused here, before any connection that could write to the file (a checkpoint at
    // closing included) exists; Migrate asks again inside its transaction.
    if (const uint32_t version = BigEndian(&header[60], 4); version > kChartSchemaVersion)
        return platform::Result<bool>(Refusal(ErrorCode::Damaged, text::kTextChartsNewer, language, path,
                                              std::to_string(version), std::to_string(kChartSchemaVersion)));
    return platform::Result<bool>(true);
}

// The header examined until it holds together: another program writing the library at this moment (two
// making it at once, or adding charts) can show a header that counts pages not yet written, so a file
// that looks damaged is looked at again for a fifth of a second before it is refused.
platform::Result<bool> ExamineHeader(const std::string& path, const text::Language& language)
{
    constexpr int kLooks = 10;
    for (int look = 1;; ++look) {
        platform::Result<bool> examined = ExamineHeaderOnce(path, language);
        if (examined || examined.code() != ErrorCode::Damaged || look == kLooks)
            return examined;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// Runs `sql` on the library, waiting as long as any write may for the locks it needs: the switch to the
// write-ahead log takes the file for itself, and SQLite does not wait for that lock on its own while
// another program holds the library open.
int ExecuteWaiting(Database& database, const char* sql)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyTimeoutMs);
    int result = database.Execute(sql);
    const auto busy = [](int code) { return (code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED; };
    while (busy(result) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        result = database.Execute(sql);
    }
    return result;
}

// Brings the file to the present schema in one transaction, after the other programs' (two programs
// making the same new file meet here: the second finds the first's schema). A file without Orvane's
// application id is refused even when it has no tables, as it may be another program's fresh database.
platform::Result<void> Migrate(Database& database, const std::string& path, const text::Language& language)
{
    Transaction transaction(database);
    if (transaction.begun() != SQLITE_OK)
        return platform::Result<void>(
            Refusal(ErrorCode::Unwritable, text::kTextChartsFailed, language, path, database.LastError()));
    const int64_t version = database.Integer("PRAGMA user_version").value_or(-1);
    const int64_t application = database.Integer("PRAGMA application_id").value_or(-1);
    const int64_t tables = database.Integer("SELECT count(*) FROM sqlite_schema").value_or(-1);
    if (version == 0 && tables != 0)
        return platform::Result<void>(Refusal(ErrorCode::Damaged, text::kTextChartsNotLibrary, language, path));
    if (version > 0 && application != kApplicationId)
        return platform::Result<void>(Refusal(ErrorCode::Damaged, text::kTextChartsNotLibrary, language, path));
    if (version == kChartSchemaVersion)
        return {};
    if (version < 0 || version > kChartSchemaVersion)
        return platform::Result<void>(Refusal(ErrorCode::Damaged, text::kTextChartsNewer, language, path,
                                              std::to_string(version), std::to_string(kChartSchemaVersion)));
    for (int64_t step = version; step < kChartSchemaVersion; ++step) {
        const std::string stamp = "PRAGMA application_id = " + std::to_string(kApplicationId) +
                                  "; PRAGMA user_version = " + std::to_string(step + 1);
        if (database.Execute(kMigrations[static_cast<size_t>(step)]) != SQLITE_OK ||
            database.Execute(stamp.c_str()) != SQLITE_OK)
            return platform::Result<void>(
                Refusal(ErrorCode::Unwritable, text::kTextChartsFailed, language, path, database.LastError()));
    }
    if (transaction.Commit() != SQLITE_OK)
        return platform::Result<void>(
            Refusal(ErrorCode::Unwritable, text::kTextChartsFailed, language, path, database.LastError()));
    return {};
}

}  // namespace

std::string ChartsPath(const char* orvaneCharts, const char* xdgDataHome, const char* home)
{
    const auto set = [](const char* value) { return value != nullptr && *value != '\0'; };
    if (set(orvaneCharts))
        return orvaneCharts;
    if (set(xdgDataHome))
        return std::string(xdgDataHome) + "/orvane/charts.sqlite";
    return std::string(set(home) ? home : ".") + "/.local/share/orvane/charts.sqlite";
}

std::string DefaultChartsPath()
{
    return ChartsPath(std::getenv("ORVANE_CHARTS"), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

platform::Result<ChartStore> ChartStore::Open(const std::string& path, const text::Language& language)
{
    using Opened = platform::Result<ChartStore>;
    const platform::Result<bool> examined = ExamineHeader(path, language);
    if (!examined)
        return Opened(examined.failure());
    auto connection = std::make_unique<StoreConnection>(path, language);
    Database& database = connection->database;
    if (database.Open(path, SQLITE_OPEN_READWRITE) != SQLITE_OK)
        return Opened(Refusal(ErrorCode::Unwritable, text::kTextChartsCannotOpen, language, path,
                              database.LastError()));
    sqlite3_busy_timeout(database.handle(), kBusyTimeoutMs);
    if (const platform::Result<void> migrated = Migrate(database, path, language); !migrated)
        return Opened(migrated.failure());
    // The write-ahead log lets the desktop read while the companion writes; in it NORMAL keeps every commit
    // through a crash of the program and the file whole through one of the system.
    if (ExecuteWaiting(database, "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL") != SQLITE_OK)
        return Opened(Refusal(ErrorCode::Unwritable, text::kTextChartsFailed, language, path,
                              database.LastError()));
    return Opened(ChartStore(std::move(connection)));
}

ChartStore::ChartStore(std::unique_ptr<StoreConnection> connection) : m_connection(std::move(connection)) {}
ChartStore::ChartStore(ChartStore&&) noexcept = default;
ChartStore& ChartStore::operator=(ChartStore&&) noexcept = default;
ChartStore::~ChartStore() = default;

const std::string& ChartStore::path() const
{
    return m_connection->path;
}

}  // namespace orvane::charts
