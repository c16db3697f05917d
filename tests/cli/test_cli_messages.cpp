// The companion's refusals name the option, the value and the remedy: one row per message, the words of
// the mistake and of its remedy that stderr must hold, in English and (for a few) German.

#include "cli/cli.h"
#include "cli/texts.h"

#include "platform/clock.h"
#include "platform/program_text_library.h"
#include "text/language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace orvane::cli {
namespace {

struct MessageCase {
    std::vector<std::string> args;
    int code;
    std::vector<std::string> says;  // each must be in stderr
};

const MessageCase kCases[] = {
    // A misspelt option names the one meant.
    {{"report", "--brith", "1978-03-14T06:45Z"}, kExitUsage, {"Unknown option: --brith", "did you mean --birth?"}},
    {{"events", "--lang", "de", "--form", "csv"}, kExitUsage, {"Unbekannte Option: --form", "meinten Sie --format?"}},
    // A zone after a blank is no state file: brackets, and the zones of that name.
    {{"report", "--birth", "1978-03-14T06:45", "Vienna"},
     kExitUsage,
     {"Not a state file: Vienna", "in brackets", "1978-03-14T06:45[Europe/Vienna]", "Zones by that name: Europe/Vienna"}},
    {{"events", "--birth", "1978-03-14T06:45+01:00", "Viena"}, kExitUsage, {"1978-03-14T06:45[Europe/Vienna]"}},
    // Values refused with every valid one.
    {{"events", "--format", "xml"}, kExitUsage, {"--format: xml", "text, csv, json, ics"}},
    {{"find", "--date", "2000-01-01", "--pattern", "0", "--step", "fortnight"},
     kExitUsage,
     {"--step: fortnight", "halfhour, day, week, month, year"}},
    {{"report", "--birth", "2000-01-01", "--mode", "natal3"}, kExitUsage, {"natal3", "natal1, natal2, personal1"}},
    {{"events", "--bodies", "Vulcan"}, kExitUsage, {"Unknown body: Vulcan", "Earth, Mercury", "Ea, Me"}},
    // The bodies and the perspective of the view from the Earth.
    {{"events", "--bodies", "Earth,moon"}, kExitUsage, {"Moon has no heliocentric position", "--perspective geocentric"}},
    {{"positions", "--perspective", "topocentric"}, kExitUsage, {"perspective: topocentric", "heliocentric or geocentric"}},
    // A place's angles in aspects and events: the view from the Earth, and for events a latitude whose
    // Ascendant the search can follow.
    {{"aspects", "--from", "2024-01-01", "--to", "2024-01-02", "--lat", "48", "--lon", "16"},
     kExitUsage,
     {"--lat and --lon together", "--perspective geocentric", "aspects --help"}},
    {{"events", "--perspective", "geocentric", "--kinds", "angle,exact"}, kExitUsage, {"--lat and --lon together"}},
    {{"events", "--perspective", "geocentric", "--lat", "70", "--lon", "20"}, kExitUsage, {"within 65°", "--lat 70 "}},
    {{"events", "--lang", "de", "--perspective", "geocentric", "--lat", "-65.5", "--lon", "20"},
     kExitUsage,
     {"innerhalb von 65°", "--lat -65.5 "}},
    {{"events", "--aspects", "Novile"}, kExitUsage, {"Unknown aspect: Novile", "Quintile", "Con, Opp"}},
    {{"find", "--date", "2000-01-01", "--pattern", "kites"}, kExitUsage, {"kites", "0 to 13"}},
    // Every --orb value, and its range.
    {{"events", "--orb", "Con=5", "--orb", "Foo=1"}, kExitUsage, {"Unknown aspect: Foo", "Conjunction"}},
    {{"events", "--orb", "Con=5,Tri=200"}, kExitUsage, {"Not an orb from 0 to 180 degrees: Tri=200"}},
    // Options that need others, with the ones to add.
    {{"events", "--degrees", "10"}, kExitUsage, {"--degrees", "add --kinds cross"}},
    {{"events", "--kinds", "return"}, kExitUsage, {"return", "--birth DATE --mode personal1"}},
    {{"report", "--birth2", "1980-01-01"}, kExitUsage, {"--birth2 alone", "--mode natal2"}},
    {{"events", "--birth", "1978-03-14", "--birth2", "1980-01-01", "--mode", "synastry"},
     kExitUsage,
     {"no events", "report --mode synastry", "--mode personal1 or personal2"}},
    // A date out of range is named as a date, with the range.
    {{"events", "--to", "9000-01-01"}, kExitBadInput, {"9000-01-01T00:00:00Z", "-5400-01-01 … 5399-12-31"}},
    {{"events", "--lang", "de", "--to", "9000-01-01"}, kExitBadInput, {"Der Zeitpunkt 9000-01-01", "im Bereich"}},
    // The zone of cycles is named, not the bodies it was given.
    {{"cycles", "Earth", "Mars", "--zone", "Foo/Bar"}, kExitUsage, {"Unknown time zone: Foo/Bar"}},
    {{"cycles", "Earth", "Mars", "--zone", "+99:00"}, kExitUsage, {"+99:00", "±14:00"}},
    // What an offset, a calendar tag or a moment past the last date must be; a skipped time, even with an
    // offset, is given as the clocks showed it or with its offset alone.
    {{"report", "--birth", "2025-03-30T02:30+01:00[Europe/Berlin]"}, kExitUsage, {"did not exist", "without the zone"}},
    {{"events", "--zone", "+00:53:28"}, kExitUsage, {"+00:53:28", "hours and minutes within ±14:00"}},
    {{"positions", "--date", "2000-01-01T00:00[Europe/Vienna][u-ca=hebrew]"}, kExitUsage, {"u-ca=hebrew", "u-ca=gregory"}},
    {{"report", "--date", "2799-12-31T23:00-12:00"}, kExitBadInput, {"is 2800-01-01T11:00:00Z in UT", "2799-12-31T23:30Z"}},
    // An empty table beyond Pluto's table says why.
    {{"cycles", "Earth", "Pluto", "--from", "2300-01-01", "--format", "csv"}, kExitSuccess, {"Pluto's table ends"}},
    // The state command needs its file; a refused value beside it is named, not the file.
    {{"state", "--birth", "1978-03-14"}, kExitUsage, {"needs --output FILE.qvs"}},
    {{"state", "--output", "chart.qvs", "--birth", "1978-13-14"}, kExitUsage, {"Not a date: 1978-13-14"}},
    // The atlas' limit is refused in the program's words, in either language.
    {{"places", "Vienna", "--limit", "0", "--lang", "de"}, kExitUsage, {"Kein gültiger Wert für --limit: 0", "1 … 1000"}},
};

class CliMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(CliMessages, NameTheMistakeAndItsRemedy)
{
    const MessageCase& c = GetParam();
    const platform::FixedClock clock({2024, 5, 5, 10, 0, 0}, -3600);
    const Environment environment{std::string(ORVANE_BIN_DIR) + "/", 2451545.0, &clock, {}};
    std::ostringstream out, err;
    const int code = cli::Run(c.args, environment, out, err);
    EXPECT_EQ(code, c.code) << err.str();
    for (const std::string& words : c.says)
        EXPECT_NE(err.str().find(words), std::string::npos) << "missing \"" << words << "\" in:\n" << err.str();
    // A refusal prints no result.
    EXPECT_TRUE(c.code == kExitSuccess || out.str().empty()) << out.str();
}

INSTANTIATE_TEST_SUITE_P(Table, CliMessages, ::testing::ValuesIn(kCases));

// The companion carries the program text compiled in, as the build loaded and indexed it: every text of
// the data file, in both languages, is the same there.
TEST(CompiledProgramText, HoldsEveryTextOfTheDataFile)
{
    platform::ProgramTextLibrary file;
    ASSERT_TRUE(file.LoadFile(std::string(ORVANE_BIN_DIR) + "/qvs.dat").ok());
    ASSERT_FALSE(file.Index().empty());
    for (const platform::ProgramTextLibrary::Entry& entry : file.Index()) {
        const auto number = static_cast<int16_t>(entry.key / 2);
        const auto language = static_cast<int16_t>(entry.key % 2);
        const std::string_view stored = file.Content().substr(entry.offset, entry.length);
        EXPECT_EQ(OwnLanguage(language).Text(number), stored == "~" ? "" : std::string(stored))
            << number << " in language " << language;
    }
}

}  // namespace
}  // namespace orvane::cli
