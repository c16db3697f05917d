#pragma once

// The words for what kept the Pluto table from being read: the detail line of the message that tells the
// user Pluto's aspects cannot be shown.

#include "core/pluto_table.h"
#include "text/language.h"

#include <string>

namespace orvane::display {

// Words each fault of the table file `path` in the language's current tongue; the language must outlive
// the describer.
core::DescribePlutoTableFault DescribePlutoTableFault(const text::Language& language, const std::string& path);

}  // namespace orvane::display
