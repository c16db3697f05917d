#pragma once

// Drawing the chart of a state file into a picture file without a window: what the main window would
// show as its chart after "Load from ..." of that file, written as SVG, PDF or PNG, for batch use.

#include <optional>
#include <ostream>
#include <string>

namespace orvane::gui {

struct RenderRequest {
    std::string stateFile;
    std::string output;               // FILE.svg, FILE.pdf or FILE.png
    std::optional<std::string> width; // the picture's width in pixels as typed; the chart's own when none
    std::string dataFolder;           // qvs.dat and the Pluto table
};

// The exit codes of a render: written, refused input (the state, the chart, the file), a usage mistake.
inline constexpr int kRenderWritten = 0;
inline constexpr int kRenderBadInput = 1;
inline constexpr int kRenderUsage = 2;

// Loads and computes the state as the program does at start-up and on "Load from ...", draws its chart
// and writes it whole as `output` (or no file at all). Every refusal is one line on `err`.
int RenderChart(const RenderRequest& request, std::ostream& err);

}  // namespace orvane::gui
