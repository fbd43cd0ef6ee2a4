#include <unistd.h>

#include <cstdlib>
#include <optional>

#include <gtest/gtest.h>

#include "disk_tree.h"
#include "folderlock/folder_lock.h"
#include "support/file_helpers.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zv {
namespace {

using test::kFolder;
using test::ok;
using test::placed;
using test::Shown;
using test::Tree;
using test::treeOf;
using test::writeTree;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        ::setenv(name, value.c_str(), 1);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

const Shown kDesktop = ok("不允许直接对桌面进行加密!", kTitleWarning);

// A user whose home and configuration lie in a temporary folder.
class FolderGuards : public ::testing::Test {
  protected:
    FolderGuards() {
        writeTree(dir.path(), {{"home", kFolder}, {"home/Desktop", kFolder}, {"config", kFolder}});
    }

    // Lock an item and expect it refused with the message, the tree untouched.
    void expectRefused(const std::string& item, const Shown& message) {
        SCOPED_TRACE(item);
        const Tree before = treeOf(dir.path());
        test::ScriptedUi ui;
        ActionContext ctx{ui, "pw", item};
        EXPECT_EQ(lockFolder(ctx), ItemResult::Refused);
        EXPECT_EQ(ui.shown, std::vector<Shown>{message});
        EXPECT_TRUE(ctx.NoticeShown);
        EXPECT_EQ(treeOf(dir.path()), before);
    }

    void expectLocked(const std::string& item) {
        SCOPED_TRACE(item);
        test::ScriptedUi ui;
        ActionContext ctx{ui, "pw", item};
        EXPECT_EQ(lockFolder(ctx), ItemResult::Done);
        EXPECT_TRUE(ui.shown.empty());
    }

    test::TempDir dir;
    ScopedEnv home{"HOME", dir / "home"};
    ScopedEnv config{"XDG_CONFIG_HOME", dir / "config"};
};

TEST_F(FolderGuards, EachGuardRefusesWithItsMessage) {
    writeTree(dir.path(), {{"docs/My Documents", kFolder}, {"secret.", kFolder}});
    ASSERT_EQ(::symlink("home/Desktop", (dir / "desktop-link").c_str()), 0);
    expectRefused(dir / "secret.", ok("［secret.］文件夹已经加密,不能再加密!"));
    expectRefused(dir / "missing.", ok("［missing.］文件夹已经加密,不能再加密!"));
    expectRefused(dir / "home/Desktop", kDesktop);
    expectRefused(dir / "desktop-link", kDesktop);
    expectRefused(dir / "home", kDesktop);
    // The file-system root has no drive letter: "/" stands in its place.
    expectRefused("/", ok("不允许直接对/盘进行加密!", kTitleWarning));
    expectRefused(dir / "docs/My Documents", ok("不允许对我的文档进行加密!", kTitleWarning));
}

TEST_F(FolderGuards, GuardsMatchOnlyTheirOwnFolders) {
    writeTree(dir.path(), {{"other/Desktop", kFolder},
                           {"home/Desktop/inside", kFolder},
                           {"home/work", kFolder},
                           {"My Documents 2", kFolder}});
    expectLocked(dir / "other/Desktop");
    expectLocked(dir / "home/Desktop/inside");
    expectLocked(dir / "home/work");
    expectLocked(dir / "My Documents 2");
}

TEST_F(FolderGuards, DesktopFollowsTheUsersDirectoryNames) {
    writeTree(dir.path(), {{"home/桌面", kFolder},
                           {"config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/桌面\"\n"}});
    expectRefused(dir / "home/桌面", kDesktop);
    expectLocked(dir / "home/Desktop");
}

TEST_F(FolderGuards, DesktopFallsBackToHomeDesktopWithoutXdgUserDir) {
    writeTree(dir.path(), {{"empty-path", kFolder}});
    const ScopedEnv path("PATH", dir / "empty-path");
    expectRefused(dir / "home/Desktop", kDesktop);
}

}  // namespace
}  // namespace zv
