#include "cli/help_texts.h"

#include "cli/values.h"

#include <cstdio>

namespace orvane::cli {

std::string PatternAndBodyList()
{
    const core::AstroTables& tables = NameTables();
    std::string text = "Patterns P (index or name, any case):\n";
    for (size_t i = 0; i < tables.patternNames.size(); ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "  %2zu  %s\n", i, tables.patternNames[i].c_str());
        text += line;
    }
    text += "\nBodies B (name or abbreviation, any case, at most three):\n ";
    for (int16_t body = core::kEarth; body <= core::kPluto; ++body)
        text += " " + tables.bodyNames[static_cast<size_t>(body)] + " (" +
                tables.bodyAbbrevs[static_cast<size_t>(body)] + ")";
    return text + "\n";
}


}  // namespace orvane::cli
