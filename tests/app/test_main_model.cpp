#include "app/main_model.h"
#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace orvane::mainwindow {
namespace {

using core::Mode;
using platform::ComboBoxModel;

// The program's text, in English unless a test switches.
class LanguageLists : public testing::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        english.intLanguage = text::langEnglish;
        german.intLanguage = text::langGerman;
    }
    text::Language& english = program->language;
    text::Language german = program->language;
};

// The six buttons, each with what reads it and what sets it, in mode-number order 1 … 6.
struct ModeButton {
    Mode mode;
    bool (*read)(const MainModel&);
    void (*set)(MainModel&, bool);
};
const std::array<ModeButton, 6> kButtons{{
    {Mode::WorldTransits, [](const MainModel& m) { return m.optPlanetary(); },
     [](MainModel& m, bool v) { m.SetOptPlanetary(v); }},
    {Mode::Natal1st, [](const MainModel& m) { return m.optNatal(0); },
     [](MainModel& m, bool v) { m.SetOptNatal(0, v); }},
    {Mode::Natal2nd, [](const MainModel& m) { return m.optNatal(1); },
     [](MainModel& m, bool v) { m.SetOptNatal(1, v); }},
    {Mode::PersonalTransits1st, [](const MainModel& m) { return m.optPersonal(0); },
     [](MainModel& m, bool v) { m.SetOptPersonal(0, v); }},
    {Mode::PersonalTransits2nd, [](const MainModel& m) { return m.optPersonal(1); },
     [](MainModel& m, bool v) { m.SetOptPersonal(1, v); }},
    {Mode::Synastry, [](const MainModel& m) { return m.optSynastry(); },
     [](MainModel& m, bool v) { m.SetOptSynastry(v); }},
}};

TEST(MainModel, ExactlyOneModeButtonIsSelected)
{
    const MainModel fresh;
    for (const ModeButton& button : kButtons)
        EXPECT_FALSE(button.read(fresh));
    EXPECT_EQ(fresh.SelectedMode(), Mode::None);

    for (const ModeButton& chosen : kButtons) {
        MainModel model;
        // Select every other button first, then the chosen one: only the chosen one stays selected.
        for (const ModeButton& other : kButtons)
            other.set(model, true);
        chosen.set(model, true);
        for (const ModeButton& button : kButtons)
            EXPECT_EQ(button.read(model), button.mode == chosen.mode) << static_cast<int>(chosen.mode);
        EXPECT_EQ(model.SelectedMode(), chosen.mode);
        EXPECT_EQ(model.DetermineMode(), static_cast<int16_t>(chosen.mode));
        EXPECT_EQ(model.intMode, static_cast<int16_t>(chosen.mode));

        // Clearing another button changes nothing; clearing the selected one leaves none selected.
        for (const ModeButton& other : kButtons)
            if (other.mode != chosen.mode)
                other.set(model, false);
        EXPECT_TRUE(chosen.read(model));
        chosen.set(model, false);
        EXPECT_EQ(model.DetermineMode(), 0);
    }

    MainModel model;
    model.SelectMode(Mode::Synastry);
    model.SelectMode(Mode::None);
    EXPECT_EQ(model.SelectedMode(), Mode::None);
    // Buttons that do not exist are never selected and cannot be set.
    model.SetOptNatal(2, true);
    model.SetOptPersonal(-1, true);
    EXPECT_FALSE(model.optNatal(2));
    EXPECT_FALSE(model.optPersonal(-1));
    EXPECT_EQ(model.DetermineMode(), 0);
}

TEST(MainModel, DegreesAndRadiansAreOneChoice)
{
    MainModel model;
    EXPECT_TRUE(model.optDegrees() && !model.optRadians());  // degrees at start
    model.SetOptRadians(true);
    EXPECT_TRUE(model.optRadians() && !model.optDegrees());
    model.ToggleDegreesRadians();
    EXPECT_TRUE(model.optDegrees() && !model.optRadians());
    model.ToggleDegreesRadians();
    EXPECT_TRUE(model.optRadians());
    // With neither selected the label selects degrees.
    model.SetOptRadians(false);
    EXPECT_FALSE(model.optDegrees() || model.optRadians());
    model.ToggleDegreesRadians();
    EXPECT_TRUE(model.optDegrees());
}

TEST_F(LanguageLists, LanguageDependentListsKeepTheirPositions)
{
    MainModel model;
    model.SetLanguageDependentLists(english);
    ASSERT_EQ(model.cboForwardBack.ListCount(), 5);
    for (int16_t i = 0; i < 5; ++i)
        EXPECT_EQ(model.cboForwardBack.List(i), english.GetText(static_cast<int16_t>(170 + i)));
    EXPECT_EQ(model.cboForwardBack.Text(), "1 day");  // one day when nothing was selected
    for (const ComboBoxModel& months : model.cboMonthCE) {
        ASSERT_EQ(months.ListCount(), 13);
        EXPECT_EQ(months.List(0), "");
        EXPECT_EQ(months.ListIndex(), 0);
    }

    model.cboForwardBack.SetListIndex(4);
    model.cboMonthCE[0].SetListIndex(3);
    model.cboMonthCE[2].SetListIndex(12);
    model.SetLanguageDependentLists(german);
    EXPECT_EQ(model.cboForwardBack.ListIndex(), 4);
    EXPECT_EQ(model.cboForwardBack.Text(), german.GetText(174));
    EXPECT_EQ(model.cboMonthCE[1].ListIndex(), 0);
    EXPECT_EQ(model.cboMonthCE[2].ListIndex(), 12);
    // The month lists keep the English names in every language.
    EXPECT_EQ(model.cboMonthCE[0].Text(), "March");

    model.cboForwardBack.SetListIndex(0);
    model.FillStepList(english);
    EXPECT_EQ(model.cboForwardBack.ListIndex(), 0);
    EXPECT_EQ(model.cboForwardBack.ListCount(), 5);
}

TEST_F(LanguageLists, DateRowNamesAndClearingARow)
{    MainModel model;
    model.SetDateRowNames(english);
    EXPECT_EQ(model.strDateRowName, (std::array<std::string, 3>{"world date", "1st birthdate", "2nd birthdate"}));
    model.SetDateRowNames(german);
    EXPECT_EQ(model.strDateRowName[0], german.GetText(104));
    EXPECT_EQ(model.strDateRowName[2], german.GetText(106));

    model.FillMonthLists();
    for (size_t r = 0; r < 3; ++r) {
        for (ComboBoxModel* list : {&model.cboDayCE[r], &model.cboHour[r], &model.cboTimezone[r]}) {
            for (int i = 0; i < 10; ++i)
                list->AddItem(std::to_string(i));
            list->SetListIndex(5);
        }
        model.cboMonthCE[r].SetListIndex(5);
        model.txbYearCE[r] = "2000";
    }
    model.ClearDateRow(1);
    EXPECT_EQ(model.txbYearCE[1], "");
    for (const ComboBoxModel* list : {&model.cboMonthCE[1], &model.cboDayCE[1], &model.cboHour[1], &model.cboTimezone[1]})
        EXPECT_EQ(list->ListIndex(), 0);
    // The other rows stay; a row that does not exist is ignored.
    model.ClearDateRow(3);
    model.ClearDateRow(-1);
    for (size_t r : {size_t{0}, size_t{2}}) {
        EXPECT_EQ(model.txbYearCE[r], "2000");
        EXPECT_EQ(model.cboMonthCE[r].ListIndex(), 5);
        EXPECT_EQ(model.cboTimezone[r].ListIndex(), 5);
    }
}

}  // namespace
}  // namespace orvane::mainwindow
