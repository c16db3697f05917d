#include "app/window_rules.h"
#include "app/page_heading.h"
#include "datetime/date_input.h"
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
    MainModel& main = program->main;
    EXPECT_TRUE(SteppingEnabled(main));
    main.SelectMode(Mode::Natal1st);
    EXPECT_FALSE(SteppingEnabled(main));
    main.SelectMode(Mode::PersonalTransits2nd);
    EXPECT_TRUE(SteppingEnabled(main));
    main.zoneLists[0].SetListIndex(0);
    EXPECT_TRUE(!SteppingEnabled(main) && RowHasEntries(main, 0));
    main.ClearDateRow(0);
    EXPECT_FALSE(RowHasEntries(main, 0));
}

TEST_F(WindowRules, TheTimerCleansYearsAndForgetsATouchedFileAfterSixTicks)
{
    MainModel& main = program->main;
    main.yearTexts[1] = "19a8-4";
    main.stateFileTouched = true;
    for (int tick = 0; tick < 5; ++tick)
        HousekeepingTick(main);
    EXPECT_EQ(std::pair(main.yearTexts[1], main.stateFileTouched), std::pair(std::string("1984"), true));
    EXPECT_FALSE(QuitQuestion(*program));  // a file saved a moment ago: Quit ends at once
    HousekeepingTick(main);
    EXPECT_FALSE(main.stateFileTouched);
    const auto question = QuitQuestion(*program);
    ASSERT_TRUE(question);
    EXPECT_EQ(std::pair(question->buttons, question->defaultButton), std::pair(platform::Buttons::YesNoCancel, platform::Button::No));

    // A year with a minus (from a state file) is cleaned like any other: the world date of the year 500.
    main.yearTexts[0] = "-500";
    HousekeepingTick(main);
    EXPECT_EQ(main.yearTexts[0], "500");
    EXPECT_TRUE(program->Compute().dates.ok());
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
    ASSERT_FALSE(refused.dates.ok());
    EXPECT_EQ(refused.dates.error().text, "1st birthdate is incomplete.");
    // The current mode is what a cell click takes the bodies by.
    EXPECT_TRUE(main.worldSelected() && main.currentMode == core::Mode::WorldTransits);
    // A state file saved in that mode: Restore keeps world transits too.
    main.SelectMode(Mode::PersonalTransits1st);
    ASSERT_TRUE(program->Save(store).file);
    main.SelectMode(Mode::WorldTransits);
    EXPECT_TRUE(!program->Restore(true, store).compute.computed && main.worldSelected());
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
    ASSERT_TRUE(program->Save(store).file);
    const std::string copy = folder.folder() + "copy.qvs";
    EXPECT_EQ(program->SaveAs(copy, store).footLabel, copy + " " + Text(129));
    const auto unwritable = program->SaveAs(folder.folder() + "no/such/folder.qvs", store);
    ASSERT_FALSE(unwritable.file);
    EXPECT_EQ(unwritable.file.error().title, Text(39));
    main.ClearDateRow(2);
    ASSERT_TRUE(LoadUserStateOrNow(*program, true, clock, store));
    EXPECT_TRUE(main.worldSelected() && main.yearTexts[2] == "1970");

    main.SelectMode(Mode::Natal2nd);
    const StateFileOutcome loaded = program->Load(main.userStateFilePath, clock, store);
    EXPECT_TRUE(loaded.compute.computed && main.worldSelected());
    EXPECT_EQ(loaded.footLabel, main.userStateFilePath + " loaded.");
}

TEST_F(WindowRules, LoadAndRestoreErrorsChangeNothingAndSaveNamesAFolderItCannotMake)
{
    // Three whole date sets of 1812, then a mode line that is no truth value.
    std::string content;
    for (int set = 0; set < 3; ++set)
        content += " 2 \r\n 7 \r\n1812\r\n 0 \r\n 24 \r\n";
    const std::string damaged = folder.Write("bad.qvs", content + "x\r\n");
    const std::string yearBefore = program->main.yearTexts[0];
    const StateFileOutcome loaded = program->Load(damaged, clock, store);
    ASSERT_FALSE(loaded.file);
    EXPECT_EQ(loaded.file.error().title, "Error loading the state file");
    EXPECT_TRUE(loaded.file.error().text.ends_with("\r\n\r\nThe file may be damaged or not a state file. Nothing has been changed."));
    EXPECT_TRUE(loaded.footLabel.empty() && program->main.yearTexts[0] == yearBefore && yearBefore != "1812");

    program->main.userStateFilePath = damaged;
    const StateFileOutcome restored = program->Restore(true, store);
    ASSERT_FALSE(restored.file);
    EXPECT_EQ(restored.file.error().title, "Restore");
    EXPECT_EQ(restored.file.error().text, loaded.file.error().text);
    EXPECT_FALSE(restored.compute.computed);

    // Save makes the per-user folder when it is missing, and names it when it cannot be made.
    program->main.userStateFilePath = folder.folder() + "made/orvane.usr";
    EXPECT_TRUE(program->Save(store).file);
    const std::string blocked = folder.Write("file", "") + "/Veltrane";
    program->main.userStateFilePath = blocked + "/orvane.usr";
    ASSERT_FALSE(program->Save(store).file);
    EXPECT_EQ(program->Save(store).file.error().text, "The state file " + blocked + "/orvane.usr cannot be written: its folder " +
                                                    blocked + " cannot be created (Not a directory)");
}

// Files named at start beyond the first: up to four by name, else three and how many more.
TEST_F(WindowRules, FilesNotOpenedAreNamedUpToFour)
{
    std::vector<std::string> files;
    for (int i = 1; i <= 300; ++i)
        files.push_back("f" + std::to_string(i));
    const auto notOpened = [&](long count) {
        return FilesNotOpened(program->language, {files.begin(), files.begin() + count})->text;
    };
    const std::string named = Text(text::kTextOnlyOneStateFile) + "\r\nf2\r\nf3\r\nf4\r\n";
    EXPECT_EQ(notOpened(5), named + "f5");
    EXPECT_EQ(notOpened(300), named + "and 296 more");
}

// A printed grid names its mode, the convention and every date of the mode as the window shows it.
TEST_F(WindowRules, APrintedGridNamesItsModeDatesAndConvention)
{
    MainModel& main = program->main;
    datetime::SetPreciseMoment(main, 0, datetime::ParsePreciseMoment("1978-03-14T06:45[Europe/Vienna]",
                                                                     datetime::MomentZone::Fixed(0), program->language)
                                            .value());
    main.SelectMode(Mode::PersonalTransits1st);
    main.DetermineMode();
    EXPECT_EQ(PageHeading(*program),
              (std::vector<std::string>{"Personal transits 1st birthdate \xC2\xB7 Positions: J2000 ecliptic, geometric",
                                        "World date: March 14, 1978, 06:45 (Europe/Vienna, GMT+1:00)",
                                        "1st birthdate: January 1, 2000, 12:00 (GMT)"}));
}

}  // namespace
}  // namespace orvane::app
