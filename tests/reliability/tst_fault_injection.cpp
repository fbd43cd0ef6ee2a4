// Every file-system call an action makes is made to fail in turn: the first,
// then the second, and so on until the action runs through without meeting a
// fault. After every run the item must be recoverable, nothing may be left
// behind unannounced, and no failure may pass without a message. Each loop
// runs twice: with only the nth call failing, and with the nth and every later
// call failing (a disk that has gone bad, so that the clean-up fails too).
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <iostream>

#include "codec/memory_codec.h"
#include "codec/stream_codec.h"
#include "folderlock/folder_lock.h"
#include "platform/fault_injection.h"
#include "reliability_checks.h"
#include "support/file_helpers.h"
#include "support/temp_dir.h"

namespace zv {
namespace {

using test::ActionRun;
using test::Tree;

// A bound far beyond any action's call count, so that a loop that never ends
// fails instead of hanging.
constexpr std::int64_t kMaxCalls = 100'000;

struct Disarm {
    ~Disarm() { fault::disarm(); }
};

using Prepare = std::function<void(const test::TempDir&)>;
using Act = std::function<ActionRun(const test::TempDir&)>;
using Check = std::function<void(const test::TempDir&, const ActionRun&)>;

// Sets up a fresh folder, runs the action with the nth call failing and checks
// the outcome, for n = 1, 2, ... until a run meets no fault. Returns the runs.
std::int64_t loopFaults(bool persistent, const Prepare& prepare, const Act& act,
                        const Check& check) {
    Disarm disarm;
    for (std::int64_t n = 1; n <= kMaxCalls; ++n) {
        test::TempDir dir;
        prepare(dir);
        fault::failAt(n, persistent);
        const ActionRun run = act(dir);
        const bool fired = fault::fired();
        const std::string operation = fault::firstFailedOperation();
        fault::disarm();
        SCOPED_TRACE("call " + std::to_string(n) + " (" + operation + ")" +
                     (persistent ? " and all later ones" : "") + " failed");
        check(dir, run);
        if (!fired) {
            EXPECT_EQ(run.result, ItemResult::Done) << "no fault, yet no success";
            return n;
        }
        if (::testing::Test::HasFailure()) {
            return n;  // one broken run says enough
        }
    }
    ADD_FAILURE() << "the action never ran without a fault";
    return kMaxCalls;
}

void report(const char* what, std::int64_t single, std::int64_t persistent) {
    std::cout << "[ fault loop ] " << what << ": " << single << " runs failing one call, "
              << persistent << " runs failing every call from the nth on\n";
    ::testing::Test::RecordProperty(std::string(what) + "_runs",
                                    std::to_string(single + persistent));
}

class FaultInjection : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fault::kCompiledIn) {
            GTEST_SKIP() << "built without ZV_FAULT_INJECTION";
        }
    }
};

struct FileCase {
    const char* what;
    test::Action action;
    std::string before;
    std::string after;
};

// The content of `plain` after a clean run of `encoder` on it.
std::string encryptedOnce(test::Action encoder, const std::string& plain) {
    test::TempDir dir;
    test::writeFile(dir / "clip.avi", plain);
    const ActionRun run = test::runAction(encoder, dir / "clip.avi", "pw");
    EXPECT_EQ(run.result, ItemResult::Done);
    return test::readFile(dir / "clip.avi");
}

TEST_F(FaultInjection, FileActionsLoseNothing) {
    // Past the streaming codec's 512,000 transformed bytes, so that its block
    // copy runs too; sizes do not choose the codec here, the test does.
    const std::string small = "P" + test::randomBytes(4000, 1);
    const std::string large = "P" + test::randomBytes(700'000, 2);
    const std::string smallEncrypted = encryptedOnce(Memory_add, small);
    const std::string largeEncrypted = encryptedOnce(File_add, large);
    const FileCase cases[] = {
        {"Memory_add", Memory_add, small, smallEncrypted},
        {"Memory_sub", Memory_sub, smallEncrypted, small},
        {"File_add", File_add, large, largeEncrypted},
        {"File_sub", File_sub, largeEncrypted, large},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Prepare prepare = [&](const test::TempDir& dir) {
            test::writeFile(dir / "clip.avi", c.before);
        };
        const Act act = [&](const test::TempDir& dir) {
            return test::runAction(c.action, dir / "clip.avi", "pw");
        };
        const Check check = [&](const test::TempDir& dir, const ActionRun& run) {
            test::expectFileRecoverable(dir.path(), "clip.avi", c.before, c.after, run);
        };
        const std::int64_t single = loopFaults(false, prepare, act, check);
        const std::int64_t persistent = loopFaults(true, prepare, act, check);
        report(c.what, single, persistent);
    }
}

TEST_F(FaultInjection, LockAndUnlockLoseNothing) {
    const Tree content = test::sampleContent(3);
    const Tree plain = test::placed("secret", content);
    const Tree locked = test::lockedTree("secret", content, "pw");
    // After an unlock the vault stays, empty, for later locks in this folder.
    const Tree unlocked = test::merged(plain, {{"...", test::kFolder}});
    struct Case {
        const char* what;
        test::Action action;
        const char* item;
        Tree done;
        bool startLocked;
    };
    const Case cases[] = {
        {"lock", lockFolder, "secret", locked, false},
        {"unlock", unlockFolder, "secret.", unlocked, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Prepare prepare = [&](const test::TempDir& dir) {
            test::writeTree(dir.path(), plain);
            if (c.startLocked) {
                ASSERT_EQ(test::runAction(lockFolder, dir / "secret", "pw").result,
                          ItemResult::Done);
            }
        };
        const Act act = [&](const test::TempDir& dir) {
            return test::runAction(c.action, dir / c.item, "pw");
        };
        const Check check = [&](const test::TempDir& dir, const ActionRun& run) {
            test::expectFolderRecoverable(dir.path(), "secret", content, c.done, run);
        };
        const std::int64_t single = loopFaults(false, prepare, act, check);
        const std::int64_t persistent = loopFaults(true, prepare, act, check);
        report(c.what, single, persistent);
    }
}

}  // namespace
}  // namespace zv
