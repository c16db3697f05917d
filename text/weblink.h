#pragma once

// The help text's file and the link to the user manual without the shell: the manual's address, the
// extension of a file name or address, and what the user is told when the shell cannot open one.

#include "platform/message.h"
#include "text/language.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orvane::text {

// The help text, a plain text file in the data folder.
inline constexpr const char* kHelpFileName = "zemt_help.txt";

// The user manual's address as lblURL shows it (host and path, no scheme); opening it puts the plain
// HTTP scheme in front.
inline constexpr const char* kManualAddress = "orvane.example.org/manual";
inline constexpr const char* kHttpScheme = "http://";

// The shell's results that the failure message explains: the file is not found, memory ran out, the
// extension has no program; a result above kShellSuccessAbove means the target was opened.
inline constexpr int32_t kShellFileNotFound = 2;
inline constexpr int32_t kShellOutOfMemory = 8;
inline constexpr int32_t kShellNoAssociation = 31;
inline constexpr int32_t kShellSuccessAbove = 32;

// The characters after the last "." of the part after the last "\"; empty when that part has no ".";
// lower-cased when `lowerCase` is set. An address keeps its slashes: "host.org/manual" gives "org/manual".
std::string FileExtension(std::string_view name, bool lowerCase);

// The warning shown when the shell answered `result` (at most kShellSuccessAbove) for `target`: the error
// code and, for the results the shell explains, why.
platform::Message ShellFailureMessage(const Language& language, int32_t result, const std::string& target);

}  // namespace orvane::text
