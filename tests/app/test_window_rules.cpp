#include "app/window_rules.h"
#include "tests/support/program_fixture.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace orvane::app {
namespace {

using core::Mode;

class WindowRules : public testing::ProgramTest {
protected:
    settings::MemorySettingsStore store;
    testing::TempFolder folder;
    platform::FixedClock clock{{2011, 6, 15, 9, 40, 0}};  // 09:40 rounds to 09:30, half-hour position 20
};

TEST_F(WindowRules, SteppingNeedsATransitModeAndAWholeWorldDate)
{
    EXPECT_TRUE(SteppingEnabled(program->main));
    program->main.SelectMode(Mode::Natal1st);
    EXPECT_FALSE(SteppingEnabled(program->main));
    program->main.SelectMode(Mode::PersonalTransits2nd);
    EXPECT_TRUE(SteppingEnabled(program->main));
    program->main.zoneLists[0].SetListIndex(0);
    EXPECT_FALSE(SteppingEnabled(program->main));
    EXPECT_TRUE(RowHasEntries(program->main, 0));
    program->main.ClearDateRow(0);
    EXPECT_FALSE(RowHasEntries(program->main, 0));
}

TEST_F(WindowRules, TheTimerCleansYearsAndForgetsATouchedFileAfterSixTicks)
{
    MainModel& main = program->main;
    main.yearTexts[1] = "19a8-4";
    main.stateFileTouched = true;
    for (int tick = 0; tick < 5; ++tick)
        HousekeepingTick(main);
    EXPECT_EQ(main.yearTexts[1], "1984");
    EXPECT_TRUE(main.stateFileTouched);
    EXPECT_FALSE(QuitQuestion(*program));  // a file saved a moment ago: Quit ends at once
    HousekeepingTick(main);
    EXPECT_FALSE(main.stateFileTouched);
    const auto question = QuitQuestion(*program);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->buttons, platform::Buttons::YesNoCancel);
    EXPECT_EQ(question->defaultButton, platform::Button::No);

    // A year with a minus (from a state file) keeps it through the ticks: the world date stays too early.
    main.startupCompleted = true;
    for (const std::string year : {"-500", "-1000000000"}) {
        main.yearTexts[0] = year;
        for (int tick = 0; tick < 2; ++tick) {
            HousekeepingTick(main);
            EXPECT_EQ(main.yearTexts[0], year);
            EXPECT_EQ(program->Compute().dateError->text, "World date is too early (the earliest date is January 1 of the year 1).");
        }
    }
}

TEST_F(WindowRules, TheClickHintAndTheManualLinkBelongToTheGridOfTheirModes)
{
    // The mode, whether the chart (or the transit picture) is shown, the hint shown, the link shown.
    const std::tuple<Mode, bool, bool, bool> cases[] = {
        {Mode::WorldTransits, false, true, true},        {Mode::WorldTransits, true, false, false},
        {Mode::Natal2nd, false, false, true},            {Mode::PersonalTransits1st, false, true, false},
        {Mode::PersonalTransits2nd, true, false, false}, {Mode::Synastry, false, false, false}};
    for (const auto& [mode, chart, hint, link] : cases) {
        program->main.SelectMode(mode);
        program->main.chartShown = chart;
        program->main.gridShown = !chart;
        EXPECT_EQ(ClickHint(*program), hint ? Text(32) : "") << static_cast<int>(mode) << chart;
        EXPECT_EQ(ManualLinkVisible(program->main), link) << static_cast<int>(mode) << chart;
    }
}

TEST_F(WindowRules, AModeWhoseDatesDoNotConvertIsRefusedAlsoFromAStateFile)
{
    MainModel& main = program->main;
    main.startupCompleted = true;
    main.userStateFilePath = folder.folder() + "orvane.usr";
    main.ClearDateRow(1);
    const ComputeOutcome refused = ChangeMode(*program, Mode::PersonalTransits1st);
    ASSERT_TRUE(refused.dateError);
    EXPECT_EQ(refused.dateError->text, Text(5) + " " + Text(145));  // "1st birthdate is incomplete."
    EXPECT_TRUE(main.worldSelected());
    EXPECT_EQ(main.currentMode, core::kModeWorldTransits);  // what a cell click takes the bodies by
    // A state file saved in that mode: Restore keeps world transits too.
    main.SelectMode(Mode::PersonalTransits1st);
    ASSERT_FALSE(program->Save(store).error);
    main.SelectMode(Mode::WorldTransits);
    EXPECT_FALSE(program->Restore(true, store).compute.computed);
    EXPECT_TRUE(main.worldSelected());
}

TEST_F(WindowRules, StartUpTakesADamagedStateFileForAbsent)
{
    MainModel& main = program->main;
    main.userStateFilePath = folder.Write("orvane.usr", "damaged\r\n");
    main.SelectMode(Mode::Synastry);
    EXPECT_FALSE(LoadUserStateOrNow(*program, true, clock, store));
    EXPECT_TRUE(main.worldSelected());
    EXPECT_EQ((testing::RowDate{std::stoi(main.yearTexts[0]), main.monthLists[0].ListIndex(),
                                main.dayLists[0].ListIndex(), main.halfHourLists[0].ListIndex()}),
              (testing::RowDate{2011, 6, 15, 20}));
}

TEST_F(WindowRules, AStateSavedInSynastryStartsAndLoadsInWorldTransitsWithItsDates)
{
    MainModel& main = program->main;
    main.userStateFilePath = folder.folder() + "orvane.usr";
    SetRow(2, {1970, 3, 8, 3}, 60);
    main.SelectMode(Mode::Synastry);
    ASSERT_FALSE(program->Save(store).error);
    const std::string copy = folder.folder() + "copy.qvs";
    EXPECT_EQ(program->SaveAs(copy, store).footLabel, copy + " " + Text(129));
    const auto unwritable = program->SaveAs(folder.folder() + "no/such/folder.qvs", store);
    ASSERT_TRUE(unwritable.error);
    EXPECT_EQ(unwritable.error->title, Text(39));
    main.ClearDateRow(2);
    ASSERT_TRUE(LoadUserStateOrNow(*program, true, clock, store));
    EXPECT_TRUE(main.worldSelected());
    EXPECT_EQ(main.yearTexts[2], "1970");

    main.SelectMode(Mode::Natal2nd);
    const StateFileOutcome loaded = program->Load(main.userStateFilePath, clock, store);
    EXPECT_TRUE(loaded.compute.computed);
    EXPECT_TRUE(main.worldSelected());
    EXPECT_EQ(loaded.footLabel, main.userStateFilePath + " " + Text(387));
}

TEST_F(WindowRules, ALoadErrorCarriesTheHintChangesNothingAndRestoreTitlesItsOwn)
{
    // Three whole date sets of 1812, then a mode line that is no truth value.
    std::string content;
    for (int set = 0; set < 3; ++set)
        content += " 2 \r\n 7 \r\n1812\r\n 0 \r\n 24 \r\n";
    const std::string damaged = folder.Write("bad.qvs", content + "x\r\n");
    const std::string yearBefore = program->main.yearTexts[0];
    const StateFileOutcome loaded = program->Load(damaged, clock, store);
    ASSERT_TRUE(loaded.error);
    EXPECT_EQ(loaded.error->title, Text(385));
    EXPECT_TRUE(loaded.error->text.ends_with("\r\n\r\n" + Text(386)));
    EXPECT_TRUE(loaded.footLabel.empty());
    EXPECT_EQ(program->main.yearTexts[0], yearBefore);
    EXPECT_NE(yearBefore, "1812");

    program->main.userStateFilePath = damaged;
    const StateFileOutcome restored = program->Restore(true, store);
    ASSERT_TRUE(restored.error);
    EXPECT_EQ(restored.error->title, Text(398));
    EXPECT_FALSE(restored.compute.computed);
}

}  // namespace
}  // namespace orvane::app
