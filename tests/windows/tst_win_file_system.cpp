#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/key_file.h"
#include "platform/stream_file.h"
#include "support/file_helpers.h"
#include "support/temp_dir.h"
#include "win_files.h"

namespace zv {
namespace {

using test::listFolder;
using test::readFile;
using test::writeFile;

constexpr std::int64_t kFiveGiB = 5LL << 30;

TEST(WinFileSystem, NamesEndingInDotsAreKeptAsWritten) {
    test::TempDir dir;
    const std::string vault = dir / "...";
    const std::string plain = dir / "secret";
    const std::string decoy = dir / "secret.";
    ASSERT_TRUE(fs::makeDirectories(vault));
    ASSERT_TRUE(fs::makeDirectories(plain));
    ASSERT_TRUE(fs::makeDirectories(decoy));
    EXPECT_EQ(listFolder(dir.path()), (std::vector<std::string>{"...", "secret", "secret."}));

    writeFile(plain + "\\inside.txt", "inside");
    ASSERT_TRUE(fs::renameNoReplace(plain, vault + "\\secret"));
    EXPECT_FALSE(fs::exists(plain));
    EXPECT_TRUE(fs::isDirectory(decoy));
    EXPECT_EQ(readFile(vault + "\\secret\\inside.txt"), "inside");
    EXPECT_EQ(listFolder(vault), std::vector<std::string>{"secret"});

    EXPECT_TRUE(fs::removeEmptyDirectory(decoy));
    EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"..."});
    EXPECT_FALSE(fs::removeEmptyDirectory(vault));  // not empty
}

TEST(WinFileSystem, PathsLongerThan260CharactersWork) {
    test::TempDir dir;
    std::string folder = dir.path();
    for (char c : {'a', 'b', 'c'}) {
        folder += "\\" + std::string(100, c);
    }
    const std::string file = folder + "\\" + std::string(80, 'f') + ".bin";
    ASSERT_GT(file.size(), 400u);
    ASSERT_TRUE(fs::makeDirectories(folder));
    writeFile(file, "long");
    EXPECT_TRUE(fs::isFile(file));
    EXPECT_EQ(fs::fileSizeOf(file), 4);
    EXPECT_EQ(fs::readWhole(file), "long");
    ASSERT_TRUE(fs::replaceContent(file, "longer"));
    EXPECT_EQ(readFile(file), "longer");
    ASSERT_TRUE(fs::renameNoReplace(file, file + ".moved"));
    EXPECT_TRUE(fs::removeFile(file + ".moved"));
    EXPECT_TRUE(fs::removeEmptyDirectory(folder));
}

TEST(WinFileSystem, RenamesNeverReplaceAndFailuresChangeNothing) {
    test::TempDir dir;
    writeFile(dir / "a.txt", "a");
    writeFile(dir / "b.txt", "b");
    ASSERT_TRUE(fs::makeDirectories(dir / "folder"));
    EXPECT_FALSE(fs::renameNoReplace(dir / "a.txt", dir / "b.txt"));
    EXPECT_FALSE(fs::renameNoReplace(dir / "a.txt", dir / "B.TXT"));  // names compare without case
    EXPECT_FALSE(fs::renameNoReplace(dir / "folder", dir / "b.txt"));
    EXPECT_FALSE(fs::renameNoReplace(dir / "missing", dir / "c.txt"));
    EXPECT_EQ(readFile(dir / "a.txt"), "a");
    EXPECT_EQ(readFile(dir / "b.txt"), "b");
    EXPECT_EQ(listFolder(dir.path()), (std::vector<std::string>{"a.txt", "b.txt", "folder"}));
    EXPECT_EQ(fs::readWhole(dir / "folder"), std::nullopt);
    EXPECT_EQ(fs::fileSizeOf(dir / "missing"), -1);
}

TEST(WinFileSystem, ReplacingContentKeepsHiddenAndRefusesReadOnlyOrInUse) {
    test::TempDir dir;
    const std::string file = dir / "中文.txt";
    writeFile(file, "old");
    test::changeAttributes(file, FILE_ATTRIBUTE_HIDDEN, 0);
    ASSERT_TRUE(fs::replaceContent(file, "new"));
    EXPECT_EQ(readFile(file), "new");
    EXPECT_NE(test::attributesOf(file) & FILE_ATTRIBUTE_HIDDEN, 0u);

    test::changeAttributes(file, FILE_ATTRIBUTE_READONLY, 0);
    EXPECT_FALSE(fs::replaceContent(file, "newer"));
    test::changeAttributes(file, 0, FILE_ATTRIBUTE_READONLY);
    {
        // Open elsewhere without leave to write or delete: the file stays as it is.
        const test::HeldOpen other(file, GENERIC_READ, FILE_SHARE_READ);
        EXPECT_FALSE(fs::replaceContent(file, "newer"));
    }
    EXPECT_EQ(readFile(file), "new");
    EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"中文.txt"});
}

TEST(WinFileSystem, SizesAndOffsetsAre64Bit) {
    test::TempDir dir;
    const std::string path = dir / "big.bin";
    {
        fs::StreamFile file = fs::StreamFile::createNew(path);
        ASSERT_TRUE(file.valid());
        ASSERT_TRUE(file.writeAt(kFiveGiB, "tail", 4));  // the gap before stays a hole
        EXPECT_EQ(file.size(), kFiveGiB + 4);
        ASSERT_TRUE(file.close());
    }
    EXPECT_EQ(fs::fileSizeOf(path), kFiveGiB + 4);
    const fs::StreamFile file = fs::StreamFile::openExclusive(path);
    ASSERT_TRUE(file.valid());
    char tail[4] = {};
    ASSERT_TRUE(file.readAt(kFiveGiB, tail, 4));
    EXPECT_EQ(std::string(tail, 4), "tail");
    EXPECT_FALSE(file.readAt(kFiveGiB + 2, tail, 4));  // past the end
}

// A device is never opened; a file that merely bears a device's name is a file.
TEST(WinFileSystem, DevicesAreNotFilesButFilesNamedLikeDevicesAre) {
    EXPECT_EQ(fs::readWhole("\\\\.\\NUL"), std::nullopt);
    EXPECT_FALSE(fs::StreamFile::openExclusive("\\\\.\\NUL").valid());
    test::TempDir dir;
    for (const char* name : {"CON", "nul.txt", "COM1"}) {
        SCOPED_TRACE(name);
        const std::string path = dir / name;
        writeFile(path, "content");
        EXPECT_TRUE(fs::isFile(path));
        EXPECT_EQ(fs::readWhole(path), "content");
        EXPECT_TRUE(fs::StreamFile::openExclusive(path).valid());
        EXPECT_TRUE(fs::removeFile(path));
    }
}

TEST(WinStreamFile, TheSourceIsHeldExclusivelyAndTheTargetIsNew) {
    test::TempDir dir;
    const std::string source = dir / "film.zv";
    writeFile(source, "content");
    {
        const fs::StreamFile held = fs::StreamFile::openExclusive(source);
        ASSERT_TRUE(held.valid());
        EXPECT_EQ(test::openForReadingError(source), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        EXPECT_FALSE(fs::StreamFile::openExclusive(source).valid());
    }
    EXPECT_EQ(test::openForReadingError(source), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_FALSE(fs::StreamFile::createNew(source).valid());
    EXPECT_FALSE(fs::StreamFile::openExclusive(dir.path()).valid());
    EXPECT_EQ(readFile(source), "content");
}

TEST(WinKeyFile, RoundTripsAChinesePasswordInsideTheVault) {
    test::TempDir dir;
    const std::string locked = dir / "...\\secret";
    ASSERT_TRUE(fs::makeDirectories(locked));
    const std::string key = locked + "\\IniKey";
    const std::string password = "\xC3\xDC\xC2\xEB \"x\" ";  // 密码 in CP936, quotes and blanks
    ASSERT_TRUE(keyfile::write(key, password));
    EXPECT_EQ(keyfile::readPassword(key), password);
    EXPECT_EQ(listFolder(locked), std::vector<std::string>{"IniKey"});
    EXPECT_EQ(keyfile::readPassword(locked + "\\none"), "");
}

}  // namespace
}  // namespace zv
