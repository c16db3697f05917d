#include "platform/program_folder.h"

#include <filesystem>
#include <system_error>

namespace orvane::platform {
namespace fs = std::filesystem;

std::string ProgramFolder()
{
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    fs::path folder = error ? fs::current_path(error) : executable.parent_path();
    std::string text = folder.string();
    if (text.empty() || text.back() != '/')
        text += '/';
    return text;
}

std::string DataFolder()
{
    const std::string program = ProgramFolder();
    std::error_code error;
    if (fs::exists(fs::path(program) / "qvs.dat", error))
        return program;
    const fs::path installed = (fs::path(program) / ".." / "share" / "orvane").lexically_normal();
    if (fs::exists(installed / "qvs.dat", error)) {
        std::string text = installed.string();
        if (text.back() != '/')
            text += '/';
        return text;
    }
    return program;
}

}  // namespace orvane::platform
