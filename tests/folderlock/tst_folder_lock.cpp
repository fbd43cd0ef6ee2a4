#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "disk_tree.h"
#include "folderlock/folder_lock.h"
#include "platform/code_page.h"
#include "support/file_helpers.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace zv {
namespace {

using test::kFolder;
using test::merged;
using test::ok;
using test::placed;
using test::sampleContent;
using test::Shown;
using test::Tree;
using test::treeOf;
using test::writeTree;

using Action = ItemResult (*)(ActionContext&);

std::string keyFileBytes(const std::string& password) {
    return "[key]\r\npass=\"" + password + "\"\r\n";
}

// What a folder locked in `parent` looks like there: inside the vault with its
// key file, the decoy in its place.
Tree lockedTree(const std::string& name, const Tree& content, const std::string& password) {
    return merged(
        placed("...", placed(name, merged(content, {{"IniKey", keyFileBytes(password)}}))),
        {{name + ".", kFolder}});
}

// What one action on one path did, as a batch runs it, and what the user saw.
struct Outcome {
    Outcome(Action action, const std::string& path, std::string password = "pw") {
        ActionContext ctx{ui, std::move(password), path};
        result = action(ctx);
        noticeShown = ctx.NoticeShown;
    }
    test::ScriptedUi ui;
    ItemResult result = ItemResult::Failed;
    bool noticeShown = false;
};

void expectDone(const Outcome& run) {
    EXPECT_EQ(run.result, ItemResult::Done);
    EXPECT_TRUE(run.ui.shown.empty());
    EXPECT_FALSE(run.noticeShown);
}

void expectRefused(const Outcome& run, const Shown& message) {
    EXPECT_EQ(run.result, ItemResult::Refused);
    EXPECT_EQ(run.ui.shown, std::vector<Shown>{message});
    EXPECT_TRUE(run.noticeShown);
}

void expectFailed(const Outcome& run, const Shown& message) {
    EXPECT_EQ(run.result, ItemResult::Failed);
    EXPECT_EQ(run.ui.shown, std::vector<Shown>{message});
    EXPECT_FALSE(run.noticeShown);
}

const Shown kLockFailed = ok("［secret］文件夹加密失败,文件夹保持原样!");
const Shown kUnlockFailed = ok("［secret］文件夹解密失败,文件夹仍保持加密!");

TEST(FolderLock, LockThenUnlockRestoresTheFolderExactly) {
    const std::string passwords[] = {
        "pw",
        "",
        utf8ToCp936("中文密码").value(),
        " \"blanks' and quotes\" ",
    };
    for (const std::string& password : passwords) {
        SCOPED_TRACE(password);
        test::TempDir dir;
        // A file of the parent's own named like the key file must survive both ways.
        const Tree before = merged(placed("secret", sampleContent(1)), {{"IniKey", "mine"}});
        writeTree(dir.path(), before);

        expectDone(Outcome(lockFolder, dir / "secret", password));
        EXPECT_EQ(treeOf(dir.path()),
                  merged(lockedTree("secret", sampleContent(1), password), {{"IniKey", "mine"}}));

        expectDone(Outcome(unlockFolder, dir / "secret.", password));
        EXPECT_EQ(treeOf(dir.path()), merged(before, {{"...", kFolder}}));
    }
}

TEST(FolderLock, TwoFoldersShareOneVaultAndUnlockSeparately) {
    test::TempDir dir;
    writeTree(dir.path(), merged(placed("a", sampleContent(1)), placed("b", sampleContent(2))));
    expectDone(Outcome(lockFolder, dir / "a", "pa"));
    expectDone(Outcome(lockFolder, dir / "b", "pb"));
    const Tree bLocked = lockedTree("b", sampleContent(2), "pb");
    EXPECT_EQ(treeOf(dir.path()), merged(lockedTree("a", sampleContent(1), "pa"), bLocked));

    expectDone(Outcome(unlockFolder, dir / "a.", "pa"));
    EXPECT_EQ(treeOf(dir.path()), merged(placed("a", sampleContent(1)), bLocked));
}

TEST(FolderLock, WrongPasswordLeavesEverythingLocked) {
    test::TempDir dir;
    writeTree(dir.path(), placed("secret", sampleContent(1)));
    expectDone(Outcome(lockFolder, dir / "secret", "Right"));
    const Tree locked = treeOf(dir.path());
    for (const char* wrong : {"right", "Right ", "", "\"Right\""}) {
        SCOPED_TRACE(wrong);
        // The name in the message is the selected one without its last character.
        expectRefused(Outcome(unlockFolder, dir / "secret.", wrong),
                      ok("［secret］文件夹的解密码不正确!"));
        EXPECT_EQ(treeOf(dir.path()), locked);
    }
}

TEST(FolderLock, UnlockRefusesWhatWasNeverLocked) {
    struct Case {
        const char* what;
        Tree setup;
        const char* selected;
        const char* message;
    };
    const Case cases[] = {
        {"a plain folder", placed("plain", sampleContent(1)), "plain",
         "［plain］文件夹没有被加密过!"},
        {"a plain folder beside a vault",
         merged(placed("plain", sampleContent(1)), placed("...", placed("other", {}))), "plain",
         "［plain］文件夹没有被加密过!"},
        {"a decoy-like name with nothing in the vault",
         merged(placed("ghost.", {}), placed("...", {})), "ghost.",
         "［ghost.］文件夹没有被加密过!"},
        {"a one-character name", merged(placed("x", {}), placed("...", {})), "x",
         "［x］文件夹没有被加密过!"},
        {"a file in the vault under the name",
         merged(placed("f.", {}), {{"...", kFolder}, {".../f", "file"}}), "f.",
         "［f.］文件夹没有被加密过!"},
        {"nothing at all", {}, "missing.", "［missing.］文件夹没有被加密过!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        writeTree(dir.path(), c.setup);
        const Tree before = treeOf(dir.path());
        expectRefused(Outcome(unlockFolder, dir / c.selected), ok(c.message));
        EXPECT_EQ(treeOf(dir.path()), before);
    }
}

TEST(FolderLock, SelectingTheDecoyForLockIsRefused) {
    test::TempDir dir;
    writeTree(dir.path(), placed("secret", sampleContent(1)));
    expectDone(Outcome(lockFolder, dir / "secret"));
    const Tree locked = treeOf(dir.path());
    expectRefused(Outcome(lockFolder, dir / "secret."),
                  ok("［secret.］文件夹已经加密,不能再加密!"));
    EXPECT_EQ(treeOf(dir.path()), locked);
}

TEST(FolderLock, PreparationFolderAlreadyThereBecomesTheVault) {
    test::TempDir dir;
    writeTree(dir.path(), merged(placed("secret", sampleContent(1)),
                                 placed("secretzv97", {{"kept.txt", "kept"}})));
    expectDone(Outcome(lockFolder, dir / "secret", "pw"));
    EXPECT_EQ(treeOf(dir.path()),
              merged(lockedTree("secret", sampleContent(1), "pw"), {{".../kept.txt", "kept"}}));
}

TEST(FolderLock, LockRefusesBeforeChangingAnything) {
    struct Case {
        const char* what;
        Tree setup;
        const char* item;
        std::string password;
        const char* message;
    };
    const Case cases[] = {
        {"a folder with its own key file", placed("secret", {{"IniKey", "[key]\r\npass=mine\r\n"}}),
         "secret", "pw", "［secret］文件夹中已有名为IniKey的文件,不能加密!"},
        {"a folder with a key file folder", placed("secret", placed("IniKey", {})), "secret", "pw",
         "［secret］文件夹中已有名为IniKey的文件,不能加密!"},
        {"a missing entry", {}, "ghost", "pw", "［ghost］既不是文件也不是文件夹,不能加密!"},
        {"an entry in a missing folder",
         {},
         "gone/ghost",
         "pw",
         "［ghost］既不是文件也不是文件夹,不能加密!"},
        {"a password with a line break", placed("secret", sampleContent(1)), "secret", "a\nb",
         "密码中含有换行等无法保存的字符,请换一个密码后再加密!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        writeTree(dir.path(), c.setup);
        const Tree before = treeOf(dir.path());
        expectRefused(Outcome(lockFolder, dir / c.item, c.password), ok(c.message));
        EXPECT_EQ(treeOf(dir.path()), before);
    }
}

TEST(FolderLock, LockRefusesASpecialFile) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    expectRefused(Outcome(lockFolder, dir / "pipe"),
                  ok("［pipe］既不是文件也不是文件夹,不能加密!"));
    EXPECT_EQ(treeOf(dir.path()), (Tree{{"pipe", "<special>"}}));
}

TEST(FolderLock, FailedLockLeavesEverythingAsItWas) {
    struct Case {
        const char* what;
        Tree setup;
    };
    const Case cases[] = {
        // The move into the vault finds the name taken.
        {"a vault entry of the same name",
         merged(placed("secret", sampleContent(1)),
                placed("...", placed("secret", sampleContent(2))))},
        // The decoy cannot be made: the folder comes back out of the vault, and
        // the vault this lock made goes again.
        {"a file under the decoy's name",
         merged(placed("secret", sampleContent(1)), {{"secret.", "file"}})},
        {"a file under the vault's name",
         merged(placed("secret", sampleContent(1)), {{"...", "file"}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        writeTree(dir.path(), c.setup);
        const Tree before = treeOf(dir.path());
        expectFailed(Outcome(lockFolder, dir / "secret"), kLockFailed);
        EXPECT_EQ(treeOf(dir.path()), before);
    }
}

// Runs an action as an ordinary user, so that permissions hold even for root;
// returns the result and the messages, one per line.
std::string runAsUser(Action action, const std::string& path) {
    return test::runUnprivileged([&] {
        test::ScriptedUi ui;
        ActionContext ctx{ui, "pw", path};
        std::string out = std::to_string(static_cast<int>(action(ctx)));
        for (const Shown& s : ui.shown) {
            out += "\n" + s.title + ":" + s.text;
        }
        return out;
    });
}

std::string failedWith(const Shown& message) {
    return std::to_string(static_cast<int>(ItemResult::Failed)) + "\n" + message.title + ":" +
           message.text;
}

TEST(FolderLock, LockFailsInReadOnlyPlacesAndChangesNothing) {
    struct Case {
        const char* what;
        Tree setup;
        const char* readOnly;
    };
    const Case cases[] = {
        {"a read-only parent with a vault",
         merged(placed("secret", sampleContent(1)), placed("...", placed("other", {}))), "."},
        {"a read-only parent without a vault", placed("secret", sampleContent(1)), "."},
        // The key file cannot be written: the vault made for this lock goes again.
        {"a read-only folder", placed("secret", sampleContent(1)), "secret"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        writeTree(dir.path(), c.setup);
        test::giveToUnprivileged(dir.path());
        ASSERT_EQ(::chmod((dir / c.readOnly).c_str(), 0555), 0);
        const Tree before = treeOf(dir.path());
        EXPECT_EQ(runAsUser(lockFolder, dir / "secret"), failedWith(kLockFailed));
        EXPECT_EQ(treeOf(dir.path()), before);
    }
}

TEST(FolderLock, FailedUnlockLeavesTheFolderLocked) {
    test::TempDir dir;
    writeTree(dir.path(), placed("secret", sampleContent(1)));
    expectDone(Outcome(lockFolder, dir / "secret"));

    // A new folder under the old name blocks the way back.
    writeTree(dir.path(), placed("secret", {{"new.txt", "new"}}));
    Tree before = treeOf(dir.path());
    expectFailed(Outcome(unlockFolder, dir / "secret."), kUnlockFailed);
    EXPECT_EQ(treeOf(dir.path()), before);
    std::filesystem::remove_all(dir / "secret");

    // A read-only parent.
    test::giveToUnprivileged(dir.path());
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    before = treeOf(dir.path());
    EXPECT_EQ(runAsUser(unlockFolder, dir / "secret."), failedWith(kUnlockFailed));
    EXPECT_EQ(treeOf(dir.path()), before);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);

    // A key file that cannot be read.
    before = treeOf(dir.path());
    ASSERT_EQ(::chmod((dir / ".../secret/IniKey").c_str(), 0), 0);
    EXPECT_EQ(runAsUser(unlockFolder, dir / "secret."), failedWith(kUnlockFailed));
    ASSERT_EQ(::chmod((dir / ".../secret/IniKey").c_str(), 0600), 0);
    EXPECT_EQ(treeOf(dir.path()), before);
}

}  // namespace
}  // namespace zv
