#pragma once

// Run until found: the run dialog frmRun without its window (the pattern to look for, the bodies it must
// involve, how many such patterns, how fast to run), the state of a run, and the stop test that every
// computed step of a run ends with.

#include "core/patterns.h"
#include "core/vocabulary.h"
#include "platform/control_models.h"
#include "platform/message.h"
#include "text/text_numbers.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::text {
class Language;
}

namespace orvane::search {

// The pause between the steps of a run, in milliseconds.
inline constexpr int32_t kRunStepInterval = 1000;
inline constexpr int32_t kQuickRunStepInterval = 100;

// "Run quickly" shortens the pause only in world transits.
constexpr int32_t RunStepInterval(bool worldTransits, bool runQuickly)
{
    return worldTransits && runQuickly ? kQuickRunStepInterval : kRunStepInterval;
}

// What the run dialog's controls hold, its public values and its remembered choices. The dialog is
// loaded once and afterwards only hidden and shown, so one object lives for the whole program.
class RunDialogModel {
public:
    platform::ComboBoxModel patternList;                                  // pattern index = list index
    std::array<platform::ComboBoxModel, core::kNumSoughtPlanetBoxes> soughtBodyLists;  // blank, then bodies 1 … 9
    platform::ComboBoxModel countList;                                      // "2" … "9"
    bool twoOrMoreTicked = false;                                                   // "Find at least"
    bool runQuicklyTicked = false;                                                  // "Run quickly"

    // Enabled states that the selections decide.
    bool clearPatternEnabled = false;
    bool bodyFrameEnabled = false;
    bool involvingEnabled = false;
    bool twoOrMoreEnabled = true;
    bool countListEnabled = false;
    bool clearBodiesEnabled = false;

    // Public values: the dialog was left with Cancel or its close box; and what the run looks for, which
    // the pattern finders update (hand `&search` to them).
    bool wasCancelled = false;
    core::RunSearchState search;

    // The choices the dialog reopens with.
    int16_t rememberedPattern = -1;
    std::array<int16_t, core::kNumSoughtPlanetBoxes> rememberedBody{};

    // Loading: nothing sought, nothing remembered, "2" … "9" offered with "2" chosen, both boxes clear.
    void Prepare();
    // Each showing: refills the lists from the name tables and selects the remembered choices.
    void Activate(const core::AstroTables& tables);

    void ChoosePattern();
    void ClearPattern();
    void ClearBodies();
    void ChooseSoughtBody();
    void ToggleTwoOrMore();

    // OK: takes over the choices and returns nothing (the dialog is hidden), or, when a body was chosen in
    // two boxes, returns the exclamation "Planet specified more than once." titled "Input error" (nothing is
    // taken over; the dialog stays).
    std::optional<platform::Message> Run(const text::Language& language);
    // Cancel and the close box.
    void Cancel();

    // The number of patterns "Find at least" asks for: the number shown in countList.
    int16_t NumToFind() const { return static_cast<int16_t>(countList.ListIndex() + 2); }

private:
    void SelectPattern(int16_t position);
};

// The state of a run in the main window.
struct RunState {
    bool isRunning = false;         // a run is in progress
    bool isWaitingForStep = false;  // the run waits for the step timer
};

// What the main window's Run button does: it stops a run in progress; otherwise, in world transits, the
// run dialog is asked first (its Cancel starts nothing); in the other modes the run starts at once.
enum class RunButtonAction { Stop, ShowDialog, Start };
RunButtonAction RunButtonClick(const RunState& run, bool worldTransits);

// The Run button's caption: "Stop" while a run is in progress, "Run" otherwise.
int16_t RunButtonCaption(const RunState& run);

void StartRun(RunState& run);
void StopRun(RunState& run);

// The end of one step of a run. A step into a date that the date input refused has been undone, and
// stepping on would only meet that date again, so the run ends. Otherwise a run still in progress waits
// for the step timer. Returns whether it waits.
bool WaitForNextStep(RunState& run, bool stepUndone);

// The step timer's tick ends the wait. Returns whether the next step is due (the run is still in
// progress); the count of sought bodies found then starts afresh for the new step's patterns.
bool AdvanceRun(RunState& run, RunDialogModel& dialog);

// The main window's controls that stay enabled while a run is in progress: the Run button, which stops
// it, Quit, and the two report boxes, which the user may read and scroll meanwhile.
bool EnabledDuringRun(std::string_view controlName);

// The stop test at the end of each step computed while a run is in progress. The run stops when the
// pattern sought was found — as often as "Find at least" asks, or at all — and, when bodies are sought,
// a pattern of that kind involved them all. A run outside world transits never stops by itself. On a
// stop, isRunning is cleared and the information message titled "Pattern found" is returned ("Grand trine
// found", "Three grand trines found", each followed by "\r\ninvolving Mars Jupiter" when bodies are sought,
// and "."); the caller shows it, restores the Run button and its controls and shows the dialog again.
// Nothing is returned while the run goes on.
std::optional<platform::Message> FoundCheck(RunState& run, const RunDialogModel& dialog,
                            const std::array<int16_t, core::kNumPatterns>& patternCounts, bool worldTransits,
                            const text::Language& language);

}  // namespace orvane::search
