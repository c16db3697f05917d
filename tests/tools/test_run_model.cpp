#include "tools/run_model.h"

#include "core/astro_module.h"
#include "core/patterns.h"
#include "text/language.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

namespace orvane::tools {
namespace {

using core::kEarth;
using core::kJupiter;
using core::kMars;
using core::kNeptune;
using core::kSaturn;
using core::kVenus;

class RunDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tables.InitializeAstroTables("/nonexistent-orvane-folder/");
        ASSERT_EQ(language.LoadProgramText(ORVANE_SOURCE_DATA_DIR, text::kProgramTextFileName), "");
        dialog.Form_Load();
        dialog.Form_Activate(tables);
    }

    // Chooses a pattern and bodies as the user does, and presses OK.
    std::optional<platform::Message> Confirm(int16_t pattern, int16_t box0, int16_t box1, int16_t box2)
    {
        dialog.cboAspectPattern.SetListIndex(pattern);
        dialog.cboAspectPattern_Click();
        const std::array<int16_t, 3> bodies{box0, box1, box2};
        for (size_t box = 0; box < bodies.size(); ++box) {
            dialog.cboSoughtPlanet[box].SetListIndex(bodies[box]);
            dialog.cboSoughtPlanet_Click(static_cast<int16_t>(box));
        }
        return dialog.cmdRun_Click(language);
    }

    core::AstroTables tables;
    text::Language language;
    RunDialogModel dialog;
};

TEST_F(RunDialogTest, FirstShowingOffersEverythingAndSeeksNothing)
{
    ASSERT_EQ(dialog.cboAspectPattern.ListCount(), core::kNumPatterns);
    EXPECT_EQ(dialog.cboAspectPattern.List(core::kPatternGrandSextile), "Grand sextile");
    EXPECT_EQ(dialog.cboAspectPattern.List(core::kPatternMidpoint), "Midpoint");
    EXPECT_EQ(dialog.cboAspectPattern.ListIndex(), -1);
    for (const auto& box : dialog.cboSoughtPlanet) {
        ASSERT_EQ(box.ListCount(), 10);
        EXPECT_EQ(box.List(0) + box.List(kEarth) + box.List(core::kPluto), "EarthPluto");
        EXPECT_EQ(box.ListIndex(), 0);
    }
    ASSERT_EQ(dialog.cboNumToFind.ListCount(), 8);
    EXPECT_EQ(dialog.cboNumToFind.List(7), "9");
    EXPECT_EQ(dialog.NumToFind(), 2);
    EXPECT_EQ(dialog.search.intAspectPatternToFind, -1);
    EXPECT_FALSE(dialog.search.blnPlanetsSought);

    // Without a pattern the planet choice and the count are out of reach.
    EXPECT_FALSE(dialog.fraFrameEnabled || dialog.lblInvolvingEnabled || dialog.chkTwoOrMoreEnabled ||
                 dialog.cboNumToFindEnabled || dialog.cmdClearAspectPatternEnabled || dialog.cmdClearAllEnabled);
}

TEST_F(RunDialogTest, ControlsFollowThePatternAndTheCount)
{
    dialog.cboAspectPattern.SetListIndex(core::kPatternKite);
    dialog.cboAspectPattern_Click();
    // The blank entries count as chosen.
    EXPECT_TRUE(dialog.fraFrameEnabled && dialog.lblInvolvingEnabled && dialog.chkTwoOrMoreEnabled &&
                dialog.cmdClearAspectPatternEnabled && dialog.cmdClearAllEnabled);
    EXPECT_FALSE(dialog.cboNumToFindEnabled);

    dialog.chkTwoOrMore = true;
    dialog.chkTwoOrMore_Click();
    EXPECT_TRUE(dialog.cboNumToFindEnabled);
    dialog.chkTwoOrMore = false;
    dialog.chkTwoOrMore_Click();
    EXPECT_FALSE(dialog.cboNumToFindEnabled);

    dialog.cmdClearAspectPattern_Click();
    EXPECT_EQ(dialog.cboAspectPattern.ListIndex(), -1);
    EXPECT_EQ(dialog.intRememberedPattern, -1);
    EXPECT_FALSE(dialog.fraFrameEnabled);
    EXPECT_FALSE(dialog.cmdClearAllEnabled);
}

TEST_F(RunDialogTest, ABodyChosenTwiceIsRefusedWhicheverBoxesHoldIt)
{
    const std::array<std::array<int16_t, 3>, 4> refused{{{kMars, kMars, 0}, {kMars, 0, kMars}, {0, kMars, kMars},
                                                          {kMars, kMars, kMars}}};
    for (const auto& boxes : refused) {
        EXPECT_EQ(Confirm(core::kPatternYod, boxes[0], boxes[1], boxes[2]),
                  platform::Message::Exclamation("Input error", "Planet specified more than once."));
        // Nothing is taken over.
        EXPECT_EQ(dialog.search.intAspectPatternToFind, -1);
        EXPECT_EQ(dialog.search.intNumPlanetsSought, 0);
        EXPECT_EQ(dialog.intRememberedPattern, -1);
    }
    // Blank boxes may repeat.
    EXPECT_FALSE(Confirm(core::kPatternYod, 0, kMars, 0));
    EXPECT_EQ(dialog.search.intNumPlanetsSought, 1);
}

TEST_F(RunDialogTest, OkTakesOverTheChoicesAndTheDialogReopensWithThem)
{
    dialog.search.blnSoughtPlanetsFound = true;  // left from an earlier run
    EXPECT_FALSE(Confirm(core::kPatternTSquare, kJupiter, 0, kSaturn));
    EXPECT_EQ(dialog.search.intAspectPatternToFind, core::kPatternTSquare);
    EXPECT_EQ(dialog.search.intNumPlanetsSought, 2);
    EXPECT_EQ(dialog.search.intSoughtPlanet, (std::array<int16_t, 3>{kJupiter, 0, kSaturn}));
    EXPECT_TRUE(dialog.search.blnPlanetsSought);
    EXPECT_FALSE(dialog.search.blnSoughtPlanetsFound);

    // Meanwhile the lists were changed and not confirmed; the next showing restores the confirmed state.
    dialog.cboAspectPattern.SetListIndex(core::kPatternYod);
    dialog.cboSoughtPlanet[1].SetListIndex(kVenus);
    dialog.Form_Activate(tables);
    EXPECT_EQ(dialog.cboAspectPattern.ListIndex(), core::kPatternTSquare);
    EXPECT_EQ(std::tuple(dialog.cboSoughtPlanet[0].ListIndex(), dialog.cboSoughtPlanet[1].ListIndex(),
                         dialog.cboSoughtPlanet[2].ListIndex()),
              std::tuple(kJupiter, int16_t{0}, kSaturn));
    EXPECT_TRUE(dialog.fraFrameEnabled);

    // No bodies: nothing sought.
    EXPECT_FALSE(Confirm(core::kPatternTSquare, 0, 0, 0));
    EXPECT_FALSE(dialog.search.blnPlanetsSought);
    EXPECT_EQ(dialog.search.intNumPlanetsSought, 0);
}

TEST_F(RunDialogTest, ClearPlanetsAndCancel)
{
    ASSERT_FALSE(Confirm(core::kPatternKite, kMars, kVenus, 0));
    dialog.Form_Activate(tables);
    dialog.cmdClearAll_Click();
    for (const auto& box : dialog.cboSoughtPlanet)
        EXPECT_EQ(box.ListIndex(), 0);
    EXPECT_FALSE(dialog.cmdClearAllEnabled);
    EXPECT_FALSE(dialog.search.blnPlanetsSought);
    dialog.cboSoughtPlanet_Click(2);
    EXPECT_TRUE(dialog.cmdClearAllEnabled);

    dialog.cboAspectPattern.SetListIndex(core::kPatternYod);
    dialog.cmdCancel_Click();
    EXPECT_TRUE(dialog.blnCancel);
    EXPECT_EQ(dialog.search.intAspectPatternToFind, core::kPatternYod);
    dialog.Form_Activate(tables);
    EXPECT_FALSE(dialog.blnCancel);
    EXPECT_EQ(dialog.cboAspectPattern.ListIndex(), core::kPatternKite);  // remembered from the last OK
}

TEST(RunStepInterval, QuickOnlyInWorldTransits)
{
    EXPECT_EQ(RunStepInterval(true, true), 100);
    EXPECT_EQ(RunStepInterval(true, false), 1000);
    EXPECT_EQ(RunStepInterval(false, true), 1000);
}

class FoundCheckTest : public RunDialogTest {
protected:
    std::optional<platform::Message> Check(int16_t count, bool worldTransits = true)
    {
        intPatternCount.fill(0);
        intPatternCount[static_cast<size_t>(dialog.search.intAspectPatternToFind < 0 ? 0 : dialog.search.intAspectPatternToFind)] = count;
        run.blnRunning = true;
        return FoundCheck(run, dialog, intPatternCount, worldTransits, language);
    }

    RunState run;
    std::array<int16_t, core::kNumPatterns> intPatternCount{};
};

TEST_F(FoundCheckTest, StopsOnThePatternSought)
{
    ASSERT_FALSE(Confirm(core::kPatternGrandTrine, 0, 0, 0));
    EXPECT_FALSE(Check(0).has_value());
    EXPECT_TRUE(run.blnRunning);

    const std::optional<platform::Message> found = Check(1);
    EXPECT_TRUE(found.has_value());
    EXPECT_EQ(found->text, "Grand trine found.");
    EXPECT_EQ(found->title, "Pattern found");
    EXPECT_FALSE(run.blnRunning);

    // Another pattern's count does not stop the run.
    intPatternCount.fill(0);
    intPatternCount[core::kPatternKite] = 2;
    run.blnRunning = true;
    EXPECT_FALSE(FoundCheck(run, dialog, intPatternCount, true, language).has_value());
    EXPECT_TRUE(run.blnRunning);

    language.intLanguage = text::langGerman;
    EXPECT_EQ(Check(1)->text, "Grand trine gefunden.");
}

TEST_F(FoundCheckTest, NothingSoughtOrNoRunOrOtherModeNeverStops)
{
    ASSERT_FALSE(Confirm(-1, 0, 0, 0));
    EXPECT_FALSE(Check(5).has_value());
    EXPECT_TRUE(run.blnRunning);

    ASSERT_FALSE(Confirm(core::kPatternYod, 0, 0, 0));
    EXPECT_FALSE(Check(3, false).has_value());  // natal, personal transits, synastry
    EXPECT_TRUE(run.blnRunning);

    intPatternCount[core::kPatternYod] = 3;
    run.blnRunning = false;
    EXPECT_FALSE(FoundCheck(run, dialog, intPatternCount, true, language).has_value());
}

TEST_F(FoundCheckTest, FindAtLeastCountsInWords)
{
    ASSERT_FALSE(Confirm(core::kPatternGrandTrine, 0, 0, 0));
    dialog.chkTwoOrMore = true;
    dialog.cboNumToFind.SetListIndex(1);  // "3"
    EXPECT_FALSE(Check(2).has_value());
    EXPECT_EQ(Check(3)->text, "Three grand trines found.");
    EXPECT_EQ(Check(4)->text, "Four grand trines found.");

    ASSERT_FALSE(Confirm(core::kPatternTSquare, 0, 0, 0));
    dialog.cboNumToFind.SetListIndex(0);  // "2"
    EXPECT_EQ(Check(2)->text, "Two T-squares found.");

    ASSERT_FALSE(Confirm(core::kPatternGrandCross, 0, 0, 0));
    EXPECT_EQ(Check(2)->text, "Two grand crosses found.");

    ASSERT_FALSE(Confirm(core::kPattern3Stellium, 0, 0, 0));
    dialog.cboNumToFind.SetListIndex(7);  // "9"
    EXPECT_EQ(Check(21)->text, "Twenty one 3-stelliums found.");
}

TEST_F(FoundCheckTest, SoughtBodiesMustHaveBeenFoundTogether)
{
    ASSERT_FALSE(Confirm(core::kPatternKite, kMars, 0, kJupiter));
    EXPECT_FALSE(Check(1).has_value());  // the finders did not report the bodies
    dialog.search.blnSoughtPlanetsFound = true;
    const std::optional<platform::Message> found = Check(1);
    EXPECT_TRUE(found.has_value());
    EXPECT_EQ(found->text, "Kite found\r\ninvolving Mars Jupiter.");
}

// The whole road of one step: the finders update the dialog's record, the summary fills the pattern
// counts, and the stop test reads both.
class RunStepTest : public RunDialogTest {
protected:
    void SetUp() override
    {
        RunDialogTest::SetUp();
        astro.InitializeAstroTables("/nonexistent-orvane-folder/");
        astro.intNumPlanets = core::kPluto;
        astro.orbs.SetOrbs({180, 180, 180, 180, 180, 120, 120}, {1, 1});
        for (auto& row : dblPos)
            row = {-1.0, -1.0};
    }

    void Place(int16_t body, double degrees) { dblPos[static_cast<size_t>(body)][0] = degrees / 360.0 * core::kTwoPi; }

    // What the stepping does before a step and Compute after it.
    std::optional<platform::Message> Step()
    {
        dialog.search.intNumPlanetsFound = 0;
        intPatternCount.fill(0);
        const core::PatternFinder finder(astro, dblPos, language, &dialog.search);
        core::PatternSummary(core::FindAllPatterns(finder, false, 3), intPatternCount);
        run.blnRunning = true;
        return FoundCheck(run, dialog, intPatternCount, true, language);
    }

    core::AstroModule astro;
    core::PositionTable dblPos{};
    std::array<int16_t, core::kNumPatterns> intPatternCount{};
    RunState run;
};

TEST_F(RunStepTest, GrandTrineWithTheSoughtBody)
{
    Place(kEarth, 0);
    Place(kJupiter, 120);
    Place(kNeptune, 240);

    ASSERT_FALSE(Confirm(core::kPatternGrandTrine, 0, kSaturn, 0));
    EXPECT_FALSE(Step().has_value());
    EXPECT_EQ(dialog.search.intNumPlanetsFound, 0);

    ASSERT_FALSE(Confirm(core::kPatternGrandTrine, 0, kJupiter, 0));
    const std::optional<platform::Message> found = Step();
    EXPECT_TRUE(found.has_value());
    EXPECT_EQ(found->text, "Grand trine found\r\ninvolving Jupiter.");

    // Two grand trines asked for, one present.
    ASSERT_FALSE(Confirm(core::kPatternGrandTrine, 0, 0, 0));
    dialog.chkTwoOrMore = true;
    EXPECT_FALSE(Step().has_value());
}

TEST_F(RunStepTest, StelliumSoughtIsReportedAtItsLargestSize)
{
    Place(kEarth, 10);
    Place(kVenus, 11);
    Place(kMars, 12);
    Place(kSaturn, 11.5);
    ASSERT_FALSE(Confirm(core::kPattern3Stellium, kMars, 0, 0));
    EXPECT_FALSE(Step().has_value());  // a 4-stellium, not a 3-stellium
    ASSERT_FALSE(Confirm(core::kPattern4Stellium, kMars, 0, 0));
    EXPECT_EQ(Step()->text, "4-Stellium found\r\ninvolving Mars.");
}

}  // namespace
}  // namespace orvane::tools
