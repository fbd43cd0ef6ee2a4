#include <gtest/gtest.h>

#include "batch/batch.h"
#include "codec/format.h"
#include "platform/file_system.h"
#include "platform/vault_names.h"
#include "support/file_helpers.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zv {
namespace {

using test::ok;
using test::question;
using test::readFile;
using test::Shown;
using test::writeFile;

constexpr std::int64_t kLimit = 10'485'760;

// Content whose every byte differs from its neighbours, so that any byte
// transformed or left alone by the wrong codec shows.
std::string pattern(std::int64_t size) {
    std::string s(static_cast<std::size_t>(size), '\0');
    for (std::size_t i = 0; i < s.size(); ++i) {
        s[i] = static_cast<char>((i * 7 + 1) % 251);
    }
    return s;
}

class Batch : public ::testing::Test {
  protected:
    BatchOutcome encrypt(std::vector<std::string> items, std::string password,
                         std::string password2, std::string lastPick = "pick") {
        return ImagADDClick(
            ui, {std::move(items), std::move(password), std::move(password2), std::move(lastPick)});
    }
    BatchOutcome decrypt(std::vector<std::string> items, std::string password) {
        return ImageUbbClick(ui, {std::move(items), std::move(password), {}, {}});
    }

    test::TempDir dir;
    test::ScriptedUi ui;
};

TEST_F(Batch, EarlyEndsTouchNothingAndResetNothing) {
    const std::string file = dir / "a.txt";
    writeFile(file, "plain");
    struct Case {
        const char* what;
        bool encrypting;
        std::vector<std::string> items;
        std::string password, password2;
        std::vector<Answer> answers;
        std::vector<Shown> messages;
        BatchFocus focus;
    };
    const Case cases[] = {
        {"nothing to encrypt",
         true,
         {},
         "pw",
         "pw",
         {},
         {ok("请先加入要加密的文件或文件夹！")},
         BatchFocus::None},
        {"nothing to decrypt",
         false,
         {},
         "pw",
         "",
         {},
         {ok("请先加入要解密的文件或文件夹！")},
         BatchFocus::None},
        {"no password, not wanted",
         true,
         {file},
         "",
         "",
         {Answer::No},
         {question("确实不需加密密码吗？")},
         BatchFocus::EditPass},
        {"passwords differ",
         true,
         {file},
         "pw",
         "pW",
         {},
         {ok("两次输入的密码不相同！")},
         BatchFocus::EditPass2},
        {"encryption not confirmed",
         true,
         {file},
         "pw",
         "pw",
         {Answer::No},
         {question("真的要对pick加密吗？")},
         BatchFocus::None},
        {"decryption not confirmed",
         false,
         {file},
         "pw",
         "",
         {Answer::No},
         {question("真的要进行解密吗？")},
         BatchFocus::None},
        {"password without a CP936 form",
         true,
         {file},
         "\xF0\x9F\x94\x92",
         "\xF0\x9F\x94\x92",
         {},
         {ok("密码中含有无法使用的字符(控制字符或中文编码以外的字符),请重新输入密码!")},
         BatchFocus::EditPass},
        {"control character in the password",
         false,
         {file},
         "a\tb",
         "",
         {},
         {ok("密码中含有无法使用的字符(控制字符或中文编码以外的字符),请重新输入密码!")},
         BatchFocus::EditPass},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui = test::ScriptedUi({c.answers.begin(), c.answers.end()});
        const BatchOutcome outcome =
            c.encrypting ? encrypt(c.items, c.password, c.password2) : decrypt(c.items, c.password);
        EXPECT_EQ(ui.shown, c.messages);
        EXPECT_FALSE(outcome.reset);
        EXPECT_EQ(outcome.focus, c.focus);
        EXPECT_TRUE(outcome.results.empty());
        EXPECT_EQ(readFile(file), "plain");
        EXPECT_EQ(ui.busyHidden, 0);
    }
}

TEST_F(Batch, DroppedItemsGiveAnEmptyNameInTheConfirmation) {
    writeFile(dir / "a.txt", "plain");
    ui.answer(Answer::No);
    encrypt({dir / "a.txt"}, "pw", "pw", "");
    EXPECT_EQ(ui.shown, std::vector<Shown>{question("真的要对加密吗？")});
}

TEST_F(Batch, EmptyPasswordWithAConfirmationStillEncryptsWithoutPassword) {
    const std::string file = dir / "a.txt";
    writeFile(file, "plain");
    ui = test::ScriptedUi({Answer::Yes, Answer::Yes});
    const BatchOutcome outcome = encrypt({file}, "", "typed only here");
    EXPECT_EQ(ui.shown, (std::vector<Shown>{question("确实不需加密密码吗？"),
                                            question("真的要对pick加密吗？"), ok("加密完毕!")}));
    EXPECT_TRUE(outcome.reset);
    EXPECT_EQ(readFile(file).substr(0, 4), ":DN" + std::string(1, static_cast<char>('p' + 0x6D)));
}

// Files written by one codec must be read back by the same one: the encryption
// dispatch is by plain size, the decryption dispatch by plain size plus header.
TEST_F(Batch, EachFileGoesToTheCodecOfItsSizeAndComesBack) {
    struct Case {
        std::int64_t size;
        std::string password;
        std::int64_t transformedPrefix;
    };
    const Case cases[] = {
        {kLimit, "", 1'200'000},
        {kLimit + 1, "", 512'000},
        {kLimit, "pass", 1'200'000},
        {kLimit + 1, "pass", 512'000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.size) + " '" + c.password + "'");
        const std::string file = dir / "big.bin";
        const std::string plain = pattern(c.size);
        writeFile(file, plain);
        ui = test::ScriptedUi({Answer::Yes, Answer::Yes});
        if (c.password.empty()) {
            ui.answer(Answer::Yes);
        }
        EXPECT_TRUE(encrypt({file}, c.password, c.password).reset);

        const std::string encrypted = readFile(file);
        const std::string head = format::header(c.password);
        ASSERT_EQ(static_cast<std::int64_t>(encrypted.size()),
                  c.size + static_cast<std::int64_t>(head.size()));
        const auto key = format::contentKey(c.password);
        const auto p = static_cast<std::size_t>(c.transformedPrefix);
        // The last transformed byte and the first one left alone tell the codecs apart.
        EXPECT_EQ(static_cast<std::uint8_t>(encrypted[head.size() + p - 1]),
                  static_cast<std::uint8_t>(plain[p - 1] + key));
        EXPECT_EQ(encrypted[head.size() + p], plain[p]);

        EXPECT_TRUE(decrypt({file}, c.password).reset);
        EXPECT_TRUE(readFile(file) == plain);
        EXPECT_EQ(ui.shown.back(), ok("解密完毕!"));
    }
}

TEST_F(Batch, AOneItemRefusalEndsWithoutTheCompletionMessage) {
    const std::string file = dir / "a.txt";
    writeFile(file, ":DN already");
    ui = test::ScriptedUi({Answer::Yes});
    BatchOutcome outcome = encrypt({file}, "pw", "pw");
    EXPECT_EQ(ui.shown, (std::vector<Shown>{question("真的要对pick加密吗？"),
                                            ok("a.txt,此文件已经加过密了!")}));
    EXPECT_TRUE(outcome.reset);
    EXPECT_EQ(outcome.results, std::vector<ItemResult>{ItemResult::Refused});

    writeFile(file, "never encrypted");
    ui = test::ScriptedUi({Answer::Yes});
    outcome = decrypt({file}, "");
    EXPECT_EQ(ui.shown, (std::vector<Shown>{
                            question("真的要进行解密吗？"),
                            ok("“a.txt”，此文件尚未加过密,因此无需解密!", kTitleCannotDecrypt)}));
    EXPECT_TRUE(outcome.reset);
}

TEST_F(Batch, TheSameFileTwiceIsRefusedTheSecondTimeAndTheBatchCompletes) {
    const std::string file = dir / "a.txt";
    writeFile(file, "plain");
    ui = test::ScriptedUi({Answer::Yes});
    const BatchOutcome outcome = encrypt({file, file}, "pw", "pw");
    EXPECT_EQ(ui.shown, (std::vector<Shown>{question("真的要对pick加密吗？"),
                                            ok("a.txt,此文件已经加过密了!"), ok("加密完毕!")}));
    EXPECT_EQ(outcome.results, (std::vector<ItemResult>{ItemResult::Done, ItemResult::Refused}));
    EXPECT_EQ(ui.busyHidden, 1);
}

TEST_F(Batch, NoToTheStreamingQuestionStopsTheRest) {
    const std::string big = dir / "big.bin";
    const std::string small = dir / "small.txt";
    const std::string bigContent = ":DN" + pattern(kLimit);
    writeFile(big, bigContent);
    writeFile(small, "plain");
    ui = test::ScriptedUi({Answer::Yes, Answer::No});
    const BatchOutcome outcome = encrypt({big, small}, "pw", "pw");
    EXPECT_EQ(ui.shown,
              (std::vector<Shown>{question("真的要对pick加密吗？"),
                                  question("big.bin,此文件已经加过密了,继续加密其它文件吗?"),
                                  ok("加密完毕!")}));
    EXPECT_EQ(outcome.results, std::vector<ItemResult>{ItemResult::StopBatch});
    EXPECT_TRUE(outcome.reset);
    EXPECT_TRUE(readFile(big) == bigContent);
    EXPECT_EQ(readFile(small), "plain");
}

TEST_F(Batch, AWrongPasswordLeavesTheFileAndStillResets) {
    const std::string file = dir / "a.txt";
    writeFile(file, "plain");
    ui = test::ScriptedUi({Answer::Yes, Answer::Yes});
    encrypt({file}, "right", "right");
    const std::string encrypted = readFile(file);
    const BatchOutcome outcome = decrypt({file}, "wrong");
    EXPECT_EQ(ui.shown.back(), ok("a.txt文件的密码不正确,不能对此文件解密！"));
    EXPECT_TRUE(outcome.reset);
    EXPECT_EQ(readFile(file), encrypted);
}

TEST_F(Batch, FilesAndFoldersMixInOneList) {
    const std::string file = dir / "a.txt";
    const std::string folder = dir / "secret";
    writeFile(file, "plain");
    ASSERT_TRUE(fs::makeDirectories(folder));
    writeFile(folder + "/inside.txt", "inside");

    ui = test::ScriptedUi({Answer::Yes});
    BatchOutcome outcome = encrypt({file, folder}, "pw", "pw");
    EXPECT_EQ(outcome.results, (std::vector<ItemResult>{ItemResult::Done, ItemResult::Done}));
    EXPECT_EQ(readFile(file).substr(0, 3), ":DN");
    const std::string decoy = vault::decoyPath(folder);
    EXPECT_TRUE(fs::isDirectory(decoy));
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(readFile(vault::vaultPath(dir.path()) + "/secret/inside.txt"), "inside");

    ui = test::ScriptedUi({Answer::Yes});
    outcome = decrypt({decoy, file}, "pw");
    EXPECT_EQ(outcome.results, (std::vector<ItemResult>{ItemResult::Done, ItemResult::Done}));
    EXPECT_EQ(ui.shown.back(), ok("解密完毕!"));
    EXPECT_EQ(readFile(file), "plain");
    EXPECT_EQ(readFile(folder + "/inside.txt"), "inside");
    EXPECT_FALSE(fs::exists(decoy));
}

}  // namespace
}  // namespace zv
