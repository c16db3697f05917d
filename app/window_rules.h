#pragma once

// The main window's rules that need no window: its sizes by mode, the questions of Clear and Quit, the
// click hint, what the housekeeping timer keeps in step, and the flows of Now, Restore, Save and
// "Load from ..." and of the start-up's choice between the per-user state file and the present moment.
// The Qt window shows what these return and re-syncs its widgets from the model afterwards.

#include "core/modes.h"
#include "app/compute.h"
#include "platform/clock.h"
#include "platform/message.h"
#include "settings/settings_store.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane::app {

// The window's width, its heights for the one-date and the two-date modes, and the least height, in twips.
inline constexpr int32_t kMainWindowWidth = 14400;
inline constexpr int32_t kOneDateModeHeight = 9565;
inline constexpr int32_t kTwoDateModeHeight = 10600;
inline constexpr int32_t kLeastWindowHeight = 5000;

// The height the window takes for `mode`: the square grid of the two-date modes needs more room, and the
// chart's outer ring of geocentric positions (`geoRing`) the margin it adds above and below the chart.
int32_t WindowHeightForMode(core::Mode mode, bool geoRing = false);

// The Clear button of `row`: "Clear the entries of the world date?", Yes and No, titled with the
// button's caption.
platform::Message ClearQuestion(const text::Language& language, int16_t row);

// Quit's question (Yes, No, Cancel; No the default, titled with the button's caption), or none when a
// state file was saved or loaded a moment ago and the program ends at once.
std::optional<platform::Message> QuitQuestion(const Workspace& program);

// The hint below the grid: program text 32 while the grid is shown in world or personal transits, the
// modes in which a cell click tells when its aspect begins and ends; empty otherwise.
std::string ClickHint(const Workspace& program);

// The "User manual:" label and its link stand in the foot line only while the grid is shown in world
// transits or natal aspects; the square grid, the chart and the transit picture need the room.
bool ManualLinkVisible(const MainModel& main);

// A click on a mode option: the mode is selected and the result computed. When a date row the mode needs
// does not convert, the change is refused: the mode shown before is selected again, so that the option
// buttons, the grid with its title and summary, a cell click and the window's height keep belonging to
// one mode; the outcome carries the date error. While the grid or a state file sets the options
// themselves (the inhibit flag), the mode is only selected.
ComputeOutcome ChangeMode(Workspace& program, core::Mode mode);

// ----- The housekeeping timer ---------------------------------------------------------------------------

// Whether any of the row's five fields (year, month, day, half hour, zone) is filled: its Clear button
// is shown then.
bool RowHasEntries(const datetime::DateRows& rows, int16_t row);

// Forward, Back and the step list are enabled in world and personal transits when all five fields of
// the world date are filled.
bool SteppingEnabled(const MainModel& main);

// One tick: every year box cleaned to its digits (a year written with a minus keeps it), and the state-file-touched flag cleared once more
// than five ticks have passed since the file was saved or loaded.
void HousekeepingTick(MainModel& main);

// ----- Actions ------------------------------------------------------------------------------------------

// Now: the world date set to the computer's clock, then Compute when the mode uses the world date.
ComputeOutcome SetWorldDateToNow(Workspace& program, const platform::Clock& clock);

// Start-up's choice of the first input: the per-user state file when `exists` and it loads (a natal mode
// is kept, any other mode becomes world transits), otherwise the present moment in world transits. A
// damaged file counts as absent. Returns whether the file was loaded.
bool LoadUserStateOrNow(Workspace& program, bool exists, const platform::Clock& clock,
                        settings::SettingsStore& store);

// What Restore, Save and "Load from ..." leave for the window.
struct StateFileOutcome {
    // The file read or written, or the message box to show when it could not be.
    platform::Result<void> file;
    // The file was read and the result recomputed (Restore, "Load from ...").
    ComputeOutcome compute;
    // A notice for the foot label ("Load from ..."), empty otherwise.
    std::string footLabel;
};

// Restore: reads the per-user state file when it exists and computes; an unreadable file changes
// nothing and gives the error of "Load from ..." (what went wrong, and that nothing has changed) titled
// with the button's caption, and nothing is recomputed. A file whose mode cannot be computed
// (a date row incomplete) keeps the mode shown before, as a refused mode click does. The window shows
// program text 399 when there is no error and the file existed.
StateFileOutcome Restore(Workspace& program, bool exists, settings::SettingsStore& store);

// Save: writes the per-user state file, making its folder first when it is missing; the error (which
// names a folder that cannot be made) is titled with the button's caption. The window shows
// program text 128 when there is none.
StateFileOutcome Save(Workspace& program, settings::SettingsStore& store);

// "Save as ..." while the grid is shown, with a file chosen: writes the state file; the error is titled
// with the button's caption, and the foot label then names the file. The window shows program text 128.
StateFileOutcome SaveStateFileAs(Workspace& program, const std::string& path, settings::SettingsStore& store);

// "Load from ..." with a file chosen: reads it, shows the grid, keeps a natal mode and otherwise selects
// world transits, and computes when the mode's date row converts, else sets the world date to now and
// computes. The foot label then names the file.
StateFileOutcome LoadChosenStateFile(Workspace& program, const std::string& path, const platform::Clock& clock,
                                     settings::SettingsStore& store);

// State files named when the program is started: the first is opened as "Load from ..." opens a chosen
// file; one message names the others, which are not opened (nothing when there is only one): up to four
// by name, or three and "and N more", so that the box never grows taller than the screen.
std::optional<platform::Message> FilesNotOpened(const text::Language& language, const std::vector<std::string>& files);

}  // namespace orvane::app
