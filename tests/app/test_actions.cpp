#include "app/actions.h"

#include "datetime/datepr2.h"
#include "datetime/stepping.h"
#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <tuple>

namespace orvane::app {
namespace {

using core::Mode;

using core::kConjunction;
using core::kTrine;
using datetime::StepIncrement;
using testing::Jdn;
using testing::Moment;
using testing::RowDate;
using Kind = CellClickOutcome::Kind;

class ActionsTest : public testing::ProgramTest {
protected:
    static RowDate WorldDate()
    {
        const MainModel& m = program->main;
        return {std::stoi(m.yearTexts[0]), m.monthLists[0].ListIndex(), m.dayLists[0].ListIndex(),
                m.halfHourLists[0].ListIndex()};
    }

    static StepOutcome StepBy(StepIncrement increment, bool forward)
    {
        program->main.stepIncrement.SetListIndex(static_cast<int16_t>(increment));
        return program->Step(forward ? Direction::Forward : Direction::Back);
    }

    // The beginning and end the searches find for an aspect of the current computation.
    static std::pair<std::optional<core::DayNumber>, std::optional<core::DayNumber>>
    Span(const core::AspectSpanContext& context, core::Body p1, core::Body p2, core::Aspect a, int16_t k)
    {
        return {core::BeginningOfAspect(program->astro, context, p1, p2, a, k),
                core::EndOfAspect(program->astro, context, p1, p2, a, k)};
    }

    static const core::AspectNames& Aspect(int16_t a) { return program->astro.tables.AspectText[platform::At(a)]; }
    static std::string Date(std::optional<core::DayNumber> day) { return datetime::DateText(day.value_or(0), false, 0); }
};

// ----- Stepping -------------------------------------------------------------------------------------

// A month step from 31 May lands on a day June lacks, corrected to its last; Compute runs on the new date.
TEST_F(ActionsTest, AStepCorrectsTheDayAndRecomputes)
{
    SetRow(core::kWorldDateRow, {2000, 5, 31, 25}, 0);
    const StepOutcome outcome = StepBy(StepIncrement::Month, true);
    EXPECT_TRUE(outcome.compute.computed && !outcome.undone);
    EXPECT_EQ(WorldDate(), (RowDate{2000, 6, 30, 25}));
    EXPECT_NEAR(program->main.moments[0], Jdn(2000, 6, 30), 1e-6);
    EXPECT_NEAR(program->main.result.positions[0][core::Body::Earth].longitude.value(),
                program->astro.HelioLongitude(core::Body::Earth, Jdn(2000, 6, 30)), 1e-9);
}

TEST_F(ActionsTest, StepClearsThePatternCountsAndLeavesTheBirthdate)
{
    // Personal transits search no patterns, so whatever the counts hold after the step was set by the step.
    program->main.SelectMode(Mode::PersonalTransits1st);
    SetRow(core::kFirstBirthdateRow, {1980, 7, 4, 17}, 60);
    SetOrbs({60, 60, 60, 60, 60, 60, 60});
    ASSERT_TRUE(program->Compute().computed);
    const double birth = program->main.moments[1];
    const std::vector<int16_t> cellsBefore = AspectCells();
    program->main.patternCounts.fill(3);

    ASSERT_TRUE(StepBy(StepIncrement::Year, true).compute.computed);

    EXPECT_EQ(program->main.patternCounts, (std::array<int16_t, core::kNumPatterns>{}));
    EXPECT_EQ(program->main.yearTexts[1], "1980");
    EXPECT_EQ(program->main.dayLists[1].ListIndex(), 4);
    EXPECT_DOUBLE_EQ(program->main.moments[1], birth);
    EXPECT_NEAR(program->main.moments[0], Moment({2001, 1, 1, 25}, 0), 1e-6);
    EXPECT_NE(AspectCells(), cellsBefore);  // a year later the transits stand elsewhere
}

TEST_F(ActionsTest, AStepIntoARefusedYearIsUndone)
{
    struct Case {
        const char* name;
        StepIncrement increment;
        bool forward;
        RowDate from;
        const char* yearText;  // the year as typed
    };
    const Case cases[] = {
        {"half hour past the last year", StepIncrement::HalfHour, true, {2799, 12, 31, 48}, "2799"},
        {"year before the first year", StepIncrement::Year, false, {1, 3, 31, 25}, "01"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        SetRow(core::kWorldDateRow, c.from, -300);
        program->main.yearTexts[0] = c.yearText;
        program->main.startupCompleted = true;
        ASSERT_TRUE(program->Compute().computed);
        const MainModel before = program->main;
        const display::GridModel gridBefore = program->grid;

        const StepOutcome outcome = StepBy(c.increment, c.forward);

        EXPECT_TRUE(outcome.undone && !outcome.compute.computed);
        EXPECT_EQ(outcome.compute.dates.error().text.rfind(Text(4), 0), 0U);  // the world date's error
        const MainModel& after = program->main;
        EXPECT_EQ(std::tuple(after.yearTexts[0], after.monthLists[0], after.dayLists[0], after.halfHourLists[0],
                             after.zoneLists[0]),
                  std::tuple(std::string(c.yearText), before.monthLists[0], before.dayLists[0], before.halfHourLists[0],
                             before.zoneLists[0]));
        EXPECT_EQ(program->grid.cellTexts, gridBefore.cellTexts);
        // The date before the step computes again as it did.
        ASSERT_TRUE(program->Compute().computed);
        EXPECT_DOUBLE_EQ(program->main.moments[0], before.moments[0]);
    }
}

// A moment picked on the timeline goes into the world date row in its zone, to the half hour; one after
// 31 December 2799 leaves the row as it was, also in a natal chart, which never converts the world date.
TEST_F(ActionsTest, AWorldDateSetToAMomentOrRefused)
{
    for (const Mode mode : {Mode::WorldTransits, Mode::Natal1st}) {
        SetUp();
        SetRow(core::kWorldDateRow, {2799, 12, 31, 25}, -300);
        program->main.SelectMode(mode);
        program->main.startupCompleted = true;
        const ComputeOutcome refused = program->SetWorldDate(Moment({2800, 6, 1, 25}, -300));
        EXPECT_TRUE(!refused.computed && refused.dates.error().text.rfind(Text(4), 0) == 0);  // the world date's
        EXPECT_EQ(WorldDate(), (RowDate{2799, 12, 31, 25}));
        EXPECT_EQ(program->main.zoneLists[0].ListIndex(), 14);  // GMT-5:00
        // 10:14 GMT is 05:14 five hours west, written as 05:00 in the row.
        EXPECT_TRUE(program->SetWorldDate(Moment({2000, 3, 1, 21}, 0) + 14 / 1440.0).computed);
        EXPECT_EQ(WorldDate(), (RowDate{2000, 3, 1, 11}));
    }
}

// ----- The click on a cell ---------------------------------------------------------------------------

TEST_F(ActionsTest, CellsWithoutAnAspectOrWithoutDurationsOnlyMoveTheFocus)
{
    SetOrbs({60, 60, 60, 120, 60, 60, 60});
    ASSERT_TRUE(program->Compute().computed);
    ASSERT_NE(CellAspect(43), 0);  // Venus trine Neptune
    // An aspect cell of the triangle that holds no aspect.
    int16_t empty = -1;
    for (int16_t i = 2 * 9; i < 90 && empty < 0; ++i)
        if (i % 9 > i / 9 - 2 && Cell(i).text.empty())
            empty = i;
    ASSERT_GE(empty, 0);
    // Position, column header, diagonal header, the empty aspect cell, a hidden cell.
    for (const int16_t cell : {int16_t{0}, int16_t{9}, int16_t{18}, empty, int16_t{45}})
        EXPECT_EQ(program->ClickCell(cell).kind, Kind::Nothing) << "cell " << cell;

    // An aspect switched off by colour 0 only moves the focus.
    program->astro.tables.aspectColors[kTrine] = 0.0;
    EXPECT_EQ(program->ClickCell(43).kind, Kind::FocusOnly);
    program->astro.tables.aspectColors = colors;

    // Fixed moments have no beginning or end: every cell, aspect or not, only moves the focus.
    for (const Mode mode : {Mode::Natal1st, Mode::Natal2nd, Mode::Synastry}) {
        program->main.SelectMode(mode);
        ASSERT_TRUE(program->Compute().computed);
        ASSERT_FALSE(AspectCells().empty());
        for (const int16_t cell : {int16_t{0}, int16_t{1}, int16_t{12}, AspectCells().front()}) {
            const CellClickOutcome outcome = program->ClickCell(cell);
            EXPECT_EQ(outcome.kind, Kind::FocusOnly) << "mode " << static_cast<int>(mode) << ", cell " << cell;
            EXPECT_FALSE(outcome.message);
        }
    }
}

TEST_F(ActionsTest, WorldTransitCellAsksForTheDurations)
{
    // New York time: the searches count local days west of Greenwich.
    SetRow(core::kWorldDateRow, {2000, 1, 1, 25}, -300);
    SetOrbs({0, 0, 0, 120, 0, 0, 0});  // trines within 2°
    ASSERT_TRUE(program->Compute().computed);
    ASSERT_EQ(AspectCells(), std::vector<int16_t>{43});  // row 4, column 7: Venus (3) and Neptune (8)

    const CellClickOutcome outcome = program->ClickCell(43);

    ASSERT_EQ(outcome.kind, Kind::DurationsQuestion);
    ASSERT_TRUE(outcome.message);
    EXPECT_EQ(std::tuple(outcome.p1, outcome.p2, outcome.aspect, outcome.zoneMinutes),
              std::tuple(core::Body::Venus, core::Body::Neptune, core::Aspect::Trine, int16_t{-300}));

    core::AspectSpanContext context;
    context.worldLocalDay = Jdn(2000, 1, 1) + 0.5;
    context.zoneOffsetMinutes = -300;
    const auto [b, e] = Span(context, core::Body::Venus, core::Body::Neptune, core::Aspect::Trine, 0);
    // Venus gains about 1.6° a day on Neptune: an orb of 2° lasts a few days around the world date.
    ASSERT_GT(b, Jdn(2000, 1, 1) - 5);
    ASSERT_LE(b, Jdn(2000, 1, 1));
    ASSERT_GE(e, Jdn(2000, 1, 1));
    ASSERT_LT(e, Jdn(2000, 1, 1) + 5);
    EXPECT_EQ(outcome.beginning, b);
    EXPECT_EQ(outcome.ending, e);
    EXPECT_EQ(*outcome.message,
              platform::Message::Question(Text(155) + " Neptune " + Aspect(kTrine).Phrase + " " + Text(156) + " Venus",
                                          "With an orb of 2° 0' this trine\r\nbegins on " + Date(b) + "\r\nand ends on " +
                                              Date(e) + ".\r\n\r\n" + Text(162) + " " + Text(160) + "?",
                                          platform::Button::No));

    // Report counts the grid's aspects itself.
    program->main.totalAspects = 0;
    reports::DurationsWindow window(program->astro, program->language);
    EXPECT_FALSE(program->Report(window));
    EXPECT_EQ(program->main.totalAspects, 1);
}

// Rows are the natal bodies, columns the transiting ones; a transit whose beginning and end are known is
// drawn, with the dates the searches find in the world date's zone.
TEST_F(ActionsTest, APersonalTransitCellDrawsTheTransit)
{
    const RowDate birth{1975, 6, 15, 13};
    SetRow(core::kWorldDateRow, {2000, 1, 1, 25}, 60);
    SetRow(core::kSecondBirthdateRow, birth, -120);
    program->main.SelectMode(Mode::PersonalTransits2nd);
    SetOrbs({360, 360, 360, 360, 180, 0, 180});
    ASSERT_TRUE(program->Compute().computed);
    const int16_t cell = AspectCells().front();
    const core::Body natal = core::BodyOfIndex(cell / 11 - 1).value();
    const core::Body transiting = core::BodyOfIndex(cell % 11 - 1).value();
    const core::Aspect aspect = core::AspectOfIndex(CellAspect(cell)).value();
    core::AspectSpanContext context;
    context.isPersonalTransits = true;
    context.worldLocalDay = Jdn(2000, 1, 1) + 0.5;
    context.natalMoment = Moment(birth, -120);
    context.zoneOffsetMinutes = 60;
    const auto [b, e] = Span(context, natal, transiting, aspect, 1);

    const CellClickOutcome outcome = program->ClickCell(cell);

    EXPECT_EQ(std::tuple(outcome.kind, outcome.p1, outcome.p2, outcome.aspect, outcome.zoneMinutes, outcome.beginning, outcome.ending),
              std::tuple(Kind::TransitPicture, natal, transiting, aspect, int16_t{60}, b, e));
    EXPECT_FALSE(outcome.message);
    EXPECT_EQ(outcome.pictureCaption, "Heliocentric Venus in square to heliocentric MercuryX, orb 2°0'");
    EXPECT_EQ(outcome.pictureTooltip, "Right-click on the curve to see date, time and deviation.");
}

TEST_F(ActionsTest, ABeginningBeforePlutosTableIsAnUnknownDateAndNoTransitPicture)
{
    // Pluto on natal Pluto two days after the birth at the start of Pluto's table: in orb since before it.
    SetRow(core::kFirstBirthdateRow, {1600, 1, 10, 25}, 0);
    SetRow(core::kWorldDateRow, {1600, 1, 12, 25}, 0);
    program->main.SelectMode(Mode::PersonalTransits1st);
    SetOrbs({180, 180, 180, 180, 180, 180, 180});
    ASSERT_TRUE(program->Compute().computed);
    const int16_t plutoOnPluto = 10 * 11 + 10;
    ASSERT_EQ(CellAspect(plutoOnPluto), kConjunction);

    const CellClickOutcome personal = program->ClickCell(plutoOnPluto);

    ASSERT_EQ(personal.kind, Kind::DurationsQuestion);
    EXPECT_EQ(personal.message->title, "Pluto conjunct Pluto");
    EXPECT_FALSE(personal.beginning);
    EXPECT_GE(personal.ending.value_or(0), Jdn(1600, 1, 12));
    EXPECT_TRUE(personal.message->text.ends_with("\r\nbegins on an unknown date\r\nand ends on " +
                                                 Date(personal.ending) + ".\r\n\r\n" + Text(162) + " " + Text(161) + "?"))
        << personal.message->text;
}

}  // namespace
}  // namespace orvane::app
