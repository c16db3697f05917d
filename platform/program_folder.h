#pragma once

// Where the program and its data files live.

#include <string>

namespace orvane::platform {

// The folder of the running executable, with a trailing '/'.
std::string ProgramFolder();

// The folder that holds the program's data files (qvs.dat, hpluto.2199.slx, zemt_help.txt), with a
// trailing '/': the program's folder when qvs.dat is there (a build tree), otherwise ../share/orvane
// beside it (an installed program) when qvs.dat is there; the program's folder when neither has it.
std::string DataFolder();

}  // namespace orvane::platform
