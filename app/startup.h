#pragma once

// The parts of start-up that need no window: the program text, the tables, the date rows and zone
// lists, the configuration panel's defaults and display settings, and the Pluto table.

#include "app/compute.h"
#include "platform/clock.h"
#include "platform/message.h"
#include "settings/settings_store.h"

#include <optional>
#include <string>

namespace orvane::app {

// The title of the error box about the Pluto table.
inline constexpr const char* kTitleError = "Error";

struct StartUpResult {
    // The program text loaded, or the critical message (no title) to show before the program ends; then
    // nothing else was done.
    platform::Result<void> programText;
    // The Pluto table read, or the exclamation "Error when reading Pluto data:", what went wrong and
    // "Pluto aspects cannot be displayed.", titled "Error" (the program goes on with eight bodies).
    platform::Result<void> plutoTable;
};

// What a start-up prepares. Everything: what the windows and every command work with. TablesOnly: the
// program text, the astronomical tables and the Pluto table, for a run that reads no date row, zone
// list, orb or step (the companion's positions of a moment given on its command line).
enum class StartUpParts { Everything, TablesOnly };

// Loads the program text from `dataFolder`, fills the astronomical tables, the date rows, the zone
// lists (with the computer's zone from `clock` as the default), the step list and the panel's defaults
// and display settings from `store`, and reads the Pluto table; with TablesOnly, the date rows, zone
// lists, step list and panel are left as they are.
StartUpResult StartUp(Workspace& program, const std::string& dataFolder, const platform::Clock& clock,
                      settings::SettingsStore& store, StartUpParts parts = StartUpParts::Everything);

// Brings the texts that depend on the interface language up to date after currentLanguage changed: the name
// tables, the month and step lists, and the date-row names.
void ApplyLanguageToModels(Workspace& program);

}  // namespace orvane::app
