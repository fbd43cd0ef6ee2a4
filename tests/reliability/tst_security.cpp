// Temporary files are the owner's alone and never reached through a link;
// passwords are wiped from memory after use.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "codec/memory_codec.h"
#include "codec/stream_codec.h"
#include "folderlock/folder_lock.h"
#include "platform/fault_injection.h"
#include "platform/secure_wipe.h"
#include "reliability_checks.h"
#include "support/file_helpers.h"
#include "support/temp_dir.h"

namespace zv {
namespace {

using test::readFile;
using test::writeFile;

TEST(Security, WipeZeroesTheWholeBuffer) {
    std::string password = "a password long enough to live on the heap";
    password.reserve(200);
    const char* buffer = password.data();
    const std::size_t capacity = password.capacity();
    wipe(password);
    EXPECT_TRUE(password.empty());
    // The buffer is still the string's own: nothing was given back yet.
    ASSERT_EQ(password.data(), buffer);
    EXPECT_EQ(std::string(buffer, capacity), std::string(capacity, '\0'));
}

class WhileWriting : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fault::kCompiledIn) {
            GTEST_SKIP() << "built without ZV_FAULT_INJECTION";
        }
    }
    void TearDown() override { fault::observe({}); }

    // Every file in `folder` whose name starts with `prefix`, as it is at each
    // write the action makes: "mode links kind" per file.
    std::vector<std::string> seenAtWrites(const std::string& folder, const std::string& prefix,
                                          const std::function<void()>& action) {
        std::vector<std::string> seen;
        fault::observe([&](const char* operation) {
            if (std::string_view(operation) != "write") {
                return;
            }
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                const std::string name = entry.path().filename().string();
                struct stat st {};
                if (name.rfind(prefix, 0) == 0 && ::lstat(entry.path().c_str(), &st) == 0) {
                    char text[64];
                    std::snprintf(text, sizeof text, "%o %d %s", st.st_mode & 07777,
                                  static_cast<int>(st.st_nlink),
                                  S_ISREG(st.st_mode) ? "file" : "other");
                    seen.push_back(text);
                }
            }
        });
        action();
        fault::observe({});
        return seen;
    }
};

TEST_F(WhileWriting, TemporaryAndNewFilesAreTheOwnersAlone) {
    test::TempDir dir;
    writeFile(dir / "note.txt", "Plain text for everyone");
    ASSERT_EQ(::chmod((dir / "note.txt").c_str(), 0644), 0);
    // The in-memory codec writes a temporary file beside the item.
    const auto memory = seenAtWrites(dir.path(), ".zvtmp-", [&] {
        EXPECT_EQ(test::runAction(Memory_add, dir / "note.txt", "pw").result, ItemResult::Done);
    });
    ASSERT_FALSE(memory.empty());
    for (const std::string& s : memory) {
        EXPECT_EQ(s, "600 1 file");
    }
    // The item keeps its own permissions once done.
    struct stat st {};
    ASSERT_EQ(::stat((dir / "note.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);

    // The streaming codec writes the new file under the item's own name.
    const auto stream = seenAtWrites(dir.path(), "note.txt", [&] {
        EXPECT_EQ(test::runAction(File_sub, dir / "note.txt", "pw").result, ItemResult::Done);
    });
    ASSERT_FALSE(stream.empty());
    for (const std::string& s : stream) {
        EXPECT_EQ(s, "600 1 file");
    }

    // The key file, which holds the password in plain text.
    test::writeTree(dir.path(), test::placed("secret", test::sampleContent(1)));
    const auto key = seenAtWrites(dir / "secret", ".zvtmp-", [&] {
        EXPECT_EQ(test::runAction(lockFolder, dir / "secret", "pw").result, ItemResult::Done);
    });
    ASSERT_FALSE(key.empty());
    for (const std::string& s : key) {
        EXPECT_EQ(s, "600 1 file");
    }
    ASSERT_EQ(::stat((dir / ".../secret/IniKey").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
}

TEST_F(WhileWriting, ALinkPlantedWhereTheNewFileGoesIsNotFollowed) {
    test::TempDir dir;
    test::TempDir elsewhere;
    const std::string victim = elsewhere / "victim";
    writeFile(victim, "must stay as it is");
    const std::string plain = "P" + test::randomBytes(100'000, 1);
    writeFile(dir / "film.avi", plain);
    // Once the item is set aside, someone puts a link under its name.
    bool planted = false;
    fault::observe([&](const char* operation) {
        if (!planted && std::string_view(operation) == "create") {
            planted = ::symlink(victim.c_str(), (dir / "film.avi").c_str()) == 0;
        }
    });
    const test::ActionRun run = test::runAction(File_add, dir / "film.avi", "pw");
    fault::observe({});
    ASSERT_TRUE(planted);
    EXPECT_EQ(readFile(victim), "must stay as it is");
    EXPECT_EQ(run.result, ItemResult::Failed);
    // The link is in the way back: the message says where the content is.
    EXPECT_TRUE(readFile(dir / "film.zv") == plain);
    EXPECT_TRUE(test::announced(run.shown, dir / "film.zv"));
}

}  // namespace
}  // namespace zv
