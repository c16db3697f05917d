#include "search/run_model.h"

#include "core/astro_module.h"
#include "core/patterns.h"
#include "text/language.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

namespace orvane::search {
namespace {

using core::kJupiter;
using core::kMars;
using core::kSaturn;
using core::kVenus;
using platform::Message;

class RunDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tables.InitializeAstroTables("/nonexistent-orvane-folder/");
        ASSERT_TRUE(language.LoadProgramText(ORVANE_SOURCE_DATA_DIR, text::kProgramTextFileName).ok());
        dialog.Prepare();
        dialog.Activate(tables);
    }

    // Chooses a pattern and bodies as the user does, and presses OK.
    std::optional<Message> Confirm(int16_t pattern, int16_t box0 = 0, int16_t box1 = 0, int16_t box2 = 0)
    {
        dialog.patternList.SetListIndex(pattern);
        dialog.ChoosePattern();
        const std::array<int16_t, 3> bodies{box0, box1, box2};
        for (size_t box = 0; box < bodies.size(); ++box) {
            dialog.soughtBodyLists[box].SetListIndex(bodies[box]);
            dialog.ChooseSoughtBody();
        }
        return dialog.Run(language);
    }

    bool AllEnabled() const
    {
        return dialog.bodyFrameEnabled && dialog.involvingEnabled && dialog.twoOrMoreEnabled &&
               dialog.clearPatternEnabled && dialog.clearBodiesEnabled;
    }

    core::AstroTables tables;
    text::Language language;
    RunDialogModel dialog;
};

TEST_F(RunDialogTest, ControlsFollowThePatternAndTheCount)
{
    // First showing: nothing sought, and without a pattern the planet choice and the count are out of reach.
    EXPECT_EQ(std::tuple(dialog.patternList.ListIndex(), dialog.search.patternSought, dialog.NumToFind()),
              std::tuple(-1, -1, 2));
    EXPECT_FALSE(dialog.search.bodiesSought || dialog.countListEnabled);
    EXPECT_FALSE(dialog.bodyFrameEnabled || dialog.involvingEnabled || dialog.twoOrMoreEnabled ||
                 dialog.clearPatternEnabled || dialog.clearBodiesEnabled);

    dialog.patternList.SetListIndex(core::kPatternKite);
    dialog.ChoosePattern();
    EXPECT_TRUE(AllEnabled() && !dialog.countListEnabled);  // the blank planet entries count as chosen
    for (const bool ticked : {true, false}) {
        dialog.twoOrMoreTicked = ticked;
        dialog.ToggleTwoOrMore();
        EXPECT_EQ(dialog.countListEnabled, ticked);
    }

    dialog.ClearPattern();
    EXPECT_EQ(std::pair(dialog.patternList.ListIndex(), dialog.rememberedPattern), std::pair(int16_t{-1}, int16_t{-1}));
    EXPECT_FALSE(dialog.bodyFrameEnabled || dialog.clearBodiesEnabled);
}

TEST_F(RunDialogTest, ABodyChosenTwiceIsRefusedWhicheverBoxesHoldIt)
{
    const Message refusal = Message::Exclamation("Input error", "Planet specified more than once.");
    using Boxes = std::array<int16_t, 3>;
    for (const Boxes& boxes : {Boxes{kMars, kMars, 0}, Boxes{kMars, 0, kMars}, Boxes{0, kMars, kMars},
                               Boxes{kMars, kMars, kMars}}) {
        EXPECT_EQ(Confirm(core::kPatternYod, boxes[0], boxes[1], boxes[2]), refusal);
        // Nothing is taken over.
        EXPECT_EQ(std::tuple(dialog.search.patternSought, dialog.search.numBodiesSought,
                             dialog.rememberedPattern),
                  std::tuple(-1, 0, -1));
    }
    // Blank boxes may repeat.
    EXPECT_FALSE(Confirm(core::kPatternYod, 0, kMars, 0));
    EXPECT_EQ(dialog.search.numBodiesSought, 1);
}

TEST_F(RunDialogTest, OkTakesOverTheChoicesAndTheDialogReopensWithThem)
{
    dialog.search.soughtBodiesFound = true;  // left from an earlier run
    EXPECT_FALSE(Confirm(core::kPatternTSquare, kJupiter, 0, kSaturn));
    EXPECT_EQ(std::tuple(dialog.search.patternSought, dialog.search.numBodiesSought, dialog.search.bodiesSought,
                         dialog.search.soughtBodiesFound),
              std::tuple(core::kPatternTSquare, 2, true, false));
    EXPECT_EQ(dialog.search.soughtBody, (std::array<int16_t, 3>{kJupiter, 0, kSaturn}));

    // Meanwhile the lists were changed and not confirmed; the next showing restores the confirmed state.
    dialog.patternList.SetListIndex(core::kPatternYod);
    dialog.soughtBodyLists[1].SetListIndex(kVenus);
    dialog.Activate(tables);
    EXPECT_EQ(std::tuple(dialog.patternList.ListIndex(), dialog.soughtBodyLists[0].ListIndex(),
                         dialog.soughtBodyLists[1].ListIndex(), dialog.soughtBodyLists[2].ListIndex()),
              std::tuple(core::kPatternTSquare, kJupiter, int16_t{0}, kSaturn));
    EXPECT_TRUE(dialog.bodyFrameEnabled);

    // No bodies: nothing sought.
    EXPECT_FALSE(Confirm(core::kPatternTSquare));
    EXPECT_EQ(std::pair(dialog.search.bodiesSought, dialog.search.numBodiesSought), std::pair(false, int16_t{0}));
}

TEST_F(RunDialogTest, ClearPlanetsAndCancel)
{
    ASSERT_FALSE(Confirm(core::kPatternKite, kMars, kVenus, 0));
    dialog.Activate(tables);
    dialog.ClearBodies();
    for (const auto& box : dialog.soughtBodyLists)
        EXPECT_EQ(box.ListIndex(), 0);
    EXPECT_FALSE(dialog.clearBodiesEnabled || dialog.search.bodiesSought);
    dialog.ChooseSoughtBody();
    EXPECT_TRUE(dialog.clearBodiesEnabled);

    dialog.patternList.SetListIndex(core::kPatternYod);
    dialog.Cancel();
    EXPECT_EQ(std::pair(dialog.wasCancelled, dialog.search.patternSought), std::pair(true, core::kPatternYod));
    dialog.Activate(tables);  // the pattern remembered from the last OK
    EXPECT_EQ(std::pair(dialog.wasCancelled, dialog.patternList.ListIndex()), std::pair(false, core::kPatternKite));
}

TEST(RunLoop, TheButtonStepsAndTimerStartAndEndARun)
{
    RunState run;
    RunDialogModel dialog;
    EXPECT_EQ(RunButtonClick(run, true), RunButtonAction::ShowDialog);
    EXPECT_EQ(RunButtonClick(run, false), RunButtonAction::Start);  // no dialog outside world transits
    EXPECT_EQ(RunButtonCaption(run), text::kTextRun);
    StartRun(run);
    EXPECT_EQ(std::pair(RunButtonClick(run, true), RunButtonCaption(run)),
              std::pair(RunButtonAction::Stop, text::kTextStop));

    EXPECT_TRUE(WaitForNextStep(run, false) && run.isWaitingForStep);
    dialog.search.numBodiesFound = 2;
    EXPECT_TRUE(AdvanceRun(run, dialog));
    EXPECT_EQ(std::pair(run.isWaitingForStep, dialog.search.numBodiesFound), std::pair(false, int16_t{0}));

    // A refused date ends the run instead of meeting it again and again.
    EXPECT_FALSE(WaitForNextStep(run, true));
    EXPECT_FALSE(run.isRunning || run.isWaitingForStep);
    EXPECT_FALSE(AdvanceRun(run, dialog));
    // A stop (the button or a pattern found) during the wait: the tick brings no further step.
    StartRun(run);
    ASSERT_TRUE(WaitForNextStep(run, false));
    StopRun(run);
    EXPECT_FALSE(AdvanceRun(run, dialog));

    // Stopping and quitting stay possible, and the report boxes readable; the inputs rest.
    EXPECT_TRUE(EnabledDuringRun("cmdRun") && EnabledDuringRun("cmdQuit") && EnabledDuringRun("txbReport1"));
    EXPECT_FALSE(EnabledDuringRun("cmdCompute") || EnabledDuringRun("cmdForwardBack_0"));
}

// The stop test after each step of a run: whether the run stops, and its message.
class FoundCheckTest : public RunDialogTest {
protected:
    std::optional<Message> Check(int16_t count, bool worldTransits = true)
    {
        intPatternCount.fill(0);
        intPatternCount[static_cast<size_t>(std::max<int16_t>(0, dialog.search.patternSought))] = count;
        run.isRunning = true;
        return FoundCheck(run, dialog, intPatternCount, worldTransits, language);
    }

    RunState run;
    std::array<int16_t, core::kNumPatterns> intPatternCount{};
};

// The messages of a found pattern, in both languages, and the run going on past other patterns, are what the
// companion's golden find reports show; here the stop itself and the runs that never stop.
TEST_F(FoundCheckTest, NothingSoughtOrNoRunOrOtherModeNeverStops)
{
    ASSERT_FALSE(Confirm(core::kPatternGrandTrine));
    EXPECT_TRUE(Check(1) && !run.isRunning);
    ASSERT_FALSE(Confirm(-1));
    EXPECT_FALSE(Check(5));
    ASSERT_FALSE(Confirm(core::kPatternYod));
    EXPECT_FALSE(Check(3, false));  // natal, personal transits, synastry
    EXPECT_TRUE(run.isRunning);

    run.isRunning = false;
    EXPECT_FALSE(FoundCheck(run, dialog, intPatternCount, true, language));
}

TEST_F(FoundCheckTest, FindAtLeastCountsInWordsAndSoughtBodiesMustHaveBeenFound)
{
    // The count list's position (0 → "2"), the count found, the message (none: the run goes on).
    struct Case { int16_t pattern, numToFindPosition, count; const char* message; };
    const Case cases[] = {
        {core::kPatternGrandTrine, 1, 2, nullptr},
        {core::kPatternGrandTrine, 1, 4, "Four grand trines found."},
        {core::kPatternGrandCross, 0, 2, "Two grand crosses found."},
        {core::kPattern3Stellium, 7, 21, "Twenty one 3-stelliums found."},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(Confirm(c.pattern));
        dialog.twoOrMoreTicked = true;
        dialog.countList.SetListIndex(c.numToFindPosition);
        const std::optional<Message> found = Check(c.count);
        EXPECT_EQ(found ? found->text : "(none)", c.message ? c.message : "(none)");
    }

    dialog.twoOrMoreTicked = false;
    ASSERT_FALSE(Confirm(core::kPatternKite, kMars, 0, kJupiter));
    EXPECT_FALSE(Check(1));  // the finders did not report the bodies
    dialog.search.soughtBodiesFound = true;
    EXPECT_EQ(Check(1)->text, "Kite found\r\ninvolving Mars Jupiter.");
}

}  // namespace
}  // namespace orvane::search
