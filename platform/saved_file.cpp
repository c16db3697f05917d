#include "platform/saved_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane::platform {
namespace {

namespace fs = std::filesystem;

// Links followed before a chain of symbolic links counts as a loop (as the system counts them).
constexpr int kMostLinks = 40;

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

}  // namespace

Result<void> SaveFile(const std::string& path, std::string_view content, const DescribeSaveFault& describe)
{
    const fs::path target = Target(path);
    const fs::path folder = target.empty() || target.parent_path().empty() ? fs::path(".") : target.parent_path();
    if (target.empty())
        return Result<void>(describe(SaveFault::CannotWrite, folder.string(), SystemError(ELOOP)));

    // The permissions (and, where allowed, the owner) of the file replaced; a new file is its owner's.
    struct stat existing {};
    mode_t mode = S_IRUSR | S_IWUSR;
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return Result<void>(describe(SaveFault::NotAFile, folder.string(), ""));
    if (exists)
        mode = existing.st_mode & 07777;

    const fs::path saving = target.string() + ".saving";
    // A file of that name is what an interrupted save left behind.
    ::unlink(saving.c_str());
    const int descriptor = ::open(saving.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, S_IRUSR | S_IWUSR);
    if (descriptor < 0)
        return Result<void>(describe(SaveFault::FolderRefusesFile, folder.string(), SystemError(errno)));
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
        return Result<void>(describe(SaveFault::CannotWrite, folder.string(), SystemError(error)));
    }
    SyncFolder(folder);
    return {};
}

}  // namespace orvane::platform
