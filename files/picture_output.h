#pragma once

// Pictures written to files and printed: which kind of file a name asks for, how large the picture is
// drawn, and the words of what came of writing it. The drawing itself is the windows' (gui/); what
// is decided here needs no Qt, so the desktop program's export, its batch rendering and the tests
// share it.

#include "platform/result.h"
#include "platform/saved_file.h"
#include "text/language.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane::files {

// The kinds of picture file: a drawing (SVG) and a document page (PDF) stay sharp at any size; an
// image (PNG) has the picture's pixels times its scale.
enum class PictureFormat { Svg, Pdf, Png };

// The scales a PNG image is offered at: the picture's own pixels, twice and four times as many each way.
inline constexpr std::array<int32_t, 3> kPngScales{1, 2, 4};

// The widths a rendered picture may be asked for, in pixels.
inline constexpr int32_t kSmallestPictureWidth = 100;
inline constexpr int32_t kLargestPictureWidth = 10000;

// The kind of file `fileName` names by its extension, in any case (chart.SVG is a drawing). A name
// without one of the three extensions is refused with a message that lists them.
platform::Result<PictureFormat> PictureFormatOf(std::string_view fileName, const text::Language& language);

// The width asked for as typed: a whole number of pixels from kSmallestPictureWidth to
// kLargestPictureWidth; anything else is refused with a message that gives the range.
platform::Result<int32_t> PictureWidthOf(std::string_view typed, const text::Language& language);

// How much a picture `naturalWidth` pixels wide is enlarged to be `width` pixels wide.
double PictureScale(int32_t naturalWidth, int32_t width);

// A picture's size at `scale`, rounded to whole pixels, never below one.
struct PictureSize {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const PictureSize&) const = default;
};
PictureSize ScaledSize(PictureSize natural, double scale);

// The file types of the export dialog, in its order: PDF, SVG, then PNG at each scale of kPngScales.
struct PictureChoice {
    PictureFormat format = PictureFormat::Png;
    int32_t scale = 1;
    std::string extension;  // without the dot
    std::string label;      // the dialog's filter text, "PDF document (*.pdf)"
};
std::array<PictureChoice, 5> PictureChoices(const text::Language& language);

// The words of a picture file that could not be saved at `path`: the disk was full, or the folder or
// the file refused it (with the system's reason).
platform::DescribeSaveFault DescribePictureFault(const text::Language& language, const std::string& path);

// Saves the picture's bytes as `path` through a temporary file beside it, so that a failure leaves no
// file (and an existing file as it was).
platform::Result<void> SavePicture(const std::string& path, std::string_view bytes, const text::Language& language);

}  // namespace orvane::files
