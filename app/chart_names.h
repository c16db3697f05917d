#pragma once
// A chart of the library named where a birthdate goes: "--birth @NAME" in the companion and in
// "orvane --render". NAME is the chart's name or "first name name" (see charts::ChartStore::MatchName);
// the chart's moment then takes the place of the typed text, as the ISO text the date reader takes.

#include "app/typed_chart.h"
#include "charts/chart_record.h"
#include "platform/result.h"
#include "text/language.h"

#include <string>
#include <string_view>

namespace orvane::app {

// Whether a birthdate as typed names a chart: it begins with '@'.
bool NamesChart(std::string_view typed);

// The ISO text of a chart's moment, in its own zone when that is a whole minute off UT (local mean time
// often is not: then in UT to the second), which ParsePreciseMoment reads back to the same instant.
std::string ChartMomentIso(const charts::ChartRecord& chart);

// The chart `typed` ("@NAME") names in the library `libraryPath`; refused as ChartMomentText is.
platform::Result<charts::ChartRecord> ChartNamed(std::string_view typed, const std::string& libraryPath,
                                                 const text::Language& language);

// The moment of the chart `typed` ("@NAME") names in the library `libraryPath`, as ChartMomentIso writes it;
// refused, listing the candidates, when the name is unknown or ambiguous, or when the library cannot be
// opened. A library that does not exist is not made.
platform::Result<std::string> ChartMomentText(std::string_view typed, const std::string& libraryPath,
                                              const text::Language& language);

// Every "@NAME" among the birthdates of `chart` replaced by its chart's moment.
platform::Result<void> ResolveChartNames(TypedChart& chart, const std::string& libraryPath,
                                         const text::Language& language);

}  // namespace orvane::app
