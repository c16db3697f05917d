#include "cli/cli.h"

#include "platform/program_folder.h"
#include "platform/moment.h"

#include <chrono>
#include <iostream>

int main(int argc, char** argv)
{
    orvane::cli::Environment environment;
    environment.dataFolder = orvane::platform::DataFolder();
    // The present moment in Universal Time, from the system clock.
    environment.nowMoment = orvane::platform::MomentOf(std::chrono::system_clock::now());

    const std::vector<std::string> args(argv + 1, argv + argc);
    return orvane::cli::Run(args, environment, std::cout, std::cerr);
}
