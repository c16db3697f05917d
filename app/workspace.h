#pragma once

// The workspace: the program's state objects together, the one place that knows them all, and the verbs
// that the desktop windows and the command-line companion drive. Each verb does what the button or event
// of the same name does in the main window and hands back what the window (or the companion) shows.

#include "core/astro_module.h"
#include "display/grid_model.h"
#include "app/main_model.h"
#include "charts/chart_record.h"
#include "settings/configure_model.h"
#include "text/language.h"
#include "search/run_model.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace orvane::platform {
class Clock;
}
namespace orvane::settings {
class SettingsStore;
}
namespace orvane::reports {
class DurationsWindow;
}

namespace orvane::app {

struct ComputeOutcome;
struct StepOutcome;
struct CellClickOutcome;
struct StateFileOutcome;
struct StartUpResult;

// Which way a step moves the world date.
enum class Direction { Forward, Back };

// The state objects of the program that a computation reads and writes, and the verbs on them. The
// desktop windows and the command-line companion each hold one.
struct Workspace {
    text::Language language;
    core::AstroModule astro;
    MainModel main;
    display::GridModel grid;
    settings::ConfigureModel configure;
    search::RunDialogModel runDialog;
    search::RunState run;
    // Where each date row's precise moment was, as the ◷ dialog or a chart of the library gave it; read
    // only while the row has a precise moment.
    std::array<charts::Place, core::kNumDateRows> rowPlaces{};

    // Start-up without a window: program text, tables, date rows, zone lists, panel defaults and display
    // settings, the Pluto table.
    StartUpResult StartUp(const std::string& dataFolder, const platform::Clock& clock,
                          settings::SettingsStore& store);
    // The mode's dates become moments, the positions and aspects fill the grid, title and summary.
    ComputeOutcome Compute();
    // The world date one increment forward or back, then Compute; a refused date is undone.
    StepOutcome Step(Direction direction);
    // The same step as one of a search for a pattern that shows nothing until it finds (SearchCompute).
    StepOutcome SearchStep(Direction direction);
    // A mode option chosen: Compute in the new mode, or the old mode kept when its dates do not convert.
    ComputeOutcome ChangeMode(core::Mode mode);
    // A click on grid cell `cell`: its aspect's beginning and end, or nothing.
    CellClickOutcome ClickCell(int16_t cell);
    // The durations report into `window`, or the message that there is no aspect to report.
    std::optional<platform::Message> Report(reports::DurationsWindow& window);
    // The world date set to the computer's clock, then Compute when the mode uses it.
    ComputeOutcome SetWorldDateToNow(const platform::Clock& clock);
    // The world date set to `moment` (a Julian date, UT; a moment picked on the aspect timeline) in the
    // world date's zone, to the half hour, then Compute; a moment the date input refuses changes nothing.
    ComputeOutcome SetWorldDate(double moment);
    // The per-user state file written, or a chosen file ("Save as ...").
    StateFileOutcome Save(settings::SettingsStore& store);
    StateFileOutcome SaveAs(const std::string& path, settings::SettingsStore& store);
    // The per-user state file read again (when it `exists`), or a chosen file ("Load from ...").
    StateFileOutcome Restore(bool exists, settings::SettingsStore& store);
    StateFileOutcome Load(const std::string& path, const platform::Clock& clock, settings::SettingsStore& store);
};

}  // namespace orvane::app
