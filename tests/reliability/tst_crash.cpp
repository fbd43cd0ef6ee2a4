// The command line program is killed (SIGKILL) at random moments while it
// encrypts or decrypts a large and a small file and locks or unlocks a folder.
// Afterwards the item is complete (as it was, or fully transformed), or its
// content survives whole under the name the codec set it aside under.
//
// What the user finds after such a kill:
// - a large file: the file itself, as it was or fully transformed; or, when
//   the kill came while the new copy was written, the original content under
//   the aside name (base name + ".zv") beside a partial file or none. Also
//   after a complete run the aside copy can remain (killed before deleting it);
//   it then holds the original.
// - a small file: the file itself, as it was or fully transformed; possibly a
//   hidden ".zvtmp-XXXXXX" beside it holding the new content that was being
//   written (never the only copy of anything).
// - a folder: its content whole, in its place or in the vault "..."; on the way
//   an empty vault, preparation folder or decoy, the key file IniKey, or a
//   hidden ".zvtmp-XXXXXX" holding the key file being written, may remain.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <thread>

#include "reliability_checks.h"
#include "support/file_helpers.h"
#include "support/temp_dir.h"

namespace zv {
namespace {

using Clock = std::chrono::steady_clock;
using test::readFile;
using test::Tree;
using test::writeFile;

// Start the command line program with the given arguments, its input and
// output on /dev/null.
pid_t startCli(const std::vector<std::string>& args) {
    std::vector<std::string> argv{ZVCRYPT_CLI};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> raw;
    for (std::string& a : argv) {
        raw.push_back(a.data());
    }
    raw.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int rc = ::posix_spawn(&pid, raw[0], &actions, nullptr, raw.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

// Wait for the program; true when it ran to its end (rather than being killed).
bool finished(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status);
}

// Everything under a folder, as test::treeOf gives it, but reading each file
// in one go: the large files are read after every run, and a byte-wise read
// is slow in the sanitizer build.
Tree snapshot(const std::string& root) {
    Tree tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string rel = std::filesystem::relative(entry.path(), root).string();
        if (entry.is_directory()) {
            tree[rel] = test::kFolder;
            continue;
        }
        tree[rel] = test::contentOf(entry.path().string());
    }
    return tree;
}

void emptyFolder(const std::string& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::filesystem::remove_all(entry.path());
    }
}

struct Job {
    const char* what;
    std::string command;  // encrypt or decrypt
    std::string item;     // the name given to the program
    std::function<void(const std::string& folder)> setUp;
    std::function<std::string(const std::string& folder)> check;  // "" when the invariant holds
    std::chrono::microseconds duration{};                         // of an undisturbed run
    Tree untouched{};                                             // the folder before a run
    Tree done{};                                                  // and after one
};

// The invariant for a file item, after a kill; "" when it holds.
std::string checkFile(const std::string& folder, const std::string& name, const std::string& before,
                      const std::string& after) {
    const Tree tree = snapshot(folder);
    const std::string aside = name.substr(0, name.rfind('.')) + ".zv";
    const auto item = tree.find(name);
    const bool complete = item != tree.end() && (item->second == before || item->second == after);
    const auto kept = tree.find(aside);
    if (kept != tree.end() && kept->second != before) {
        return "the aside copy does not hold the original";
    }
    for (const auto& [entry, content] : tree) {
        const bool temporary = entry.rfind(".zvtmp-", 0) == 0;
        if (entry != name && entry != aside && !temporary) {
            return "unexpected entry " + entry;
        }
        if (temporary && !complete) {
            return "a temporary file beside a damaged item";
        }
    }
    if (!complete && kept == tree.end()) {
        return "the item is damaged and no aside copy holds it";
    }
    return {};
}

// The invariant for a folder item, after a kill; "" when it holds.
std::string checkFolder(const std::string& parent, const Tree& content) {
    const Tree tree = snapshot(parent);
    for (const std::string place : {"secret", ".../secret"}) {
        Tree inside;
        for (const auto& [rel, entry] : tree) {
            if (rel.rfind(place + "/", 0) == 0) {
                const std::string sub = rel.substr(place.size() + 1);
                if (sub != "IniKey" && sub.rfind(".zvtmp-", 0) != 0) {
                    inside[sub] = entry;
                }
            }
        }
        if (inside == content) {
            return {};
        }
    }
    return "the folder's content is nowhere whole";
}

TEST(Crash, AKilledRunLosesNothing) {
    test::TempDir work;
    const std::string folder = work / "items";
    std::filesystem::create_directory(folder);
    const std::string passwordFile = work / "pw";
    writeFile(passwordFile, "密码\n");

    // Over the 10 MiB limit, so that the streaming codec takes it, and small.
    const std::string large = "P" + test::randomBytes(12 * 1024 * 1024, 5);
    const std::string small = "P" + test::randomBytes(64 * 1024, 6);
    const Tree content = test::sampleContent(7);

    // The transformed contents, from undisturbed runs.
    const auto transformed = [&](const std::string& name, const std::string& plain) {
        emptyFolder(folder);
        writeFile(folder + "/" + name, plain);
        EXPECT_TRUE(finished(
            startCli({"encrypt", "--yes", "--password-file", passwordFile, folder + "/" + name})));
        return readFile(folder + "/" + name);
    };
    const std::string largeEncrypted = transformed("film.avi", large);
    const std::string smallEncrypted = transformed("note.txt", small);
    ASSERT_NE(largeEncrypted, large);
    ASSERT_NE(smallEncrypted, small);

    const auto fileJob = [&](const char* what, const char* command, const std::string& name,
                             const std::string& before, const std::string& after) {
        return Job{what, command, name,
                   [=](const std::string& f) { writeFile(f + "/" + name, before); },
                   [=](const std::string& f) { return checkFile(f, name, before, after); }};
    };
    std::vector<Job> jobs = {
        fileJob("encrypt a large file", "encrypt", "film.avi", large, largeEncrypted),
        fileJob("decrypt a large file", "decrypt", "film.avi", largeEncrypted, large),
        fileJob("encrypt a small file", "encrypt", "note.txt", small, smallEncrypted),
        fileJob("decrypt a small file", "decrypt", "note.txt", smallEncrypted, small),
        Job{"lock a folder", "encrypt", "secret",
            [&](const std::string& f) { test::writeTree(f, test::placed("secret", content)); },
            [&](const std::string& f) { return checkFolder(f, content); }},
        Job{"unlock a folder", "decrypt", "secret.",
            [&](const std::string& f) {
                test::writeTree(f, test::lockedTree("secret", content, "\xC3\xDC\xC2\xEB"));
            },
            [&](const std::string& f) { return checkFolder(f, content); }},
    };

    // How long each job takes undisturbed (the quickest of three runs); the
    // kills fall anywhere in that time.
    for (Job& job : jobs) {
        job.duration = std::chrono::microseconds::max();
        for (int i = 0; i < 3; ++i) {
            emptyFolder(folder);
            job.setUp(folder);
            job.untouched = snapshot(folder);
            const auto start = Clock::now();
            ASSERT_TRUE(finished(startCli(
                {job.command, "--yes", "--password-file", passwordFile, folder + "/" + job.item})));
            job.duration = std::min(
                job.duration,
                std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start));
            ASSERT_EQ(job.check(folder), "") << job.what << " (undisturbed)";
            job.done = snapshot(folder);
        }
    }

    std::mt19937 random(20240611);
    constexpr int kRunsPerJob = 25;
    std::map<std::string, int> killed;
    std::map<std::string, int> midway;  // killed with the item neither untouched nor done
    int runs = 0;
    for (int round = 0; round < kRunsPerJob; ++round) {
        for (const Job& job : jobs) {
            emptyFolder(folder);
            job.setUp(folder);
            std::uniform_int_distribution<long> delay(0, job.duration.count());
            const pid_t pid = startCli(
                {job.command, "--yes", "--password-file", passwordFile, folder + "/" + job.item});
            ASSERT_GT(pid, 0);
            std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
            ::kill(pid, SIGKILL);
            if (!finished(pid)) {
                ++killed[job.what];
                const Tree after = snapshot(folder);
                midway[job.what] += after != job.untouched && after != job.done;
            }
            ++runs;
            const std::string broken = job.check(folder);
            ASSERT_EQ(broken, "") << job.what << ", run " << round << ": " << broken;
        }
    }
    for (const Job& job : jobs) {
        std::cout << "[ kills ] " << job.what << ": " << killed[job.what] << " of " << kRunsPerJob
                  << " runs killed, " << midway[job.what] << " of them half way (undisturbed run "
                  << job.duration.count() / 1000 << " ms)\n";
    }
    std::cout << "[ kills ] " << runs << " runs in all\n";
}

}  // namespace
}  // namespace zv
