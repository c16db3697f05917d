#pragma once

// The main window's state without the window: the three date rows, the mode option buttons, the step
// increment list, the unit option buttons and the flags and moments that the computation and the state
// files read and write. The Qt window binds its widgets to these members and forwards the user's actions.

#include "core/aspect_result.h"
#include "core/aspects.h"
#include "core/modes.h"
#include "core/vocabulary.h"
#include "datetime/date_rows.h"
#include "platform/control_models.h"

#include <array>
#include <cstdint>
#include <string>

namespace orvane::text {
class Language;
}

namespace orvane::app {

// The date rows (with their moments and zones) and the mode option buttons are parts of the window
// that the date input and the state files work on by themselves.
class MainModel : public datetime::DateRows, public core::ModeOptions {
public:
    MainModel();

    // ---------------------------------------------------------------------------------------------
    // Input: what the user enters and the state files save.
    // ---------------------------------------------------------------------------------------------

    // The step increment list: half an hour, a day, a week, a month, a year (positions 0 … 4).
    platform::ComboBoxModel stepIncrement;

    // The unit of positions and deviations: degrees and minutes, or radians. Degrees at start.
    bool degreesSelected() const { return m_unitOptions.Value(kDegreesButton); }
    bool radiansSelected() const { return m_unitOptions.Value(kRadiansButton); }
    void SelectDegrees(bool value) { m_unitOptions.SetValue(kDegreesButton, value); }
    void SelectRadians(bool value) { m_unitOptions.SetValue(kRadiansButton, value); }
    // The click on the label beside the two buttons: radians when degrees is selected, otherwise degrees.
    void ToggleDegreesRadians();

    // ---------------------------------------------------------------------------------------------
    // Window state shared with the other parts of the program.
    // ---------------------------------------------------------------------------------------------

    // The mode last derived from the option buttons (DetermineMode).
    core::Mode currentMode = core::Mode::None;
    // Sets currentMode from the option buttons and returns it.
    core::Mode DetermineMode();

    // Start-up has finished; handlers that would compute wait for it.
    bool startupCompleted = false;
    // Set while the grid or a state file changes the mode buttons themselves: a mode click then does
    // not compute.
    bool inhibitCompute = false;

    // The per-user state file, and whether a state file was saved or loaded a moment ago (cleared when
    // the counter of the window's timer ticks exceeds 5).
    std::string userStateFilePath;
    bool stateFileTouched = false;
    int16_t stateFileTouchedTicks = 0;

    // ---------------------------------------------------------------------------------------------
    // The result of the last computation.
    // ---------------------------------------------------------------------------------------------

    // What the last computation found: the positions at the mode's moments, the aspects (which the grid
    // shows), the patterns and their counts.
    core::AspectResult result;
    // Patterns found, by pattern index 0 … 13; stepping sets them to 0 before each step.
    std::array<int16_t, core::kNumPatterns> patternCounts{};
    // Aspects of the last computation, as counted where they are read (by the Report button and the
    // durations report).
    int16_t totalAspects = 0;
    // The title above the grid and the summary boxes of the one-date and the two-date modes.
    std::string titleText;
    std::string summaryText;
    std::string twoDateSummaryText;
    // The chart is shown instead of the grid (the toggle button then offers the table).
    bool chartShown = false;
    bool gridShown = true;

    // ---------------------------------------------------------------------------------------------
    // List filling that depends on the interface language.
    // ---------------------------------------------------------------------------------------------

    // Refills the step increment list in the current language, keeping its position; without a
    // selection it shows one day.
    void FillStepList(const text::Language& language);
    // The month lists and the step increment list together, as a change of language needs them.
    void SetLanguageDependentLists(const text::Language& language);

private:
    static constexpr int16_t kDegreesButton = 0;
    static constexpr int16_t kRadiansButton = 1;

    platform::OptionGroup<2> m_unitOptions;
};

}  // namespace orvane::app
