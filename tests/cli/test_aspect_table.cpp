// The aspect table against the grid: at every day of a month, the rows of `aspects --format csv` are the
// aspects the main window's grid holds once its world date is set to that moment.

#include "cli/cli.h"

#include "app/actions.h"
#include "app/startup.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace orvane::cli {
namespace {

TEST(AspectTable, EveryDayOfAMonthHoldsTheGridsAspects)
{
    const std::string data = std::string(ORVANE_BIN_DIR) + "/";
    const platform::FixedClock clock({2024, 5, 5, 10, 0, 0}, -3600);
    for (const std::string state : {"", "personal1-2000-01-29.qvs", "natal2-2000-01-29.qvs"}) {
        const std::string path = std::string(ORVANE_CLI_GOLDEN_DIR) + "/" + state;
        std::vector<std::string> args{"aspects", "--from", "2000-02-01", "--to", "2000-03-01", "--format", "csv"};
        if (!state.empty())
            args.push_back(path);
        std::ostringstream table, err;
        ASSERT_EQ(cli::Run(args, {data, 2451545.0, &clock, {}}, table, err), kExitSuccess) << err.str();

        app::Workspace program;
        settings::MemorySettingsStore store;
        (void)program.StartUp(data, clock, store);
        if (!state.empty())
            ASSERT_TRUE(app::LoadStateFile(program, path, store).ok());
        else
            program.main.SelectMode(core::Mode::WorldTransits);
        std::string grid = "time,jd_ut,body1,aspect,body2,deviation,applying,role1,role2\r\n";
        // Personal transits: the grid's row body is the natal one; the one-chart modes have no roles.
        const char* roles = state.starts_with("personal1") ? "natal1,transiting" : ",";
        for (int day = 1; day <= 29; ++day) {
            ASSERT_TRUE(program.SetWorldDate(2451574.5 + day).computed) << state << day;
            const auto& names = program.astro.tables;
            for (const core::AspectFound& found : program.main.result.aspects) {
                char line[200];
                std::snprintf(line, sizeof line, "2000-02-%02dT00:00:00Z,%.6f,%s,%s,%s,%.6f,%s,%s\r\n", day,
                              2451574.5 + day, names.bodyNames[core::SlotOf(found.body1)].c_str(),
                              names.AspectText[core::SlotOf(found.aspect)].Name.c_str(),
                              names.bodyNames[core::SlotOf(found.body2)].c_str(), found.deviation * 57.29577951308232,
                              found.motion == core::Motion::Applying ? "true" : "false", roles);
                grid += line;
            }
        }
        EXPECT_EQ(table.str(), grid) << state;
        EXPECT_GT(grid.size(), 29u * 60) << state;  // not a month without aspects
    }
}

}  // namespace
}  // namespace orvane::cli
