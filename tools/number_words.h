#pragma once

// String utilities of the reports: counts in words, case changes and padding that treat a UTF-8 text as
// the characters a user sees, and the lenient number reading of fixed-column records.

#include <cstdint>
#include <string>
#include <string_view>

namespace orvane::tools {

// A count in words, capitalised: English "No", "One" … "Twenty", "Thirty" … "Ninety", other numbers
// below 100 as tens and units ("Twenty one"); German "Keine", "Eine" … "Zwanzig", "Dreißig" … "Neunzig",
// other numbers below 100 as units and tens ("Drei und vierzig"). 100 and above (and negative numbers)
// in digits, with thousands separators ("," in English, "." in German). The callers lower-case it.
std::string NumberInWords(int32_t n, bool german);

// The text with its letters in lower case (ASCII and the accented Latin letters, "Ä" → "ä").
std::string LowerCase(std::string_view text);

// The text with its first letter in upper case (accented Latin letters included: "ä" → "Ä").
std::string UpperCaseFirst(std::string_view text);

// The number of characters of a UTF-8 text (not of bytes: "März" has four).
size_t CharacterCount(std::string_view text);

// `text` padded on the right with blanks to `width` characters; a longer text is not cut.
std::string PadRight(std::string_view text, size_t width);

// Reads a number the way a lenient decimal parser does: blanks are skipped anywhere, then an optional
// sign, digits, an optional decimal point with digits; reading stops at the first other character. A
// text without digits reads 0.
double Val(std::string_view text);

}  // namespace orvane::tools
