#include "mainwindow/main_model.h"

#include "datetime/datepr2.h"
#include "text/language.h"

namespace orvane::mainwindow {
namespace {

// Program texts of the step increments: half an hour, a day, a week, a month, a year.
constexpr int16_t kTextFirstStep = 170;
constexpr int16_t kNumSteps = 5;
constexpr int16_t kOneDayStep = 1;

// Program texts of the date-row names used inside messages.
constexpr std::array<int16_t, kNumDateRows> kTextDateRowName{104, 105, 106};

}  // namespace

MainModel::MainModel()
{
    SetOptDegrees(true);
}

void MainModel::SetOptNatal(int16_t index, bool value)
{
    if (index >= 0 && index < 2)
        SetValue(NatalMode(index), value);
}

void MainModel::SetOptPersonal(int16_t index, bool value)
{
    if (index >= 0 && index < 2)
        SetValue(PersonalMode(index), value);
}

void MainModel::SelectMode(Mode mode)
{
    if (mode == Mode::None) {
        m_modeOptions.SetValue(m_modeOptions.Selected(), false);
        return;
    }
    SetValue(mode, true);
}

Mode MainModel::SelectedMode() const
{
    return static_cast<Mode>(m_modeOptions.Selected() + 1);
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

void MainModel::FillMonthLists()
{
    // The month lists always show the English month names; the position is the month number.
    for (ComboBoxModel& list : cboMonthCE) {
        const int16_t remembered = list.ListIndex();
        list.Clear();
        for (const std::string_view name : datetime::strMonthName)
            list.AddItem(std::string(name));
        list.SetListIndex(remembered);
        if (list.ListIndex() < 0)
            list.SetListIndex(0);
    }
}

void MainModel::FillStepList(const text::Language& language)
{
    const int16_t remembered = cboForwardBack.ListIndex();
    cboForwardBack.Clear();
    for (int16_t step = 0; step < kNumSteps; ++step)
        cboForwardBack.AddItem(language.GetText(static_cast<int16_t>(kTextFirstStep + step)));
    cboForwardBack.SetListIndex(remembered);
    if (cboForwardBack.ListIndex() < 0)
        cboForwardBack.SetListIndex(kOneDayStep);
}

void MainModel::SetLanguageDependentLists(const text::Language& language)
{
    FillMonthLists();
    FillStepList(language);
}

void MainModel::SetDateRowNames(const text::Language& language)
{
    for (size_t row = 0; row < strDateRowName.size(); ++row)
        strDateRowName[row] = language.GetText(kTextDateRowName[row]);
}

void MainModel::ClearDateRow(int16_t row)
{
    if (!IsDateRow(row))
        return;
    const auto r = static_cast<size_t>(row);
    cboMonthCE[r].SetListIndex(0);
    cboDayCE[r].SetListIndex(0);
    cboHour[r].SetListIndex(0);
    cboTimezone[r].SetListIndex(0);
    txbYearCE[r].clear();
}

}  // namespace orvane::mainwindow
