#include "app/main_model.h"

#include "text/language.h"
#include "text/text_numbers.h"

namespace orvane::mainwindow {
namespace {

// Program texts of the step increments: half an hour, a day, a week, a month, a year.
constexpr int16_t kNumSteps = 5;
constexpr int16_t kOneDayStep = 1;

}  // namespace

MainModel::MainModel()
{
    SetOptDegrees(true);
}

void MainModel::ToggleDegreesRadians()
{
    if (optDegrees())
        SetOptRadians(true);
    else
        SetOptDegrees(true);
}

int16_t MainModel::DetermineMode()
{
    intMode = static_cast<int16_t>(SelectedMode());
    return intMode;
}

void MainModel::FillStepList(const text::Language& language)
{
    const int16_t remembered = cboForwardBack.ListIndex();
    cboForwardBack.Clear();
    for (int16_t step = 0; step < kNumSteps; ++step)
        cboForwardBack.AddItem(language.GetText(static_cast<int16_t>(text::kTextOneHalfHour + step)));
    cboForwardBack.SetListIndex(remembered);
    if (cboForwardBack.ListIndex() < 0)
        cboForwardBack.SetListIndex(kOneDayStep);
}

void MainModel::SetLanguageDependentLists(const text::Language& language)
{
    FillMonthLists();
    FillStepList(language);
}

}  // namespace orvane::mainwindow
