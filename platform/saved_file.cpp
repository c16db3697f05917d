#include "platform/saved_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane::platform {
namespace {

namespace fs = std::filesystem;

// Links followed before a chain of symbolic links counts as a loop (as the system counts them).
constexpr int kMostLinks = 40;

// A temporary of a save whose process has gone is left alone this long after it was last written (a save
// from another computer sharing the folder may carry a number no process here has); one this old is
// removed whoever made it. No save takes minutes, let alone a day.
constexpr std::time_t kOrphanSeconds = 60;
constexpr std::time_t kAbandonedSeconds = 24 * 60 * 60;

std::string SystemError(int error)
{
    return std::strerror(error);
}

// The file a save to `path` writes: `path` itself, or the end of the chain of symbolic links it starts.
// Empty when the chain does not end.
fs::path Target(const fs::path& path)
{
    fs::path target = path;
    for (int hops = 0; hops < kMostLinks; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(target, error)))
            return target;
        const fs::path next = fs::read_symlink(target, error);
        if (error)
            return target;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return {};
}

// Writes the whole of `content` to `descriptor` and forces it to disk; the system's error, or 0.
int WriteAndSync(int descriptor, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = ::write(descriptor, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        content.remove_prefix(static_cast<size_t>(written));
    }
    return ::fsync(descriptor) == 0 ? 0 : errno;
}

// Forces the folder's entries to disk, so that a rename in it survives a crash. Some file systems
// cannot do this for a folder; the save has succeeded all the same.
void SyncFolder(const fs::path& folder)
{
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
}

// Whether process `pid` runs on this computer (one of another user counts).
bool ProcessRuns(long pid)
{
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

// Removes what interrupted saves of `target` left in `folder`: NAME.saving, the one name every save used
// before, and the temporaries NAME.saving.<process>.<random> of processes that have gone, or abandoned
// long ago. A temporary of a save still running is kept. Links are removed, not followed.
void RemoveLeftovers(const fs::path& target, const fs::path& folder)
{
    const std::string saving = target.filename().string() + ".saving";
    ::unlink((folder / saving).c_str());
    const std::string prefix = saving + ".";
    const std::time_t now = std::time(nullptr);
    std::vector<fs::path> stale;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const char* digits = name.c_str() + prefix.size();
        char* after = nullptr;
        const long pid = std::strtol(digits, &after, 10);
        struct stat info {};
        if (after == digits || *after != '.' || ::lstat(entry->path().c_str(), &info) != 0)
            continue;
        const std::time_t age = now - info.st_mtime;
        if (age > kAbandonedSeconds || (age > kOrphanSeconds && !ProcessRuns(pid)))
            stale.push_back(entry->path());
    }
    for (const fs::path& path : stale)
        ::unlink(path.c_str());
}

// The code of a system error while the new content is written: a full disk (or quota) is told apart.
ErrorCode WriteFault(int error)
{
    return error == ENOSPC || error == EDQUOT ? ErrorCode::DiskFull : ErrorCode::Unwritable;
}

// The permissions a program gives a new file: read and write for all, less the process's umask. The
// umask is read from the process's status where the system shows it, so that it is never changed, not
// even for a moment; elsewhere it is set and restored.
mode_t UmaskPermissions()
{
    constexpr mode_t kEveryone = S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH;
    std::FILE* status = std::fopen("/proc/self/status", "re");
    if (status != nullptr) {
        char line[256];
        unsigned int mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status) != nullptr)
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found)
            return kEveryone & ~static_cast<mode_t>(mask);
    }
    const mode_t mask = ::umask(077);
    ::umask(mask);
    return kEveryone & ~mask;
}

}  // namespace

Result<void> SaveFile(const std::string& path, std::string_view content, const DescribeSaveFault& describe,
                      NewFileAccess access)
{
    const fs::path target = Target(path);
    const fs::path folder = target.empty() || target.parent_path().empty() ? fs::path(".") : target.parent_path();
    if (target.empty())
        return Result<void>(ErrorCode::Unwritable, describe(ErrorCode::Unwritable, folder.string(), SystemError(ELOOP)));

    // The permissions (and, where allowed, the owner) of the file replaced; a new file is its owner's, or
    // as the umask allows.
    struct stat existing {};
    mode_t mode = access == NewFileAccess::OwnerOnly ? S_IRUSR | S_IWUSR : UmaskPermissions();
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return Result<void>(ErrorCode::NotAFile, describe(ErrorCode::NotAFile, folder.string(), ""));
    if (exists)
        mode = existing.st_mode & 07777;

    RemoveLeftovers(target, folder);
    // A temporary name of this save's own: two saves of one file at once (two programs saving the per-user
    // file) each write their own and the last rename wins, whole.
    std::string name = target.string() + ".saving." + std::to_string(::getpid()) + ".XXXXXX";
    const int descriptor = ::mkostemp(name.data(), O_CLOEXEC);
    if (descriptor < 0) {
        const int error = errno;
        const ErrorCode code = WriteFault(error) == ErrorCode::DiskFull ? ErrorCode::DiskFull : ErrorCode::NoNewFile;
        return Result<void>(code, describe(code, folder.string(), SystemError(error)));
    }
    const fs::path saving = name;
    if (exists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) &&
        ::fchown(descriptor, existing.st_uid, existing.st_gid) != 0) {
        // Only the owner's group or a privileged user may give the file away: it stays the saver's.
    }
    int error = ::fchmod(descriptor, mode) == 0 ? 0 : errno;
    if (error == 0)
        error = WriteAndSync(descriptor, content);
    if (::close(descriptor) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(saving.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(saving.c_str());
        return Result<void>(WriteFault(error), describe(WriteFault(error), folder.string(), SystemError(error)));
    }
    SyncFolder(folder);
    return {};
}

}  // namespace orvane::platform
