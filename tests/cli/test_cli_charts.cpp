// orvane-cli charts and --birth @NAME: the library changed from the command line, and a chart's moment
// standing for the birthdate it names.

#include "cli/cli.h"

#include "platform/clock.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace orvane::cli {
namespace {

struct Outcome {
    int code = 0;
    std::string out;
    std::string err;
};

class CliCharts : public ::testing::Test {
protected:
    Outcome Companion(std::vector<std::string> args) const
    {
        args.insert(args.end(), {"--charts", library});
        const platform::FixedClock clock({2024, 5, 5, 10, 0, 0}, 0);
        const Environment environment{std::string(ORVANE_BIN_DIR) + "/", 2451545.0, &clock, {}};
        std::ostringstream out, err;
        const int code = cli::Run(args, environment, out, err);
        return {code, out.str(), err.str()};
    }

    testing::TempFolder folder;
    std::string library = folder.folder() + "charts.sqlite";
};

TEST_F(CliCharts, ChartsAreAddedEditedShownAndRemovedByName)
{
    ASSERT_EQ(Companion({"charts", "add", "--name", "Curie", "--first", "Marie", "--birth",
                         "1867-11-07T12:00[Europe/Warsaw]", "--place", "Warszawa", "--tag", "science"})
                  .code,
              kExitSuccess);
    ASSERT_EQ(Companion({"charts", "add", "--name", "Callas", "--first", "Maria", "--birth", "1923-12-02T05:00-05:00",
                         "--lat", "40.7", "--lon", "-74"})
                  .code,
              kExitSuccess);
    EXPECT_EQ(Companion({"charts", "add", "--name", "Jung", "--birth", "1875-07-26T19:30"}).code, kExitBadInput);
    // A refused value is named, not taken for a missing moment, wherever it stands.
    for (const std::vector<std::string>& refused :
         {std::vector<std::string>{"--birth", "1875-13-26T19:30Z"},
          std::vector<std::string>{"--kind", "planet", "--birth", "1875-07-26T19:30Z"}}) {
        std::vector<std::string> args{"charts", "add", "--name", "Jung"};
        args.insert(args.end(), refused.begin(), refused.end());
        const Outcome outcome = Companion(args);
        EXPECT_EQ(outcome.code, kExitUsage);
        EXPECT_NE(outcome.err.find(refused[1]), std::string::npos) << outcome.err;
    }
    EXPECT_EQ(Companion({"charts", "edit", "callas", "--notes", "soprano", "--kind", "event"}).code, kExitSuccess);

    const Outcome csv = Companion({"charts", "list", "--search", "war", "--format", "csv"});
    EXPECT_EQ(csv.out.substr(0, csv.out.find('\r')),
              "id,name,first_name,kind,moment,jd_ut,time_known,place,region,country_code,latitude,longitude,source,"
              "reliability,notes,tags,created,changed");
    EXPECT_NE(csv.out.find("1,Curie,Marie,person,1867-11-07T12:00:00+01:24[Europe/Warsaw]"), std::string::npos)
        << csv.out;
    EXPECT_EQ(csv.out.find("Callas"), std::string::npos);
    const Outcome shown = Companion({"charts", "show", "Maria Callas", "--lang", "de"});
    EXPECT_NE(shown.out.find("Notizen: soprano"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("Art: event"), std::string::npos);

    EXPECT_EQ(Companion({"charts", "remove", "Curie"}).code, kExitSuccess);
    EXPECT_EQ(Companion({"charts", "show", "Curie"}).code, kExitBadInput);

    // A date without its zone takes the zone of its place in the atlas, and the place's coordinates.
    ASSERT_EQ(Companion({"charts", "add", "--name", "Wiener", "--birth", "1978-03-14T06:45", "--place", "Vienna"}).code,
              kExitSuccess);
    const Outcome vienna = Companion({"charts", "show", "Wiener", "--format", "json"});
    EXPECT_NE(vienna.out.find("\"moment\":\"1978-03-14T06:45:00+01:00[Europe/Vienna]\""), std::string::npos)
        << vienna.out;
    EXPECT_NE(vienna.out.find("\"latitude\":48.2"), std::string::npos);
}

TEST_F(CliCharts, AnExportImportsIntoAnotherLibraryAndASecondImportFindsAllPresent)
{
    for (const char* name : {"Alpha", "Beta"})
        ASSERT_EQ(
            Companion({"charts", "add", "--name", name, "--birth", "2000-01-01T12:00+02:00", "--notes", "a, b"}).code,
            kExitSuccess);
    const std::string file = folder.folder() + "charts.csv";
    ASSERT_EQ(Companion({"charts", "export", "--format", "csv", "--output", file}).code, kExitSuccess);
    library = folder.folder() + "other.sqlite";
    EXPECT_EQ(Companion({"charts", "import", file}).out,
              "2 charts read: 2 added, 0 skipped, 0 already in the library.\n");
    EXPECT_EQ(Companion({"charts", "import", file}).out,
              "2 charts read: 0 added, 0 skipped, 2 already in the library.\n");
    EXPECT_NE(Companion({"charts", "show", "Beta"}).out.find("a, b"), std::string::npos);

    // A file that cannot be read is named as the file to import, not as the library.
    const Outcome missing = Companion({"charts", "import", folder.folder() + "missing.aaf"});
    EXPECT_EQ(missing.code, kExitBadInput);
    EXPECT_EQ(missing.err, "The charts could not be read from " + folder.folder() +
                               "missing.aaf: No such file or directory\n");
    EXPECT_EQ(Companion({"charts", "import", folder.folder()}).err,
              "The charts could not be read from " + folder.folder() + ": it is not a file.\n");
}

TEST_F(CliCharts, ABirthdateNamingAChartIsItsMomentAndAnUnclearNameIsRefused)
{
    for (const char* first : {"Anna", "Anton"})
        ASSERT_EQ(Companion({"charts", "add", "--name", "Berger", "--first", first, "--birth",
                             std::string(first) == "Anna" ? "1978-03-14T06:45[Europe/Vienna]" : "1980-01-01T00:00Z"})
                      .code,
                  kExitSuccess);
    const Outcome named = Companion({"report", "--birth", "@anna berger"});
    ASSERT_EQ(named.code, kExitSuccess) << named.err;
    EXPECT_EQ(named.out, Companion({"report", "--birth", "1978-03-14T06:45[Europe/Vienna]"}).out);

    const Outcome ambiguous = Companion({"events", "--birth", "@Berger", "--from", "2025-01-01"});
    EXPECT_EQ(ambiguous.code, kExitBadInput);
    EXPECT_NE(ambiguous.err.find("Anna Berger (1978-03-14), Anton Berger (1980-01-01)"), std::string::npos)
        << ambiguous.err;
    EXPECT_EQ(Companion({"report", "--birth2", "@Nobody", "--birth", "@Anna"}).code, kExitBadInput);
}

// positions --date @NAME: the chart's moment, and its place for the angles unless a place is given.
TEST_F(CliCharts, APositionsDateNamingAChartGivesItsMomentAndPlace)
{
    ASSERT_EQ(Companion({"charts", "add", "--name", "Berger", "--first", "Anna", "--birth",
                         "1978-03-14T06:45[Europe/Vienna]", "--lat", "48.21", "--lon", "16.37"})
                  .code,
              kExitSuccess);
    const auto same = [this](std::vector<std::string> named, std::vector<std::string> typed) {
        const Outcome a = Companion(std::move(named));
        const Outcome b = Companion(std::move(typed));
        EXPECT_EQ(a.code, kExitSuccess) << a.err;
        EXPECT_EQ(a.out, b.out);
    };
    const char* moment = "1978-03-14T06:45[Europe/Vienna]";
    same({"positions", "--compare", "--date", "@Anna"}, {"positions", "--compare", "--date", moment, "--lat", "48.21",
                                                        "--lon", "16.37"});
    same({"positions", "--perspective", "geocentric", "--date", "@Anna", "--lat", "0", "--lon", "0"},
         {"positions", "--perspective", "geocentric", "--date", moment, "--lat", "0", "--lon", "0"});
    same({"positions", "--date", "@Anna"}, {"positions", "--date", moment});
    EXPECT_EQ(Companion({"positions", "--date", "@Nobody"}).code, kExitBadInput);
}

}  // namespace
}  // namespace orvane::cli
