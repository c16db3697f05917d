#include "app/window_rules.h"
#include "tests/support/program_fixture.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace orvane::mainwindow {
namespace {

using core::Mode;

class WindowRules : public testing::ProgramTest {
protected:
    settings::MemoryRegistryStore store;
    testing::TempFolder folder;
    platform::FixedClock clock{{2011, 6, 15, 9, 40, 0}};  // 09:40 rounds to 09:30, half-hour position 20
};

TEST_F(WindowRules, TheSquareGridsModesMakeTheWindowTaller)
{
    for (int16_t mode = core::kModeWorldTransits; mode <= core::kModeSynastry; ++mode)
        EXPECT_EQ(WindowHeightForMode(mode), core::IsTwoDateMode(mode) ? 10600 : 9565) << mode;
}

TEST_F(WindowRules, SteppingNeedsATransitModeAndAWholeWorldDate)
{
    EXPECT_TRUE(SteppingEnabled(program->main));
    program->main.SelectMode(Mode::Natal1st);
    EXPECT_FALSE(SteppingEnabled(program->main));
    program->main.SelectMode(Mode::PersonalTransits2nd);
    EXPECT_TRUE(SteppingEnabled(program->main));
    program->main.cboTimezone[0].SetListIndex(0);
    EXPECT_FALSE(SteppingEnabled(program->main));
    EXPECT_TRUE(RowHasEntries(program->main, 0));
    program->main.ClearDateRow(0);
    EXPECT_FALSE(RowHasEntries(program->main, 0));
}

TEST_F(WindowRules, TheTimerCleansYearsAndForgetsATouchedFileAfterSixTicks)
{
    MainModel& main = program->main;
    main.txbYearCE[1] = "19a8-4";
    main.blnStateFileTouched = true;
    for (int tick = 0; tick < 5; ++tick)
        Timer1_Tick(main);
    EXPECT_EQ(main.txbYearCE[1], "1984");
    EXPECT_TRUE(main.blnStateFileTouched);
    EXPECT_FALSE(QuitQuestion(*program));  // a file saved a moment ago: Quit ends at once
    Timer1_Tick(main);
    EXPECT_FALSE(main.blnStateFileTouched);
    const auto question = QuitQuestion(*program);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->buttons, platform::Buttons::YesNoCancel);
    EXPECT_EQ(question->defaultButton, platform::Button::No);
}

TEST_F(WindowRules, TheClickHintBelongsToTheTransitModesGrid)
{
    EXPECT_EQ(ClickHint(*program), Text(32));
    program->main.SelectMode(Mode::Synastry);
    EXPECT_EQ(ClickHint(*program), "");
    program->main.SelectMode(Mode::PersonalTransits1st);
    program->main.picGraphicVisible = true;
    EXPECT_EQ(ClickHint(*program), "");
}

TEST_F(WindowRules, StartUpTakesADamagedStateFileForAbsent)
{
    MainModel& main = program->main;
    main.strUserStateFile = folder.Write("orvane.usr", "damaged\r\n");
    main.SelectMode(Mode::Synastry);
    EXPECT_FALSE(LoadUserStateOrNow(*program, true, clock, store));
    EXPECT_TRUE(main.optPlanetary());
    EXPECT_EQ((testing::RowDate{std::stoi(main.txbYearCE[0]), main.cboMonthCE[0].ListIndex(),
                                main.cboDayCE[0].ListIndex(), main.cboHour[0].ListIndex()}),
              (testing::RowDate{2011, 6, 15, 20}));
}

TEST_F(WindowRules, AStateSavedInSynastryStartsAndLoadsInWorldTransitsWithItsDates)
{
    MainModel& main = program->main;
    main.strUserStateFile = folder.folder() + "orvane.usr";
    SetRow(2, {1970, 3, 8, 3}, 60);
    main.SelectMode(Mode::Synastry);
    ASSERT_FALSE(cmdSave_Click(*program, store).error);
    const std::string copy = folder.folder() + "copy.qvs";
    EXPECT_EQ(SaveStateFileAs(*program, copy, store).footLabel, copy + " " + Text(129));
    const auto unwritable = SaveStateFileAs(*program, folder.folder() + "no/such/folder.qvs", store);
    ASSERT_TRUE(unwritable.error);
    EXPECT_EQ(unwritable.error->title, Text(39));
    main.ClearDateRow(2);
    ASSERT_TRUE(LoadUserStateOrNow(*program, true, clock, store));
    EXPECT_TRUE(main.optPlanetary());
    EXPECT_EQ(main.txbYearCE[2], "1970");

    main.SelectMode(Mode::Natal2nd);
    const StateFileOutcome loaded = LoadChosenStateFile(*program, main.strUserStateFile, clock, store);
    EXPECT_TRUE(loaded.compute.computed);
    EXPECT_TRUE(main.optPlanetary());
    EXPECT_EQ(loaded.footLabel, main.strUserStateFile + " " + Text(387));
}

TEST_F(WindowRules, ALoadErrorCarriesTheHintAndRestoreTitlesItsOwn)
{
    const std::string damaged = folder.Write("bad.qvs", "x\r\n");
    const StateFileOutcome loaded = LoadChosenStateFile(*program, damaged, clock, store);
    ASSERT_TRUE(loaded.error);
    EXPECT_EQ(loaded.error->title, Text(385));
    EXPECT_TRUE(loaded.error->text.ends_with("\r\n\r\n" + Text(386)));
    EXPECT_TRUE(loaded.footLabel.empty());

    program->main.strUserStateFile = damaged;
    const StateFileOutcome restored = cmdRestore_Click(*program, true, store);
    ASSERT_TRUE(restored.error);
    EXPECT_EQ(restored.error->title, Text(398));
    EXPECT_FALSE(restored.compute.computed);
}

}  // namespace
}  // namespace orvane::mainwindow
