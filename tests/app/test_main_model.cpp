#include "app/main_model.h"
#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>

namespace orvane::app {
namespace {

using core::Mode;
using platform::ComboBoxModel;

// The program's text, in English unless a test switches.
class LanguageLists : public testing::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        english.currentLanguage = text::langEnglish;
        german.currentLanguage = text::langGerman;
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
    {Mode::WorldTransits, [](const MainModel& m) { return m.worldSelected(); },
     [](MainModel& m, bool v) { m.SetOptPlanetary(v); }},
    {Mode::Natal1st, [](const MainModel& m) { return m.natalSelected(0); },
     [](MainModel& m, bool v) { m.SetOptNatal(0, v); }},
    {Mode::Natal2nd, [](const MainModel& m) { return m.natalSelected(1); },
     [](MainModel& m, bool v) { m.SetOptNatal(1, v); }},
    {Mode::PersonalTransits1st, [](const MainModel& m) { return m.personalSelected(0); },
     [](MainModel& m, bool v) { m.SetOptPersonal(0, v); }},
    {Mode::PersonalTransits2nd, [](const MainModel& m) { return m.personalSelected(1); },
     [](MainModel& m, bool v) { m.SetOptPersonal(1, v); }},
    {Mode::Synastry, [](const MainModel& m) { return m.synastrySelected(); },
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
        EXPECT_EQ(model.DetermineMode(), chosen.mode);
        EXPECT_EQ(model.currentMode, chosen.mode);

        // Clearing another button changes nothing; clearing the selected one leaves none selected.
        for (const ModeButton& other : kButtons)
            if (other.mode != chosen.mode)
                other.set(model, false);
        EXPECT_TRUE(chosen.read(model));
        chosen.set(model, false);
        EXPECT_EQ(model.DetermineMode(), core::Mode::None);
    }

    MainModel model;
    model.SelectMode(Mode::Synastry);
    model.SelectMode(Mode::None);
    EXPECT_EQ(model.SelectedMode(), Mode::None);
    // Buttons that do not exist are never selected and cannot be set.
    model.SetOptNatal(2, true);
    model.SetOptPersonal(-1, true);
    EXPECT_FALSE(model.natalSelected(2));
    EXPECT_FALSE(model.personalSelected(-1));
    EXPECT_EQ(model.DetermineMode(), Mode::None);
}

TEST(MainModel, DegreesAndRadiansAreOneChoice)
{
    // Degrees at start; with neither selected the label selects degrees.
    MainModel model;
    const auto units = [&model] { return std::pair(model.degreesSelected(), model.radiansSelected()); };
    EXPECT_EQ(units(), std::pair(true, false));
    model.SelectRadians(true);
    EXPECT_EQ(units(), std::pair(false, true));
    model.ToggleDegreesRadians();
    EXPECT_EQ(units(), std::pair(true, false));
    model.ToggleDegreesRadians();
    EXPECT_EQ(units(), std::pair(false, true));
    model.SelectRadians(false);
    EXPECT_EQ(units(), std::pair(false, false));
    model.ToggleDegreesRadians();
    EXPECT_EQ(units(), std::pair(true, false));
}

TEST_F(LanguageLists, LanguageDependentListsKeepTheirPositions)
{
    MainModel model;
    model.SetLanguageDependentLists(english);
    ASSERT_EQ(model.stepIncrement.ListCount(), 5);
    for (int16_t i = 0; i < 5; ++i)
        EXPECT_EQ(model.stepIncrement.List(i), english.Text(static_cast<int16_t>(170 + i)));
    EXPECT_EQ(model.stepIncrement.Text(), "1 day");  // one day when nothing was selected
    for (const ComboBoxModel& months : model.monthLists)
        EXPECT_EQ(std::tuple(months.ListCount(), months.List(0), months.ListIndex()), std::tuple(int16_t{13}, std::string(), int16_t{0}));

    model.stepIncrement.SetListIndex(4);
    model.monthLists[0].SetListIndex(3);
    model.monthLists[2].SetListIndex(12);
    model.SetLanguageDependentLists(german);
    EXPECT_EQ(std::tuple(model.stepIncrement.ListIndex(), model.stepIncrement.Text(), model.monthLists[1].ListIndex(),
                         model.monthLists[2].ListIndex()),
              std::tuple(int16_t{4}, german.Text(174), int16_t{0}, int16_t{12}));
    // The month lists keep the English names in every language.
    EXPECT_EQ(model.monthLists[0].Text(), "March");
    model.stepIncrement.SetListIndex(0);
    model.FillStepList(english);
    EXPECT_EQ(std::pair(model.stepIncrement.ListIndex(), model.stepIncrement.ListCount()), std::pair(int16_t{0}, int16_t{5}));
}

TEST_F(LanguageLists, DateRowNamesAndClearingARow)
{
    MainModel model;
    model.SetDateRowNames(english);
    EXPECT_EQ(model.rowNames, (std::array<std::string, 3>{"world date", "1st birthdate", "2nd birthdate"}));
    model.SetDateRowNames(german);
    EXPECT_EQ(model.rowNames[0] + "|" + model.rowNames[2], "Weltdatum|2. Geburtsdatum");

    model.FillMonthLists();
    for (size_t r = 0; r < 3; ++r) {
        for (ComboBoxModel* list : {&model.dayLists[r], &model.halfHourLists[r], &model.zoneLists[r]}) {
            for (int i = 0; i < 10; ++i)
                list->AddItem(std::to_string(i));
            list->SetListIndex(5);
        }
        model.monthLists[r].SetListIndex(5);
        model.yearTexts[r] = "2000";
    }
    const auto row = [&model](size_t r) {
        return std::tuple(model.yearTexts[r], model.monthLists[r].ListIndex(), model.dayLists[r].ListIndex(),
                          model.halfHourLists[r].ListIndex(), model.zoneLists[r].ListIndex());
    };
    model.ClearDateRow(1);
    EXPECT_EQ(row(1), std::tuple(std::string(), int16_t{0}, int16_t{0}, int16_t{0}, int16_t{0}));
    // The other rows stay; a row that does not exist is ignored.
    model.ClearDateRow(3);
    model.ClearDateRow(-1);
    for (size_t r : {size_t{0}, size_t{2}})
        EXPECT_EQ(row(r), std::tuple(std::string("2000"), int16_t{5}, int16_t{5}, int16_t{5}, int16_t{5}));
}

}  // namespace
}  // namespace orvane::app
