// The companion's aspect table against the grid: at every day of a month, the rows of `aspects --format
// csv` are the aspects the main window's grid holds after its world date is set to that moment.

#include "cli/cli.h"

#include "app/actions.h"
#include "app/compute.h"
#include "app/startup.h"
#include "app/workspace.h"
#include "core/aspect_result.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace orvane::cli {
namespace {

const std::string kBuildData = std::string(ORVANE_BIN_DIR) + "/";
const std::string kStates = ORVANE_CLI_GOLDEN_DIR;

// The CSV rows by their jd_ut column, each row without its time columns.
std::map<std::string, std::vector<std::string>> TableRows(const std::vector<std::string>& args)
{
    const platform::FixedClock clock({2024, 5, 5, 10, 0, 0}, -3600);
    const Environment environment{kBuildData, 2451545.0, &clock};
    std::ostringstream out, err;
    EXPECT_EQ(Run(args, environment, out, err), kExitSuccess) << err.str();
    std::map<std::string, std::vector<std::string>> rows;
    std::istringstream lines(out.str());
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "time,jd_ut,body1,aspect,body2,deviation,applying\r");
    while (std::getline(lines, line)) {
        const size_t jd = line.find(',') + 1;
        const size_t rest = line.find(',', jd) + 1;
        rows[line.substr(jd, rest - jd - 1)].push_back(line.substr(rest, line.size() - rest - 1));
    }
    return rows;
}

TEST(AspectTable, EveryDayOfAMonthHoldsTheGridsAspects)
{
    for (const std::string state : {"", "personal1-2000-01-29.qvs", "natal2-2000-01-29.qvs"}) {
        std::vector<std::string> args{"aspects", "--from", "2000-02-01", "--to", "2000-02-29", "--format", "csv"};
        if (!state.empty())
            args.push_back(kStates + "/" + state);
        const std::map<std::string, std::vector<std::string>> table = TableRows(args);

        app::Workspace program;
        settings::MemorySettingsStore store;
        (void)program.StartUp(kBuildData, platform::FixedClock({2024, 5, 5, 10, 0, 0}, -3600), store);
        if (!state.empty())
            ASSERT_TRUE(app::LoadStateFile(program, kStates + "/" + state, store).ok());
        else
            program.main.SelectMode(core::Mode::WorldTransits);
        size_t aspects = 0;
        for (int day = 0; day < 29; ++day) {
            const double moment = 2451575.5 + day;  // 1 February 2000, 0h UT, and the days after it
            ASSERT_TRUE(program.SetWorldDate(moment).computed) << state << " day " << day;
            std::vector<std::string> grid;
            for (const core::AspectFound& found : program.main.result.aspects) {
                char deviation[32];
                std::snprintf(deviation, sizeof deviation, "%.6f", found.deviation * 180.0 / 3.141592653589793);
                const auto& tables = program.astro.tables;
                grid.push_back(tables.bodyNames[core::SlotOf(found.body1)] + "," +
                               tables.AspectText[core::SlotOf(found.aspect)].Name + "," +
                               tables.bodyNames[core::SlotOf(found.body2)] + "," + deviation + "," +
                               (found.motion == core::Motion::Applying ? "true" : "false"));
            }
            char jd[32];
            std::snprintf(jd, sizeof jd, "%.6f", moment);
            const auto rows = table.find(jd);
            EXPECT_EQ(rows == table.end() ? std::vector<std::string>() : rows->second, grid) << state << " " << jd;
            aspects += grid.size();
        }
        EXPECT_EQ(table.size(), 29u) << state;
        EXPECT_GT(aspects, 29u) << state;
    }
}

}  // namespace
}  // namespace orvane::cli
