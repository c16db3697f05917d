#include "datetime/date_rows.h"

#include "datetime/datepr2.h"
#include "datetime/time_zones.h"
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

int16_t DateRows::ComputerZone() const
{
    if (!m_computerZone)
        m_computerZone = m_computerClock != nullptr ? ComputerZoneMinutes(*m_computerClock) : int16_t{0};
    return *m_computerZone;
}

int16_t DateRows::DefaultZoneIndex() const
{
    const platform::ComboBoxModel& list = zoneLists[core::kWorldDateRow];
    for (int16_t position = 1; position < list.ListCount(); ++position) {
        if (list.ItemData(position) == ComputerZone())
            return position;
    }
    return 0;
}

void DateRows::FollowComputerClock(std::shared_ptr<const platform::Clock> clock)
{
    m_computerClock = std::move(clock);
    m_computerZone.reset();
}

}  // namespace orvane::datetime
