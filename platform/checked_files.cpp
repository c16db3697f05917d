#include "platform/checked_files.h"

#include "orvane_version.h"
#include "platform/input_file.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <unistd.h>

namespace orvane::platform {
namespace {

// A stamp holds three short lines; anything longer is not one.
constexpr uint64_t kMaxStampBytes = 8192;

std::string Stamp(const std::string& path, const std::string& identity)
{
    return std::string(kVersion) + '\n' + path + '\n' + identity + '\n';
}

// FNV-1a: a name for a path's stamp that stays the same from run to run and from build to build.
uint64_t NameHash(const std::string& text)
{
    uint64_t hash = 14695981039346656037ULL;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

}  // namespace

std::string CheckedFiles::UserCacheFolder(const char* xdgCacheHome, const char* home)
{
    const auto set = [](const char* value) { return value != nullptr && *value != '\0'; };
    if (set(xdgCacheHome))
        return std::string(xdgCacheHome) + "/orvane/checked";
    if (set(home))
        return std::string(home) + "/.cache/orvane/checked";
    return {};
}

std::string CheckedFiles::StampPath(const std::string& path) const
{
    char name[32];
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(NameHash(path)));
    return m_folder + "/" + name;
}

bool CheckedFiles::Vouches(const std::string& path, const InputFile& file) const
{
    if (m_folder.empty())
        return false;
    const Result<std::string> stamp =
        ReadWholeFile(StampPath(path), kMaxStampBytes, [](FileFault, const std::string&) { return Message{}; });
    return stamp && stamp.value() == Stamp(path, file.identity());
}

void CheckedFiles::Record(const std::string& path, const InputFile& file) const
{
    if (m_folder.empty() || std::chrono::system_clock::now() - file.statusChanged() < m_settled)
        return;
    std::error_code error;
    std::filesystem::create_directories(m_folder, error);
    // Written beside its place and renamed into it, so that a start running at the same time reads the
    // old stamp or the new one, never a part.
    const std::string stampPath = StampPath(path);
    const std::string written = stampPath + "." + std::to_string(::getpid());
    {
        std::ofstream out(written, std::ios::binary | std::ios::trunc);
        out << Stamp(path, file.identity());
        if (!out.flush()) {
            out.close();
            std::filesystem::remove(written, error);
            return;
        }
    }
    std::filesystem::rename(written, stampPath, error);
    if (error)
        std::filesystem::remove(written, error);
}

}  // namespace orvane::platform
