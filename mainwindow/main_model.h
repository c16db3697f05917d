#pragma once

// The main window's state without the window: the three date rows, the mode option buttons, the step
// increment list, the unit option buttons and the flags and moments that the computation and the state
// files read and write. The Qt window binds its widgets to these members and forwards the user's actions.

#include "core/aspects.h"
#include "core/vocabulary.h"
#include "mainwindow/control_models.h"
#include "mainwindow/mode.h"

#include <array>
#include <cstdint>
#include <string>

namespace orvane::text {
class Language;
}

namespace orvane::mainwindow {

// The three date rows: 0 the world date, 1 the 1st birthdate, 2 the 2nd birthdate.
inline constexpr int16_t kNumDateRows = 3;
inline constexpr int16_t kWorldDateRow = 0;
inline constexpr int16_t kFirstBirthdateRow = 1;
inline constexpr int16_t kSecondBirthdateRow = 2;

inline constexpr bool IsDateRow(int16_t row) { return row >= 0 && row < kNumDateRows; }


// A group of option buttons: at most one is selected. Selecting a button clears the others; clearing
// the selected one leaves the group without a selection, as option buttons set from code behave.
template <int16_t N>
class OptionGroup {
public:
    bool Value(int16_t button) const { return button >= 0 && button < N && button == m_selected; }

    void SetValue(int16_t button, bool value)
    {
        if (button < 0 || button >= N)
            return;
        if (value)
            m_selected = button;
        else if (m_selected == button)
            m_selected = -1;
    }

    // The selected button, −1 when none.
    int16_t Selected() const { return m_selected; }

    bool operator==(const OptionGroup&) const = default;

private:
    int16_t m_selected = -1;
};

class MainModel {
public:
    MainModel();

    // ---------------------------------------------------------------------------------------------
    // Input: what the user enters and the state files save.
    // ---------------------------------------------------------------------------------------------

    // The date rows, indexed by row. The year is kept as typed; the month list holds an empty entry and
    // the twelve month names (position = month number), the day list an empty entry and "1" … "31",
    // the half-hour list an empty entry and "00:00" … "23:30", the zone list an empty entry and the 47
    // zones with their offsets in minutes east of Greenwich as item data.
    std::array<std::string, kNumDateRows> txbYearCE;
    std::array<ComboBoxModel, kNumDateRows> cboMonthCE;
    std::array<ComboBoxModel, kNumDateRows> cboDayCE;
    std::array<ComboBoxModel, kNumDateRows> cboHour;
    std::array<ComboBoxModel, kNumDateRows> cboTimezone;

    // The step increment list: half an hour, a day, a week, a month, a year (positions 0 … 4).
    ComboBoxModel cboForwardBack;

    // The six mode option buttons.
    bool optPlanetary() const { return Value(Mode::WorldTransits); }
    bool optNatal(int16_t index) const { return index >= 0 && index < 2 && Value(NatalMode(index)); }
    bool optPersonal(int16_t index) const { return index >= 0 && index < 2 && Value(PersonalMode(index)); }
    bool optSynastry() const { return Value(Mode::Synastry); }
    void SetOptPlanetary(bool value) { SetValue(Mode::WorldTransits, value); }
    void SetOptNatal(int16_t index, bool value);
    void SetOptPersonal(int16_t index, bool value);
    void SetOptSynastry(bool value) { SetValue(Mode::Synastry, value); }
    // Selects the button of `mode` (None clears the selection).
    void SelectMode(Mode mode);
    // The mode of the selected button, None when no button is selected.
    Mode SelectedMode() const;

    // The unit of positions and deviations: degrees and minutes, or radians. Degrees at start.
    bool optDegrees() const { return m_unitOptions.Value(kDegreesButton); }
    bool optRadians() const { return m_unitOptions.Value(kRadiansButton); }
    void SetOptDegrees(bool value) { m_unitOptions.SetValue(kDegreesButton, value); }
    void SetOptRadians(bool value) { m_unitOptions.SetValue(kRadiansButton, value); }
    // The click on the label beside the two buttons: radians when degrees is selected, otherwise degrees.
    void ToggleDegreesRadians();

    // ---------------------------------------------------------------------------------------------
    // Window state shared with the other parts of the program.
    // ---------------------------------------------------------------------------------------------

    // The mode number 0 … 6 last derived from the option buttons (DetermineMode).
    int16_t intMode = 0;
    // Sets intMode from the option buttons and returns it.
    int16_t DetermineMode();

    // Start-up has finished; handlers that would compute wait for it.
    bool blnStartupCompleted = false;
    // Set while the grid or a state file changes the mode buttons themselves: a mode click then does
    // not compute.
    bool blnInhibitCompute = false;
    // Set when a date row could not be converted and its error was reported.
    bool blnInputError = false;

    // The moments of the three rows (Julian dates in Universal Time), or the error code of the row's
    // last conversion.
    std::array<double, kNumDateRows> dblMoment{};

    // The computer's time zone in minutes east of Greenwich, and the position in the zone lists whose
    // offset equals it (0 when no entry does): the zone a row without a zone is converted with.
    int16_t intSystemZone = 0;
    int16_t intDefaultZoneIndex = 0;

    // The names of the date rows used inside messages ("world date", "1st birthdate", "2nd birthdate").
    std::array<std::string, kNumDateRows> strDateRowName;

    // The per-user state file, and whether a state file was saved or loaded a moment ago (cleared when
    // the counter of the window's timer ticks exceeds 5).
    std::string strUserStateFile;
    bool blnStateFileTouched = false;
    int16_t intStateFileTouchedTicks = 0;

    // ---------------------------------------------------------------------------------------------
    // The result of the last computation.
    // ---------------------------------------------------------------------------------------------

    // Longitudes of the bodies at the mode's first (column 0) and second moment (column 1); a negative
    // value marks a body without a position.
    core::PositionTable dblPos{};
    // Aspects written into the grid, by aspect index 1 … 7.
    std::array<int16_t, core::kAspectSlots> intAspectCount{};
    // Patterns found, by pattern index 0 … 13; stepping sets them to 0 before each step.
    std::array<int16_t, core::kNumPatterns> intPatternCount{};
    // Aspects in the grid, as counted from the cell texts (by the Report button and the durations report).
    int16_t intTotalNumAspects = 0;
    // The title above the grid and the summary boxes of the one-date and the two-date modes.
    std::string lblTitle;
    std::string txbReport;
    std::string txbReport1;
    // The chart is shown instead of the grid (the toggle button then offers the table).
    bool picGraphicVisible = false;
    bool picTableVisible = true;

    // ---------------------------------------------------------------------------------------------
    // List filling that depends on the interface language.
    // ---------------------------------------------------------------------------------------------

    // Refills the three month lists (an empty entry, then January … December), keeping each list's
    // position; a list without a selection shows its empty entry.
    void FillMonthLists();
    // Refills the step increment list in the current language, keeping its position; without a
    // selection it shows one day.
    void FillStepList(const text::Language& language);
    // The month lists and the step increment list together, as a change of language needs them.
    void SetLanguageDependentLists(const text::Language& language);
    // The date-row names used inside messages, in the current language.
    void SetDateRowNames(const text::Language& language);

    // The Clear button of a row: month, day, half-hour and zone lists to their empty entry, year empty.
    void ClearDateRow(int16_t row);

private:
    static constexpr int16_t kDegreesButton = 0;
    static constexpr int16_t kRadiansButton = 1;

    static Mode NatalMode(int16_t index) { return index == 0 ? Mode::Natal1st : Mode::Natal2nd; }
    static Mode PersonalMode(int16_t index)
    {
        return index == 0 ? Mode::PersonalTransits1st : Mode::PersonalTransits2nd;
    }
    static int16_t Button(Mode mode) { return static_cast<int16_t>(static_cast<int16_t>(mode) - 1); }
    bool Value(Mode mode) const { return m_modeOptions.Value(Button(mode)); }
    void SetValue(Mode mode, bool value) { m_modeOptions.SetValue(Button(mode), value); }

    OptionGroup<6> m_modeOptions;
    OptionGroup<2> m_unitOptions;
};

}  // namespace orvane::mainwindow
