#pragma once

#include <cstdint>

namespace orvane::mainwindow {

// The mode number intMode, as the mode option buttons give it; None when no button is selected.
enum class Mode : int16_t {
    None = 0,
    WorldTransits = 1,        // optPlanetary
    Natal1st = 2,             // optNatal(0)
    Natal2nd = 3,             // optNatal(1)
    PersonalTransits1st = 4,  // optPersonal(0)
    PersonalTransits2nd = 5,  // optPersonal(1)
    Synastry = 6,             // optSynastry
};

}  // namespace orvane::mainwindow
