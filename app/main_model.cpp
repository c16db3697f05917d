#include "app/main_model.h"

#include "text/language.h"
#include "text/text_numbers.h"

namespace orvane::app {
namespace {

// Workspace texts of the step increments: half an hour, a day, a week, a month, a year.
constexpr int16_t kNumSteps = 5;
constexpr int16_t kOneDayStep = 1;

}  // namespace

MainModel::MainModel()
{
    SelectDegrees(true);
}

void MainModel::ToggleDegreesRadians()
{
    if (degreesSelected())
        SelectRadians(true);
    else
        SelectDegrees(true);
}

core::Mode MainModel::DetermineMode()
{
    currentMode = SelectedMode();
    return currentMode;
}

void MainModel::FillStepList(const text::Language& language)
{
    const int16_t remembered = stepIncrement.ListIndex();
    stepIncrement.Clear();
    for (int16_t step = 0; step < kNumSteps; ++step)
        stepIncrement.AddItem(language.Text(static_cast<int16_t>(text::kTextOneHalfHour + step)));
    stepIncrement.SetListIndex(remembered);
    if (stepIncrement.ListIndex() < 0)
        stepIncrement.SetListIndex(kOneDayStep);
}

void MainModel::SetLanguageDependentLists(const text::Language& language)
{
    FillMonthLists();
    FillStepList(language);
}

}  // namespace orvane::app
