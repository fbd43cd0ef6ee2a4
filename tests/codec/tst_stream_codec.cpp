#include <linux/fs.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>

#include <climits>
#include <functional>
#include <stdexcept>
#include <utility>

#include <gtest/gtest.h>

#include "codec/format.h"
#include "codec/stream_codec.h"
#include "platform/stream_file.h"
#include "support/file_helpers.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace zv {
namespace {

using test::listFolder;
using test::ok;
using test::question;
using test::readFile;
using test::Shown;
using test::writeFile;

using Action = ItemResult (*)(ActionContext&);

constexpr std::int64_t kPrefix = 512'000;

// What an encrypted file must hold, computed here byte by byte, independently of the codec.
std::string expectedEncryption(const std::string& plain, const std::string& head, int key) {
    std::string out = head;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const auto b = static_cast<unsigned char>(plain[i]);
        out += static_cast<char>(static_cast<std::int64_t>(i) < kPrefix ? (b + key) & 0xFF : b);
    }
    return out;
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st.st_mode;
}

class StreamCodec : public ::testing::Test {
  protected:
    ItemResult run(Action action, const std::string& password, const std::string& path) {
        ActionContext ctx{ui, password, path};
        const ItemResult result = action(ctx);
        noticeShown = ctx.NoticeShown;
        return result;
    }
    ItemResult run(Action action, const std::string& password) {
        return run(action, password, item);
    }

    std::vector<std::string> folder() const { return listFolder(dir.path()); }

    test::TempDir dir;
    std::string item = dir / "film.final.avi";  // set aside as film.final.zv
    std::vector<std::string> onlyItem{"film.final.avi"};
    test::ScriptedUi ui;
    bool noticeShown = false;
};

TEST_F(StreamCodec, RoundTripsAcrossTheBoundaries) {
    struct Case {
        const char* what;
        std::size_t size;
        std::string password;
        std::string head;
        int key;
    };
    const Case cases[] = {
        {"one byte over the in-memory limit", 10'485'761, "pw", ":DN\x0B\x89\x90\x0B",
         ('p' + 'w') & 0xFF},
        {"content exactly the prefix", 512'000, "", ":DN", 0x6D},
        {"content one byte past the prefix", 512'001, "\xC3\xDC\xC2\xEB",
         ":DN\x0B\xDC\xF5\xDB\x04\x0B", (0xC3 + 0xDC + 0xC2 + 0xEB) & 0xFF},
        {"empty file", 0, "pw", ":DN\x0B\x89\x90\x0B", ('p' + 'w') & 0xFF},
    };
    std::uint32_t seed = 7;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string plain = test::randomBytes(c.size, seed++);
        if (!plain.empty()) {
            plain[0] = 'P';  // neither ":DN" nor a byte that would read as a marker
        }
        writeFile(item, plain);
        ASSERT_EQ(::chmod(item.c_str(), 0640), 0);
        ui.progressCalls.clear();

        ASSERT_EQ(run(File_add, c.password), ItemResult::Done);
        const std::string encrypted = readFile(item);
        EXPECT_EQ(encrypted.size(), c.head.size() + plain.size());
        EXPECT_TRUE(encrypted == expectedEncryption(plain, c.head, c.key));
        if (c.size > static_cast<std::size_t>(kPrefix)) {
            // Past the prefix the bytes are the original ones, unchanged.
            EXPECT_TRUE(encrypted.substr(c.head.size() + kPrefix) == plain.substr(kPrefix));
        }
        EXPECT_EQ(modeOf(item) & 07777, 0640u);
        EXPECT_EQ(folder(), onlyItem);
        ASSERT_FALSE(ui.progressCalls.empty());
        EXPECT_EQ(ui.progressCalls.back(), (std::pair<std::int64_t, std::int64_t>(c.size, c.size)));

        ASSERT_EQ(run(File_sub, c.password), ItemResult::Done);
        EXPECT_TRUE(readFile(item) == plain);
        EXPECT_EQ(modeOf(item) & 07777, 0640u);
        EXPECT_EQ(folder(), onlyItem);
        EXPECT_TRUE(ui.shown.empty());
        EXPECT_FALSE(noticeShown);
    }
    EXPECT_EQ(ui.busyShown, 2 * static_cast<int>(std::size(cases)));
}

TEST_F(StreamCodec, ProgressGoesUpEveryFewMegabytes) {
    const std::int64_t size = 30LL * 1024 * 1024 + 3;
    writeFile(item, "P" + std::string(static_cast<std::size_t>(size - 1), 'z'));
    for (const Action action : {File_add, File_sub}) {
        ui.progressCalls.clear();
        ASSERT_EQ(run(action, "pw"), ItemResult::Done);
        std::int64_t last = 0;
        for (const auto& [done, total] : ui.progressCalls) {
            EXPECT_EQ(total, size);
            EXPECT_GE(done, last);
            EXPECT_LE(done - last, 8 * 1024 * 1024);
            last = done;
        }
        EXPECT_EQ(last, size);
    }
}

TEST_F(StreamCodec, RefusalsShowTheirMessageAndPutTheItemBack) {
    const std::string protectedFile = ":DN\x0B\x89\x90\x0B" + std::string(20, 'b');
    struct Case {
        const char* what;
        Action action;
        std::string content;
        std::string password;
        std::vector<Shown> messages;
    };
    const Case cases[] = {
        {"password the header cannot hold",
         File_add,
         "plain",
         "a\xF2",
         {ok("密码中含有本工具无法保存的字符,请换一个密码后再加密!")}},
        {"content that would read as protected",
         File_add,
         "\x9Eplain",
         "",
         {ok("film.final.avi,此文件必须设置密码才能加密,请输入密码后再加密!")}},
        {"decrypt a plain file",
         File_sub,
         "plain",
         "",
         {ok("“film.final.avi”，此文件尚未加过密,因此无需解密!", kTitleCannotDecrypt)}},
        {"password given but none stored",
         File_sub,
         ":DNbody",
         "pw",
         {ok("film.final.avi文件的密码不正确,不能对此文件解密！")}},
        {"password needed",
         File_sub,
         protectedFile,
         "",
         {ok("解密film.final.avi此文件需要密码!", kTitleCannotDecrypt)}},
        {"a byte differs",
         File_sub,
         protectedFile,
         "pX",
         {ok("film.final.avi文件的密码不正确,不能对此文件解密！")}},
        {"stored password longer",
         File_sub,
         protectedFile,
         "p",
         {ok("film.final.avi文件的密码不正确,不能对此文件解密！")}},
        {"stored password shorter",
         File_sub,
         protectedFile,
         "pwx",
         {ok("film.final.avi文件的密码不正确,不能对此文件解密！")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(item, c.content);
        ASSERT_EQ(::chmod(item.c_str(), 0604), 0);
        ui.shown.clear();

        EXPECT_EQ(run(c.action, c.password), ItemResult::Refused);
        EXPECT_EQ(ui.shown, c.messages);
        EXPECT_TRUE(noticeShown);
        EXPECT_EQ(readFile(item), c.content);
        EXPECT_EQ(modeOf(item) & 07777, 0604u);
        EXPECT_EQ(folder(), onlyItem);
    }
    EXPECT_EQ(ui.busyShown, 0);
}

TEST_F(StreamCodec, AlreadyEncryptedAsksWhetherToGoOn) {
    const std::string content = ":DN" + test::randomBytes(600'000, 3);
    struct Case {
        Answer answer;
        ItemResult result;
    };
    for (const Case c :
         {Case{Answer::Yes, ItemResult::Refused}, Case{Answer::No, ItemResult::StopBatch}}) {
        SCOPED_TRACE(c.answer == Answer::Yes ? "Yes" : "No");
        writeFile(item, content);
        ui.shown.clear();
        ui.answer(c.answer);

        EXPECT_EQ(run(File_add, "pw"), c.result);
        EXPECT_EQ(ui.shown, std::vector<Shown>{
                                question("film.final.avi,此文件已经加过密了,继续加密其它文件吗?")});
        EXPECT_TRUE(noticeShown);
        EXPECT_TRUE(readFile(item) == content);
        EXPECT_EQ(folder(), onlyItem);
    }
}

TEST_F(StreamCodec, ATakenAsideNameLeavesBothFilesUntouched) {
    const std::string aside = dir / "film.final.zv";
    struct Case {
        const char* what;
        Action action;
        std::string content;
        std::string message;
    };
    const Case cases[] = {
        {"encrypt", File_add, "plain content", "加密film.final时失败!"},
        {"decrypt", File_sub, ":DN plain", "解密film.final.avi失败！！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(item, c.content);
        writeFile(aside, "someone else's file");
        ui.shown.clear();

        EXPECT_EQ(run(c.action, ""), ItemResult::Failed);
        EXPECT_EQ(ui.shown, std::vector<Shown>{ok(c.message)});
        EXPECT_FALSE(noticeShown);
        EXPECT_EQ(readFile(item), c.content);
        EXPECT_EQ(readFile(aside), "someone else's file");

        // A dangling link under that name is just as much in the way.
        ASSERT_EQ(::unlink(aside.c_str()), 0);
        ASSERT_EQ(::symlink("nowhere", aside.c_str()), 0);
        EXPECT_EQ(run(c.action, ""), ItemResult::Failed);
        EXPECT_EQ(readFile(item), c.content);
        EXPECT_TRUE(S_ISLNK(modeOf(aside)));
        ASSERT_EQ(::unlink(aside.c_str()), 0);
    }
}

TEST_F(StreamCodec, AnItemNamedLikeItsAsideCopyIsNotTouched) {
    // "clip.zv" would be set aside as itself.
    const std::string clip = dir / "clip.zv";
    const std::string content = "P" + test::randomBytes(100'000, 9);
    writeFile(clip, content);
    EXPECT_EQ(run(File_add, "pw", clip), ItemResult::Failed);
    EXPECT_EQ(run(File_sub, "pw", clip), ItemResult::Failed);
    EXPECT_EQ(ui.shown, (std::vector<Shown>{ok("加密clip时失败!"), ok("解密clip.zv失败！！")}));
    EXPECT_FALSE(noticeShown);
    EXPECT_TRUE(readFile(clip) == content);
    EXPECT_EQ(folder(), std::vector<std::string>{"clip.zv"});
}

TEST_F(StreamCodec, AnItemThatCannotBeSetAsideOrLockedIsNotTouched) {
    writeFile(item, "plain content");

    // Read-only: the owner's protection holds, as in the in-memory codec.
    ASSERT_EQ(::chmod(item.c_str(), 0444), 0);
    EXPECT_EQ(run(File_add, "pw"), ItemResult::Failed);
    ASSERT_EQ(::chmod(item.c_str(), 0644), 0);

    // Another program holds the file's lock: it is put back under its name.
    const int other = ::open(item.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    EXPECT_EQ(run(File_add, "pw"), ItemResult::Failed);
    ::close(other);

    EXPECT_EQ(ui.shown,
              (std::vector<Shown>{ok("加密film.final时失败!"), ok("加密film.final时失败!")}));
    EXPECT_FALSE(noticeShown);
    EXPECT_EQ(readFile(item), "plain content");
    EXPECT_EQ(folder(), onlyItem);
}

// Runs an action in a child process, as an ordinary user, after `limit` has
// set it up; returns the messages it showed, one "title|text" per line.
std::string runInChild(Action action, const std::string& path, const std::string& password,
                       const std::function<void()>& limit) {
    return test::runUnprivileged([&] {
        limit();
        test::ScriptedUi ui;
        ActionContext ctx{ui, password, path};
        const ItemResult result = action(ctx);
        std::string out = result == ItemResult::Failed ? "" : "not a failure\n";
        for (const Shown& s : ui.shown) {
            out += s.title + "|" + s.text + "\n";
        }
        return out;
    });
}

TEST_F(StreamCodec, ARenameRefusedByTheFolderTouchesNothing) {
    writeFile(item, "plain content");
    test::giveToUnprivileged(dir.path());
    ASSERT_EQ(::chmod(dir.path().c_str(), 0500), 0);
    EXPECT_EQ(runInChild(File_add, item, "pw", [] {}), "提示|加密film.final时失败!\n");
    ASSERT_EQ(::chmod(dir.path().c_str(), 0700), 0);
    EXPECT_EQ(readFile(item), "plain content");
    EXPECT_EQ(folder(), onlyItem);
}

TEST_F(StreamCodec, AFailureInTheMiddleOfTheCopyPutsTheItemBack) {
    // Past the header and the prefix, the file size limit stops the block copy.
    const auto limitFileSize = [] {
        const rlimit limit{4 * 1024 * 1024, 4 * 1024 * 1024};
        ::signal(SIGXFSZ, SIG_IGN);
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            ::_exit(5);
        }
    };
    const std::string plain = "P" + test::randomBytes(12 * 1024 * 1024, 11);
    writeFile(item, plain);
    test::giveToUnprivileged(dir.path());
    EXPECT_EQ(runInChild(File_add, item, "pw", limitFileSize), "提示|加密film.final时失败!\n");
    EXPECT_TRUE(readFile(item) == plain);
    EXPECT_EQ(folder(), onlyItem);

    ASSERT_EQ(run(File_add, "pw"), ItemResult::Done);
    const std::string encrypted = readFile(item);
    EXPECT_EQ(runInChild(File_sub, item, "pw", limitFileSize), "提示|解密film.final.avi失败！！\n");
    EXPECT_TRUE(readFile(item) == encrypted);
    EXPECT_EQ(folder(), onlyItem);
}

TEST_F(StreamCodec, ALinkStaysALinkAndItsFileIsRewritten) {
    const std::string real = dir / "real.avi";
    const std::string plain = "P" + test::randomBytes(700'000, 5);
    writeFile(real, plain);
    ASSERT_EQ(::symlink("real.avi", item.c_str()), 0);

    ASSERT_EQ(run(File_add, "pw"), ItemResult::Done);
    EXPECT_TRUE(S_ISLNK(modeOf(item)));
    EXPECT_TRUE(readFile(real) == expectedEncryption(plain, ":DN\x0B\x89\x90\x0B", 0xE7));
    ASSERT_EQ(run(File_sub, "pw"), ItemResult::Done);
    EXPECT_TRUE(S_ISLNK(modeOf(item)));
    EXPECT_TRUE(readFile(real) == plain);
    EXPECT_EQ(folder(), (std::vector<std::string>{"film.final.avi", "real.avi"}));
    EXPECT_TRUE(ui.shown.empty());
}

// A UI port that, at the first progress report (the item is then set aside
// and the new file half written), runs a piece of the test.
class MeddlingUi : public test::ScriptedUi {
  public:
    std::function<void()> atFirstProgress;

    void progress(std::int64_t done, std::int64_t total) override {
        ScriptedUi::progress(done, total);
        if (atFirstProgress) {
            std::exchange(atFirstProgress, nullptr)();
        }
    }
};

// Marks a file immutable (no rename, no delete, even for root) or clears the
// mark; false where the file system or the user's rights do not allow it.
bool setImmutable(const std::string& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) {
        ::close(fd);
    }
    return done;
}

TEST_F(StreamCodec, WhenTheAsideCopyCannotBeDeletedOrPutBackTheUserLearnsWhereItIs) {
    const std::string probe = dir / "probe";
    writeFile(probe, "");
    if (!setImmutable(probe, true)) {
        GTEST_SKIP() << "cannot mark files immutable here (needs root on ext4 or similar)";
    }
    setImmutable(probe, false);
    ::unlink(probe.c_str());

    char real[PATH_MAX];
    ASSERT_NE(::realpath(dir.path().c_str(), real), nullptr);
    const std::string aside = std::string(real) + "/film.final.zv";
    const std::string plain = "P" + test::randomBytes(600'000, 13);
    const std::string encrypted = expectedEncryption(plain, ":DN\x0B\x89\x90\x0B", 0xE7);
    struct Case {
        const char* what;
        Action action;
        std::string before;
        bool copyFails;
        ItemResult result;
        std::string after;  // at the item's name, "" for no file
        std::vector<Shown> messages;
    };
    const Case cases[] = {
        {"encrypted, the plain copy stays",
         File_add,
         plain,
         false,
         ItemResult::Done,
         encrypted,
         {ok("加密已完成,但临时文件" + aside + "未能删除,其中仍是未加密的原内容,请手动删除!")}},
        {"decrypted, the encrypted copy stays",
         File_sub,
         encrypted,
         false,
         ItemResult::Done,
         plain,
         {ok("解密已完成,但临时文件" + aside + "未能删除,其中是解密前的文件,请手动删除!")}},
        {"failed, and the item cannot be put back",
         File_add,
         plain,
         true,
         ItemResult::Failed,
         "",
         {ok("加密film.final时失败!"),
          ok("文件film.final.avi未能恢复原状,其原内容保存在" + aside + "中,请手动将其改回原名!")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(item, c.before);
        MeddlingUi meddling;
        meddling.atFirstProgress = [&] {
            ASSERT_TRUE(setImmutable(aside, true));
            if (c.copyFails) {
                throw std::runtime_error("the copy breaks off");
            }
        };
        ActionContext ctx{meddling, "pw", item};
        EXPECT_EQ(c.action(ctx), c.result);
        EXPECT_EQ(meddling.shown, c.messages);
        EXPECT_FALSE(ctx.NoticeShown);

        ASSERT_TRUE(setImmutable(aside, false));
        EXPECT_TRUE(readFile(aside) == c.before);
        if (c.after.empty()) {
            EXPECT_EQ(folder(), std::vector<std::string>{"film.final.zv"});
        } else {
            EXPECT_TRUE(readFile(item) == c.after);
        }
        ASSERT_EQ(::unlink(aside.c_str()), 0);
    }
}

// The block copy takes three ways: the kernel's copy when source and target
// offsets are aligned alike, a buffer when they are shifted against each other
// (always so in the codec, by the header), and the buffer again when the
// kernel refuses, as it does across file systems. Each must give the same bytes.
TEST(BlockCopy, EveryWayCopiesTheSameBytesAndSkipsHoles) {
    test::TempDir dir;
    struct Case {
        const char* what;
        std::string sourceFolder;
        std::int64_t from;
        std::int64_t to;
    };
    const Case cases[] = {
        {"aligned alike", dir.path(), 4096, 8192},
        {"shifted", dir.path(), 1000, 7},
        {"across file systems", "/dev/shm", 4096, 8192},
    };
    const std::string data = test::randomBytes(3 * 1024 * 1024, 21);
    const std::int64_t holeEnd = 20 * 1024 * 1024;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string pattern = c.sourceFolder + "/zvtest-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) {
            ADD_FAILURE() << "cannot create a file in " << c.sourceFolder;
            continue;
        }
        const auto n = static_cast<ssize_t>(data.size());
        const bool written = ::pwrite(fd, data.data(), data.size(), 0) == n &&
                             ::pwrite(fd, data.data(), data.size(), holeEnd) == n;
        ::close(fd);
        const std::int64_t size = holeEnd + n;
        const std::string targetPath = dir / "copy";
        {
            fs::StreamFile source = fs::StreamFile::openExclusive(pattern);
            fs::StreamFile target = fs::StreamFile::createNew(targetPath);
            ::unlink(pattern.c_str());
            ASSERT_TRUE(written && source.valid() && target.valid());
            std::int64_t reported = 0;
            ASSERT_TRUE(fs::copyRange(source, c.from, target, c.to, size - c.from,
                                      [&](std::int64_t copied) { reported = copied; }));
            EXPECT_EQ(reported, size - c.from);
            ASSERT_TRUE(target.finish(c.to + size - c.from, source));
        }
        const std::string plain = data + std::string(holeEnd - data.size(), '\0') + data;
        const std::string expected = std::string(static_cast<std::size_t>(c.to), '\0') +
                                     plain.substr(static_cast<std::size_t>(c.from));
        EXPECT_TRUE(readFile(targetPath) == expected);
        ASSERT_EQ(::unlink(targetPath.c_str()), 0);
    }
}

}  // namespace
}  // namespace zv
