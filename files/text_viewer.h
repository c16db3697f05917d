#pragma once

// The text viewer's rules without the window: reading a text file whole, and cutting a text that is too
// large for the viewer's text box, with a notice at its head and at its tail.

#include "text/language.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace orvane::files {

// The viewer's text box receives at most this many characters.
inline constexpr size_t kViewerMaxCharacters = 65530;

// Widths in twips of the copy button: for the whole text, and for a selection.
inline constexpr int32_t kCopyButtonWidth = 3268;
inline constexpr int32_t kCopySelectedButtonWidth = 4432;
// The least size of the viewer window, in twips.
inline constexpr int32_t kViewerLeastWidth = 8000;
inline constexpr int32_t kViewerLeastHeight = 2000;

struct ViewerNotices {
    std::string head;  // three lines and an empty line, before the cut text
    std::string tail;  // one line, after the cut text and an empty line
};

// The two notices in the current language, with the program's CR LF line breaks.
ViewerNotices NoticesOf(const text::Language& language);

// Largest file read for the viewer, in bytes; it shows at most kViewerMaxCharacters of it anyway.
inline constexpr uint64_t kViewerMaxFileBytes = uint64_t{64} << 20;

// The whole content of the regular file at `path`, or nothing when it cannot be opened or read, is no
// regular file or is larger than kViewerMaxFileBytes.
std::optional<std::string> ReadWholeFile(const std::string& path);

// What the text box receives of `fileText` (UTF-8; characters, not bytes, are counted): the text itself
// when it is shorter than kViewerMaxCharacters, otherwise the head notice, as much of the text's start as
// leaves room for both notices, two line breaks and the tail notice.
std::string ViewerText(const std::string& fileText, const ViewerNotices& notices);

}  // namespace orvane::files
