#pragma once

// Files known to have passed a check that is costly to repeat at every start.
//
// The companion starts once for every command, and reading and checking the Pluto table's megabyte was
// a large part of what a short command costs. Once a table has passed, a stamp in the user's cache folder says so: the
// file's path and identity (device, inode, size, and the times of its last change of content and of
// status, see InputFile::identity) and the program's version. A later start that finds the same file
// unchanged may take it as checked. Any change to the file, even one that restores its old content and
// times, changes its status time and so its identity: the stamp no longer vouches for it, and the file
// is checked whole again.
//
// The system keeps file times to a clock tick, not to the nanosecond, so a file changed twice within a
// tick would show the same identity after the second change. A file whose status changed within the
// last seconds is therefore not stamped: it is checked again at the next start, until it has settled.
//
// Stamps are a help, never a need: a folder that cannot be read or written only means checking again.

#include <chrono>
#include <string>
#include <utility>

namespace orvane::platform {

class InputFile;

class CheckedFiles {
public:
    // How long a file must have stood unchanged before a stamp vouches for it.
    static constexpr std::chrono::seconds kSettled{2};

    // Keeps no stamps and vouches for nothing.
    CheckedFiles() = default;
    // Keeps its stamps in `folder`, made when the first stamp is written.
    explicit CheckedFiles(std::string folder, std::chrono::seconds settled = kSettled)
        : m_folder(std::move(folder)), m_settled(settled)
    {
    }

    // The folder of the user's cache: $XDG_CACHE_HOME/orvane/checked, else ~/.cache/orvane/checked; none
    // (an empty name) when neither is set. Null or empty values count as unset.
    static std::string UserCacheFolder(const char* xdgCacheHome, const char* home);

    // Whether `file`, opened as `path`, passed the check before and has not changed since.
    bool Vouches(const std::string& path, const InputFile& file) const;

    // Stamps `file`, opened as `path`, as having passed the check, unless it changed within the settling
    // time; what cannot be written is left.
    void Record(const std::string& path, const InputFile& file) const;

private:
    std::string StampPath(const std::string& path) const;

    std::string m_folder;
    std::chrono::seconds m_settled = kSettled;
};

}  // namespace orvane::platform
