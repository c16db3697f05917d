#pragma once

// The main window's actions beyond Compute, as the window and the command-line companion use them:
// stepping the world date, the click on an aspect cell, and the durations report.

#include "core/aspect_span.h"
#include "platform/result.h"
#include "app/compute.h"
#include "settings/settings_store.h"
#include "reports/durations.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orvane::app {

// ----- Stepping -------------------------------------------------------------------------------------

struct StepOutcome {
    ComputeOutcome compute;
    // The date input refused the new date: the world date was put back as it was before the step.
    bool undone = false;
};

// One step of the world date by the selected increment, then Compute; a date that the date input refuses
// is undone. The pause between the steps of a run is the window's affair.
StepOutcome Step(Workspace& program, Direction direction);

// The same step computed by SearchCompute: a step of a search that nobody looks at until it finds.
StepOutcome SearchStep(Workspace& program, Direction direction);

// The world date set to `moment` (a Julian date, UT) in the world date's zone, to the half hour, then
// Compute. A moment the date input refuses (after 31 December 2799) leaves the row as it was, in every
// mode, and the outcome carries the date input's message.
ComputeOutcome SetWorldDate(Workspace& program, double moment);

// ----- The click on an aspect cell ------------------------------------------------------------------

struct CellClickOutcome {
    enum class Kind {
        Nothing,          // a header, position or empty cell: nothing at all happens
        FocusOnly,        // natal and synastry cells, or an excluded aspect: the focus goes to Compute
        Information,      // show `message`
        TransitPicture,   // personal transits with a known beginning and end: draw the transit
        DurationsQuestion // ask `message` (Yes/No, No the default); Yes lists the durations of all aspects
    };
    Kind kind = Kind::Nothing;
    // Information and DurationsQuestion: titled with the aspect's sentence ("Mercury square to Venus").
    std::optional<platform::Message> message;
    // For the transit picture: its tooltip, the bodies, the aspect, the zone, the beginning and end day
    // numbers and the sentence the picture is captioned with.
    std::string pictureTooltip;
    core::Body p1 = core::Body::Earth;
    core::Body p2 = core::Body::Earth;
    core::Aspect aspect = core::Aspect::Conjunction;
    int16_t zoneMinutes = 0;
    std::optional<core::DayNumber> beginning;
    std::optional<core::DayNumber> ending;
    std::string pictureCaption;
};

CellClickOutcome ClickCell(Workspace& program, int16_t cell);

// ----- The durations report -------------------------------------------------------------------------

// What the report needs of the current computation.
core::DurationGrid DurationGridOf(Workspace& program);
reports::ReportInputs ReportInputsOf(Workspace& program);
reports::NatalListingInputs NatalListingInputsOf(Workspace& program);

// The Report button: the message to show when the grid holds no aspect; otherwise the durations window
// is filled (Report) and activated, and nothing is returned.
std::optional<platform::Message> Report(Workspace& program, reports::DurationsWindow& window);

// ----- State files ----------------------------------------------------------------------------------

// Save and Load of a state file (the per-user file or one the user chose). Both return the empty text or
// what went wrong; a file saved or loaded marks the window's state-file-touched flag, and the mode
// buttons that a load sets do not compute by themselves.
platform::Result<void> SaveStateFile(Workspace& program, const std::string& path, settings::SettingsStore& store);
platform::Result<void> LoadStateFile(Workspace& program, const std::string& path, settings::SettingsStore& store);

}  // namespace orvane::app
