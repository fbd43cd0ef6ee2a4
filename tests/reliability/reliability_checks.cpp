#include "reliability_checks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/key_file.h"
#include "support/file_helpers.h"

namespace zv::test {

ActionRun runAction(Action action, const std::string& path, const std::string& password) {
    ScriptedUi ui;
    ActionContext ctx{ui, password, path};
    ActionRun run;
    run.result = action(ctx);
    run.shown = ui.shown;
    run.noticeShown = ctx.NoticeShown;
    return run;
}

std::string contentOf(const std::string& path) {
    std::string bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0) {
        bytes.resize(static_cast<std::size_t>(st.st_size));
        std::size_t have = 0;
        while (have < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + have, bytes.size() - have);
            if (n <= 0) {
                break;
            }
            have += static_cast<std::size_t>(n);
        }
        bytes.resize(have == bytes.size() ? have : 0);
        if (have != bytes.size()) {
            bytes = "<unreadable>";
        }
    } else {
        bytes = "<unreadable>";
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return bytes;
}

bool announced(const std::vector<Shown>& shown, const std::string& path) {
    return std::any_of(shown.begin(), shown.end(),
                       [&](const Shown& s) { return s.text.find(path) != std::string::npos; });
}

void expectFileRecoverable(const std::string& folder, const std::string& itemName,
                           const std::string& before, const std::string& after,
                           const ActionRun& run) {
    const Tree tree = treeOf(folder);
    const auto item = tree.find(itemName);
    const std::string aside = itemName.substr(0, itemName.rfind('.')) + ".zv";
    for (const auto& [name, content] : tree) {
        if (name == itemName) {
            continue;
        }
        EXPECT_TRUE(announced(run.shown, folder + "/" + name)) << "left unannounced: " << name;
        if (name == aside) {
            EXPECT_TRUE(content == before) << "the aside copy lost the original";
        }
    }
    if (run.result == ItemResult::Done) {
        ASSERT_NE(item, tree.end()) << "success, but the item is gone";
        EXPECT_TRUE(item->second == after) << "success, but the item is not transformed";
        return;
    }
    EXPECT_FALSE(run.shown.empty()) << "a failure without a message";
    if (item == tree.end() || item->second != before) {
        const auto kept = tree.find(aside);
        EXPECT_TRUE(kept != tree.end() && kept->second == before &&
                    announced(run.shown, folder + "/" + aside))
            << "the item is damaged and no message says where its content is";
    }
}

Tree lockedTree(const std::string& name, const Tree& content, const std::string& password) {
    return merged(placed("...", placed(name, merged(content, {{std::string(keyfile::kFileName),
                                                               keyfile::render(password)}}))),
                  {{name + ".", kFolder}});
}

namespace {

// The entries under prefix/, relative to it; nullopt when prefix is no folder.
std::optional<Tree> subtree(const Tree& tree, const std::string& prefix) {
    const auto top = tree.find(prefix);
    if (top == tree.end() || top->second != kFolder) {
        return std::nullopt;
    }
    Tree out;
    for (const auto& [rel, content] : tree) {
        if (rel.rfind(prefix + "/", 0) == 0) {
            out[rel.substr(prefix.size() + 1)] = content;
        }
    }
    return out;
}

std::string describe(const Tree& tree) {
    std::string out;
    for (const auto& [rel, content] : tree) {
        out += "  " + rel +
               (content == kFolder ? "/" : " (" + std::to_string(content.size()) + " bytes)") +
               "\n";
    }
    return out;
}

bool isEmptyFolder(const Tree& tree, const std::string& rel) {
    const std::optional<Tree> inside = subtree(tree, rel);
    return inside && inside->empty();
}

}  // namespace

void expectFolderRecoverable(const std::string& parent, const std::string& name,
                             const Tree& content, const Tree& done, const ActionRun& run) {
    const Tree tree = treeOf(parent);
    if (run.result == ItemResult::Done && tree == done) {
        return;
    }
    if (run.result != ItemResult::Done) {
        EXPECT_FALSE(run.shown.empty()) << "a failure without a message";
    }
    // The content, whole, in its place or in the vault. In the vault its key
    // file belongs to it; any other file beside it must be named in a message.
    const std::string vaulted = ".../" + name;
    const std::string places[] = {name, vaulted};
    std::string home;
    for (const std::string& place : places) {
        std::optional<Tree> inside = subtree(tree, place);
        if (!inside) {
            continue;
        }
        for (auto it = inside->begin(); it != inside->end();) {
            const bool ownKeyFile = place == vaulted && it->first == keyfile::kFileName;
            if (content.count(it->first) == 0) {
                EXPECT_TRUE(ownKeyFile ||
                            announced(run.shown, parent + "/" + place + "/" + it->first))
                    << "left unannounced: " << place << "/" << it->first;
                it = inside->erase(it);
            } else {
                ++it;
            }
        }
        if (*inside == content) {
            home = place;
        }
    }
    ASSERT_FALSE(home.empty()) << "the folder's content is nowhere whole:\n" << describe(tree);
    // Anything else may only be an empty folder the lock makes on its way.
    for (const auto& [rel, entry] : tree) {
        const bool inHome = rel == home || rel.rfind(home + "/", 0) == 0;
        const bool wayPoint = (rel == "..." || rel == name + "zv97" || rel == name + ".") &&
                              (isEmptyFolder(tree, rel) || home.rfind(rel + "/", 0) == 0);
        EXPECT_TRUE(inHome || wayPoint || announced(run.shown, parent + "/" + rel))
            << "left unannounced: " << rel;
    }
    // Locked away without a decoy to select it by, the folder is out of the
    // user's reach unless a message says where it is.
    if (home == vaulted && tree.count(name + ".") == 0) {
        EXPECT_TRUE(announced(run.shown, parent + "/" + vaulted))
            << "the folder sits in the vault and no message says so";
    }
    if (run.result == ItemResult::Done) {
        const bool lockedWhenDone = subtree(done, vaulted).has_value();
        EXPECT_EQ(home, lockedWhenDone ? vaulted : name) << "success, but not where it belongs";
    }
}

}  // namespace zv::test
