#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "platform/path_pieces.h"
#include "platform/vault_names.h"

namespace zv {
namespace {

TEST(WinPathPieces, DriveRootsKeepTheirSeparatorAndBothSeparatorsCount) {
    struct Case {
        const char* path;
        const char* folder;
        const char* folderWithSep;
        const char* name;
        const char* base;
    };
    const Case cases[] = {
        {"C:\\data\\film.avi", "C:\\data", "C:\\data\\", "film.avi", "film"},
        {"C:\\x", "C:\\", "C:\\", "x", "x"},
        {"D:/x.tar.gz", "D:/", "D:/", "x.tar.gz", "x.tar"},
        {"C:/data\\sub/secret.", "C:/data\\sub", "C:/data\\sub\\", "secret.", "secret"},
        {"C:\\", "C:\\", "C:\\", "", ""},
        {"\\\\server\\share\\a.txt", "\\\\server\\share\\", "\\\\server\\share\\", "a.txt", "a"},
        {"\\\\?\\C:\\x", "\\\\?\\C:\\", "\\\\?\\C:\\", "x", "x"},
        {"C:\\中文\\文件.txt", "C:\\中文", "C:\\中文\\", "文件.txt", "文件"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(folderOf(c.path), c.folder);
        EXPECT_EQ(folderWithSeparator(c.path), c.folderWithSep);
        EXPECT_EQ(nameOf(c.path), c.name);
        EXPECT_EQ(baseNameOf(c.path), c.base);
    }
    EXPECT_EQ(joinPath("C:\\", "x"), "C:\\x");
    EXPECT_EQ(joinPath("C:/", "x"), "C:/x");
    EXPECT_EQ(joinPath("C:\\data", "x"), "C:\\data\\x");
    EXPECT_EQ(rootLength("C:"), 2u);
    EXPECT_EQ(rootLength("\\x"), 1u);
    EXPECT_EQ(rootLength("\\\\?\\UNC\\server\\share\\x"), 21u);
    EXPECT_EQ(rootLength("data\\x"), 0u);
}

TEST(WinVaultNames, TheVaultAndTheDecoyEndInDots) {
    EXPECT_EQ(vault::vaultPath("C:\\"), "C:\\...");
    EXPECT_EQ(vault::vaultPath("C:\\data"), "C:\\data\\...");
    EXPECT_EQ(vault::decoyPath("C:\\data\\secret"), "C:\\data\\secret.");
    EXPECT_EQ(vault::lockedNameOf("secret."), "secret");
    EXPECT_TRUE(vault::looksLikeDecoy("D:\\secret."));
    EXPECT_FALSE(vault::looksLikeDecoy("D:\\secret"));
}

// The system's converter, asked never to fall back on a look-alike or "?".
TEST(WinCodePage, NoBestFitAndNoDefaultCharacter) {
    EXPECT_EQ(utf8ToCp936("Å"), std::nullopt);             // best fit would give "A"
    EXPECT_EQ(utf8ToCp936("\xEF\xBD\xB1"), std::nullopt);  // U+FF71, half-width katakana
    EXPECT_EQ(utf8ToCp936("?"), "?");
    EXPECT_EQ(utf8ToCp936("€"), "\x80");
    EXPECT_EQ(cp936ToUtf8("\x80"), "€");
    EXPECT_EQ(cp936ToUtf8("\xFF"), std::nullopt);
    EXPECT_EQ(cp936ToUtf8("ok\xC3"), std::nullopt);
}

}  // namespace
}  // namespace zv
