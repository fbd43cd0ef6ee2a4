// Unusual and hostile input, through the batches as the window runs them: each
// case ends with a clear message or a clean round trip, and nothing is lost.
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "batch/batch.h"
#include "codec/format.h"
#include "codec/memory_codec.h"
#include "codec/stream_codec.h"
#include "platform/code_page.h"
#include "reliability_checks.h"
#include "support/file_helpers.h"
#include "support/process.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace zv {
namespace {

using test::ok;
using test::Shown;
using test::Tree;
using test::writeFile;

constexpr std::size_t kLarge = 10'485'760 + 4096;  // goes to the streaming codec

// Content that neither starts like an encrypted file nor with a byte that
// would read as a marker without a password. Large content is made once.
std::string content(std::size_t size, std::uint32_t seed) {
    static const std::string large = "P" + test::randomBytes(kLarge - 1, 99);
    if (size == kLarge) {
        return large;
    }
    std::string s = test::randomBytes(size, seed);
    if (!s.empty()) {
        s[0] = 'P';
    }
    return s;
}

struct BatchRun {
    std::vector<Shown> messages;  // besides the questions and the completion message
    std::vector<ItemResult> results;
};

BatchRun messagesOf(const test::ScriptedUi& ui, const BatchOutcome& outcome) {
    BatchRun run{{}, outcome.results};
    for (const Shown& s : ui.shown) {
        if (s.buttons == Buttons::Ok && s.text != "加密完毕!" && s.text != "解密完毕!") {
            run.messages.push_back(s);
        }
    }
    return run;
}

BatchRun encryptBatch(const std::vector<std::string>& items, const std::string& password) {
    // An empty password is confirmed first, then the run itself.
    test::ScriptedUi ui(password.empty() ? std::deque<Answer>{Answer::Yes, Answer::Yes}
                                         : std::deque<Answer>{Answer::Yes});
    const BatchOutcome outcome = ImagADDClick(ui, {items, password, password, "pick"});
    return messagesOf(ui, outcome);
}

BatchRun decryptBatch(const std::vector<std::string>& items, const std::string& password) {
    test::ScriptedUi ui({Answer::Yes});
    const BatchOutcome outcome = ImageUbbClick(ui, {items, password, {}, {}});
    return messagesOf(ui, outcome);
}

const std::vector<ItemResult> kDone{ItemResult::Done};

bool isLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

TEST(HostileInput, SpecialFilesAreRefusedAndNeverOpened) {
    struct Case {
        const char* name;
        std::function<bool(const std::string&)> make;
    };
    const Case cases[] = {
        {"pipe", [](const std::string& p) { return ::mkfifo(p.c_str(), 0600) == 0; }},
        // A device node of its own (the null device): only root may make one.
        {"device",
         [](const std::string& p) {
             return ::mknod(p.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
         }},
        {"socket",
         [](const std::string& p) {
             sockaddr_un addr{};
             addr.sun_family = AF_UNIX;
             if (p.size() >= sizeof addr.sun_path) {
                 return false;
             }
             p.copy(addr.sun_path, p.size());
             const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
             const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
             ::close(fd);
             return bound;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const std::string path = dir / c.name;
        if (!c.make(path)) {
            std::cout << "[ skipped ] cannot make a " << c.name << " here\n";
            continue;
        }
        // Every open of the entry shows here: a FIFO opened for reading would
        // block the window for good.
        const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        ASSERT_GE(watch, 0);
        ASSERT_GE(::inotify_add_watch(watch, path.c_str(), IN_OPEN | IN_ACCESS), 0);
        const Tree before = test::treeOf(dir.path());

        const BatchRun encrypted = encryptBatch({path}, "pw");
        EXPECT_EQ(encrypted.messages, std::vector<Shown>{ok("［" + std::string(c.name) +
                                                            "］既不是文件也不是文件夹,不能加密!")});
        const BatchRun decrypted = decryptBatch({path}, "pw");
        EXPECT_EQ(decrypted.messages,
                  std::vector<Shown>{ok("［" + std::string(c.name) + "］文件夹没有被加密过!")});

        // The window can also run a codec on its own (its hidden action
        // buttons): each fails with its message, without opening the entry.
        for (const test::Action action : {Memory_add, Memory_sub, File_add, File_sub}) {
            const test::ActionRun run = test::runAction(action, path, "pw");
            EXPECT_EQ(run.result, ItemResult::Failed);
            EXPECT_EQ(run.shown.size(), 1u);
        }

        char events[4096];
        EXPECT_LT(::read(watch, events, sizeof events), 1) << "the entry was opened";
        ::close(watch);
        EXPECT_EQ(test::treeOf(dir.path()), before);
    }
}

TEST(HostileInput, ALinkToAFileStaysALinkAndItsFileIsTransformed) {
    for (const std::size_t size : {std::size_t{5000}, kLarge}) {
        SCOPED_TRACE(size);
        test::TempDir dir;
        const std::string plain = content(size, 1);
        writeFile(dir / "real.bin", plain);
        ASSERT_EQ(::symlink("real.bin", (dir / "link.bin").c_str()), 0);

        EXPECT_EQ(encryptBatch({dir / "link.bin"}, "pw").results, kDone);
        EXPECT_TRUE(isLink(dir / "link.bin"));
        EXPECT_EQ(test::contentOf(dir / "real.bin").substr(0, 7), format::header("pw"));
        EXPECT_EQ(decryptBatch({dir / "link.bin"}, "pw").results, kDone);
        EXPECT_TRUE(isLink(dir / "link.bin"));
        EXPECT_TRUE(test::contentOf(dir / "real.bin") == plain);
        EXPECT_EQ(test::listFolder(dir.path()), (std::vector<std::string>{"link.bin", "real.bin"}));
    }
}

TEST(HostileInput, ALinkToAFolderIsNotLocked) {
    test::TempDir dir;
    test::writeTree(dir.path(), test::placed("real", test::sampleContent(1)));
    ASSERT_EQ(::symlink("real", (dir / "link").c_str()), 0);
    const Tree before = test::treeOf(dir.path());
    EXPECT_EQ(
        encryptBatch({dir / "link"}, "pw").messages,
        std::vector<Shown>{ok("［link］是指向其他文件夹的链接,不能加密!请直接加入该文件夹本身。")});
    EXPECT_EQ(test::treeOf(dir.path()), before);
}

TEST(HostileInput, AFileWithOtherNamesIsNotEncrypted) {
    for (const std::size_t size : {std::size_t{5000}, kLarge}) {
        SCOPED_TRACE(size);
        test::TempDir dir;
        const std::string plain = content(size, 2);
        writeFile(dir / "a.bin", plain);
        ASSERT_EQ(::link((dir / "a.bin").c_str(), (dir / "b.bin").c_str()), 0);
        EXPECT_EQ(encryptBatch({dir / "a.bin"}, "pw").messages,
                  std::vector<Shown>{ok("a.bin,此文件还有其他名称(硬链接),"
                                        "加密后那些名称下仍是未加密的内容,因此不能加密!")});
        EXPECT_TRUE(test::contentOf(dir / "a.bin") == plain);
        EXPECT_TRUE(test::contentOf(dir / "b.bin") == plain);
        EXPECT_EQ(test::listFolder(dir.path()), (std::vector<std::string>{"a.bin", "b.bin"}));
    }
}

TEST(HostileInput, AReadOnlyFileIsNotRewritten) {
    for (const std::size_t size : {std::size_t{5000}, kLarge}) {
        SCOPED_TRACE(size);
        test::TempDir dir;
        const std::string plain = content(size, 3);
        writeFile(dir / "ro.bin", plain);
        ASSERT_EQ(::chmod((dir / "ro.bin").c_str(), 0444), 0);
        EXPECT_EQ(encryptBatch({dir / "ro.bin"}, "pw").messages,
                  std::vector<Shown>{ok("加密ro时失败!")});
        EXPECT_TRUE(test::contentOf(dir / "ro.bin") == plain);
        EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"ro.bin"});
    }
}

TEST(HostileInput, AnUnwritableFolderOrUnreadableFileFailsAndChangesNothing) {
    struct Case {
        const char* what;
        std::size_t size;
        mode_t fileMode;
        mode_t folderMode;
    };
    const Case cases[] = {
        {"small file, unwritable folder", 5000, 0600, 0500},
        {"small file, unreadable", 5000, 0200, 0700},
        {"large file, unwritable folder", kLarge, 0600, 0500},
        {"large file, unreadable", kLarge, 0200, 0700},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        const std::string plain = content(c.size, 4);
        writeFile(dir / "f.bin", plain);
        test::giveToUnprivileged(dir.path());
        ASSERT_EQ(::chmod((dir / "f.bin").c_str(), c.fileMode), 0);
        ASSERT_EQ(::chmod(dir.path().c_str(), c.folderMode), 0);
        const std::string out = test::runUnprivileged([&] {
            std::string text;
            for (const Shown& s : encryptBatch({dir / "f.bin"}, "pw").messages) {
                text += s.text + "\n";
            }
            return text;
        });
        EXPECT_EQ(out, "加密f时失败!\n");
        ASSERT_EQ(::chmod(dir.path().c_str(), 0700), 0);
        ASSERT_EQ(::chmod((dir / "f.bin").c_str(), 0600), 0);
        EXPECT_TRUE(test::contentOf(dir / "f.bin") == plain);
        EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"f.bin"});
    }
}

TEST(HostileInput, UnusualNamesRoundTrip) {
    const std::string atLimit(NAME_MAX - 4, 'n');  // with ".bin": exactly NAME_MAX bytes
    const std::string names[] = {
        "with  spaces .bin", "line\nbreak.bin",        "-rf.bin",        "--help",
        "中文名.bin",        "\xFF\xFE not utf-8.bin", atLimit + ".bin",
    };
    for (const std::string& name : names) {
        for (const std::size_t size : {std::size_t{3000}, kLarge}) {
            SCOPED_TRACE(name + " / " + std::to_string(size));
            test::TempDir dir;
            const std::string plain = content(size, 5);
            writeFile(dir / name, plain);
            const BatchRun encrypted = encryptBatch({dir / name}, "pw");
            EXPECT_EQ(encrypted.results, kDone);
            EXPECT_TRUE(encrypted.messages.empty());
            EXPECT_NE(test::contentOf(dir / name), plain);
            EXPECT_EQ(decryptBatch({dir / name}, "pw").results, kDone);
            EXPECT_TRUE(test::contentOf(dir / name) == plain);
            EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{name});
        }
    }
    // Folders lock and unlock under such names too.
    for (const std::string& name : {names[0], names[1], names[2], names[4], names[5]}) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        const Tree plain = test::placed(name, test::sampleContent(6));
        test::writeTree(dir.path(), plain);
        EXPECT_EQ(encryptBatch({dir / name}, "pw").results, kDone);
        EXPECT_EQ(decryptBatch({dir / (name + ".")}, "pw").results, kDone);
        EXPECT_EQ(test::treeOf(dir.path()), test::merged(plain, {{"...", test::kFolder}}));
    }
}

TEST(HostileInput, TheCommandLineTakesNamesThatLookLikeOptionsAfterTwoDashes) {
    test::TempDir dir;
    writeFile(dir / "-y", "Plain");
    writeFile(dir / "--help", "Plain");
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);
    const test::ProcessResult run =
        test::runProcess({ZVCRYPT_CLI, "encrypt", "--yes", "--no-password", "--", "-y", "--help"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(test::contentOf(dir / "-y").substr(0, 3), ":DN");
    EXPECT_EQ(test::contentOf(dir / "--help").substr(0, 3), ":DN");
    ASSERT_EQ(::chdir("/"), 0);
}

TEST(HostileInput, NamesAtTheLengthLimitFailCleanlyWhereAnAsideNameWouldNotFit) {
    // A large file without an extension: its aside name (name + ".zv") is
    // longer than a name may be. A folder: its decoy name is one byte longer.
    const std::string name(NAME_MAX, 'x');
    test::TempDir dir;
    const std::string plain = content(kLarge, 7);
    writeFile(dir / name, plain);
    EXPECT_EQ(encryptBatch({dir / name}, "pw").messages,
              std::vector<Shown>{ok("加密" + name + "时失败!")});
    EXPECT_TRUE(test::contentOf(dir / name) == plain);
    EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{name});

    test::TempDir parent;
    const Tree folder = test::placed(name, test::sampleContent(8));
    test::writeTree(parent.path(), folder);
    EXPECT_EQ(encryptBatch({parent / name}, "pw").messages,
              std::vector<Shown>{ok("［" + name + "］文件夹加密失败,文件夹保持原样!")});
    EXPECT_EQ(test::treeOf(parent.path()), folder);
}

TEST(HostileInput, TinyFilesRoundTripInBothCodecs) {
    for (const std::string plain : {"", "P", "Pq", "Pqr"}) {
        SCOPED_TRACE(plain.size());
        test::TempDir dir;
        writeFile(dir / "tiny", plain);
        EXPECT_EQ(encryptBatch({dir / "tiny"}, "pw").results, kDone);
        EXPECT_EQ(test::contentOf(dir / "tiny").size(), plain.size() + 7);
        EXPECT_EQ(decryptBatch({dir / "tiny"}, "pw").results, kDone);
        EXPECT_EQ(test::contentOf(dir / "tiny"), plain);
        // The batch sends tiny files to the in-memory codec; the streaming
        // codec must take them all the same.
        for (const test::Action action : {File_add, File_sub}) {
            EXPECT_EQ(test::runAction(action, dir / "tiny", "pw").result, ItemResult::Done);
        }
        EXPECT_EQ(test::contentOf(dir / "tiny"), plain);
        EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"tiny"});
    }
}

TEST(HostileInput, PasswordsRoundTrip) {
    const std::string passwords[] = {
        "", "x", std::string(255, 'k'), "中文密码", " \"pw\" ", "'  blanks and quotes '", "\"",
    };
    for (const std::string& password : passwords) {
        SCOPED_TRACE(password);
        test::TempDir dir;
        const std::string small = content(3000, 9);
        const std::string large = content(kLarge, 10);
        writeFile(dir / "small.bin", small);
        writeFile(dir / "large.bin", large);
        const Tree folder = test::placed("secret", test::sampleContent(11));
        test::writeTree(dir / "parent", folder);
        const std::string secret = dir / "parent/secret";
        const std::vector<std::string> items{dir / "small.bin", dir / "large.bin", secret};

        const BatchRun encrypted = encryptBatch(items, password);
        EXPECT_TRUE(encrypted.messages.empty());
        EXPECT_EQ(encrypted.results, std::vector<ItemResult>(3, ItemResult::Done));
        // The header holds the password as the code page stores it.
        const std::string stored = utf8ToCp936(password).value();
        EXPECT_EQ(
            test::contentOf(dir / "small.bin").substr(0, stored.size() + (stored.empty() ? 3 : 5)),
            format::header(stored));

        // A wrong password opens nothing and changes nothing.
        const std::vector<std::string> lockedItems{dir / "small.bin", dir / "large.bin",
                                                   secret + "."};
        const Tree locked = test::treeOf(dir / "parent");
        const std::string largeEncrypted = test::contentOf(dir / "large.bin");
        decryptBatch(lockedItems, password + "?");
        EXPECT_EQ(test::treeOf(dir / "parent"), locked);
        EXPECT_TRUE(test::contentOf(dir / "large.bin") == largeEncrypted);

        const BatchRun decrypted = decryptBatch(lockedItems, password);
        EXPECT_TRUE(decrypted.messages.empty());
        EXPECT_TRUE(test::contentOf(dir / "small.bin") == small);
        EXPECT_TRUE(test::contentOf(dir / "large.bin") == large);
        EXPECT_EQ(test::treeOf(secret), test::sampleContent(11));
    }
}

}  // namespace
}  // namespace zv
