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

// Loads the program text from `dataFolder`, fills the astronomical tables, the date rows, the zone
// lists (with the computer's zone from `clock` as the default), the step list and the panel's defaults
// and display settings from `store`, and reads the Pluto table.
StartUpResult StartUp(Workspace& program, const std::string& dataFolder, const platform::Clock& clock,
                      settings::SettingsStore& store);

// Brings the texts that depend on the interface language up to date after currentLanguage changed: the name
// tables, the month and step lists, and the date-row names.
void ApplyLanguageToModels(Workspace& program);

}  // namespace orvane::app
