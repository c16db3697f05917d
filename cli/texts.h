#pragma once

// The companion's own texts, compiled in from the program text, and how the program's texts reach the
// console: every CR LF a plain line feed, without the line breaks at a message's end.

#include "platform/message.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace orvane::platform {
class ProgramTextLibrary;
}

namespace orvane::text {
class Language;
}

namespace orvane::cli {

// One of the companion's own texts in `language`, from the program text as data/qvs.dat held it at build
// time (so that help and usage mistakes need no data file), read by the program-text library, with [r1]
// and [r2] filled in as echoed values, [r3] as a list the program makes (of valid values, of names), and
// "^" as a line feed.
std::string OwnText(int16_t number, int16_t language, const std::string& r1 = {}, const std::string& r2 = {},
                    const std::string& r3 = {});

// The refusal of a body name the heliocentric bodies lack: the Sun and the Moon are named as bodies seen
// from the Earth only, anything else as an unknown body.
std::string UnknownBodyText(const std::string& name, int16_t language);

// The program text as data/qvs.dat held it when the companion was built, with its index.
const platform::ProgramTextLibrary& CompiledProgramText();

// The compiled-in program text as a language of the program, for the models' own refusals while the
// command line is read.
const text::Language& OwnLanguage(int16_t language);

// The longest value a message echoes, in characters.
inline constexpr size_t kEchoedCharacters = 60;
// The longest list of valid values or names a message shows, in characters.
inline constexpr size_t kListedCharacters = 400;

// A value from the command line or a file name as a message shows it: its first `limit` characters and
// "…" after them when it is longer; a control character (C0, DEL, C1), or a byte that is no part of a
// UTF-8 character, as "?", so that nothing typed can move the cursor or recolour the terminal.
std::string EchoedValue(std::string_view value, size_t limit = kEchoedCharacters);

// `text` with every CR LF replaced by `with`.
std::string ReplaceLineBreaks(const std::string& text, const char* with);

// The program's texts break lines with CR LF; on the console every break is a plain line feed.
std::string ConsoleText(const std::string& text);

// A text without the line breaks at its ends.
std::string_view Trimmed(std::string_view text);

// Prints a message of the program as the console shows it: its text without the line breaks at its end,
// every line break a "\n", and one "\n" after it. Title, icon and buttons belong to the window.
void PrintMessage(std::ostream& stream, const platform::Message& message);

}  // namespace orvane::cli
