#include <gtest/gtest.h>

#include "codec/codec_messages.h"
#include "codec/format.h"
#include "codec/memory_codec.h"
#include "codec/stream_codec.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "support/file_helpers.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "win_files.h"

namespace zv {
namespace {

using test::listFolder;
using test::ok;
using test::readFile;
using test::writeFile;

using Action = ItemResult (*)(ActionContext&);

struct Codec {
    const char* name;
    Action encrypt;
    Action decrypt;
    std::int64_t prefix;
};
const Codec kCodecs[] = {
    {"in memory", Memory_add, Memory_sub, 1'200'000},
    {"streaming", File_add, File_sub, 512'000},
};

// The encrypted form, computed here byte by byte, independently of the codecs.
std::string expectedEncryption(const std::string& plain, const std::string& password,
                               std::int64_t prefix) {
    std::string out = format::header(password);
    const std::uint8_t key = format::contentKey(password);
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const bool inPrefix = static_cast<std::int64_t>(i) < prefix;
        out += static_cast<char>(inPrefix ? static_cast<std::uint8_t>(plain[i] + key) : plain[i]);
    }
    return out;
}

class WinCodecs : public ::testing::Test {
  protected:
    ItemResult run(Action action, const std::string& password, const std::string& item) {
        ActionContext ctx{ui, password, item};
        return action(ctx);
    }

    test::TempDir dir;
    test::ScriptedUi ui;
};

TEST_F(WinCodecs, RoundTripOnWindowsPathsWithChineseNamesAndPasswords) {
    const std::string longFolder = dir / std::string(150, 'l') + "\\" + std::string(150, 'm');
    ASSERT_TRUE(fs::makeDirectories(longFolder));
    const std::string items[] = {dir / "film.final.avi", dir / "中文名字.文档", dir / "secret.",
                                 longFolder + "\\past 260 characters.bin"};
    const std::string passwords[] = {"", "pw", *utf8ToCp936("密码")};
    std::uint32_t seed = 1;
    for (const Codec& codec : kCodecs) {
        for (const std::string& item : items) {
            for (const std::string& password : passwords) {
                SCOPED_TRACE(std::string(codec.name) + " " + item + " '" + password + "'");
                std::string plain = test::randomBytes(codec.prefix + 1000, seed++);
                plain[0] = 'P';  // neither ":DN" nor a byte that would read as a marker
                writeFile(item, plain);
                ASSERT_EQ(run(codec.encrypt, password, item), ItemResult::Done);
                EXPECT_TRUE(readFile(item) == expectedEncryption(plain, password, codec.prefix));
                ASSERT_EQ(run(codec.decrypt, password, item), ItemResult::Done);
                EXPECT_TRUE(readFile(item) == plain);
                EXPECT_TRUE(ui.shown.empty());
            }
        }
    }
    // No aside copy or temporary file is left anywhere.
    EXPECT_EQ(listFolder(dir.path()),
              (std::vector<std::string>{"film.final.avi", std::string(150, 'l'), "secret.",
                                        "中文名字.文档"}));
    EXPECT_EQ(listFolder(longFolder), std::vector<std::string>{"past 260 characters.bin"});
}

TEST_F(WinCodecs, StreamingRefusalsPutTheFileBackUnderItsOwnName) {
    const std::string item = dir / "film.avi";
    writeFile(item, "Plain content");
    ASSERT_EQ(run(File_add, "pw", item), ItemResult::Done);
    const std::string encrypted = readFile(item);
    struct Case {
        const char* password;
        test::Shown message;
    };
    const Case cases[] = {
        {"", ok(msg::passwordNeeded("film.avi"), kTitleCannotDecrypt)},
        {"pW", ok(msg::wrongPassword("film.avi"))},
        {"pww", ok(msg::wrongPassword("film.avi"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.password);
        ui.shown.clear();
        EXPECT_EQ(run(File_sub, c.password, item), ItemResult::Refused);
        EXPECT_EQ(ui.shown, std::vector<test::Shown>{c.message});
        EXPECT_TRUE(readFile(item) == encrypted);
        EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"film.avi"});
    }
}

// Either codec must leave a file it cannot rewrite exactly as it was.
TEST_F(WinCodecs, FilesThatCannotBeRewrittenStayAsTheyWere) {
    const std::string item = dir / "clip.avi";
    for (const Codec& codec : kCodecs) {
        SCOPED_TRACE(codec.name);
        writeFile(item, "Plain content");
        test::changeAttributes(item, FILE_ATTRIBUTE_READONLY, 0);
        EXPECT_EQ(run(codec.encrypt, "pw", item), ItemResult::Failed);
        test::changeAttributes(item, 0, FILE_ATTRIBUTE_READONLY);
        {
            // In use by a program that lets others read but not write or rename.
            const test::HeldOpen other(item, GENERIC_READ, FILE_SHARE_READ);
            EXPECT_EQ(run(codec.encrypt, "pw", item), ItemResult::Failed);
        }
        EXPECT_EQ(readFile(item), "Plain content");
        EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"clip.avi"});
        EXPECT_EQ(ui.shown, std::vector<test::Shown>(2, ok(msg::encryptFailed("clip"))));
        ui.shown.clear();
    }
}

// The aside name of "clip.ZV" is the item itself as Windows compares names.
TEST_F(WinCodecs, AnItemWhoseAsideNameIsItselfIsRefusedUntouched) {
    for (const char* name : {"clip.zv", "clip.ZV"}) {
        SCOPED_TRACE(name);
        const std::string item = dir / name;
        writeFile(item, "Plain content");
        ui.shown.clear();
        EXPECT_EQ(run(File_add, "pw", item), ItemResult::Failed);
        EXPECT_EQ(ui.shown, std::vector<test::Shown>{ok(msg::encryptFailed("clip"))});
        EXPECT_EQ(readFile(item), "Plain content");
        EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{name});
        ASSERT_TRUE(fs::removeFile(item));
    }
}

}  // namespace
}  // namespace zv
