#pragma once

#include <optional>
#include <string>
#include <vector>

#include "folderlock/disk_tree.h"
#include "platform/action_context.h"
#include "support/scripted_ui.h"

// What the reliability tests check after an action, whatever stopped it: the
// item's content is recoverable, nothing is left behind that no message names,
// and no failure goes without a message.
namespace zv::test {

using Action = ItemResult (*)(ActionContext&);

// One action run on one item, and what the user saw.
struct ActionRun {
    ItemResult result = ItemResult::Failed;
    std::vector<Shown> shown;
    bool noticeShown = false;
};
ActionRun runAction(Action action, const std::string& path, const std::string& password);

// A file's bytes, read in one go (test::readFile reads byte by byte, which the
// sanitizer build makes slow for large files); "<unreadable>" on failure.
std::string contentOf(const std::string& path);

// True when some message names this path.
bool announced(const std::vector<Shown>& shown, const std::string& path);

// A file item in `folder`: the item holds `before` or, after success, `after`;
// when it holds neither, a message names a file that holds `before`. Every
// other file in the folder is named in a message and, if it is the item's
// aside copy, holds `before`.
void expectFileRecoverable(const std::string& folder, const std::string& itemName,
                           const std::string& before, const std::string& after,
                           const ActionRun& run);

// What a folder locked in a parent looks like there.
Tree lockedTree(const std::string& name, const Tree& content, const std::string& password);

// A folder item `name` in `parent` whose content is `content`: after success
// the tree is `done`; otherwise the content is whole, in its place or in the
// vault, every file besides it is named in a message, and every folder besides
// it is an empty vault, preparation folder or decoy.
void expectFolderRecoverable(const std::string& parent, const std::string& name,
                             const Tree& content, const Tree& done, const ActionRun& run);

}  // namespace zv::test
