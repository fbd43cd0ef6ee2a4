#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/fault_injection.h"
#include "platform/file_system.h"
#include "platform/folder_flush.h"
#include "support/file_helpers.h"
#include "support/temp_dir.h"

namespace zv {
namespace {

using test::listFolder;
using test::readFile;
using test::writeFile;

TEST(FileSystem, SizesAndKinds) {
    test::TempDir dir;
    writeFile(dir / "f", "12345");
    ::mkfifo((dir / "fifo").c_str(), 0600);
    EXPECT_TRUE(fs::isFile(dir / "f"));
    EXPECT_FALSE(fs::isDirectory(dir / "f"));
    EXPECT_TRUE(fs::isDirectory(dir.path()));
    EXPECT_EQ(fs::fileSizeOf(dir / "f"), 5);
    EXPECT_EQ(fs::fileSizeOf(dir / "missing"), -1);
    EXPECT_FALSE(fs::isFile(dir / "fifo"));
    // A FIFO is refused without blocking on it.
    EXPECT_EQ(fs::readWhole(dir / "fifo"), std::nullopt);
    EXPECT_EQ(fs::readWhole(dir.path()), std::nullopt);
}

TEST(FileSystem, SizeIsSixtyFourBit) {
    test::TempDir dir;
    writeFile(dir / "big", "");
    const std::int64_t size = 5LL * 1024 * 1024 * 1024 + 7;  // sparse, takes no room
    ASSERT_EQ(::truncate((dir / "big").c_str(), size), 0);
    EXPECT_EQ(fs::fileSizeOf(dir / "big"), size);
}

TEST(FileSystem, ReplaceContentKeepsModeAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    writeFile(dir / "f", "old");
    ASSERT_EQ(::chmod((dir / "f").c_str(), 0640), 0);
    ASSERT_TRUE(fs::replaceContent(dir / "f", "new content"));
    EXPECT_EQ(readFile(dir / "f"), "new content");
    struct stat st {};
    ASSERT_EQ(::stat((dir / "f").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"f"});
}

// The folder of a replaced file is flushed when the batch asks, once: a flush
// that fails is reported, and the folder is not flushed again later.
TEST(FileSystem, ReplacedFoldersAreFlushedOnceWhenAsked) {
    if (!fault::kCompiledIn) {
        GTEST_SKIP() << "built without ZV_FAULT_INJECTION";
    }
    test::TempDir dir;
    writeFile(dir / "f", "old");
    fs::flushReplacedFolders();  // whatever earlier tests left
    ASSERT_TRUE(fs::replaceContent(dir / "f", "new"));
    fault::failAt(1, /*persistent=*/true);
    EXPECT_FALSE(fs::flushReplacedFolders());
    EXPECT_EQ(std::string(fault::firstFailedOperation()), "fsync");
    fault::failAt(1, true);
    EXPECT_TRUE(fs::flushReplacedFolders());
    EXPECT_EQ(fault::callsCounted(), 0);
    fault::disarm();
    EXPECT_EQ(readFile(dir / "f"), "new");
}

TEST(FileSystem, ReplaceContentThroughALinkKeepsTheLink) {
    test::TempDir dir;
    writeFile(dir / "target", "old");
    ASSERT_EQ(::symlink("target", (dir / "link").c_str()), 0);
    ASSERT_TRUE(fs::replaceContent(dir / "link", "new"));
    struct stat st {};
    ASSERT_EQ(::lstat((dir / "link").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readFile(dir / "target"), "new");
}

TEST(FileSystem, ReplaceContentRefusesReadOnlyFiles) {
    test::TempDir dir;
    writeFile(dir / "f", "old");
    ASSERT_EQ(::chmod((dir / "f").c_str(), 0444), 0);
    EXPECT_FALSE(fs::replaceContent(dir / "f", "new"));
    EXPECT_EQ(readFile(dir / "f"), "old");
    EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"f"});
}

TEST(FileSystem, RenameNeverReplaces) {
    test::TempDir dir;
    writeFile(dir / "a", "A");
    writeFile(dir / "b", "B");
    EXPECT_FALSE(fs::renameNoReplace(dir / "a", dir / "b"));
    EXPECT_EQ(readFile(dir / "a"), "A");
    EXPECT_EQ(readFile(dir / "b"), "B");
    EXPECT_TRUE(fs::renameNoReplace(dir / "a", dir / "c"));
    EXPECT_EQ(readFile(dir / "c"), "A");
}

TEST(FileSystem, MakeAndRemoveFolders) {
    test::TempDir dir;
    EXPECT_TRUE(fs::makeDirectories(dir / "x/y/z"));
    EXPECT_TRUE(fs::isDirectory(dir / "x/y/z"));
    EXPECT_TRUE(fs::makeDirectories(dir / "x/y/z"));  // already there
    EXPECT_FALSE(fs::removeEmptyDirectory(dir / "x"));
    EXPECT_TRUE(fs::removeEmptyDirectory(dir / "x/y/z"));
    EXPECT_FALSE(fs::exists(dir / "x/y/z"));
}

}  // namespace
}  // namespace zv
