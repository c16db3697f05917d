#pragma once

// The calls into Swiss Ephemeris that the ephemeris layer's files share: the data folder each thread
// searches, and swe_calc at a moment in Universal Time with ΔT remembered for the bodies of one moment.

#include <swephexp.h>

#include <array>
#include <cstdint>
#include <string>

namespace orvane::platform::swiss {

using Values = std::array<double, 6>;
using ErrorText = std::array<char, AS_MAXCH>;

// The folders searched for the data files, separated by ':'.
void SetSearchPath(std::string path);
std::string SearchPath();

// Applies the search path to the calling thread when it changed since the thread last applied it.
void ApplyFolderToThisThread();

// Says once on stderr that the analytic ephemeris stands in for missing data files, with Swiss
// Ephemeris' `warning`; FellBack tells whether it was said.
void ReportFallbackOnce(const char* warning);
bool FellBack();

// swe_calc at `momentUt` (Julian date, UT): the same steps as swe_calc_ut takes (ΔT for the ephemeris
// asked for, and again for the one that answered when that differs), with ΔT kept for the next call at
// the same moment. Returns what swe_calc returns.
int32_t CalcUt(double momentUt, int32_t body, Values& xx, ErrorText& serr, int32_t flags);

}  // namespace orvane::platform::swiss
