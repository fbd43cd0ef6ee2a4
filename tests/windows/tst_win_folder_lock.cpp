#include <cstdlib>
#include <random>

#include <gtest/gtest.h>

#include "folderlock/folder_lock.h"
#include "folderlock/folder_lock_messages.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/key_file.h"
#include "platform/path_pieces.h"
#include "support/file_helpers.h"
#include "support/file_tree.h"

#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "win_files.h"

namespace zv {
namespace {

using test::listFolder;
using test::ok;
using test::readFile;
using test::Shown;
using test::writeFile;

using Names = std::vector<std::string>;

class WinFolderLock : public ::testing::Test {
  protected:
    ItemResult run(ItemResult (*action)(ActionContext&), const std::string& path,
                   const std::string& password) {
        ActionContext ctx{ui, password, path};
        const ItemResult result = action(ctx);
        noticeShown = ctx.NoticeShown;
        return result;
    }

    // Lock the folder `name` in `parent`, look at the disk, and unlock it again.
    void lockAndUnlock(const std::string& parent, const std::string& name) {
        const std::string folder = joinPath(parent, name);
        ASSERT_TRUE(fs::makeDirectories(folder + "\\sub"));
        writeFile(folder + "\\笔记.txt", "notes");
        writeFile(folder + "\\sub\\data.bin", test::randomBytes(5000, 3));
        const std::string password = *utf8ToCp936("中文密码");

        ASSERT_EQ(run(lockFolder, folder, password), ItemResult::Done);
        const std::string locked = parent + (parent.back() == '\\' ? "" : "\\") + "...\\" + name;
        EXPECT_FALSE(fs::exists(folder));
        EXPECT_TRUE(fs::isDirectory(folder + "."));
        EXPECT_EQ(listFolder(folder + "."), Names{});
        EXPECT_EQ(listFolder(locked), (Names{"IniKey", "sub", "笔记.txt"}));
        EXPECT_EQ(keyfile::readPassword(locked + "\\IniKey"), password);

        // The unlock is given the decoy, as the user selects it.
        EXPECT_EQ(run(unlockFolder, folder + ".", "wrong"), ItemResult::Refused);
        EXPECT_EQ(ui.shown, std::vector<Shown>{ok(lockmsg::wrongPassword(name))});
        EXPECT_TRUE(fs::isDirectory(locked));
        ASSERT_EQ(run(unlockFolder, folder + ".", password), ItemResult::Done);
        EXPECT_FALSE(fs::exists(folder + "."));
        EXPECT_EQ(listFolder(folder), (Names{"sub", "笔记.txt"}));
        EXPECT_EQ(readFile(folder + "\\笔记.txt"), "notes");
        EXPECT_TRUE(readFile(folder + "\\sub\\data.bin") == test::randomBytes(5000, 3));
        EXPECT_EQ(ui.shown.size(), 1u);
    }

    test::TempDir dir;
    test::ScriptedUi ui;
    bool noticeShown = false;
};

TEST_F(WinFolderLock, LocksIntoTheDotsVaultBehindADotDecoyAndUnlocks) {
    ASSERT_NO_FATAL_FAILURE(lockAndUnlock(dir.path(), "secret"));
    // The vault stays for the next lock in this folder.
    EXPECT_EQ(listFolder(dir.path()), (Names{"...", "secret"}));
}

TEST_F(WinFolderLock, AFolderDirectlyUnderADriveRoot) {
    const std::string drive = test::spareDrive();
    ASSERT_FALSE(drive.empty());
    const std::string root = drive + "\\";
    // Other runs may use the drive at the same time: a name of our own.
    const std::string name = "zv" + std::to_string(std::random_device()());
    struct CleanUp {
        std::string root, name;
        ~CleanUp() {
            for (const std::string& path :
                 {root + name, root + name + ".", root + "...\\" + name}) {
                test::removeTree(path);
            }
            fs::removeEmptyDirectory(root + "...");  // unless another run has a folder there
        }
    } cleanUp{root, name};
    lockAndUnlock(root, name);
    EXPECT_TRUE(fs::isDirectory(root + "..."));
}

TEST_F(WinFolderLock, GuardsRefuseSystemFoldersWithTheirMessages) {
    const char* profile = std::getenv("USERPROFILE");
    ASSERT_NE(profile, nullptr);
    const std::string home = profile;
    std::string homeOtherSpelling = home;
    for (char& c : homeOtherSpelling) {
        c = c == '\\' ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    ASSERT_TRUE(fs::makeDirectories(dir / "My Documents"));
    ASSERT_TRUE(fs::makeDirectories(dir / "locked."));
    const std::string drive = test::spareDrive();
    struct Case {
        std::string path;
        Shown message;
    };
    const Case cases[] = {
        {"C:\\", ok(lockmsg::driveRoot("C"), kTitleWarning)},
        {"c:/", ok(lockmsg::driveRoot("c"), kTitleWarning)},
        {drive + "\\", ok(lockmsg::driveRoot(drive.substr(0, 1)), kTitleWarning)},
        {"C:\\Documents and Settings\\Administrator\\桌面",
         ok(std::string(lockmsg::kDesktop), kTitleWarning)},
        {"D:\\Documents and Settings\\Administrator\\桌面",
         ok(std::string(lockmsg::kDesktop), kTitleWarning)},
        {home, ok(std::string(lockmsg::kDesktop), kTitleWarning)},
        {homeOtherSpelling, ok(std::string(lockmsg::kDesktop), kTitleWarning)},
        {home + "\\Desktop", ok(std::string(lockmsg::kDesktop), kTitleWarning)},
        {dir / "My Documents", ok(std::string(lockmsg::kMyDocuments), kTitleWarning)},
        {dir / "locked.", ok(lockmsg::alreadyLocked("locked."))},
    };
    const Names before = listFolder(dir.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        ui.shown.clear();
        EXPECT_EQ(run(lockFolder, c.path, "pw"), ItemResult::Refused);
        EXPECT_TRUE(noticeShown);
        EXPECT_EQ(ui.shown, std::vector<Shown>{c.message});
    }
    EXPECT_EQ(listFolder(dir.path()), before);
    EXPECT_FALSE(fs::exists("C:\\..."));
    EXPECT_FALSE(fs::exists(home + "\\..."));
}

TEST_F(WinFolderLock, UnlockingAPlainFolderNamesItAsSelected) {
    ASSERT_TRUE(fs::makeDirectories(dir / "plain"));
    EXPECT_EQ(run(unlockFolder, dir / "plain", "pw"), ItemResult::Refused);
    EXPECT_EQ(ui.shown, std::vector<Shown>{ok(lockmsg::neverLocked("plain"))});
    EXPECT_EQ(listFolder(dir.path()), Names{"plain"});
}

}  // namespace
}  // namespace zv
