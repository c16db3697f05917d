#pragma once

// A chart typed on a command line instead of a state file: ISO 8601 moments for the world date and the
// birthdates, and a mode by name. The companion and the desktop program's render put them into the date
// rows as the main window holds them, so that both draw and compute the same chart.

#include "app/workspace.h"
#include "core/modes.h"
#include "datetime/zoned_moments.h"
#include "platform/result.h"

#include <array>
#include <map>
#include <optional>
#include <string>

namespace orvane::app {

// The modes by the names --mode takes.
inline const std::map<std::string, core::Mode> kModeNames{
    {"world", core::Mode::WorldTransits},           {"natal1", core::Mode::Natal1st},
    {"natal2", core::Mode::Natal2nd},               {"personal1", core::Mode::PersonalTransits1st},
    {"personal2", core::Mode::PersonalTransits2nd}, {"synastry", core::Mode::Synastry}};

// The option that types each date row's moment: the world date, the 1st and the 2nd birthdate.
inline constexpr std::array<const char*, core::kNumDateRows> kMomentOptions{"--date", "--birth", "--birth2"};

struct TypedChart {
    std::array<std::string, core::kNumDateRows> moments;  // as typed, by date row; empty where none is given
    std::optional<core::Mode> mode;
};

// How the mode of a typed chart is chosen where the command needs it: a chart at one moment, or a span
// whose world date is only its start (default: now) and whose birthdate alone stands for the transits to it.
struct TypedRules {
    bool worldDateOptional = false;
    bool birthMeansTransits = false;
};

// Puts the moment `precise` into date row `row` at the half hour the rows hold: in its own offset when the
// zone lists have it, otherwise in UT. A moment the row cannot hold exactly stays precise beside it (the
// row then at the nearest half hour of a listed zone), as the desktop keeps it, unless `keepPrecise` is
// false: then the row's half hour stands for it. Returns the note that says how the moment was put, none
// when the row holds it exactly; a message when its half hour is past the last date the program computes.
platform::Result<std::optional<std::string>> PutTypedMoment(Workspace& program, int16_t row,
                                                            const datetime::PreciseMoment& precise, bool keepPrecise);

// The mode of a typed chart: its --mode, or, without a state file, the 1st birthdate's chart (or the
// transits to it) with --birth, world transits otherwise. Without a state file, the message when a row the
// mode computes was not typed, or when the 2nd birthdate stands alone (which of its modes is meant).
platform::Result<void> ChooseTypedMode(Workspace& program, const TypedChart& chart, bool stateLoaded,
                                       TypedRules rules = {});

// Every row the chart types, then its mode: the first refusal, or the rounding notes in row order.
platform::Result<std::vector<std::string>> PutTypedChart(Workspace& program, const TypedChart& chart, bool stateLoaded,
                                                         TypedRules rules = {});

}  // namespace orvane::app
