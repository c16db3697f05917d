#pragma once

// Counts in words for the reports and listings.

#include <cstdint>
#include <string>
#include <string_view>

namespace orvane::reports {

// A count in words, capitalised: English "No", "One" … "Twenty", "Thirty" … "Ninety", other numbers
// below 100 as tens and units ("Twenty one"); German "Keine", "Eine" … "Zwanzig", "Dreißig" … "Neunzig",
// other numbers below 100 as units and tens ("Drei und vierzig"). 100 and above (and negative numbers)
// in digits, with thousands separators ("," in English, "." in German). The callers lower-case it.
std::string NumberInWords(int32_t n, bool german);

}  // namespace orvane::reports
