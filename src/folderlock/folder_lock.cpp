#include "folderlock/folder_lock.h"

#include <exception>
#include <optional>
#include <string>

#include "folderlock/folder_lock_messages.h"
#include "platform/file_facts.h"
#include "platform/file_system.h"
#include "platform/key_file.h"
#include "platform/path_pieces.h"
#include "platform/secure_wipe.h"
#include "platform/stray_files.h"
#include "platform/system_folders.h"
#include "platform/vault_names.h"

namespace zv {
namespace {

// Where the pieces of one folder lie, locked or not.
struct LockPaths {
    std::string parent;
    std::string name;
    std::string folder;  // the folder in its plain place
    std::string vault;
    std::string locked;  // the folder inside the vault
    std::string decoy;
};

LockPaths lockPathsOf(std::string parent, std::string name) {
    LockPaths p;
    p.folder = joinPath(parent, name);
    p.vault = vault::vaultPath(parent);
    p.locked = joinPath(p.vault, name);
    p.decoy = vault::decoyPath(p.folder);
    p.parent = std::move(parent);
    p.name = std::move(name);
    return p;
}

// Refused by name wherever it lies.
constexpr std::string_view kMyDocumentsName = "My Documents";

std::string keyFileIn(const std::string& folder) {
    return joinPath(folder, keyfile::kFileName);
}

// The vault is made on the first lock in a parent by moving a preparation
// folder, named after the folder with "zv97" appended, to the vault's name; an
// existing folder of that name becomes the vault together with its content.
// When the lock that made the vault fails, undo() puts the preparation folder back.
class VaultPreparation {
  public:
    explicit VaultPreparation(const LockPaths& p)
        : vault_(p.vault), preparation_(joinPath(p.parent, p.name + "zv97")) {}

    bool ensure() {
        if (fs::isDirectory(vault_)) {
            return true;
        }
        madePreparation_ = !fs::exists(preparation_);
        if (!fs::makeDirectories(preparation_)) {
            return false;
        }
        if (!fs::renameNoReplace(preparation_, vault_)) {
            undoPreparation();
            return false;
        }
        madeVault_ = true;
        return true;
    }

    // Only for a vault that holds nothing of this lock any more.
    void undo() {
        if (madeVault_ && fs::renameNoReplace(vault_, preparation_)) {
            madeVault_ = false;
            undoPreparation();
        }
    }

  private:
    void undoPreparation() {
        if (madePreparation_) {
            fs::removeEmptyDirectory(preparation_);
        }
    }

    std::string vault_;
    std::string preparation_;
    bool madePreparation_ = false;
    bool madeVault_ = false;
};

// Remove the key file this lock wrote; one that cannot be removed is reported
// with the failure, for it holds the password.
void removeKeyFile(const std::string& keyFile) {
    if (!fs::removeFile(keyFile)) {
        fs::noteStrayFile(keyFile);
    }
}

ItemResult failLock(ActionContext& ctx, const std::string& text) {
    ctx.fail(text);
    fs::reportStrayFiles(ctx.ui);
    return ItemResult::Failed;
}

ItemResult lock(ActionContext& ctx) {
    const std::string& path = ctx.CurrentItemPath;
    const LockPaths p = lockPathsOf(folderOf(path), nameOf(path));
    if (p.name.empty()) {
        return ctx.fail(lockmsg::lockFailed(path));  // a root: the guards keep it away
    }
    // Checked before anything changes: a missing entry must not get a vault or
    // parent folders, and a key file of the folder's own would be overwritten.
    if (!fs::isDirectory(path)) {
        return ctx.refuse(lockmsg::notAFolder(p.name));
    }
    if (fs::isSymbolicLink(path)) {
        return ctx.refuse(lockmsg::linkToFolder(p.name));
    }
    const std::string keyFile = keyFileIn(path);
    if (fs::exists(keyFile)) {
        return ctx.refuse(lockmsg::holdsKeyFile(p.name, keyfile::kFileName));
    }
    if (!keyfile::canStore(ctx.password)) {
        return ctx.refuse(lockmsg::kPasswordNotStorable);
    }

    VaultPreparation vault(p);
    if (!vault.ensure()) {
        return ctx.fail(lockmsg::lockFailed(p.name));
    }
    if (!keyfile::write(keyFile, ctx.password)) {
        vault.undo();
        return failLock(ctx, lockmsg::lockFailed(p.name));
    }
    if (!fs::renameNoReplace(path, p.locked)) {
        removeKeyFile(keyFile);
        vault.undo();
        return failLock(ctx, lockmsg::lockFailed(p.name));
    }
    // A decoy folder already there (left over, or the user's own) serves as it is.
    if (!fs::makeDirectories(p.decoy)) {
        // Without its decoy the folder could not be selected for unlocking.
        if (!fs::renameNoReplace(p.locked, path)) {
            return failLock(ctx, lockmsg::leftInVault(p.name, p.locked, keyfile::kFileName));
        }
        removeKeyFile(keyFile);
        vault.undo();
        return failLock(ctx, lockmsg::lockFailed(p.name));
    }
    return ItemResult::Done;
}

ItemResult unlock(ActionContext& ctx) {
    const std::string& path = ctx.CurrentItemPath;
    const std::string fullName = nameOf(path);
    const LockPaths p = lockPathsOf(folderOf(path), vault::lockedNameOf(fullName));
    if (p.name.empty() || !fs::isDirectory(p.vault) || !fs::isDirectory(p.locked)) {
        return ctx.refuse(lockmsg::neverLocked(fullName));
    }
    // Read where it lies: a copy beside the decoy could clobber a file of the user's.
    std::optional<std::string> stored = keyfile::readPassword(keyFileIn(p.locked));
    if (!stored) {
        return ctx.fail(lockmsg::unlockFailed(p.name));
    }
    const bool matches = *stored == ctx.password;
    wipe(*stored);
    if (!matches) {
        return ctx.refuse(lockmsg::wrongPassword(p.name));
    }
    // Every failure from here leaves the folder locked with its key file.
    if (!fs::renameNoReplace(p.locked, p.folder)) {
        return ctx.fail(lockmsg::unlockFailed(p.name));
    }
    const std::string keyFile = keyFileIn(p.folder);
    if (fs::exists(keyFile) && !fs::removeFile(keyFile)) {
        if (fs::renameNoReplace(p.folder, p.locked)) {
            return ctx.fail(lockmsg::unlockFailed(p.name));
        }
        // The folder is back in its place, but with its key file: the user
        // must learn that the password file is still in it.
        fs::noteStrayFile(keyFile);
        fs::reportStrayFiles(ctx.ui);
    }
    // A decoy that someone has filled is left alone.
    fs::removeEmptyDirectory(p.decoy);
    return ItemResult::Done;
}

}  // namespace

ItemResult lockFolder(ActionContext& ctx) {
    try {
        const std::string& path = ctx.CurrentItemPath;
        const std::string name = nameOf(path);
        if (vault::looksLikeDecoy(path)) {
            return ctx.refuse(lockmsg::alreadyLocked(name));
        }
        const SystemFolder system = systemFolderOf(path);
        if (system.kind == SystemFolder::Kind::Desktop) {
            return ctx.refuse(lockmsg::kDesktop, kTitleWarning);
        }
        if (system.kind == SystemFolder::Kind::DriveRoot) {
            return ctx.refuse(lockmsg::driveRoot(system.drive), kTitleWarning);
        }
        if (name == kMyDocumentsName) {
            return ctx.refuse(lockmsg::kMyDocuments, kTitleWarning);
        }
    } catch (const std::exception&) {
        return ctx.fail(lockmsg::lockFailed(nameOf(ctx.CurrentItemPath)));
    }
    return But_bankAdd(ctx);
}

ItemResult But_bankAdd(ActionContext& ctx) {
    try {
        return lock(ctx);
    } catch (const std::exception&) {
        return ctx.fail(lockmsg::lockIncomplete(nameOf(ctx.CurrentItemPath)));
    }
}

ItemResult unlockFolder(ActionContext& ctx) {
    try {
        return unlock(ctx);
    } catch (const std::exception&) {
        return ctx.fail(lockmsg::unlockFailed(nameOf(ctx.CurrentItemPath)));
    }
}

}  // namespace zv
