#pragma once

// Saved state files (the per-user ".usr" file and the user's ".qvs" files): the three date rows, the
// mode, the step increment and the configuration panel's orbs, colours and options, one value a line.
//
// Lines end in CR LF. A printed number is written with a blank before it when it is 0 or positive and
// a blank after it (" 5 ", "-1 "); a written value has no blanks ("5", "#TRUE#", "#FALSE#", "65535").
// The reader accepts numbers with blanks around them, the two truth values where numbers are expected
// (as −1 and 0), and lines ended by LF alone.

#include "core/modes.h"
#include "core/vocabulary.h"
#include "datetime/date_rows.h"
#include "platform/control_models.h"
#include "platform/result.h"
#include "settings/configure_model.h"
#include "settings/settings_store.h"
#include "text/language.h"

#include <cstddef>
#include <string>

namespace orvane::files {

// Lines of a complete file; a file that ends after line 50 is read as well.
inline constexpr int kStateFileLines = 51;

// Largest state file read, in bytes: a complete file has a few hundred; anything larger is refused
// unread rather than held in memory.
inline constexpr size_t kMaxStateFileBytes = 64 * 1024;

// A state file holds of the main window its date rows, its mode option buttons and its step increment
// list (`stepList`), and of the configuration panel its orbs, colours and options.

// Writes the state to `path` (see platform/saved_file.h: a failed save leaves the previous file as it
// was; the file keeps its permissions, a new one is its owner's only; a link is saved through). The year
// boxes are written as typed. Afterwards the three display settings are stored in
// the settings store. A failure's text tells what went wrong (its caller gives the title).
platform::Result<void> WriteStateFile(const std::string& path, const datetime::DateRows& rows,
                                      const core::ModeOptions& modes, const platform::ComboBoxModel& stepList,
                                      const settings::ConfigureModel& configure, const core::AstroTables& tables,
                                      settings::SettingsStore& store, const text::Language& language);

// Reads the state from `path` into the main window's and the panel's models (and the aspect colours),
// then applies the display settings and rebuilds the zone lists keeping their selections. Whole or
// nothing: a failure changes none of them, and its text tells what went wrong and at which line (its
// caller gives the title). Only a regular file of at most kMaxStateFileBytes is read. Every number is
// a plain integer (digits after an optional minus); a year line is text, taken as typed (it may be
// empty), which the year box's cleaning turns into digits at the next conversion.
platform::Result<void> ReadStateFile(const std::string& path, datetime::DateRows& rows, core::ModeOptions& modes,
                                     platform::ComboBoxModel& stepList, settings::ConfigureModel& configure,
                                     core::AstroTables& tables, settings::SettingsStore& store,
                                     const text::Language& language);

// The file's text for the state (what WriteStateFile writes).
std::string StateFileText(const datetime::DateRows& rows, const core::ModeOptions& modes,
                          const platform::ComboBoxModel& stepList, const settings::ConfigureModel& configure,
                          const core::AstroTables& tables);

}  // namespace orvane::files
