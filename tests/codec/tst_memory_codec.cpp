#include <sys/stat.h>

#include <gtest/gtest.h>

#include "codec/format.h"
#include "codec/memory_codec.h"
#include "support/file_helpers.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace zv {
namespace {

using test::ok;
using test::readFile;
using test::Shown;
using test::writeFile;

// What an encrypted file must hold, computed here byte by byte, independently of the codec.
std::string expectedEncryption(const std::string& plain, const std::string& head, int key) {
    std::string out = head;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const auto b = static_cast<unsigned char>(plain[i]);
        out += static_cast<char>(i < 1'200'000 ? (b + key) & 0xFF : b);
    }
    return out;
}

class MemoryCodec : public ::testing::Test {
protected:
    ItemResult run(ItemResult (*action)(ActionContext&), const std::string& password) {
        ActionContext ctx{ui, password, item};
        const ItemResult result = action(ctx);
        noticeShown = ctx.NoticeShown;
        return result;
    }

    test::TempDir dir;
    std::string item = dir / "report.final.doc";
    test::ScriptedUi ui;
    bool noticeShown = false;
};

TEST_F(MemoryCodec, RoundTripsAcrossSizesAndPasswords) {
    struct Case {
        const char* what;
        std::size_t size;
        std::string password;
        std::string head;
        int key;
    };
    const std::string longPassword(255, 'k');
    const Case cases[] = {
        {"empty file, no password", 0, "", ":DN", 0x6D},
        {"empty file, password", 0, "pw", ":DN\x0B\x89\x90\x0B", ('p' + 'w') & 0xFF},
        {"one byte", 1, "", ":DN", 0x6D},
        {"two bytes", 2, "x", ":DN\x0B\x91\x0B", 'x'},
        {"exactly the prefix", 1'200'000, "ab", ":DN\x0B\x7A\x7B\x0B", 0xC3},
        {"one past the prefix", 1'200'001, "ab", ":DN\x0B\x7A\x7B\x0B", 0xC3},
        {"Chinese password", 3'000'000, "\xC3\xDC\xC2\xEB", ":DN\x0B\xDC\xF5\xDB\x04\x0B",
         (0xC3 + 0xDC + 0xC2 + 0xEB) & 0xFF},
        {"key 0 still needs the password", 5000, "\x80\x80", ":DN\x0B\x99\x99\x0B", 0},
        {"255-byte password", 4096, longPassword,
         ":DN\x0B" + std::string(255, static_cast<char>('k' + 0x19)) + "\x0B", (255 * 'k') & 0xFF},
    };
    std::uint32_t seed = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string plain = test::randomBytes(c.size, seed++);
        if (!plain.empty() && c.password.empty()) {
            plain[0] = 'P';  // keep clear of the two bytes that cannot start such files
        }
        if (plain.size() >= 3) {
            plain[0] = 'P';
        }
        writeFile(item, plain);

        ASSERT_EQ(run(Memory_add, c.password), ItemResult::Done);
        const std::string encrypted = readFile(item);
        EXPECT_EQ(encrypted, expectedEncryption(plain, c.head, c.key));
        if (c.size == 1'200'001) {
            EXPECT_EQ(encrypted.back(), plain.back());
        }

        ASSERT_EQ(run(Memory_sub, c.password), ItemResult::Done);
        EXPECT_EQ(readFile(item), plain);
        EXPECT_TRUE(ui.shown.empty());
        EXPECT_FALSE(noticeShown);
        EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"report.final.doc"});
    }
    EXPECT_EQ(ui.busyShown, 2 * static_cast<int>(std::size(cases)));
}

TEST_F(MemoryCodec, TheBareMagicDecodesToAnEmptyFile) {
    writeFile(item, ":DN");
    EXPECT_EQ(run(Memory_sub, ""), ItemResult::Done);
    EXPECT_EQ(readFile(item), "");
}

TEST_F(MemoryCodec, RefusalsShowTheirMessagesAndLeaveTheFile) {
    const std::string protectedFile = format::header("pw") + "body";
    struct Case {
        const char* what;
        ItemResult (*action)(ActionContext&);
        std::string content;
        std::string password;
        std::vector<Shown> messages;
    };
    const Case cases[] = {
        {"encrypt an encrypted file", Memory_add, ":DN plain text", "pw",
         {ok("report.final.doc,此文件已经加过密了!")}},
        {"decrypt a plain file", Memory_sub, "plain", "",
         {ok("“report.final.doc”，此文件尚未加过密,因此无需解密!", kTitleCannotDecrypt)}},
        {"password given but none stored", Memory_sub, ":DNbody", "pw",
         {ok("密码错误!", kTitleCannotDecrypt),
          ok("密码错误!report.final.doc”，此文件不能解密!", kTitleCannotDecrypt)}},
        {"password needed", Memory_sub, protectedFile, "",
         {ok("解密report.final.doc此文件需要密码!", kTitleCannotDecrypt)}},
        {"wrong password", Memory_sub, protectedFile, "pX",
         {ok("report.final.doc文件的密码不正确,不能对此文件解密！")}},
        {"wrong password length", Memory_sub, protectedFile, "pwx",
         {ok("report.final.doc文件的密码不正确,不能对此文件解密！")}},
        {"password the header cannot hold", Memory_add, "plain", "a\xF2",
         {ok("密码中含有本工具无法保存的字符,请换一个密码后再加密!")}},
        {"content that would read as protected", Memory_add, "\x9Eplain", "",
         {ok("report.final.doc,此文件必须设置密码才能加密,请输入密码后再加密!")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(item, c.content);
        ui.shown.clear();
        EXPECT_EQ(run(c.action, c.password), ItemResult::Refused);
        EXPECT_EQ(ui.shown, c.messages);
        EXPECT_TRUE(noticeShown);
        EXPECT_EQ(readFile(item), c.content);
        EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"report.final.doc"});
    }
    EXPECT_EQ(ui.busyShown, 0);
}

TEST_F(MemoryCodec, EncryptingTwiceNeverDoubleEncrypts) {
    writeFile(item, "secret");
    ASSERT_EQ(run(Memory_add, "pw"), ItemResult::Done);
    const std::string once = readFile(item);
    EXPECT_EQ(run(Memory_add, "pw"), ItemResult::Refused);
    EXPECT_EQ(readFile(item), once);
}

TEST_F(MemoryCodec, AMissingFileIsAFailureNotARefusal) {
    EXPECT_EQ(run(Memory_add, "pw"), ItemResult::Failed);
    EXPECT_EQ(run(Memory_sub, "pw"), ItemResult::Failed);
    EXPECT_EQ(ui.shown, (std::vector<Shown>{ok("加密report.final时失败!"),
                                            ok("report.final.doc文件解密失败！")}));
    EXPECT_FALSE(noticeShown);
}

TEST_F(MemoryCodec, AReadOnlyFileIsNotRewritten) {
    writeFile(item, "plain");
    ASSERT_EQ(::chmod(item.c_str(), 0444), 0);
    EXPECT_EQ(run(Memory_add, "pw"), ItemResult::Failed);
    EXPECT_EQ(ui.shown, std::vector<Shown>{ok("加密report.final时失败!")});
    EXPECT_EQ(readFile(item), "plain");
}

// Runs an action as an ordinary user, so that permissions hold even for root,
// and returns the messages it showed, one "title|text" per line.
std::string runAsUser(ItemResult (*action)(ActionContext&), const std::string& path,
                      const std::string& password) {
    return test::runUnprivileged([&] {
        test::ScriptedUi ui;
        ActionContext ctx{ui, password, path};
        action(ctx);
        std::string out;
        for (const Shown& s : ui.shown) {
            out += s.title + "|" + s.text + "\n";
        }
        return out;
    });
}

TEST_F(MemoryCodec, UnreadableFileOrUnwritableFolderFailsAndChangesNothing) {
    const std::string encrypted = format::header("pw") + "x";
    struct Case {
        const char* what;
        ItemResult (*action)(ActionContext&);
        std::string content;
        mode_t fileMode;
        mode_t folderMode;
        std::string messages;
    };
    const Case cases[] = {
        {"encrypt, unreadable", Memory_add, "plain", 0200, 0700, "提示|加密report.final时失败!\n"},
        {"encrypt, read-only folder", Memory_add, "plain", 0600, 0500,
         "提示|加密report.final时失败!\n"},
        {"decrypt, unreadable", Memory_sub, encrypted, 0200, 0700,
         "提示|report.final.doc文件解密失败！\n"},
        {"decrypt, read-only folder", Memory_sub, encrypted, 0600, 0500,
         "提示|report.final.doc文件解密失败！\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(item, c.content);
        test::giveToUnprivileged(dir.path());
        ASSERT_EQ(::chmod(item.c_str(), c.fileMode), 0);
        ASSERT_EQ(::chmod(dir.path().c_str(), c.folderMode), 0);

        EXPECT_EQ(runAsUser(c.action, item, "pw"), c.messages);

        ASSERT_EQ(::chmod(dir.path().c_str(), 0700), 0);
        ASSERT_EQ(::chmod(item.c_str(), 0600), 0);
        EXPECT_EQ(readFile(item), c.content);
        EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"report.final.doc"});
    }
}

}  // namespace
}  // namespace zv
