#pragma once

// The graphics-conversion layer: converts an image file into the format that another file's extension
// names (the chart's bitmap into a PNG image). The conversion entry keeps the conversion library's
// contract — paths and a message buffer in, the message's length out, "No Error" on success — and
// ConvertGraphicsFile is the program's one way of calling it.

#include "platform/result.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvane::gui {

// The message of a conversion that succeeded.
inline constexpr const char* kConversionSucceeded = "No Error";
// The least size of the message buffer, in bytes.
inline constexpr size_t kConversionMessageSize = 255;

// Converts the image file `source` into the format named by the extension of `destination` and writes
// it there. Writes "No Error" or what went wrong into `message` (zero-terminated, at most
// kConversionMessageSize bytes with the terminator) and returns the number of characters written.
int32_t ConvertGraphicsFile3(const char* source, const char* destination, char* message);

// Converts `source` into `destination`; a failure's text is the conversion's message. On success the source file is deleted when `deleteSourceOnSuccess`
// is set; on failure a (partial) destination file is deleted when `deleteDestinationOnFailure` is set,
// and a file that cannot be deleted is left as it is.
platform::Result<void> ConvertGraphicsFile(const std::string& source, const std::string& destination,
                                           bool deleteSourceOnSuccess, bool deleteDestinationOnFailure);

}  // namespace orvane::gui
