// A disk without room for an item's new copy: the codecs refuse before they
// touch the item. A write that fails part way, as on a disk that fills up
// during the run: the item stays as it was and nothing is left beside it.
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "codec/format.h"
#include "codec/memory_codec.h"
#include "codec/stream_codec.h"
#include "platform/fault_injection.h"
#include "reliability_checks.h"
#include "support/file_helpers.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace zv {
namespace {

using test::ActionRun;
using test::ok;
using test::readFile;
using test::Shown;
using test::writeFile;

struct Case {
    const char* what;
    test::Action action;
    bool decrypts;
};
const Case kCases[] = {
    {"Memory_add", Memory_add, false},
    {"Memory_sub", Memory_sub, true},
    {"File_add", File_add, false},
    {"File_sub", File_sub, true},
};

const std::string kPlain = "P" + test::randomBytes(700'000, 4);
const std::string kEncrypted = format::header("pw") + [] {
    std::string body = kPlain;
    format::encodeBytes(body.data(), body.data(), 512'000, format::contentKey("pw"));
    return body;
}();
// Memory_sub expects its own, longer prefix; a file it cannot decode would be
// refused before the check, so it gets one the in-memory encoder wrote.
const std::string kMemoryEncrypted = format::header("pw") + [] {
    std::string body = kPlain;
    format::encodeBytes(body.data(), body.data(), body.size(), format::contentKey("pw"));
    return body;
}();

const std::string& contentFor(const Case& c) {
    if (!c.decrypts) {
        return kPlain;
    }
    return c.action == Memory_sub ? kMemoryEncrypted : kEncrypted;
}

std::int64_t newCopySize(const Case& c) {
    const auto header = static_cast<std::int64_t>(format::header("pw").size());
    const auto size = static_cast<std::int64_t>(contentFor(c).size());
    return c.decrypts ? size - header : size + header;
}

Shown noRoomMessage(const Case& c) {
    return ok(std::string("clip.avi,所在磁盘的剩余空间不足(需要约1MB),不能") +
              (c.decrypts ? "解密此文件!请先腾出空间再解密。" : "加密此文件!请先腾出空间再加密。"));
}

struct Unpretend {
    ~Unpretend() { fault::pretendFreeSpace(-1); }
};

TEST(FullDisk, AnItemWhoseNewCopyDoesNotFitIsNotTouched) {
    if (!fault::kCompiledIn) {
        GTEST_SKIP() << "built without ZV_FAULT_INJECTION";
    }
    Unpretend unpretend;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        writeFile(dir / "clip.avi", contentFor(c));

        fault::pretendFreeSpace(newCopySize(c) - 1);
        const ActionRun refused = test::runAction(c.action, dir / "clip.avi", "pw");
        EXPECT_EQ(refused.result, ItemResult::Refused);
        EXPECT_EQ(refused.shown, std::vector<Shown>{noRoomMessage(c)});
        EXPECT_TRUE(refused.noticeShown);
        EXPECT_TRUE(readFile(dir / "clip.avi") == contentFor(c));
        EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"clip.avi"});

        // Exactly enough room is enough.
        fault::pretendFreeSpace(newCopySize(c));
        EXPECT_EQ(test::runAction(c.action, dir / "clip.avi", "pw").result, ItemResult::Done);
    }
}

// Runs fn in a child with a private mount table and a 1 MiB memory file system
// at `mountPoint`; returns what fn returned, or "no mount" where the system
// does not let this process mount (not root, or in a container that forbids it).
std::string onSmallDisk(const std::string& mountPoint, const std::function<std::string()>& fn) {
    try {
        return test::runInChild([&] {
            if (::unshare(CLONE_NEWNS) == 0 &&
                ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                ::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=1m,mode=0700") == 0) {
                return fn();
            }
            return std::string("no mount");
        });
    } catch (const std::runtime_error&) {
        return "child failed";
    }
}

TEST(FullDisk, ARealSmallDiskRefusesWhatDoesNotFit) {
    test::TempDir dir;
    const Case& encrypt = kCases[0];
    const Case& decrypt = kCases[1];
    // 700,000 bytes on a 1 MiB disk: no room for a second copy of them; a
    // 100,000-byte file beside them still fits.
    const std::string out = onSmallDisk(dir.path(), [&] {
        const std::string big = dir / "clip.avi";
        const std::string small = dir / "note.txt";
        std::string result;
        try {
            writeFile(big, kPlain);
            writeFile(small, kPlain.substr(0, 100'000));
            const ActionRun run = test::runAction(encrypt.action, big, "pw");
            result += run.shown == std::vector<Shown>{noRoomMessage(encrypt)} ? "refused "
                                                                              : "NOT refused ";
            result += readFile(big) == kPlain ? "intact " : "DAMAGED ";
            const ActionRun fits = test::runAction(encrypt.action, small, "pw");
            result += fits.result == ItemResult::Done ? "small done " : "small NOT done ";
            writeFile(big, kMemoryEncrypted);
            const ActionRun back = test::runAction(decrypt.action, big, "pw");
            result += back.shown == std::vector<Shown>{noRoomMessage(decrypt)} ? "refused "
                                                                               : "NOT refused ";
            result += readFile(big) == kMemoryEncrypted ? "intact" : "DAMAGED";
            result +=
                test::listFolder(dir.path()) == std::vector<std::string>{"clip.avi", "note.txt"}
                    ? ""
                    : " LEFTOVERS";
        } catch (const std::exception& e) {
            result = std::string("exception: ") + e.what();
        }
        return result;
    });
    if (out == "no mount") {
        GTEST_SKIP() << "cannot mount a small file system here";
    }
    EXPECT_EQ(out, "refused intact small done refused intact");
}

// The file size limit makes every write past `limit` bytes fail, as a disk
// that fills up while the new copy is written.
std::string runWithFileSizeLimit(const Case& c, const std::string& path, rlim_t limit) {
    return test::runUnprivileged([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit fsize{limit, limit};
        if (::setrlimit(RLIMIT_FSIZE, &fsize) != 0) {
            return std::string("setrlimit failed");
        }
        const ActionRun run = test::runAction(c.action, path, "pw");
        std::string out = run.result == ItemResult::Failed ? "failed" : "NOT failed";
        for (const Shown& s : run.shown) {
            out += "|" + s.text;
        }
        return out;
    });
}

TEST(FullDisk, AWriteThatFailsPartWayLeavesTheItemIntact) {
    const std::string failText[] = {"加密clip时失败!", "clip.avi文件解密失败！", "加密clip时失败!",
                                    "解密clip.avi失败！！"};
    // Offsets in the header, in the transformed prefix, at its end, in the
    // block copy, and one byte short of the whole.
    const rlim_t limits[] = {0, 1, 3, 6, 4096, 511'999, 512'007, 650'000, 699'999};
    int runs = 0;
    for (std::size_t i = 0; i < std::size(kCases); ++i) {
        const Case& c = kCases[i];
        for (const rlim_t limit : limits) {
            SCOPED_TRACE(std::string(c.what) + " limited to " + std::to_string(limit) + " bytes");
            test::TempDir dir;
            writeFile(dir / "clip.avi", contentFor(c));
            test::giveToUnprivileged(dir.path());
            EXPECT_EQ(runWithFileSizeLimit(c, dir / "clip.avi", limit), "failed|" + failText[i]);
            EXPECT_TRUE(readFile(dir / "clip.avi") == contentFor(c));
            EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"clip.avi"});
            ++runs;
        }
    }
    std::cout << "[ file size limit ] " << runs << " runs\n";
}

}  // namespace
}  // namespace zv
