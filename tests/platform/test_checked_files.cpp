#include "platform/checked_files.h"

#include "platform/input_file.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orvane::platform {
namespace {

InputFile Opened(const std::string& path)
{
    Result<InputFile> opened = InputFile::Open(path, 1 << 20, [](FileFault, const std::string&) { return Message{}; });
    EXPECT_TRUE(opened.ok()) << path;
    return std::move(opened.value());
}

TEST(CheckedFiles, AStampVouchesForTheFileItWasWrittenForOnlyWhileItIsUnchanged)
{
    testing::TempFolder folder;
    const CheckedFiles checked(folder.folder() + "stamps/checked", std::chrono::seconds(0));
    const std::string path = folder.Write("table", "checked content\n");
    EXPECT_FALSE(checked.Vouches(path, Opened(path)));
    checked.Record(path, Opened(path));
    EXPECT_TRUE(checked.Vouches(path, Opened(path)));

    // The same file under another name, and another file under the same name with the same size.
    const std::string other = folder.folder() + "other";
    std::filesystem::copy_file(path, other);
    EXPECT_FALSE(checked.Vouches(other, Opened(other)));
    folder.Write("replacement", "damaged content\n");
    std::filesystem::rename(folder.folder() + "replacement", path);
    EXPECT_FALSE(checked.Vouches(path, Opened(path)));
    // Another folder of stamps, and none at all.
    EXPECT_FALSE(CheckedFiles(folder.folder() + "elsewhere").Vouches(path, Opened(path)));
    CheckedFiles().Record(path, Opened(path));
    EXPECT_FALSE(CheckedFiles().Vouches(path, Opened(path)));
}

TEST(CheckedFiles, AFileJustChangedOrAFolderThatCannotBeWrittenGetsNoStamp)
{
    testing::TempFolder folder;
    const std::string path = folder.Write("table", "fresh content\n");
    // File times are kept to a clock tick: a file changed a moment ago could change again unseen.
    const CheckedFiles settling(folder.folder() + "stamps");
    settling.Record(path, Opened(path));
    EXPECT_FALSE(settling.Vouches(path, Opened(path)));
    EXPECT_FALSE(std::filesystem::exists(folder.folder() + "stamps"));

    // A stamp folder below a file: nothing is written, and nothing is vouched for.
    const CheckedFiles blocked(path + "/stamps", std::chrono::seconds(0));
    blocked.Record(path, Opened(path));
    EXPECT_FALSE(blocked.Vouches(path, Opened(path)));
}

TEST(CheckedFiles, TheUserCacheFolderFollowsXdgThenHome)
{
    EXPECT_EQ(CheckedFiles::UserCacheFolder("/x/cache", "/home/a"), "/x/cache/orvane/checked");
    EXPECT_EQ(CheckedFiles::UserCacheFolder("", "/home/a"), "/home/a/.cache/orvane/checked");
    EXPECT_EQ(CheckedFiles::UserCacheFolder(nullptr, nullptr), "");
}

}  // namespace
}  // namespace orvane::platform
