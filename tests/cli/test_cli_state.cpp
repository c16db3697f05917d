// orvane-cli state: the state file written from typed moments holds the chart those moments give, so that
// a report of the file equals a report of the same moments; it is private to its owner. (Its refusals are
// rows of the message table.)

#include "cli/cli.h"

#include "platform/clock.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace orvane::cli {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int code = 0;
    std::string out;
    std::string err;
};

Outcome RunCompanion(const std::vector<std::string>& args)
{
    const platform::FixedClock clock({2024, 5, 5, 10, 0, 0}, -3600);
    const Environment environment{std::string(ORVANE_BIN_DIR) + "/", 2451545.0, &clock, {}};
    std::ostringstream out, err;
    const int code = Run(args, environment, out, err);
    return {code, out.str(), err.str()};
}

TEST(CliState, TheFileHoldsTheChartOfTheTypedMoments)
{
    const testing::TempFolder folder;
    const struct {
        std::vector<std::string> typed;
        const char* note;  // what stderr says of a moment the rows cannot hold, empty when they hold each exactly
    } cases[] = {
        {{"--birth", "1978-03-14T06:30+01:00"}, ""},
        {{"--birth", "1978-03-14T06:30[Europe/Vienna]", "--birth2", "1981-07-02T22:00Z", "--mode", "synastry"}, ""},
        {{"--birth", "1990-01-15T12:20[Pacific/Auckland]", "--date", "2025-06-01T12:00Z", "--mode", "personal1"},
         "computed at the precise moment 12:20 Pacific/Auckland"},
    };
    for (const auto& [typed, note] : cases) {
        const std::string file = (folder.path() / "chart.qvs").string();
        std::vector<std::string> state{"state", "--output", file};
        state.insert(state.end(), typed.begin(), typed.end());
        const Outcome written = RunCompanion(state);
        ASSERT_EQ(written.code, kExitSuccess) << written.err;
        EXPECT_TRUE(written.out.empty());
        EXPECT_NE(written.err.find(note), std::string::npos) << written.err;
        EXPECT_EQ(std::string(note).empty(), written.err.empty()) << written.err;
        EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

        std::vector<std::string> direct{"report"};
        direct.insert(direct.end(), typed.begin(), typed.end());
        const Outcome fromMoments = RunCompanion(direct);
        const Outcome fromFile = RunCompanion({"report", file});
        ASSERT_EQ(fromFile.code, kExitSuccess) << fromFile.err;
        // The report of the moments begins with the same rounding note, if any, and a blank line.
        const std::string chart = fromMoments.out.substr(fromMoments.out.find(fromFile.out.substr(0, 20)));
        EXPECT_EQ(fromFile.out, chart);
        fs::remove(file);
    }
}

}  // namespace
}  // namespace orvane::cli
