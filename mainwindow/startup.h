#pragma once

// The parts of start-up that need no window: the program text, the tables, the date rows and zone
// lists, the configuration panel's defaults and display settings, and the Pluto table.

#include "mainwindow/compute.h"
#include "platform/clock.h"
#include "settings/registry_store.h"

#include <string>

namespace orvane::mainwindow {

struct StartUpResult {
    // The program text could not be loaded: the message to show before the program ends. Nothing else
    // was done.
    std::string programTextError;
    // The Pluto table could not be read: what went wrong (the program goes on with eight bodies).
    std::string plutoError;
};

// Loads the program text from `dataFolder`, fills the astronomical tables, the date rows, the zone
// lists (with the computer's zone from `clock` as the default), the step list and the panel's defaults
// and display settings from `store`, and reads the Pluto table.
StartUpResult StartUp(Program& program, const std::string& dataFolder, const platform::Clock& clock,
                      settings::RegistryStore& store);

// The message of the error box shown when the Pluto table could not be read.
std::string PlutoErrorMessage(const text::Language& language, const std::string& error);

// Brings the texts that depend on the interface language up to date after intLanguage changed: the name
// tables, the month and step lists, and the date-row names.
void ApplyLanguageToModels(Program& program);

}  // namespace orvane::mainwindow
