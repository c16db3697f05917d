#pragma once

// Refusals that name their remedy: the option a misspelt one was meant to be, and the zone a word after
// a date stands for.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane::cli {

// Of `names`, the one `typed` is most likely meant to be: the shortest name it begins (of four letters or
// more), else the closest at most a third of its letters apart (a letter left out, added, changed, or two
// swapped); none when none is that close.
std::optional<std::string> ClosestName(const std::string& typed, const std::vector<std::string>& names);

// `word`, taken for a state file that is not there, when it names zones of the tz database and `date`
// was typed before it: the refusal that says a zone goes in brackets after the time, with the closest
// zone names; none when the word is no zone.
std::optional<std::string> ZoneWordRemedy(const std::string& word, const std::string& date, int16_t language);

}  // namespace orvane::cli
