#pragma once

// The six modes (currentMode) and the date rows whose moments each compares, and the mode option buttons.

#include "platform/control_models.h"

#include <cstddef>
#include <cstdint>

namespace orvane::core {

// The three date rows, which are also the columns of the moments moments: 0 the world date, 1 the 1st
// birthdate, 2 the 2nd birthdate.
inline constexpr int16_t kNumDateRows = 3;
inline constexpr int16_t kWorldDateRow = 0;
inline constexpr int16_t kFirstBirthdateRow = 1;
inline constexpr int16_t kSecondBirthdateRow = 2;

constexpr bool IsDateRow(int16_t row) { return row >= 0 && row < kNumDateRows; }

// The mode currentMode, as the mode option buttons give it; None when no button is selected. The numbers are
// those of the state files and the mode option buttons (button = number − 1).
enum class Mode : int16_t {
    None = 0,
    WorldTransits = 1,        // worldSelected
    Natal1st = 2,             // natalSelected(0)
    Natal2nd = 3,             // natalSelected(1)
    PersonalTransits1st = 4,  // personalSelected(0)
    PersonalTransits2nd = 5,  // personalSelected(1)
    Synastry = 6,             // synastrySelected
};

// World transits and the two natal modes compare the bodies of one moment: the grid is a triangle.
constexpr bool IsOneDateMode(Mode mode)
{
    return mode >= Mode::WorldTransits && mode <= Mode::Natal2nd;
}
constexpr bool IsPersonalTransitMode(Mode mode)
{
    return mode == Mode::PersonalTransits1st || mode == Mode::PersonalTransits2nd;
}
// The modes in which aspects begin and end: world and personal transits.
constexpr bool IsTransitMode(Mode mode)
{
    return mode == Mode::WorldTransits || IsPersonalTransitMode(mode);
}
constexpr bool IsNatalMode(Mode mode)
{
    return mode == Mode::Natal1st || mode == Mode::Natal2nd;
}
// The modes that compare two moments and lay the grid out as a square.
constexpr bool IsTwoDateMode(Mode mode)
{
    return IsPersonalTransitMode(mode) || mode == Mode::Synastry;
}

// The mode's place in the list of the six modes (0 … 5), as the mode option buttons and tables in mode order
// count them; None has no place.
constexpr size_t ModeIndex(Mode mode) { return static_cast<size_t>(static_cast<int16_t>(mode) - 1); }

// The date row whose moment a one-date mode shows: the world date, the 1st or the 2nd birthdate.
constexpr int16_t OneDateRow(Mode mode) { return static_cast<int16_t>(ModeIndex(mode)); }

// Whether `mode` converts date row `row`: the world date for world transits, the birthdate of a
// natal mode, the world date and the birthdate of personal transits, both birthdates for synastry. A
// computation converts the rows of its mode in row order.
constexpr bool RowUsedByMode(int16_t row, Mode mode)
{
    switch (mode) {
    case Mode::WorldTransits: return row == kWorldDateRow;
    case Mode::Natal1st: return row == kFirstBirthdateRow;
    case Mode::Natal2nd: return row == kSecondBirthdateRow;
    case Mode::PersonalTransits1st: return row == kWorldDateRow || row == kFirstBirthdateRow;
    case Mode::PersonalTransits2nd: return row == kWorldDateRow || row == kSecondBirthdateRow;
    case Mode::Synastry: return row == kFirstBirthdateRow || row == kSecondBirthdateRow;
    default: return false;
    }
}

// The six mode option buttons: at most one is selected.
class ModeOptions {
public:
    bool worldSelected() const { return Value(Mode::WorldTransits); }
    bool natalSelected(int16_t index) const { return index >= 0 && index < 2 && Value(NatalMode(index)); }
    bool personalSelected(int16_t index) const { return index >= 0 && index < 2 && Value(PersonalMode(index)); }
    bool synastrySelected() const { return Value(Mode::Synastry); }
    void SetOptPlanetary(bool value) { SetValue(Mode::WorldTransits, value); }
    void SetOptNatal(int16_t index, bool value)
    {
        if (index >= 0 && index < 2)
            SetValue(NatalMode(index), value);
    }
    void SetOptPersonal(int16_t index, bool value)
    {
        if (index >= 0 && index < 2)
            SetValue(PersonalMode(index), value);
    }
    void SetOptSynastry(bool value) { SetValue(Mode::Synastry, value); }

    // Selects the button of `mode` (None clears the selection).
    void SelectMode(Mode mode)
    {
        if (mode == Mode::None)
            m_modeOptions.SetValue(m_modeOptions.Selected(), false);
        else
            SetValue(mode, true);
    }
    // The mode of the selected button, None when no button is selected.
    Mode SelectedMode() const { return static_cast<Mode>(m_modeOptions.Selected() + 1); }

    bool operator==(const ModeOptions&) const = default;

private:
    static Mode NatalMode(int16_t index) { return index == 0 ? Mode::Natal1st : Mode::Natal2nd; }
    static Mode PersonalMode(int16_t index)
    {
        return index == 0 ? Mode::PersonalTransits1st : Mode::PersonalTransits2nd;
    }
    static int16_t Button(Mode mode) { return static_cast<int16_t>(ModeIndex(mode)); }
    bool Value(Mode mode) const { return m_modeOptions.Value(Button(mode)); }
    void SetValue(Mode mode, bool value) { m_modeOptions.SetValue(Button(mode), value); }

    platform::OptionGroup<6> m_modeOptions;
};

}  // namespace orvane::core
