#pragma once

// Drawing a chart into a picture file without a window: what the main window would show as its chart
// after "Load from ..." of a state file, or after typing the moments of a chart (--birth, --birth2, --date,
// --mode, as the companion takes them), written as SVG, PDF or PNG, for batch use.

#include "app/typed_chart.h"

#include <optional>
#include <ostream>
#include <string>

namespace orvane::gui {

struct RenderRequest {
    std::string stateFile;            // empty: the chart of the typed moments alone
    std::string output;               // FILE.svg, FILE.pdf or FILE.png
    std::optional<std::string> width; // the picture's width in pixels as typed; the chart's own when none
    std::string dataFolder;           // qvs.dat and the Pluto table
    app::TypedChart chart{};          // moments and mode typed over the state file's, or without one
    std::string modeTyped{};          // --mode as typed, checked by the render
};

// The exit codes of a render: written, refused input (the state, the chart, the file), a usage mistake.
inline constexpr int kRenderWritten = 0;
inline constexpr int kRenderBadInput = 1;
inline constexpr int kRenderUsage = 2;

// Loads and computes the state as the program does at start-up and on "Load from ...", puts the typed
// moments and mode into its date rows as the window holds them, draws its chart and writes it whole as
// `output` (or no file at all). Every refusal is one line on `err`; a rounded moment is noted there too.
int RenderChart(const RenderRequest& request, std::ostream& err);

}  // namespace orvane::gui
