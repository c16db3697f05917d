#include "cli/cli.h"

#include "platform/checked_files.h"
#include "platform/program_folder.h"
#include "platform/moment.h"

#include <chrono>
#include <cstdlib>
#include <iostream>

int main(int argc, char** argv)
{
    orvane::cli::Environment environment;
    environment.dataFolder = orvane::platform::DataFolder();
    // The present moment in Universal Time, from the system clock.
    environment.nowMoment = orvane::platform::MomentOf(std::chrono::system_clock::now());
    // Every command starts anew: a Pluto table checked once is not checked again while it is unchanged.
    environment.checkedFolder =
        orvane::platform::CheckedFiles::UserCacheFolder(std::getenv("XDG_CACHE_HOME"), std::getenv("HOME"));

    const std::vector<std::string> args(argv + 1, argv + argc);
    return orvane::cli::Run(args, environment, std::cout, std::cerr);
}
