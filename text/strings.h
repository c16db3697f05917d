#pragma once

// Text helpers that treat a UTF-8 text as the characters a user sees: case changes, character counts and
// padding, and the lenient number reading of fixed-column records.

#include <cstddef>
#include <string>
#include <string_view>

namespace orvane::text {

// `text` without the characters of `blanks` at either end.
std::string_view Trimmed(std::string_view text, std::string_view blanks = " \t\r\n\v\f");

// The text with its letters in lower case: ASCII and the accented letters of Latin-1 and Latin Extended-A
// ("Ä" → "ä", "Ł" → "ł"); others as they are.
std::string LowerCase(std::string_view text);

// The text with its first letter in upper case, for the same letters ("ä" → "Ä", "ł" → "Ł").
std::string UpperCaseFirst(std::string_view text);

// The number of characters of a UTF-8 text (not of bytes: "März" has four).
size_t CharacterCount(std::string_view text);

// `text` padded on the right with blanks to `width` characters; a longer text is not cut.
std::string PadRight(std::string_view text, size_t width);

// Reads a number the way a lenient decimal parser does: blanks are skipped anywhere, then an optional
// sign, digits, an optional decimal point with digits; reading stops at the first other character. A
// text without digits reads 0.
double Val(std::string_view text);

// The digits of `number` (an optional sign, then digits) with `separator` between groups of three digits;
// any other text is returned as it is.
std::string SeparateThousands(std::string_view number, char separator);

}  // namespace orvane::text
