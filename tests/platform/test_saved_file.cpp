#include "platform/saved_file.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvane::platform {
namespace {

namespace fs = std::filesystem;

// The code that kept `content` from being saved as `path`; none when it was saved. The code the message
// was worded for must be the result's.
std::optional<ErrorCode> Fault(const std::string& path, const std::string& content)
{
    std::optional<ErrorCode> worded;
    const Result<void> saved = SaveFile(path, content, [&worded](ErrorCode code, const std::string&, const std::string& why) {
        worded = code;
        return Message::Exclamation("", why);
    });
    if (saved)
        return std::nullopt;
    return saved.code() == worded ? worded : std::nullopt;
}

std::set<std::string> Names(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// What interrupted saves left goes: the old fixed name, temporaries of ended processes a minute old or of
// any process a day old; a temporary of a running process stays, as does a fresh one of an ended process
// (a save from another computer may carry its number).
TEST(SavedFile, LeftoversOfInterruptedSavesGo)
{
    testing::TempFolder folder;
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);  // its number is no process's now
    const std::string ended = "f.saving." + std::to_string(child), running = "f.saving." + std::to_string(getppid());
    for (const auto& [name, minutes] : {std::pair{std::string("f.saving"), 0}, {ended + ".a", 2}, {ended + ".b", 0},
                                        {running + ".c", 50}, {running + ".d", 1500}, {"f.savings", 1500}}) {
        folder.Write(name, "part");
        fs::last_write_time(folder.path() / name, fs::file_time_type::clock::now() - std::chrono::minutes(minutes));
    }
    ASSERT_EQ(Fault(folder.folder() + "f", "new"), std::nullopt);
    EXPECT_EQ(Names(folder.path()), (std::set<std::string>{"f", ended + ".b", running + ".c", "f.savings"}));
}

// What a save refuses is told by its code: a name that stands for a folder or a device is no file, a
// missing folder takes no new file; the message is worded for that code, and nothing is left behind.
TEST(SavedFile, RefusalsAreToldByTheirCode)
{
    testing::TempFolder folder;
    fs::create_directory(folder.path() / "sub");
    for (const auto& [path, code] : {std::pair{(folder.path() / "sub").string(), ErrorCode::NotAFile},
                                     {std::string("/dev/null"), ErrorCode::NotAFile},
                                     {(folder.path() / "none" / "f").string(), ErrorCode::NoNewFile}}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(Fault(path, "x"), code);
    }
    EXPECT_EQ(Names(folder.path()), std::set<std::string>{"sub"});
}

// On a disk without room the save says so, the old file stays and nothing new is left: a 64 KiB file
// system in a child's own mount namespace; skipped without the rights to make one.
// A new state file is its owner's alone whatever the umask; a new picture follows the umask; a file
// replaced keeps its own permissions either way.
TEST(SavedFile, NewFilesArePrivateOrFollowTheUmask)
{
    testing::TempFolder folder;
    const mode_t before = ::umask(027);
    const auto saved = [&folder](const char* name, NewFileAccess access) {
        const auto describe = [](ErrorCode, const std::string&, const std::string& why) { return Message::Exclamation("", why); };
        EXPECT_TRUE(SaveFile((folder.path() / name).string(), "x", describe, access).ok());
        return static_cast<int>(fs::status(folder.path() / name).permissions() & fs::perms::all);
    };
    EXPECT_EQ(saved("state.qvs", NewFileAccess::OwnerOnly), 0600);
    EXPECT_EQ(saved("chart.png", NewFileAccess::UserUmask), 0640);
    fs::permissions(folder.path() / "chart.png", fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    EXPECT_EQ(saved("chart.png", NewFileAccess::UserUmask), 0604);
    ::umask(before);
}

TEST(SavedFile, AFullDiskIsToldAndLeavesNothing)
{
    testing::TempFolder folder;
    const pid_t child = fork();
    if (child == 0) {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", folder.path().c_str(), "tmpfs", 0, "size=64k") != 0)
            _exit(2);
        const std::string file = folder.Write("t.csv", "old");
        const bool told = Fault(file, std::string(200 * 1024, 'x')) == ErrorCode::DiskFull;
        std::string kept;
        std::ifstream(file) >> kept;
        _exit(told && kept == "old" && Names(folder.path()) == std::set<std::string>{"t.csv"} ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 2)
        GTEST_SKIP() << "no rights to mount a small file system";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace orvane::platform
