// orvane-cli report, find and positions STATE, run on state files written line by line, and real dates
// whose patterns are checked by hand from the printed positions.

#include "cli/cli.h"

#include "platform/clock.h"
#include "tests/support/cli_runner.h"
#include "tests/support/state_file_lines.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace orvane::cli {
namespace {

using orvane::testing::DateRowAt;
using orvane::testing::StateDateRow;
using orvane::testing::StateFileLines;
using orvane::testing::StateMode;
using orvane::testing::StateOrbs;

// Orbs of the pattern examples: 8° for conjunction, opposition, square and trine, 6° sextile,
// 2° semisextile, 3° quincunx.
constexpr StateOrbs kPatternOrbs{8, 8, 8, 8, 6, 2, 3, 1};
constexpr StateOrbs kNoOrbs{0, 0, 0, 0, 0, 0, 0, 1};
constexpr double kPi = 3.14159265358979;

const StateDateRow kBirth1 = DateRowAt(1990, 6, 15, 8, 30, 60);   // June 15, 1990, 08:30 (GMT+1:00)
const StateDateRow kBirth2 = DateRowAt(1985, 3, 2, 20, 0, -300);  // Mar. 2, 1985, 20:00 (GMT-5:00)

const std::array<std::string, 10> kAbbrev{"", "Ea", "Me", "Ve", "Ma", "Ju", "Sa", "Ur", "Ne", "Pl"};
const std::array<std::string, 10> kName{"",       "Earth",  "Mercury", "Venus",   "Mars",
                                        "Jupiter", "Saturn", "Uranus",  "Neptune", "Pluto"};
const std::array<std::string, 8> kAspectAbbrev{"", "Con", "Opp", "Sqr", "Tri", "Sxt", "Ssx", "Qui"};
const std::array<std::string, 8> kAdjective{"",      "conjunct", "opposite",    "square",
                                            "trine", "sextile",  "semisextile", "quincunx"};

using Result = testing::CliResult;
using testing::Lines;
using testing::RunCli;

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

int IndexOf(const std::array<std::string, 10>& table, const std::string& entry)
{
    const auto it = std::find(table.begin(), table.end(), entry);
    return it == table.end() || entry.empty() ? -1 : static_cast<int>(it - table.begin());
}

int AspectOfAdjective(const std::string& adjective)
{
    const auto it = std::find(kAdjective.begin() + 1, kAdjective.end(), adjective);
    return it == kAdjective.end() ? -1 : static_cast<int>(it - kAdjective.begin());
}

int MonthNumber(const std::string& name)
{
    static const std::array<std::string, 12> kMonths{"January", "February", "March",    "April",
                                                     "May",     "June",     "July",     "August",
                                                     "September", "October", "November", "December"};
    const auto it = std::find(kMonths.begin(), kMonths.end(), name);
    return it == kMonths.end() ? -1 : static_cast<int>(it - kMonths.begin()) + 1;
}

// The four sections of a report: the grid title, the aspect cell lines, the summary and the report
// window's text (its title first). `reportStart` is how the last section begins.
struct ReportSections {
    std::string title;
    std::vector<std::string> cells;
    std::vector<std::string> summary;
    std::vector<std::string> report;
};

ReportSections Sections(const std::string& out, const std::string& reportStart)
{
    const std::vector<std::string> lines = Lines(out);
    ReportSections sections;
    EXPECT_GE(lines.size(), 5U) << out;
    if (lines.size() < 5)
        return sections;
    sections.title = lines[0];
    EXPECT_EQ(lines[1], "") << out;
    size_t i = 2;
    for (; i < lines.size() && !lines[i].empty(); ++i)
        sections.cells.push_back(lines[i]);
    EXPECT_LT(i, lines.size()) << out;
    ++i;  // the empty line after the cells
    size_t reportAt = i;
    while (reportAt < lines.size() && lines[reportAt].rfind(reportStart, 0) != 0)
        ++reportAt;
    EXPECT_LT(reportAt, lines.size()) << "no line begins with " << reportStart << " in\n" << out;
    EXPECT_GT(reportAt, i) << out;
    if (reportAt >= lines.size() || reportAt <= i)
        return sections;
    EXPECT_EQ(lines[reportAt - 1], "") << out;  // one empty line before the report
    sections.summary.assign(lines.begin() + static_cast<long>(i), lines.begin() + static_cast<long>(reportAt) - 1);
    EXPECT_FALSE(sections.summary.empty() || sections.summary.back().empty()) << out;  // exactly one empty line
    sections.report.assign(lines.begin() + static_cast<long>(reportAt), lines.end());
    return sections;
}

// One aspect cell line: "3,4 Me-Ju Sqr 2°15' -".
struct CellLine {
    int row = 0;
    int col = 0;
    int body1 = 0;  // row body
    int body2 = 0;  // column body
    int aspect = 0;
    std::string deviation;
    std::string mark;  // "-", "+" or empty
};

CellLine ParseCell(const std::string& line)
{
    static const std::regex kCell(R"(^(\d+),(\d+) ([A-Z][a-z])-([A-Z][a-z]) ([A-Z][a-z]{2}) (\S+)(?: ([-+]))?$)");
    std::smatch m;
    CellLine cell;
    if (!std::regex_match(line, m, kCell)) {
        ADD_FAILURE() << "not a cell line: " << line;
        return cell;
    }
    cell.row = std::stoi(m[1].str());
    cell.col = std::stoi(m[2].str());
    cell.body1 = IndexOf(kAbbrev, m[3].str());
    cell.body2 = IndexOf(kAbbrev, m[4].str());
    cell.aspect = static_cast<int>(std::find(kAspectAbbrev.begin() + 1, kAspectAbbrev.end(), m[5].str()) -
                                   kAspectAbbrev.begin());
    cell.deviation = m[6].str();
    cell.mark = m[7].str();
    return cell;
}

// The cell lines name the bodies the layout gives their row and column, in cell order.
void ExpectCellLayout(const std::vector<std::string>& cells, bool square, bool marked)
{
    const int columns = square ? 11 : 9;
    int previous = -1;
    for (const std::string& line : cells) {
        const CellLine cell = ParseCell(line);
        const int index = cell.row * columns + cell.col;
        EXPECT_GT(index, previous) << line;
        previous = index;
        EXPECT_EQ(cell.body1, cell.row - 1) << line;
        EXPECT_EQ(cell.body2, square ? cell.col - 1 : cell.col + 1) << line;
        if (!square) {
            EXPECT_LT(cell.body1, cell.body2) << line;
        }
        EXPECT_GE(cell.aspect, 1) << line;
        EXPECT_LE(cell.aspect, 7) << line;
        EXPECT_TRUE(std::regex_match(cell.deviation, std::regex(R"(\d+°\d+')"))) << line;
        EXPECT_EQ(!cell.mark.empty(), marked) << line;
    }
}

// One line of the durations list: "Saturn  square (0°1')   Uranus  begins March 15, 1999,   ends …  (…)".
struct DurationLine {
    int body1 = 0;
    int aspect = 0;
    int minutes = 0;  // exactness in minutes of arc
    int body2 = 0;
    std::tuple<int, int, int> begins;
    std::tuple<int, int, int> ends;
};

DurationLine ParseDuration(const std::string& line, const std::string& prefix1 = "",
                           const std::string& prefix2 = "")
{
    static const std::regex kLine(
        R"(^(\S+) +(\S+) \((\d+)°(\d+)'\) +(\S+) +begins (\w+) (\d+), (\d+), +ends (\w+) (\d+), (\d+) +\(.+\)$)");
    std::smatch m;
    DurationLine d;
    if (!std::regex_match(line, m, kLine)) {
        ADD_FAILURE() << "not a durations line: " << line;
        return d;
    }
    const auto body = [](const std::string& text, const std::string& prefix) {
        return text.rfind(prefix, 0) == 0 ? IndexOf(kName, text.substr(prefix.size())) : -1;
    };
    d.body1 = body(m[1].str(), prefix1);
    d.aspect = AspectOfAdjective(m[2].str());
    d.minutes = std::stoi(m[3].str()) * 60 + std::stoi(m[4].str());
    d.body2 = body(m[5].str(), prefix2);
    d.begins = {std::stoi(m[8].str()), MonthNumber(m[6].str()), std::stoi(m[7].str())};
    d.ends = {std::stoi(m[11].str()), MonthNumber(m[9].str()), std::stoi(m[10].str())};
    EXPECT_GT(d.body1, 0) << line;
    EXPECT_GT(d.body2, 0) << line;
    EXPECT_GT(d.aspect, 0) << line;
    return d;
}

int CountStartingWith(const std::vector<std::string>& lines, const std::string& start)
{
    return static_cast<int>(
        std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; }));
}

// A position line "Earth 128.888017 128°53' 8Leo53": the longitude in degrees.
double Longitude(const std::string& line)
{
    std::istringstream stream(line);
    std::string name;
    double degrees = -1.0;
    stream >> name >> degrees;
    return degrees;
}

// Two position listings agree: same names and texts, longitudes within a hair.
void ExpectSamePositions(const std::string& a, const std::string& b)
{
    const auto la = Lines(a);
    const auto lb = Lines(b);
    ASSERT_EQ(la.size(), 9U) << a;
    ASSERT_EQ(lb.size(), 9U) << b;
    for (size_t i = 0; i < la.size(); ++i) {
        EXPECT_EQ(la[i].substr(0, la[i].find(' ')), lb[i].substr(0, lb[i].find(' ')));
        EXPECT_NEAR(Longitude(la[i]), Longitude(lb[i]), 2e-6) << la[i] << " / " << lb[i];
        // Degrees and minutes, and the zodiac position.
        const auto tail = [](const std::string& line) { return line.substr(line.find(' ', line.find(' ') + 1)); };
        EXPECT_EQ(tail(la[i]), tail(lb[i]));
    }
}

class CliStateTest : public ::testing::Test {
protected:
    std::string Save(const StateFileLines& state, const std::string& name = "state.qvs")
    {
        return m_folder.Write(name, state.Text());
    }

    static StateFileLines World(StateDateRow world, StateOrbs orbs = kPatternOrbs, int step = 1)
    {
        StateFileLines state;
        state.rows = {world, kBirth1, kBirth2};
        state.orbs = orbs;
        state.step = step;
        return state;
    }

    static StateFileLines InMode(StateMode mode, StateOrbs orbs = kPatternOrbs)
    {
        StateFileLines state = World(DateRowAt(2000, 1, 29), orbs);
        state.mode = mode;
        return state;
    }

    // The report of world transits at a date with the pattern orbs.
    Result ReportOn(StateDateRow world, const std::vector<std::string>& options = {})
    {
        std::vector<std::string> args{"report", Save(World(world), "report.qvs")};
        args.insert(args.end(), options.begin(), options.end());
        return RunCli(args);
    }

    Result FindFrom(StateDateRow world, const std::vector<std::string>& options, int step = 1)
    {
        std::vector<std::string> args{"find", Save(World(world, kPatternOrbs, step), "find.qvs")};
        args.insert(args.end(), options.begin(), options.end());
        return RunCli(args);
    }

    Result PositionsOn(StateDateRow world) { return RunCli({"positions", Save(World(world), "positions.qvs")}); }

    orvane::testing::TempFolder m_folder;
};

// ----- report --------------------------------------------------------------------------------------

const char* const kWorldReportStart = "World transits on ";

TEST_F(CliStateTest, ReportInWorldTransitsHasItsFourSectionsInOrder)
{
    const Result r = ReportOn(DateRowAt(2000, 1, 29));
    ASSERT_EQ(r.code, kExitSuccess) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    ASSERT_FALSE(r.out.empty());
    EXPECT_EQ(r.out.back(), '\n');

    const ReportSections s = Sections(r.out, kWorldReportStart);
    EXPECT_EQ(s.title, "World transits (heliocentric).  Orbs: 2° to 8°");

    ASSERT_EQ(s.cells.size(), 22U);
    ExpectCellLayout(s.cells, false, true);
    EXPECT_EQ(s.cells.front(), "2,3 Ea-Ma Tri 7°52' -");
    EXPECT_NE(std::find(s.cells.begin(), s.cells.end(), "5,5 Ma-Sa Ssx 0°1' +"), s.cells.end());
    EXPECT_EQ(s.cells.back(), "8,8 Ur-Pl Sxt 6°0' +");

    // The summary counts what the cells hold, then lists the patterns.
    const std::vector<std::string> counts(s.summary.begin(), s.summary.begin() + 8);
    EXPECT_EQ(counts, (std::vector<std::string>{"1 conjunction", "3 oppositions", "7 squares", "4 trines",
                                                "4 sextiles", "1 semisextile", "2 quincunxes",
                                                "22 aspects in total."}));
    std::array<int, 8> cellCount{};
    for (const std::string& line : s.cells)
        ++cellCount[static_cast<size_t>(ParseCell(line).aspect)];
    EXPECT_EQ(cellCount, (std::array<int, 8>{0, 1, 3, 7, 4, 4, 1, 2}));
    EXPECT_EQ(CountStartingWith(s.summary, "Grand trine: Ea-Ma-Pl (mean deviation 5°14')"), 1);
    EXPECT_EQ(CountStartingWith(s.summary, "Kite: Ea-Ma-Pl-Ur (mean deviation 4°56')"), 1);
    EXPECT_EQ(CountStartingWith(s.summary, "T-square: "), 4);

    // The durations report: title, one empty line, one line per aspect, by exactness.
    ASSERT_EQ(s.report.size(), 2U + 22U);
    EXPECT_EQ(s.report[0], "World transits on January 29, 2000, 12:00 (GMT).    Orbs: 2° to 8°   ");
    EXPECT_EQ(s.report[1], "");
    std::vector<std::tuple<int, int, int>> fromCells, fromReport;
    for (const std::string& line : s.cells) {
        const CellLine c = ParseCell(line);
        fromCells.emplace_back(c.body1, c.body2, c.aspect);
    }
    for (size_t i = 2; i < s.report.size(); ++i) {
        const DurationLine d = ParseDuration(s.report[i]);
        fromReport.emplace_back(d.body1, d.body2, d.aspect);
        EXPECT_LE(d.begins, (std::tuple<int, int, int>{2000, 1, 29})) << s.report[i];
        EXPECT_GE(d.ends, (std::tuple<int, int, int>{2000, 1, 29})) << s.report[i];
    }
    std::sort(fromCells.begin(), fromCells.end());
    std::sort(fromReport.begin(), fromReport.end());
    EXPECT_EQ(fromReport, fromCells);
    EXPECT_EQ(s.report[2], "Saturn  square (0°1')         Uranus  begins March 15, 1999,     ends December 6, 2000   "
                           "(1 year, 268 days)");
}

// --sort N re-sorts the durations list ascending by sort-box entry N.
TEST_F(CliStateTest, ReportSortOrdersTheDurationsAscendingByTheChosenKey)
{
    const std::string path = Save(World(DateRowAt(2000, 1, 29)));
    using Key = std::tuple<int, int, int>;
    struct Case {
        const char* sort;
        Key (*key)(const DurationLine&);
    };
    const Case cases[] = {
        {"0", [](const DurationLine& d) { return Key{d.minutes, 0, 0}; }},
        {"1", [](const DurationLine& d) { return Key{d.aspect, 0, 0}; }},
        {"2", [](const DurationLine& d) { return Key{d.body1, 0, 0}; }},
        {"3", [](const DurationLine& d) { return d.begins; }},
        {"4", [](const DurationLine& d) { return d.ends; }},
    };
    std::vector<std::string> byExactness;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sort);
        const Result r = RunCli({"report", path, "--sort", c.sort});
        ASSERT_EQ(r.code, kExitSuccess) << r.err;
        const ReportSections s = Sections(r.out, kWorldReportStart);
        ASSERT_EQ(s.report.size(), 24U);
        const std::vector<std::string> list(s.report.begin() + 2, s.report.end());
        std::vector<Key> keys;
        for (const std::string& line : list)
            keys.push_back(c.key(ParseDuration(line)));
        EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
        if (byExactness.empty())
            byExactness = list;
        else
            EXPECT_NE(list, byExactness);  // the order really changed
        std::vector<std::string> sortedList = list, sortedDefault = byExactness;
        std::sort(sortedList.begin(), sortedList.end());
        std::sort(sortedDefault.begin(), sortedDefault.end());
        EXPECT_EQ(sortedList, sortedDefault);  // the same lines, only reordered
    }
    // The earliest beginning comes first: the Uranus–Pluto sextile, in orb since June 1992.
    const ReportSections byBeginning = Sections(RunCli({"report", path, "--sort", "3"}).out, kWorldReportStart);
    ASSERT_GE(byBeginning.report.size(), 3U);
    EXPECT_EQ(byBeginning.report[2].rfind("Uranus  sextile (6°0')        Pluto   begins June 23, 1992,", 0), 0U)
        << byBeginning.report[2];
}

TEST_F(CliStateTest, ReportInRadiansWritesTheDeviationsAsRadians)
{
    const Result degrees = ReportOn(DateRowAt(2000, 1, 29));
    const Result radians = ReportOn(DateRowAt(2000, 1, 29), {"--radians"});
    ASSERT_EQ(radians.code, kExitSuccess) << radians.err;
    const ReportSections d = Sections(degrees.out, kWorldReportStart);
    const ReportSections r = Sections(radians.out, kWorldReportStart);
    EXPECT_EQ(r.title, d.title);
    ASSERT_EQ(r.cells.size(), d.cells.size());
    EXPECT_EQ(r.cells.front(), "2,3 Ea-Ma Tri 0.1372 -");
    for (size_t i = 0; i < r.cells.size(); ++i) {
        const CellLine inRadians = ParseCell(r.cells[i]);
        const CellLine inDegrees = ParseCell(d.cells[i]);
        EXPECT_EQ(std::tie(inRadians.row, inRadians.col, inRadians.aspect, inRadians.mark),
                  std::tie(inDegrees.row, inDegrees.col, inDegrees.aspect, inDegrees.mark));
        ASSERT_TRUE(std::regex_match(inRadians.deviation, std::regex(R"(\d\.\d{4})"))) << r.cells[i];
        int deg = 0, min = 0;
        ASSERT_EQ(std::sscanf(inDegrees.deviation.c_str(), "%d°%d'", &deg, &min), 2);
        // Four decimals of a radian are 0.17 minutes of arc: the two texts agree within that and rounding.
        const double minutesFromRadians = std::stod(inRadians.deviation) * 180.0 / kPi * 60.0;
        EXPECT_NEAR(minutesFromRadians, deg * 60 + min, 0.5 + 0.00005 * 180.0 / kPi * 60.0) << r.cells[i];
    }
    EXPECT_EQ(r.summary, d.summary);  // counts and patterns keep their degrees
}

TEST_F(CliStateTest, ReportInGermanUsesTheGermanTexts)
{
    const Result english = ReportOn(DateRowAt(2000, 1, 29));
    const Result german = ReportOn(DateRowAt(2000, 1, 29), {"--lang", "de"});
    ASSERT_EQ(german.code, kExitSuccess) << german.err;
    const ReportSections s = Sections(german.out, "Welttransite am ");
    EXPECT_EQ(s.title, "Welttransite (heliozentrisch).  Orben: 2° bis 8°");
    EXPECT_EQ(s.cells, Sections(english.out, kWorldReportStart).cells);  // abbreviations are the same
    EXPECT_EQ(CountStartingWith(s.summary, "Insgesamt 22 Aspekte."), 1);
    EXPECT_EQ(CountStartingWith(s.summary, "Grand trine: Ea-Ma-Pl (mittlere Abweichung 5°14')"), 1);
    ASSERT_EQ(s.report.size(), 24U);
    EXPECT_EQ(s.report[0], "Welttransite am 29.Januar 2000, 12:00 (GMT).    Orben: 2° bis 8°   ");
    EXPECT_TRUE(Contains(s.report[2], "Beginn: 15.März 1999,")) << s.report[2];
    EXPECT_TRUE(Contains(s.report[2], "Ende: 6.Dezember 2000")) << s.report[2];
    EXPECT_TRUE(Contains(s.report[2], "(1 Jahr, 268 Tage)")) << s.report[2];
    EXPECT_EQ(RunCli({"report", Save(World(DateRowAt(2000, 1, 29))), "--lang", "en"}).out, english.out);
}

TEST_F(CliStateTest, ReportInPersonalTransitsUsesTheSquareGridAndTheTransitList)
{
    const Result r = RunCli({"report", Save(InMode(StateMode::Personal1))});
    ASSERT_EQ(r.code, kExitSuccess) << r.err;
    const ReportSections s = Sections(r.out, "Personal transits to the birthdate ");
    // Orbs of personal transits are a third of the chosen ones.
    EXPECT_EQ(s.title, "Personal transits to the 1st birthdate (heliocentric).  Orbs: 0°40' to 2°40'");
    ASSERT_EQ(s.cells.size(), 7U);
    ExpectCellLayout(s.cells, true, true);
    EXPECT_EQ(s.cells.front(), "6,4 Ju-Ve Tri 2°30' -");  // natal Jupiter, transiting Venus
    EXPECT_EQ(s.summary, (std::vector<std::string>{"1 conjunction, 1 opposition, 1 square, 2 trines, 1 sextile, "
                                                   "1 quincunx. 7 aspects in total."}));
    ASSERT_EQ(s.report.size(), 9U);
    EXPECT_EQ(s.report[0], "Personal transits to the birthdate June 15, 1990, 08:30 (GMT+1:00) on Jan. 29, 2000, "
                           "12:00 (GMT).    Orbs: 0°40' to 2°40'   ");
    std::vector<std::tuple<int, int, int>> fromCells, fromReport;
    for (const std::string& line : s.cells) {
        const CellLine c = ParseCell(line);
        fromCells.emplace_back(c.body1, c.body2, c.aspect);  // natal body, transiting body
    }
    for (size_t i = 2; i < s.report.size(); ++i) {
        const DurationLine d = ParseDuration(s.report[i], "tr.", "nat.");
        fromReport.emplace_back(d.body2, d.body1, d.aspect);
    }
    std::sort(fromCells.begin(), fromCells.end());
    std::sort(fromReport.begin(), fromReport.end());
    EXPECT_EQ(fromReport, fromCells);

    // The personal list has a seventh sort entry: duration; the world list has only six.
    EXPECT_EQ(RunCli({"report", Save(InMode(StateMode::Personal1)), "--sort", "6"}).code, kExitSuccess);
    EXPECT_EQ(RunCli({"report", Save(InMode(StateMode::Personal1)), "--sort", "7"}).code, kExitUsage);
    EXPECT_EQ(RunCli({"report", Save(InMode(StateMode::WorldTransits)), "--sort", "6"}).code, kExitUsage);

    const Result second = RunCli({"report", Save(InMode(StateMode::Personal2))});
    ASSERT_EQ(second.code, kExitSuccess) << second.err;
    EXPECT_EQ(Lines(second.out)[0].rfind("Personal transits to the 2nd birthdate (heliocentric).", 0), 0U);
    EXPECT_TRUE(Contains(second.out, "\nPersonal transits to the birthdate Mar. 2, 1985, 20:00 (GMT-5:00) on Jan. 29"));
}

TEST_F(CliStateTest, ReportInNatalAndSynastryModesListsSentences)
{
    struct Case {
        StateMode mode;
        const char* title;
        const char* listingStart;
        const char* listingTitle;
        const char* heading;
        bool square;
        bool marked;
    };
    const Case cases[] = {
        {StateMode::Natal1, "Natal aspects of the 1st birthdate (heliocentric).  Orbs: 2° to 8°",
         "Natal aspects for ",
         "Natal aspects for June 15, 1990, 08:30 (GMT+1:00).    Orbs: 2° to 8°   Heliocentric longitudes.",
         "The natal chart has fourteen aspects:", false, true},
        {StateMode::Natal2, "Natal aspects of the 2nd birthdate (heliocentric).  Orbs: 2° to 8°",
         "Natal aspects for ",
         "Natal aspects for March 2, 1985, 20:00 (GMT-5:00).    Orbs: 2° to 8°   Heliocentric longitudes.",
         "The natal chart has ",
         false, true},
        {StateMode::Synastry, "Synastry of the 1st and 2nd birthdate (heliocentric).  Orbs: 0°40' to 2°40'",
         "Synastry of (1) ",
         "Synastry of (1) June 15, 1990, 08:30 (GMT+1:00) and (2) Mar. 2, 1985, 20:00 (GMT-5:00).    Orbs: 0°40' to "
         "2°40'   ",
         "The synastry has ten aspects:", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        const Result r = RunCli({"report", Save(InMode(c.mode))});
        ASSERT_EQ(r.code, kExitSuccess) << r.err;
        const ReportSections s = Sections(r.out, c.listingStart);
        EXPECT_EQ(s.title, c.title);
        ASSERT_FALSE(s.cells.empty());
        ExpectCellLayout(s.cells, c.square, c.marked);
        ASSERT_GE(s.report.size(), 4U);
        EXPECT_EQ(s.report[0], c.listingTitle);
        EXPECT_EQ(s.report[1], "");
        EXPECT_EQ(s.report[2].rfind(c.heading, 0), 0U) << s.report[2];
        EXPECT_EQ(s.report.back(), "All positions are heliocentric ecliptic longitudes (J2000).");
        // Every aspect of the grid is one sentence of the listing, with its exactness.
        for (const std::string& line : s.cells) {
            const CellLine cell = ParseCell(line);
            const std::string exactness = ", " + cell.deviation + " from exact.";
            EXPECT_TRUE(std::any_of(s.report.begin(), s.report.end(), [&](const std::string& sentence) {
                return Contains(sentence, " " + kAdjective[static_cast<size_t>(cell.aspect)] + " ") &&
                       Contains(sentence, exactness);
            })) << line;
        }
        if (c.mode == StateMode::Synastry) {
            EXPECT_TRUE(
                Contains(r.out, "Pluto(1) (17° in Scorpio) opposite Mars(2) (16° in Taurus), 0°27' from exact."));
            EXPECT_EQ(s.summary, std::vector<std::string>{
                                     "1 opposition, 1 square, 5 trines, 3 sextiles. 10 aspects in total."});
        }
        if (c.mode == StateMode::Natal1) {
            EXPECT_EQ(s.cells.size(), 14U);
            EXPECT_TRUE(Contains(r.out, "\nThe closest aspect is Earth (24° in Sagittarius) square Venus "
                                        "(25° in Pisces), 0°27' from exact.\n"));
            EXPECT_TRUE(Contains(r.out, "\nThere is a grand trine: Venus-Jupiter-Pluto\n"));
        }
    }
}

TEST_F(CliStateTest, ReportWithoutAnyAspectPrintsTheMessageInsteadOfTheList)
{
    struct Case {
        StateMode mode;
        const char* message;
    };
    const Case cases[] = {
        {StateMode::WorldTransits, "No aspects were found with the present orbs."},
        {StateMode::Natal1, "No aspects were found with the present orbs."},
        {StateMode::Personal1, "No personal transits were found with the present orbs."},
        {StateMode::Synastry, "No aspects were found with the present orbs."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const Result r = RunCli({"report", Save(InMode(c.mode, kNoOrbs))});
        ASSERT_EQ(r.code, kExitSuccess) << r.err;
        const ReportSections s = Sections(r.out, c.message);
        EXPECT_TRUE(s.cells.empty());
        ASSERT_FALSE(s.summary.empty());
        EXPECT_EQ(s.summary[0], "No aspects.");
        EXPECT_EQ(s.report, std::vector<std::string>{c.message});
    }
    // A sort entry the mode's list does not have is refused whether or not there are aspects.
    EXPECT_EQ(RunCli({"report", Save(InMode(StateMode::WorldTransits, kNoOrbs)), "--sort", "6"}).code, kExitUsage);
    EXPECT_EQ(RunCli({"report", Save(InMode(StateMode::Natal1)), "--sort", "1"}).code, kExitUsage);
    EXPECT_EQ(RunCli({"report", Save(InMode(StateMode::Synastry)), "--sort", "0"}).code, kExitSuccess);
}

TEST_F(CliStateTest, ReportRefusesBadStatesAndBadOptions)
{
    const std::string good = Save(World(DateRowAt(2000, 1, 29)), "good.qvs");

    // Lines as the file has them, each still ending in its CR.
    std::vector<std::string> lines = Lines(World(DateRowAt(2000, 1, 29)).Text());
    ASSERT_EQ(lines.size(), 51U);
    const auto join = [](const std::vector<std::string>& part) {
        std::string text;
        for (const std::string& line : part)
            text += line + "\n";
        return text;
    };
    const std::string truncated = m_folder.Write("short.qvs", join({lines.begin(), lines.begin() + 30}));
    lines[21] = " x \r";  // line 22: the step increment
    const std::string malformed = m_folder.Write("malformed.qvs", join(lines));

    StateFileLines noYear = World(DateRowAt(2000, 1, 29));
    noYear.rows[0].year.clear();
    StateFileLines noMonth = World(DateRowAt(2000, 1, 29));
    noMonth.rows[0].month = 0;
    StateFileLines natalNoDay = InMode(StateMode::Natal1);
    natalNoDay.rows[1].day = 0;
    StateFileLines february30 = World(DateRowAt(2000, 2, 30));
    StateFileLines year2800 = World(DateRowAt(2800, 1, 1));

    struct Case {
        std::vector<std::string> args;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {{"report", malformed}, kExitBadInput, "Line 22 of the state file: a number was expected, not “ x ”."},
        {{"report", truncated}, kExitBadInput, "The state file ends after line 30"},
        {{"report", m_folder.folder() + "missing.qvs"}, kExitBadInput, "cannot be read"},
        {{"report", Save(noYear, "noyear.qvs")}, kExitBadInput, "World date is incomplete."},
        {{"report", Save(noMonth, "nomonth.qvs")}, kExitBadInput, "World date is incomplete."},
        {{"report", Save(natalNoDay, "natal.qvs")}, kExitBadInput, "1st birthdate is incomplete."},
        {{"report", Save(february30, "feb30.qvs")}, kExitBadInput, "World date is not a valid date."},
        {{"report", Save(year2800, "y2800.qvs")}, kExitBadInput, "World date is too late"},
        {{"report", good, "--sort", "99"}, kExitUsage, "Not a valid value for --sort: 99"},
        {{"report", good, "--sort", "x"}, kExitUsage, "Not a valid value for --sort: x"},
        {{"report", good, "--sort", "-1"}, kExitUsage, "Not a valid value for --sort: -1"},
        {{"report", good, "--sort"}, kExitUsage, "The option --sort needs a value."},
        {{"report", good, "--lang", "fr"}, kExitUsage, "Not a valid value for --lang: fr"},
        {{"report", good, "--degrees"}, kExitUsage, "Unknown option: --degrees"},
        {{"report", good, good}, kExitUsage, "Unknown option: "},
        {{"report"}, kExitUsage, "The command report needs a state file."},
        {{"report", "--radians"}, kExitUsage, "The command report needs a state file."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        const Result r = RunCli(c.args);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(Contains(r.err, c.message)) << r.err;
        EXPECT_EQ(Contains(r.err, "Usage:"), c.code == kExitUsage) << r.err;
    }
}

// ----- find ----------------------------------------------------------------------------------------

TEST_F(CliStateTest, FindTakesThePatternByIndexOrByNameInAnyCase)
{
    const std::string expected = "Grand trine found.\nJanuary 29, 2000, 12:00 (GMT)\n";
    for (const char* pattern : {"0", "grand trine", "GRAND TRINE", "Grand Trine"}) {
        SCOPED_TRACE(pattern);
        const Result r = FindFrom(DateRowAt(2000, 1, 1), {"--pattern", pattern});
        EXPECT_EQ(r.code, kExitSuccess) << r.err;
        EXPECT_EQ(r.out, expected);
        EXPECT_EQ(r.err, "");
    }
    // The run names a T-square as the pattern list does.
    EXPECT_EQ(FindFrom(DateRowAt(2000, 1, 1), {"--pattern", "t-SQUARE"}).out,
              "T-square found.\nJanuary 12, 2000, 12:00 (GMT)\n");
    EXPECT_EQ(FindFrom(DateRowAt(2000, 1, 1), {"--pattern", "3"}).out,
              "T-square found.\nJanuary 12, 2000, 12:00 (GMT)\n");
}

TEST_F(CliStateTest, FindWithPlanetsNamesThemInTheOrderGiven)
{
    struct Case {
        const char* planets;
        const char* out;
    };
    const Case cases[] = {
        {"earth,MARS,Pl", "Grand trine found\ninvolving Earth Mars Pluto.\nJanuary 29, 2000, 12:00 (GMT)\n"},
        {"PLUTO,earth", "Grand trine found\ninvolving Pluto Earth.\nJanuary 29, 2000, 12:00 (GMT)\n"},
        // The only grand trine of January 29 leaves Venus out; the search goes on to one with Venus.
        {"venus", "Grand trine found\ninvolving Venus.\nFebruary 21, 2000, 12:00 (GMT)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.planets);
        const Result r = FindFrom(DateRowAt(2000, 1, 1), {"--pattern", "grand trine", "--planets", c.planets});
        EXPECT_EQ(r.code, kExitSuccess) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
    // On the day found, the report lists a grand trine with Venus.
    const ReportSections s = Sections(ReportOn(DateRowAt(2000, 2, 21)).out, kWorldReportStart);
    EXPECT_TRUE(std::any_of(s.summary.begin(), s.summary.end(), [](const std::string& line) {
        return line.rfind("Grand trine: ", 0) == 0 && Contains(line, "Ve");
    }));
}

TEST_F(CliStateTest, FindAtLeastStopsOnTheFirstDayWithThatManyPatterns)
{
    struct Case {
        const char* pattern;
        const char* atLeast;
        const char* message;
        const char* date;
        StateDateRow day;
        StateDateRow dayBefore;
        const char* line;
        int count;
    };
    const Case cases[] = {
        {"t-square", "4", "Four T-squares found.", "January 18, 2000, 12:00 (GMT)", DateRowAt(2000, 1, 18),
         DateRowAt(2000, 1, 17), "T-square: ", 4},
        // Two asked, three on the first day with two or more: the message counts what was found.
        {"grand trine", "2", "Three grand trines found.", "February 27, 2000, 12:00 (GMT)", DateRowAt(2000, 2, 27),
         DateRowAt(2000, 2, 26), "Grand trine: ", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const Result r = FindFrom(DateRowAt(2000, 1, 1), {"--pattern", c.pattern, "--at-least", c.atLeast});
        ASSERT_EQ(r.code, kExitSuccess) << r.err;
        const auto lines = Lines(r.out);
        ASSERT_EQ(lines.size(), 2U) << r.out;
        EXPECT_EQ(lines[0], c.message);
        EXPECT_EQ(lines[1], c.date);
        // The report agrees: that many patterns on the day found, fewer than asked the day before.
        const ReportSections day = Sections(ReportOn(c.day).out, kWorldReportStart);
        EXPECT_EQ(CountStartingWith(day.summary, c.line), c.count);
        const ReportSections before = Sections(ReportOn(c.dayBefore).out, kWorldReportStart);
        EXPECT_LT(CountStartingWith(before.summary, c.line), std::stoi(c.atLeast));
    }
}

TEST_F(CliStateTest, FindStepsByTheIncrementGivenOrStored)
{
    struct Case {
        std::vector<std::string> step;
        int storedStep;
        const char* date;
    };
    const Case cases[] = {
        {{"--step", "halfhour"}, 1, "January 12, 2000, 00:00 (GMT)"},
        {{"--step", "day"}, 0, "January 12, 2000, 12:00 (GMT)"},
        {{"--step", "week"}, 1, "January 15, 2000, 12:00 (GMT)"},
        {{"--step", "month"}, 1, "February 1, 2000, 12:00 (GMT)"},
        {{"--step", "year"}, 1, "January 1, 2002, 12:00 (GMT)"},
        {{}, 1, "January 12, 2000, 12:00 (GMT)"},  // the state's increment: one day
        {{}, 2, "January 15, 2000, 12:00 (GMT)"},  // one week
        {{}, 0, "January 12, 2000, 00:00 (GMT)"},  // half an hour
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        std::vector<std::string> options{"--pattern", "T-square"};
        options.insert(options.end(), c.step.begin(), c.step.end());
        const Result r = FindFrom(DateRowAt(2000, 1, 1), options, c.storedStep);
        EXPECT_EQ(r.code, kExitSuccess) << r.err;
        EXPECT_EQ(r.out, std::string("T-square found.\n") + c.date + "\n");
    }
    // Half an hour earlier there was none: the half-hour search stopped at the first moment with one.
    EXPECT_EQ(CountStartingWith(Sections(ReportOn(DateRowAt(2000, 1, 11, 23, 30)).out, kWorldReportStart).summary,
                                "T-square: "),
              0);
    EXPECT_GT(CountStartingWith(Sections(ReportOn(DateRowAt(2000, 1, 12, 0, 0)).out, kWorldReportStart).summary,
                                "T-square: "),
              0);
}

TEST_F(CliStateTest, FindStopsAfterMaxStepsWithNotFound)
{
    // The first T-square after January 1 is on January 12: the eleventh day step.
    const Result ten = FindFrom(DateRowAt(2000, 1, 1), {"--pattern", "3", "--max-steps", "10"});
    EXPECT_EQ(ten.code, kExitNotFound);
    EXPECT_EQ(ten.out, "");
    EXPECT_EQ(ten.err, "Not found within 10 steps.\n");
    const Result eleven = FindFrom(DateRowAt(2000, 1, 1), {"--pattern", "3", "--max-steps", "11"});
    EXPECT_EQ(eleven.code, kExitSuccess);
    EXPECT_EQ(eleven.out, "T-square found.\nJanuary 12, 2000, 12:00 (GMT)\n");
}

TEST_F(CliStateTest, FindNeverTestsTheStartingDate)
{
    // The grand trine of January 29 lasts into the next day: a search from the 29th finds the 30th.
    const Result r = FindFrom(DateRowAt(2000, 1, 29), {"--pattern", "grand trine"});
    EXPECT_EQ(r.code, kExitSuccess) << r.err;
    EXPECT_EQ(r.out, "Grand trine found.\nJanuary 30, 2000, 12:00 (GMT)\n");
}

TEST_F(CliStateTest, FindWorksInWorldTransitsWhateverModeTheStateWasSavedIn)
{
    const std::string expected = "Grand trine found.\nJanuary 29, 2000, 12:00 (GMT)\n";
    for (const StateMode mode : {StateMode::Natal2, StateMode::Personal1, StateMode::Synastry}) {
        StateFileLines state = World(DateRowAt(2000, 1, 1));
        state.mode = mode;
        const Result r = RunCli({"find", Save(state), "--pattern", "0"});
        EXPECT_EQ(r.code, kExitSuccess) << r.err;
        EXPECT_EQ(r.out, expected);
    }
}

TEST_F(CliStateTest, FindEndsWithTheDateMessageBeyondTheLastDate)
{
    // No grand sextile in the last month of 2799: the step into 2800 is refused and ends the search.
    struct Case {
        StateDateRow start;
        std::vector<std::string> step;
    };
    const Case cases[] = {
        {DateRowAt(2799, 12, 1), {}},
        {DateRowAt(2799, 12, 31, 23, 0), {"--step", "halfhour"}},
        {DateRowAt(2799, 6, 1), {"--step", "year"}},
        {DateRowAt(2799, 10, 15), {"--step", "month"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start.year + "-" + std::to_string(c.start.month));
        std::vector<std::string> options{"--pattern", "grand sextile"};
        options.insert(options.end(), c.step.begin(), c.step.end());
        const Result r = FindFrom(c.start, options);
        EXPECT_EQ(r.code, kExitBadInput);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "World date is too late (the latest date is December 31, 2799).\n");
    }
}

TEST_F(CliStateTest, FindRefusesAWorldDateTheDateInputRejects)
{
    StateFileLines noYear = World(DateRowAt(2000, 1, 1));
    noYear.rows[0].year.clear();
    StateFileLines noMonth = World(DateRowAt(2000, 1, 29));
    noMonth.rows[0].month = 0;
    StateFileLines noDay = World(DateRowAt(2000, 1, 29));
    noDay.rows[0].day = 0;
    for (const StateFileLines& state : {noYear, noMonth, noDay}) {
        const Result r = RunCli({"find", Save(state), "--pattern", "0"});
        EXPECT_EQ(r.code, kExitBadInput) << r.out;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "World date is incomplete.\n");
    }
}

TEST_F(CliStateTest, FindRefusesBadOptions)
{
    const std::string state = Save(World(DateRowAt(2000, 1, 1)));
    struct Case {
        std::vector<std::string> options;
        const char* message;
    };
    const Case cases[] = {
        {{"--pattern", "kites"}, "Unknown pattern: kites"},
        {{"--pattern", "14"}, "Unknown pattern: 14"},
        {{"--pattern", "-1"}, "Unknown pattern: -1"},
        {{"--pattern", ""}, "Unknown pattern: "},
        {{}, "The option --pattern needs a value."},
        {{"--pattern"}, "The option --pattern needs a value."},
        {{"--pattern", "0", "--planets", "earth,moon"}, "Unknown body: moon"},
        {{"--pattern", "0", "--planets", "earth,,mars"}, "Unknown body: "},
        {{"--pattern", "0", "--planets", "earth,mars,EARTH"}, "Planet specified more than once."},
        {{"--pattern", "0", "--planets", "Ma,mars"}, "Planet specified more than once."},
        {{"--pattern", "0", "--planets", "earth,mars,pluto,venus"}, "Not a valid value for --planets"},
        {{"--pattern", "0", "--at-least", "1"}, "Not a valid value for --at-least: 1"},
        {{"--pattern", "0", "--at-least", "10"}, "Not a valid value for --at-least: 10"},
        {{"--pattern", "0", "--at-least", "two"}, "Not a valid value for --at-least: two"},
        {{"--pattern", "0", "--step", "fortnight"}, "Not a valid value for --step: fortnight"},
        {{"--pattern", "0", "--max-steps", "0"}, "Not a valid value for --max-steps: 0"},
        {{"--pattern", "0", "--max-steps", "many"}, "Not a valid value for --max-steps: many"},
        {{"--pattern", "0", "--sort", "1"}, "Unknown option: --sort"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        std::vector<std::string> args{"find", state};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Result r = RunCli(args);
        EXPECT_EQ(r.code, kExitUsage) << r.out;
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(Contains(r.err, c.message)) << r.err;
    }
    const Result noState = RunCli({"find", "--pattern", "0"});
    EXPECT_EQ(noState.code, kExitUsage);
    EXPECT_TRUE(Contains(noState.err, "The command find needs a state file.")) << noState.err;
}

// ----- positions STATE -----------------------------------------------------------------------------

TEST_F(CliStateTest, PositionsOfAStateAreThoseOfItsWorldMoment)
{
    struct Case {
        StateDateRow world;
        const char* jd;  // worked out by hand from the date, the clock time and the zone
    };
    const Case cases[] = {
        {DateRowAt(2000, 1, 1, 12, 0, 0), "2451545.0"},
        {DateRowAt(2000, 1, 1, 12, 0, 60), "2451544.958333333"},     // 11:00 UT
        {DateRowAt(1999, 12, 31, 23, 30, -300), "2451544.6875"},     // 04:30 UT of January 1
        {DateRowAt(2009, 8, 31, 12, 0, 0), "2455075.0"},             // 3288 + 242 days after J2000
        {DateRowAt(1700, 3, 1, 0, 0, 330), "2342031.2708333333"},    // JDN 2342032, 18:30 UT of Feb 28
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.jd);
        const Result fromState = PositionsOn(c.world);
        ASSERT_EQ(fromState.code, kExitSuccess) << fromState.err;
        EXPECT_EQ(fromState.err, "");
        ExpectSamePositions(fromState.out, RunCli({"positions", "--jd", c.jd}).out);
    }
    // The state's mode does not matter: the world date's moment is used.
    StateFileLines natal = InMode(StateMode::Natal1);
    ExpectSamePositions(RunCli({"positions", Save(natal)}).out, RunCli({"positions", "--jd", "2451573.0"}).out);
}

TEST_F(CliStateTest, PositionsOfAStateWithoutHourAndZoneTakeNoonAndTheComputersZone)
{
    // The computer's zone is GMT+1:00 (3600 seconds west is −3600).
    const platform::FixedClock clock({2024, 5, 5, 10, 0, 0}, -3600);
    StateFileLines state = World({1, 1, "2000", 0, 0});
    const Result r = RunCli({"positions", Save(state)}, &clock);
    ASSERT_EQ(r.code, kExitSuccess) << r.err;
    ExpectSamePositions(r.out, RunCli({"positions", "--jd", "2451544.958333333"}).out);

    StateFileLines incomplete = World({1, 1, "", 25, 24});
    const Result bad = RunCli({"positions", Save(incomplete)});
    EXPECT_EQ(bad.code, kExitBadInput);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, "World date is incomplete.\n");
    EXPECT_EQ(RunCli({"positions", Save(state), "--jd", "2451545"}).code, kExitUsage);
}

// ----- Real dates, checked by hand from the printed positions --------------------------------------

// January 29, 2000, 12:00 GMT (JD 2451573.0), orbs 8° (con, opp, sqr, tri), 6° sextile, 2° semisextile,
// 3° quincunx. positions --jd 2451573.0 prints
//   Earth 128.888017, Mars 16.749655, Uranus 316.723169, Pluto 250.728333.
// Earth–Mars:   128.888017 − 16.749655  = 112.138362 → 7.861638° from 120°  < 8 → trine (7°52')
// Earth–Pluto:  250.728333 − 128.888017 = 121.840316 → 1.840316° from 120°  < 8 → trine (1°50')
// Mars–Pluto:   360 − (250.728333 − 16.749655) = 126.021322 → 6.021322°    < 8 → trine (6°1')
// Mean deviation (7.861638 + 1.840316 + 6.021322) / 3 = 5.241092° = 5°14.5' → "5°14'".
// The kite adds Uranus: opposite Earth 360 − 187.835152 = 172.164848 → 7.835152° < 8; sextile Mars
// 60.026486 → 0.026486° < 6; sextile Pluto 65.994836 → 5.994836° < 6 (just).
// Mean of the six: (15.723276 + 7.835152 + 0.026486 + 5.994836) / 6 = 4.929958° = 4°55.8' → "4°56'".
// The day before (JD 2451572.0): Earth 127.871998, Mars 16.140593 → 111.731405, 8.268595° from the
// trine: out of orb, so a search from January 1 first meets the grand trine on January 29.
TEST_F(CliStateTest, RealDateGrandTrineOfEarthMarsPlutoOn29January2000)
{
    const auto positions = Lines(RunCli({"positions", "--jd", "2451573.0"}).out);
    ASSERT_EQ(positions.size(), 9U);
    EXPECT_NEAR(Longitude(positions[0]), 128.888017, 2e-6);
    EXPECT_NEAR(Longitude(positions[3]), 16.749655, 2e-6);
    EXPECT_NEAR(Longitude(positions[6]), 316.723169, 2e-6);
    EXPECT_NEAR(Longitude(positions[8]), 250.728333, 2e-6);

    const ReportSections s = Sections(ReportOn(DateRowAt(2000, 1, 29)).out, kWorldReportStart);
    EXPECT_EQ(CountStartingWith(s.summary, "Grand trine: "), 1);
    EXPECT_EQ(CountStartingWith(s.summary, "Grand trine: Ea-Ma-Pl (mean deviation 5°14')"), 1);
    EXPECT_EQ(CountStartingWith(s.summary, "Kite: Ea-Ma-Pl-Ur (mean deviation 4°56')"), 1);
    for (const char* cell : {"2,3 Ea-Ma Tri 7°52' -", "2,8 Ea-Pl Tri 1°50' -", "5,8 Ma-Pl Tri 6°1' +"})
        EXPECT_NE(std::find(s.cells.begin(), s.cells.end(), cell), s.cells.end()) << cell;

    const ReportSections before = Sections(ReportOn(DateRowAt(2000, 1, 28)).out, kWorldReportStart);
    EXPECT_EQ(CountStartingWith(before.summary, "Grand trine: "), 0);
    EXPECT_EQ(CountStartingWith(before.cells, "2,3 "), 0);  // no Earth–Mars aspect

    const Result found = FindFrom(DateRowAt(2000, 1, 1), {"--pattern", "Grand trine", "--planets", "ea,ma,pl"});
    EXPECT_EQ(found.code, kExitSuccess) << found.err;
    EXPECT_EQ(found.out, "Grand trine found\ninvolving Earth Mars Pluto.\nJanuary 29, 2000, 12:00 (GMT)\n");
    EXPECT_EQ(FindFrom(DateRowAt(2000, 1, 1), {"--pattern", "kite"}).out,
              "Kite found.\nJanuary 29, 2000, 12:00 (GMT)\n");
}

// August 31, 2009, 12:00 GMT (JD 2455075.0), same orbs. positions prints
//   Saturn 174.271600, Uranus 354.314676, Pluto 272.245139.
// Saturn–Uranus: 354.314676 − 174.271600 = 180.043076 → separation 179.956924, 0.043076° from 180° < 8
//                → opposition (0°2.6' → "0°3'")
// Saturn–Pluto:  272.245139 − 174.271600 = 97.973539 → 7.973539° from 90° < 8 → square (7°58')
// Uranus–Pluto:  354.314676 − 272.245139 = 82.069537 → 7.930463° from 90° < 8 → square (7°56')
// T-square Saturn ☍ Uranus with Pluto the apex, printed Sa-Pl-Ur; mean (0.043076 + 7.973539 +
// 7.930463) / 3 = 5.315693° = 5°18.9' → "5°19'".
// The day before (JD 2455074.0): Saturn 174.237486, Pluto 272.239306 → 98.001820, 8.001820° from the
// square: out of orb, so a day-by-day search from 2009 for this T-square stops on August 31.
TEST_F(CliStateTest, RealDateTSquareOfSaturnUranusPlutoOn31August2009)
{
    const auto positions = Lines(RunCli({"positions", "--jd", "2455075.0"}).out);
    ASSERT_EQ(positions.size(), 9U);
    EXPECT_NEAR(Longitude(positions[5]), 174.271600, 2e-6);
    EXPECT_NEAR(Longitude(positions[6]), 354.314676, 2e-6);
    EXPECT_NEAR(Longitude(positions[8]), 272.245139, 2e-6);
    const auto dayBefore = Lines(RunCli({"positions", "--jd", "2455074.0"}).out);
    ASSERT_EQ(dayBefore.size(), 9U);
    EXPECT_NEAR(Longitude(dayBefore[5]), 174.237486, 2e-6);
    EXPECT_NEAR(Longitude(dayBefore[8]), 272.239306, 2e-6);

    const ReportSections s = Sections(ReportOn(DateRowAt(2009, 8, 31)).out, kWorldReportStart);
    EXPECT_EQ(CountStartingWith(s.summary, "T-square: Sa-Pl-Ur (mean deviation 5°19')"), 1);
    for (const char* cell : {"7,6 Sa-Ur Opp 0°3' -", "7,8 Sa-Pl Sqr 7°58' -", "8,8 Ur-Pl Sqr 7°56' -"})
        EXPECT_NE(std::find(s.cells.begin(), s.cells.end(), cell), s.cells.end()) << cell;

    const ReportSections before = Sections(ReportOn(DateRowAt(2009, 8, 30)).out, kWorldReportStart);
    EXPECT_EQ(CountStartingWith(before.summary, "T-square: Sa-Pl-Ur"), 0);
    EXPECT_EQ(CountStartingWith(before.cells, "7,8 "), 0);  // no Saturn–Pluto aspect

    const Result found =
        FindFrom(DateRowAt(2009, 1, 1), {"--pattern", "T-square", "--planets", "saturn,uranus,pluto"});
    EXPECT_EQ(found.code, kExitSuccess) << found.err;
    EXPECT_EQ(found.out, "T-square found\ninvolving Saturn Uranus Pluto.\nAugust 31, 2009, 12:00 (GMT)\n");
}

// June 29, 2027, 12:00 GMT (JD 2461586.0), same orbs. positions prints
//   Jupiter 152.457609, Neptune 4.292041, Pluto 305.431944.
// Neptune–Pluto: 4.292041 + 360 − 305.431944 = 58.860097 → 1.139903° from 60° < 6 → sextile (1°8')
// Jupiter–Neptune: 152.457609 − 4.292041 = 148.165568 → 1.834432° from 150° < 3 → quincunx (1°50')
// Jupiter–Pluto: 305.431944 − 152.457609 = 152.974335 → 2.974335° from 150° < 3 → quincunx (2°58')
// Yod: the sextile pair Neptune, Pluto with Jupiter the apex, printed Ne-Ju-Pl; mean (1.139903 +
// 1.834432 + 2.974335) / 3 = 1.982890° = 1°58.97' → "1°59'".
// The day before (JD 2461585.0): Jupiter 152.380120, Pluto 305.427361 → 153.047241, 3.047241° from the
// quincunx: out of orb, so the first day of this yod in 2027 is June 29.
TEST_F(CliStateTest, RealDateYodOfNeptunePlutoWithJupiterOn29June2027)
{
    const auto positions = Lines(RunCli({"positions", "--jd", "2461586.0"}).out);
    ASSERT_EQ(positions.size(), 9U);
    EXPECT_NEAR(Longitude(positions[4]), 152.457609, 2e-6);
    EXPECT_NEAR(Longitude(positions[7]), 4.292041, 2e-6);
    EXPECT_NEAR(Longitude(positions[8]), 305.431944, 2e-6);
    const auto dayBefore = Lines(RunCli({"positions", "--jd", "2461585.0"}).out);
    ASSERT_EQ(dayBefore.size(), 9U);
    EXPECT_NEAR(Longitude(dayBefore[4]), 152.380120, 2e-6);
    EXPECT_NEAR(Longitude(dayBefore[8]), 305.427361, 2e-6);

    const ReportSections s = Sections(ReportOn(DateRowAt(2027, 6, 29)).out, kWorldReportStart);
    EXPECT_EQ(CountStartingWith(s.summary, "Yod: "), 1);
    EXPECT_EQ(CountStartingWith(s.summary, "Yod: Ne-Ju-Pl (mean deviation 1°59')"), 1);
    for (const char* cell : {"6,7 Ju-Ne Qui 1°50' -", "6,8 Ju-Pl Qui 2°58' -", "9,8 Ne-Pl Sxt 1°8' -"})
        EXPECT_NE(std::find(s.cells.begin(), s.cells.end(), cell), s.cells.end()) << cell;

    const ReportSections before = Sections(ReportOn(DateRowAt(2027, 6, 28)).out, kWorldReportStart);
    EXPECT_EQ(CountStartingWith(before.summary, "Yod: "), 0);
    EXPECT_EQ(CountStartingWith(before.cells, "6,8 "), 0);  // no Jupiter–Pluto aspect

    const Result found = FindFrom(DateRowAt(2027, 1, 1), {"--pattern", "yod", "--planets", "ju,ne,pl"});
    EXPECT_EQ(found.code, kExitSuccess) << found.err;
    EXPECT_EQ(found.out, "Yod found\ninvolving Jupiter Neptune Pluto.\nJune 29, 2027, 12:00 (GMT)\n");
}

}  // namespace
}  // namespace orvane::cli
