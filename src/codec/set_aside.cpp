#include "codec/set_aside.h"

#include "platform/file_system.h"
#include "platform/path_pieces.h"

namespace zv {

SetAside::SetAside(const std::string& item) : path_(fs::resolvedPath(item)) {
    if (!path_.empty()) {
        aside_ = folderWithSeparator(path_) + baseNameOf(path_) + ".zv";
    }
}

bool SetAside::begin() {
    // Asking the file system whether the aside name exists compares names the
    // way it does: for "film.zv" (or "film.ZV" where case does not count) the
    // aside name is the item itself, and renaming, creating the new file and
    // deleting the aside copy would each destroy it.
    if (path_.empty() || !fs::isFile(path_) || !fs::mayRewrite(path_) || fs::exists(aside_)) {
        return false;
    }
    if (!fs::renameNoReplace(path_, aside_)) {
        return false;
    }
    movedAside_ = true;
    source_ = fs::StreamFile::openExclusive(aside_);
    return source_.valid();
}

bool SetAside::createTarget() {
    target_ = fs::StreamFile::createNew(path_);
    targetCreated_ = target_.valid();
    return targetCreated_;
}

bool SetAside::restore() {
    source_.close();
    target_.close();
    if (targetCreated_) {
        fs::removeFile(path_);  // if this fails, the rename below refuses to replace it
        targetCreated_ = false;
    }
    if (movedAside_) {
        if (!fs::renameNoReplace(aside_, path_)) {
            return false;
        }
        movedAside_ = false;
    }
    return true;
}

SetAside::Completion SetAside::complete(std::int64_t size) {
    if (!target_.finish(size, source_) || !target_.close()) {
        return Completion::Failed;
    }
    source_.close();
    targetCreated_ = false;
    movedAside_ = false;
    return fs::removeFile(aside_) ? Completion::Done : Completion::AsideKept;
}

}  // namespace zv
