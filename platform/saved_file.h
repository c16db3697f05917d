#pragma once

// Saving a file so that a failure or a crash never leaves it torn, and so that personal data stays
// private.
//
// The new content is written to a temporary NAME.saving.<process>.<random> beside the file, made for
// this save alone, forced to disk, and then renamed over the file; the folder is forced to disk after
// the rename, so that the new name survives a crash. Two saves of one file at once (two programs) thus
// never meet: the file is one of them, whole. A save through a symbolic link writes into the file the
// link leads to and leaves the link as it is. The saved file keeps the permissions of the file it
// replaces; a new file is readable and writable by its owner only when it holds personal data (a state
// file), otherwise as the user's umask allows (pictures, exported tables). What interrupted saves left
// behind (NAME.saving, temporaries of processes that have gone) is removed first.

#include "platform/message.h"
#include "platform/result.h"

#include <functional>
#include <string>
#include <string_view>

namespace orvane::platform {

// How a caller words what kept a file from being saved, given the result's code (NotAFile: the name
// stands for a folder, a FIFO or a device, which a rename would replace; NoNewFile: the folder takes no
// new file; DiskFull: no room, no new file was left; Unwritable: writing, forcing to disk or renaming
// failed), the file's folder and the system's description of the fault (empty for NotAFile).
using DescribeSaveFault = std::function<Message(ErrorCode code, const std::string& folder, const std::string& reason)>;

// Who may read a file the save makes new.
enum class NewFileAccess {
    OwnerOnly,  // personal data: read and written by its owner alone (0600)
    UserUmask,  // a picture or an export: as any program makes a file (0666 less the umask)
};

// Saves `content` as the file `path`.
Result<void> SaveFile(const std::string& path, std::string_view content, const DescribeSaveFault& describe,
                      NewFileAccess access = NewFileAccess::OwnerOnly);

}  // namespace orvane::platform
