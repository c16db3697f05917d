#include "cli/cli.h"

#include "platform/program_folder.h"

#include <chrono>
#include <iostream>

int main(int argc, char** argv)
{
    orvane::cli::Environment environment;
    environment.dataFolder = orvane::platform::DataFolder();
    // The present moment in Universal Time, from the system clock.
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    environment.nowMoment = 2440587.5 + std::chrono::duration<double>(now).count() / 86400.0;

    const std::vector<std::string> args(argv + 1, argv + argc);
    return orvane::cli::Run(args, environment, std::cout, std::cerr);
}
