#pragma once

// The saved chart image without the picture: the bitmap file written on the way to the PNG file, and
// the texts printed on the chart's copy with their places, a title block in grey and caption lines in
// blue that say which dates and which bodies the chart shows.

#include "core/modes.h"
#include "datetime/date_rows.h"
#include "text/language.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::files {

// The caption line step, in pixels of the picture.
inline constexpr int32_t kCaptionLineStep = 17;

// The PNG file written: the name the user chose, with ".png" added when its file part has no extension
// (mychart gives mychart.png, mychart. gives mychart.png; chart.jpeg stays as it is).
std::string PngFileName(const std::string& chosenFileName);

// The bitmap file written first: the chosen name without its last three characters, then "bmp"
// (chart.png gives chart.bmp, chart.jpeg gives chart.jbmp).
std::string BitmapFileName(const std::string& pngFileName);

// A row's date as the caption prints it: the year as typed, the month's and the day's list positions
// with two digits ("1987-03-09"); its clock text: the selected half hour, a blank and the selected zone.
// A row that holds a precise moment prints the moment that was computed instead: its date in its zone and
// its clock time with the zone ("06:45 Europe/Vienna, GMT+1:00").
std::string RowDateText(const datetime::DateRows& rows, int16_t row);
std::string RowClockText(const datetime::DateRows& rows, int16_t row, const text::Language& language);

struct ImageTextLine {
    enum class Kind { Title, Caption };  // grey title block, blue caption lines
    Kind kind = Kind::Caption;
    std::string text;
    int32_t x = 0;  // pixels from the picture's left edge to the text's left
    int32_t y = 0;  // pixels from the picture's top edge to the text's top
    bool operator==(const ImageTextLine&) const = default;
};

struct ChartImageCaption {
    core::Mode currentMode = core::Mode::None;               // the mode of the chart shown
    bool onlyOuterPlanets = false;
    int32_t width = 0;                 // the picture's width in pixels
    std::string productTitle;          // the four title-line slots, "Orvane" in the first
    std::string version;               // the version text after "v."
    std::string orbNote;               // the two-date modes' orb note, without surrounding blanks
};

// Every text of the composed image in printing order: the title block, then the caption lines of the
// mode. Empty title slots are left out.
std::vector<ImageTextLine> ChartImageLines(const ChartImageCaption& caption, const datetime::DateRows& rows,
                                           const text::Language& language);

}  // namespace orvane::files
