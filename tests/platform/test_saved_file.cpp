#include "platform/saved_file.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvane::platform {
namespace {

namespace fs = std::filesystem;

Result<void> Save(const std::string& path, const std::string& content, SaveFault* fault = nullptr)
{
    return SaveFile(path, content, [fault](SaveFault f, const std::string&, const std::string& reason) {
        if (fault != nullptr)
            *fault = f;
        return Message::Exclamation("", reason);
    });
}

std::string ReadAll(const fs::path& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// The names in `folder` that begin with `prefix`, sorted.
std::vector<std::string> Names(const fs::path& folder, const std::string& prefix)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().rfind(prefix, 0) == 0)
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A process number that no process has: that of a child that has ended.
pid_t EndedProcess()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

// What interrupted saves left goes: the old fixed name, and the temporaries of ended processes a minute
// old or of any process a day old; the temporary of a save still running stays, and so does a fresh one
// of an ended process (a save from another computer may carry its number).
TEST(SavedFile, LeftoversOfInterruptedSavesGo)
{
    testing::TempFolder folder;
    const std::string file = folder.Write("state.qvs", "old");
    const std::string ended = std::to_string(EndedProcess()), running = std::to_string(getppid());
    const auto leftover = [&](const std::string& name, std::chrono::minutes age) {
        folder.Write(name, "part");
        fs::last_write_time(folder.path() / name, fs::file_time_type::clock::now() - age);
    };
    using std::chrono::minutes;
    leftover("state.qvs.saving", minutes(0));
    leftover("state.qvs.saving." + ended + ".aged", minutes(2));
    leftover("state.qvs.saving." + ended + ".fresh", minutes(0));
    leftover("state.qvs.saving." + running + ".live", minutes(50));
    leftover("state.qvs.saving." + running + ".abandoned", minutes(25 * 60));
    leftover("state.qvs.savings", minutes(25 * 60));
    ASSERT_TRUE(Save(file, "new").ok());
    EXPECT_EQ(ReadAll(file), "new");
    std::vector<std::string> kept{"state.qvs.saving." + ended + ".fresh", "state.qvs.saving." + running + ".live",
                                  "state.qvs.savings"};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(Names(folder.path(), "state.qvs."), kept);
}

// On a disk without room the save says so, the old file stays whole and no new file is left. The disk is
// a 64 KiB file system in a mount namespace of a child process; without the rights to make one, skipped.
TEST(SavedFile, AFullDiskIsToldAndLeavesNothing)
{
    testing::TempFolder folder;
    const std::string file = folder.Write("timeline.csv", "old");
    const pid_t child = fork();
    if (child == 0) {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", folder.path().c_str(), "tmpfs", 0, "size=64k") != 0)
            _exit(2);
        std::ofstream(file) << "old";
        SaveFault fault = SaveFault::NotAFile;
        const bool refused = !Save(file, std::string(200 * 1024, 'x'), &fault).ok();
        _exit(refused && fault == SaveFault::DiskFull && ReadAll(file) == "old" &&
                      Names(folder.path(), "").size() == 1
                  ? 0
                  : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 2)
        GTEST_SKIP() << "no rights to mount a small file system";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace orvane::platform
