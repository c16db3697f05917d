#include "charts/chart_store.h"
#include "text/language.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace orvane::charts {
namespace {

class ChartStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(language.LoadProgramText(ORVANE_BIN_DIR, text::kProgramTextFileName)); }

    ChartStore Open(const std::string& path)
    {
        auto store = ChartStore::Open(path, language);
        EXPECT_TRUE(store) << (store ? "" : store.error().text);
        return std::move(store).value();
    }

    static ChartRecord Chart(std::string name, std::string firstName, datetime::WallTime local, std::string place)
    {
        ChartRecord chart;
        chart.name = std::move(name);
        chart.firstName = std::move(firstName);
        chart.moment.local = local;
        chart.moment.zone = datetime::MomentZone::Fixed(3600);
        chart.moment.offsetSeconds = 3600;
        chart.moment.moment = datetime::MomentOf(local, 3600);
        chart.place.name = std::move(place);
        return chart;
    }

    static std::string Bytes(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    text::Language language;
    testing::TempFolder folder;
};

TEST_F(ChartStoreTest, EveryFieldComesBackAsStoredAndAChangeKeepsItsCreation)
{
    const std::string path = folder.folder() + "new/folder/charts.sqlite";
    ChartStore store = Open(path);
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);

    ChartRecord full = Chart("Müller", "Anna", {1978, 3, 14, 6, 45, 30, 250000}, "Wien");
    full.kind = ChartKind::Event;
    full.moment.zone = datetime::MomentZone::Named("Europe/Vienna");
    full.moment.typed = "14.3.1978 6:45:30,25";
    full.moment.fromComputerClock = true;
    full.timeKnown = false;
    full.place = {"Wien", "Wien", "AT", 48.2082, 16.3738};
    full.source = "birth certificate";
    full.reliability = "AA";
    full.notes = "first line\nsecond, with a comma";
    full.tags = {"family", "test tag"};
    full.foreign = "#B93: 2443581.7,48N12,16E22";
    ChartRecord meanTime = Chart("Smith", "", {1850, 6, 1, 12, 0, 0}, "");
    meanTime.moment.zone = datetime::MomentZone::MeanTime(-73.5);
    meanTime.kind = ChartKind::Country;

    for (const ChartRecord& chart : {full, meanTime}) {
        const auto added = store.Add(chart);
        ASSERT_TRUE(added) << added.error().text;
        ChartRecord expected = chart;
        expected.id = added.value().id;
        expected.created = expected.changed = added.value().created;
        EXPECT_FALSE(expected.created.empty());
        EXPECT_EQ(store.Get(expected.id).value(), expected);
    }

    ChartRecord changed = store.FindByName("Anna Müller").value();
    changed.notes = "changed";
    changed.place.latitude.reset();
    const auto updated = store.Update(changed);
    ASSERT_TRUE(updated);
    EXPECT_EQ(updated.value().notes, "changed");
    EXPECT_FALSE(updated.value().place.latitude.has_value());
    EXPECT_EQ(updated.value().created, changed.created);
    EXPECT_TRUE(store.Remove(changed.id));
    EXPECT_FALSE(store.Get(changed.id));
    EXPECT_FALSE(store.Remove(changed.id));
}

TEST_F(ChartStoreTest, TwoProcessesWritingAtOnceLoseNoChart)
{
    const std::string path = folder.folder() + "charts.sqlite";
    constexpr int kEach = 1000;
    std::vector<pid_t> writers;
    for (int writer = 0; writer < 2; ++writer) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            auto store = ChartStore::Open(path, language);
            int failed = store ? 0 : 1;
            for (int i = 0; store && i < kEach; ++i)
                failed += store.value().Add(Chart("Writer" + std::to_string(writer), std::to_string(i),
                                                  {1900 + i % 100, 1, 1, 12, 0, 0}, "")) ? 0 : 1;
            ::_exit(failed == 0 ? 0 : 1);
        }
        writers.push_back(pid);
    }
    for (const pid_t pid : writers) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(Open(path).Count().value(), 2u * kEach);
}

TEST_F(ChartStoreTest, AFileThatIsNotAGoodLibraryIsRefusedAndLeftAsItWas)
{
    const std::string library = folder.folder() + "charts.sqlite";
    {
        ChartStore store = Open(library);
        std::vector<ChartRecord> many;
        for (int i = 0; i < 300; ++i)
            many.push_back(Chart("Name" + std::to_string(i), "", {2000, 1, 1, 0, 0, 0}, std::string(200, 'x')));
        ASSERT_TRUE(store.AddMany(many));
    }
    const std::string whole = Bytes(library);
    const std::string truncated = folder.Write("truncated.sqlite", whole.substr(0, whole.size() / 2));
    const std::string text = folder.Write("notes.txt", "just some text, not a database\n");
    const std::string foreign = folder.folder() + "foreign.sqlite";
    const std::string newer = folder.folder() + "newer.sqlite";
    std::filesystem::copy_file(library, newer);
    for (const auto& [file, sql] : {std::pair{foreign, "CREATE TABLE other (x); INSERT INTO other VALUES (1)"},
                                    std::pair{newer, "PRAGMA user_version = 99"}}) {
        sqlite3* handle = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &handle), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(handle, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(handle);
    }
    for (const std::string& file : {truncated, text, foreign, newer}) {
        const std::string before = Bytes(file);
        const auto opened = ChartStore::Open(file, language);
        ASSERT_FALSE(opened) << file;
        EXPECT_NE(opened.error().text.find(file), std::string::npos);
        EXPECT_EQ(Bytes(file), before) << file;
        EXPECT_FALSE(std::filesystem::exists(file + "-wal")) << file;
    }
    EXPECT_NE(ChartStore::Open(newer, language).error().text.find("99"), std::string::npos);
}

TEST_F(ChartStoreTest, SearchFindsWordBeginningsAndNamesAreExactThenUnambiguous)
{
    ChartStore store = Open(folder.folder() + "charts.sqlite");
    ChartRecord tagged = Chart("Callas", "Maria", {1923, 12, 2, 5, 0, 0}, "New York");
    tagged.tags = {"singer"};
    ChartRecord noted = Chart("Montessori", "Maria", {1870, 8, 31, 12, 0, 0}, "Chiaravalle");
    noted.notes = "physician and educator";
    const std::vector<ChartRecord> charts{tagged, noted, Chart("Einstein", "Albert", {1879, 3, 14, 11, 30, 0}, "Ulm"),
                                          Chart("Jung", "Carl", {1875, 7, 26, 19, 30, 0}, "Zürich")};
    EXPECT_EQ(store.AddMany(charts).value(), (AddedCount{4, 0}));
    EXPECT_EQ(store.AddMany({charts[0], charts[0], Chart("Curie", "Marie", {1867, 11, 7, 12, 0, 0}, "")}).value(),
              (AddedCount{1, 2}));
    EXPECT_FALSE(store.Add(charts[1]));

    const auto names = [&](std::string_view query) {
        std::vector<std::string> found;
        const auto charts = store.Search(query);
        for (const ChartRecord& chart : charts.value())
            found.push_back(FullName(chart));
        return found;
    };
    EXPECT_EQ(names("mar"), (std::vector<std::string>{"Maria Callas", "Marie Curie", "Maria Montessori"}));
    EXPECT_EQ(names("maria new"), std::vector<std::string>{"Maria Callas"});
    EXPECT_EQ(names("zur"), std::vector<std::string>{"Carl Jung"});
    EXPECT_EQ(names("SING"), std::vector<std::string>{"Maria Callas"});
    EXPECT_EQ(names("educ"), std::vector<std::string>{"Maria Montessori"});
    EXPECT_EQ(names("").size(), 5u);
    EXPECT_EQ(store.Search("", 2).value().size(), 2u);

    EXPECT_EQ(store.FindByName("maria callas").value().name, "Callas");
    EXPECT_EQ(store.FindByName("Einst").value().name, "Einstein");
    const auto ambiguous = store.FindByName("Maria");
    ASSERT_FALSE(ambiguous);
    EXPECT_NE(ambiguous.error().text.find("Maria Montessori (1870-08-31)"), std::string::npos);
    EXPECT_FALSE(store.FindByName("Newton"));
}

// Case does not count for the letters beyond A to Z either: "jan ölsen" is Jan Ölsen exactly, not one of
// the two names beginning so.
TEST_F(ChartStoreTest, ANameIsExactWhateverTheCaseOfItsAccentedLetters)
{
    ChartStore store = Open(folder.folder() + "charts.sqlite");
    ASSERT_TRUE(store.AddMany({Chart("Ölsen", "Jan", {1950, 1, 1, 12, 0, 0}, ""),
                               Chart("Ölsenberg", "Jan", {1960, 1, 1, 12, 0, 0}, "")}));
    for (const auto& [typed, name] : {std::pair{"jan ölsen", "Ölsen"}, std::pair{"JAN ÖLSENBERG", "Ölsenberg"}}) {
        const auto found = store.FindByName(typed);
        ASSERT_TRUE(found) << typed << ": " << found.error().text;
        EXPECT_EQ(found.value().name, name);
    }
    EXPECT_FALSE(store.FindByName("jan öls"));
}

TEST(ChartsPathTest, TheNamedFileComesFirstThenTheDataFolderThenHome)
{
    EXPECT_EQ(ChartsPath("/x/mine.sqlite", "/data", "/home/u"), "/x/mine.sqlite");
    EXPECT_EQ(ChartsPath("", "/data", "/home/u"), "/data/orvane/charts.sqlite");
    EXPECT_EQ(ChartsPath(nullptr, nullptr, "/home/u"), "/home/u/.local/share/orvane/charts.sqlite");
}

}  // namespace
}  // namespace orvane::charts
