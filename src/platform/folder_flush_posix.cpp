#include <mutex>
#include <set>
#include <string>

#include "platform/folder_flush.h"
#include "platform/posix_io.h"

namespace zv::posix {
namespace {

std::mutex pendingLock;
std::set<std::string>& pendingFolders() {
    static std::set<std::string> folders;
    return folders;
}

}  // namespace

void deferFolderFlush(const std::string& folder) {
    const std::lock_guard<std::mutex> lock(pendingLock);
    pendingFolders().insert(folder);
}

}  // namespace zv::posix

namespace zv::fs {

bool flushReplacedFolders() {
    std::set<std::string> folders;
    {
        const std::lock_guard<std::mutex> lock(posix::pendingLock);
        folders.swap(posix::pendingFolders());
    }
    bool flushed = true;
    for (const std::string& folder : folders) {
        flushed = posix::syncDirectory(folder) && flushed;
    }
    return flushed;
}

}  // namespace zv::fs
