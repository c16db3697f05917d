#include "cli/cli.h"

#include "tests/support/cli_runner.h"

#include "core/pluto_table.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace orvane::cli {
namespace {

using Result = testing::CliResult;
using testing::Lines;

Result RunWith(const std::vector<std::string>& args, const std::string& dataFolder = std::string(ORVANE_BIN_DIR) + "/")
{
    return testing::RunCli(args, nullptr, dataFolder);
}

TEST(CliPositions, NineBodiesAtAJulianDate)
{
    const Result r = RunWith({"positions", "--jd", "2451545.0"});
    ASSERT_EQ(r.code, kExitSuccess) << r.err;
    EXPECT_EQ(r.err, "");
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 9U);
    EXPECT_EQ(lines[0].substr(0, 10), "Earth 100.");
    EXPECT_NE(lines[0].find(" 100°23' 10Can23"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[8].substr(0, 6), "Pluto ");
    // Without a date: the present moment the environment gives.
    EXPECT_EQ(RunWith({"positions"}).out, r.out);
}

TEST(CliPositions, PlutoBeyondItsTable)
{
    EXPECT_EQ(Lines(RunWith({"positions", "--jd", "2305447.4"}).out)[8], "Pluto <");
    EXPECT_EQ(Lines(RunWith({"positions", "--jd", "2524594.5"}).out)[8], "Pluto >");
    const auto first = Lines(RunWith({"positions", "--jd", "2305447.5"}).out)[8];
    EXPECT_NE(first, "Pluto <");
    EXPECT_EQ(first.substr(0, 6), "Pluto ");
}

TEST(CliPositions, WithoutThePlutoTableEightBodiesAndTheError)
{
    testing::TempFolder folder;
    std::filesystem::copy_file(std::string(ORVANE_BIN_DIR) + "/qvs.dat", folder.path() / "qvs.dat");
    folder.Write(core::kPlutoTableFileName, "short\n");
    const Result r = RunWith({"positions", "--jd", "2451545"}, folder.folder());
    EXPECT_EQ(r.code, kExitSuccess);
    EXPECT_EQ(Lines(r.out).size(), 8U);
    EXPECT_EQ(r.err.rfind("Error when reading Pluto data:\n", 0), 0U) << r.err;
    EXPECT_NE(r.err.find("\n\nPluto aspects cannot be displayed.\n"), std::string::npos) << r.err;
}

TEST(CliUsage, MistakesAreUsageErrors)
{
    const Result unknown = RunWith({"horoscope"});
    EXPECT_EQ(unknown.code, kExitUsage);
    EXPECT_NE(unknown.err.find("Unknown command: horoscope"), std::string::npos);
    EXPECT_NE(unknown.err.find("Usage:"), std::string::npos);
    EXPECT_EQ(RunWith({}).code, kExitUsage);
    EXPECT_EQ(RunWith({"positions", "--jd"}).code, kExitUsage);
    EXPECT_EQ(RunWith({"positions", "--jd", "yesterday"}).code, kExitUsage);
    EXPECT_EQ(RunWith({"positions", "--jd", "inf"}).code, kExitUsage);
    EXPECT_EQ(RunWith({"positions", "--frobnicate"}).code, kExitUsage);

    const Result help = RunWith({"--help"});
    EXPECT_EQ(help.code, kExitSuccess);
    EXPECT_NE(help.out.find("orvane-cli positions"), std::string::npos);
    EXPECT_EQ(help.out.find('\r'), std::string::npos);  // console line breaks are plain line feeds
    const Result version = RunWith({"--version"});
    EXPECT_EQ(version.code, kExitSuccess);
    EXPECT_EQ(version.out.rfind("orvane-cli ", 0), 0U);
}

TEST(CliUsage, MissingProgramTextIsBadInput)
{
    testing::TempFolder folder;
    const Result r = RunWith({"positions"}, folder.folder());
    EXPECT_EQ(r.code, kExitBadInput);
    EXPECT_NE(r.err.find("Cannot open file containing program text."), std::string::npos);
}

}  // namespace
}  // namespace orvane::cli
