#include "datetime/date_rows.h"

#include "datetime/datepr2.h"
#include "text/language.h"
#include "text/text_numbers.h"

namespace orvane::datetime {
namespace {

// The date rows' names inside messages.
constexpr std::array<int16_t, core::kNumDateRows> kTextDateRowName{
    text::kTextWorldDateInText, text::kText1stBirthdateInText, text::kText2ndBirthdateInText};

}  // namespace

void DateRows::FillMonthLists()
{
    // The month lists always show the English month names; the position is the month number.
    for (platform::ComboBoxModel& list : monthLists) {
        const int16_t remembered = list.ListIndex();
        list.Clear();
        for (const std::string_view name : kMonthName)
            list.AddItem(std::string(name));
        list.SetListIndex(remembered);
        if (list.ListIndex() < 0)
            list.SetListIndex(0);
    }
}

void DateRows::SetDateRowNames(const text::Language& language)
{
    for (size_t row = 0; row < rowNames.size(); ++row)
        rowNames[row] = language.Text(kTextDateRowName[row]);
}

void DateRows::ClearDateRow(int16_t row)
{
    if (!core::IsDateRow(row))
        return;
    const auto r = static_cast<size_t>(row);
    monthLists[r].SetListIndex(0);
    dayLists[r].SetListIndex(0);
    halfHourLists[r].SetListIndex(0);
    zoneLists[r].SetListIndex(0);
    yearTexts[r].clear();
    preciseMoments[r].reset();
}

void DateRows::DropPreciseMoment(int16_t row)
{
    if (core::IsDateRow(row))
        preciseMoments[static_cast<size_t>(row)].reset();
}

}  // namespace orvane::datetime
