#pragma once

// The precise moments of the date rows as the windows and the companion meet them: a row given a moment
// to the minute in any zone, the row's label while it holds one, the row touched by the user (which
// drops it), and the notice that "Now" holds a precise moment because the computer's zone is not in the
// zone lists.

#include "app/workspace.h"
#include "datetime/zoned_moments.h"
#include "platform/message.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orvane::app {

// Gives `row` a precise moment: conversions (Compute, the report, the picture) use it while it is set,
// and the row's lists show it to the half hour in the nearest list zone.
void SetPreciseMoment(Workspace& program, int16_t row, datetime::PreciseMoment precise);

// The user changed the row's year box or one of its lists: the precise moment goes, and the row is
// converted from its lists again, exactly as without one.
void DateRowTouched(Workspace& program, int16_t row);

// What the row shows beside its lists while it holds a precise moment ("14:20 Europe/Berlin, GMT+1:00"),
// in the current language; empty when it holds none.
std::string PreciseMomentLabel(const Workspace& program, int16_t row);

// The notice for the world date when "Now" (or start-up) put a precise moment there because the
// computer's zone has an offset that the zone lists lack ("Asia/Kathmandu (GMT+5:45)"); none otherwise.
std::optional<platform::Message> ComputerZoneNotice(const Workspace& program);

}  // namespace orvane::app
