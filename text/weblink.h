#pragma once

// The help text's file and the user manual without the desktop: which file holds the manual and what the user is told when the manual cannot be opened.

#include "platform/message.h"
#include "text/language.h"

#include <string>
#include <string_view>

namespace orvane::text {

// The help text, a plain text file in the data folder.
inline constexpr const char* kHelpFileName = "zemt_help.txt";

// The user manual's first page for the data folder `dataFolder` (with its trailing '/'). The manual's
// folder manual/ stands beside images/ with the pictures it shows: in share/doc/orvane/ for an installed
// program (whose data folder is share/orvane/), in doc/ beside the executables of a build.
std::string ManualPath(std::string_view dataFolder);

// Why the manual did not open: its page is not there, or the desktop has no program that opens it.
enum class ManualFailure { Missing, NoProgram };

// The warning that names the manual's file `path` and the reason in one sentence, titled with the link's
// caption.
platform::Message ManualFailureMessage(const Language& language, ManualFailure failure, const std::string& path);

}  // namespace orvane::text
