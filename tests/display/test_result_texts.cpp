#include "display/result_texts.h"

#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace orvane::display {
namespace {

using core::Body;

double Rad(double degrees)
{
    return degrees / 360.0 * core::kTwoPi;
}

class ResultTexts : public testing::ProgramTest {
protected:
    const core::AstroTables& tables = program->astro.tables;
    const text::Language& language = program->language;
};

// A body without a position shows why; the cells' other texts stand in the companion's reports.
TEST_F(ResultTexts, PositionMarks)
{
    EXPECT_EQ(PositionCellText(tables, {std::nullopt, core::NoPosition::BeforePlutoTable}, false), "<");
    EXPECT_EQ(PositionCellText(tables, {std::nullopt, core::NoPosition::AfterPlutoTable}, true), ">");
    EXPECT_EQ(PositionCellText(tables, {std::nullopt, core::NoPosition::NoEphemeris}, false), "?");
}

// Each pattern's lines are followed by an empty line in the summary, the midpoints last without one; the
// lines name the bodies by abbreviation with the mean deviation, or by name alone.
TEST_F(ResultTexts, SummaryAndPatternLines)
{
    core::AspectResult result;
    result.aspects = {{Body::Earth, Body::Jupiter, core::Aspect::Trine}, {Body::Earth, Body::Neptune, core::Aspect::Trine},
                      {Body::Jupiter, Body::Neptune, core::Aspect::Trine}};
    result.patterns = {{core::kPatternGrandTrine, {Body::Earth, Body::Jupiter, Body::Neptune}, Rad(2.0 / 3)},
                       {core::kPatternGrandSextile, {Body::Earth, Body::Venus, Body::Jupiter, Body::Mercury,
                                                     Body::Mars, Body::Saturn}, std::nullopt},
                       {core::kPatternMidpoint, {Body::Venus, Body::Earth, Body::Mars}, std::nullopt}};
    EXPECT_EQ(OneMomentSummary(tables, language, result),
              "3 trines\r\n3 aspects in total.\r\n\r\nGrand trine: Ea-Ju-Ne (mean deviation 0°40')\r\n\r\n"
              "Grand sextile: Ea-Ve-Ju-Me-Ma-Sa\r\n\r\nMidpoint: Ve-Ea-Ma\r\n");
    EXPECT_EQ(PatternLines(tables, language, result.patterns, true),
              "Earth-Jupiter-Neptune\r\nEarth-Venus-Jupiter-Mercury-Mars-Saturn\r\nVenus-Earth-Mars\r\n");
}

// Degrees and minutes as the one degree formatter writes them (minutes rounded, 29.999999° carried to the
// next degree), or radians with four decimals.
TEST_F(ResultTexts, Deviations)
{
    struct Case { double deviation; bool radians; const char* text; };
    const Case cases[] = {
        {Rad(2.25), false, "2°15'"},     {Rad(2.25), true, "0.0393"},     {0.0, false, "0°0'"},
        {0.0, true, "0.0000"},           {Rad(2.4 / 60), false, "0°2'"},  {Rad(2.6 / 60), false, "0°3'"},
        {Rad(29.999999), false, "30°0'"}, {Rad(7.0), true, "0.1222"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DeviationText(c.deviation, c.radians), c.text) << c.deviation << (c.radians ? " radians" : "");
}

// The abbreviation, a line break, the deviation, and " -" applying or " +" separating.
TEST_F(ResultTexts, AspectCells)
{
    struct Case { core::Aspect aspect; double deviation; core::Motion motion; bool radians; const char* text; };
    const Case cases[] = {
        {core::Aspect::Square, Rad(2.25), core::Motion::Applying, false, "Sqr\r\n2°15' -"},
        {core::Aspect::Trine, Rad(2.25), core::Motion::Separating, true, "Tri\r\n0.0393 +"},
        {core::Aspect::Opposition, Rad(0.5), core::Motion::Neither, false, "Opp\r\n0°30'"},
        {core::Aspect::Quincunx, 0.0, core::Motion::Separating, false, "Qui\r\n0°0' +"},
        {core::Aspect::Semisextile, Rad(1.0), core::Motion::Applying, true, "Ssx\r\n0.0175 -"},
    };
    for (const Case& c : cases) {
        const core::AspectFound found{Body::Earth, Body::Mars, c.aspect, c.deviation, c.motion, false};
        EXPECT_EQ(AspectCellText(tables, found, c.radians), c.text);
    }
}

// One line: the counts of the kinds found, in aspect order, and the total when there are two or more.
TEST_F(ResultTexts, TwoMomentSummaries)
{
    using core::Aspect;
    text::Language german = language;
    german.currentLanguage = text::langGerman;
    struct Case { std::vector<Aspect> aspects; const char* english; const char* german; };
    const Case cases[] = {
        {{}, "No aspects.", "Keine Aspekte."},
        {{Aspect::Trine}, "1 trine", "1 trine"},
        {{Aspect::Trine, Aspect::Square, Aspect::Square}, "2 squares, 1 trine. 3 aspects in total.",
         "2 squares, 1 trine. Insgesamt 3 Aspekte."},
        {{Aspect::Quincunx, Aspect::Conjunction, Aspect::Quincunx}, "1 conjunction, 2 quincunxes. 3 aspects in total.",
         "1 conjunction, 2 quincunxes. Insgesamt 3 Aspekte."},
    };
    for (const Case& c : cases) {
        core::AspectResult result;
        result.comparison = core::Comparison::Transits;
        for (const Aspect aspect : c.aspects)
            result.aspects.push_back({Body::Earth, Body::Mars, aspect});
        EXPECT_EQ(TwoMomentSummary(tables, language, result), c.english);
        EXPECT_EQ(TwoMomentSummary(tables, german, result), c.german);
    }
}

// The triangle: body b's position in row 0, column b − 1 (cell b − 1); the aspect of bodies p1 < p2 in
// row p1 + 1, column p2 − 1, of the nine columns. A body not in use leaves its cell empty.
TEST_F(ResultTexts, OneMomentGrid)
{
    GridModel grid;
    grid.LayOutTriangleGrid(tables);
    core::AspectResult result;
    result.positions[0][Body::Earth].longitude = Rad(45.5);
    result.positions[0][Body::Jupiter].longitude = Rad(137.75);
    result.positions[0][Body::Mars].missing = core::NoPosition::NoEphemeris;
    result.aspects = {{Body::Earth, Body::Jupiter, core::Aspect::Square, Rad(2.25), core::Motion::Applying, true}};
    WriteResultIntoGrid(grid, tables, result, false);

    const auto& cells = grid.cellTexts;
    EXPECT_EQ(std::tuple(cells[0].text, cells[0].backColor, cells[0].foreColor),
              std::tuple(std::string("45°30'\r\n15Tau30"), core::RGB(230, 255, 230), 0.0));
    EXPECT_EQ(cells[4].text, "137°45'\r\n17Leo45");
    EXPECT_EQ(cells[3].text, "?");
    EXPECT_EQ(cells[8].text, "");  // Pluto: not in use
    const GridCell& square = cells[2 * 9 + 4];
    EXPECT_EQ(std::tuple(square.text, square.bold, square.foreColor),
              std::tuple(std::string("Sqr\r\n2°15' -"), true, tables.aspectColors[core::kSquare]));
}

// The square: positions of the first moment in row 0 from column 2 (body b in column b + 1), of the
// second in column 0 from row 2 (body b in row b + 1); the aspect of the second moment's body p1 and the
// first's p2 in row p1 + 1, column p2 + 1, of the eleven columns.
TEST_F(ResultTexts, TwoMomentGrid)
{
    GridModel grid;
    grid.LayOutSquareGrid(tables, language, core::Mode::PersonalTransits1st);
    core::AspectResult result;
    result.comparison = core::Comparison::Transits;
    result.positions[0][Body::Venus].longitude = Rad(100);
    result.positions[1][Body::Mars].longitude = Rad(191);
    result.aspects = {{Body::Mars, Body::Venus, core::Aspect::Square, Rad(1), core::Motion::Separating, false}};
    WriteResultIntoGrid(grid, tables, result, true);

    const auto& cells = grid.cellTexts;
    EXPECT_EQ(cells[4].text, "1.7453");
    EXPECT_EQ(std::tuple(cells[5 * 11].text, cells[5 * 11].backColor), std::tuple(std::string("3.3336"), core::RGB(230, 255, 230)));
    const GridCell& square = cells[5 * 11 + 4];
    EXPECT_EQ(std::tuple(square.text, square.bold, square.foreColor),
              std::tuple(std::string("Sqr\r\n0.0175 +"), false, tables.aspectColors[core::kSquare]));
}

}  // namespace
}  // namespace orvane::display
