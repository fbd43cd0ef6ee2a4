// File system operations that are the same on every system, built on the
// per-system ones.
#include "platform/file_system.h"

#include "platform/path_pieces.h"

namespace zv::fs {

bool makeDirectories(const std::string& path) {
    if (isDirectory(path)) {
        return true;
    }
    const std::string parent = folderOf(path);
    if (!parent.empty() && parent != path && !makeDirectories(parent)) {
        return false;
    }
    return makeDirectory(path);
}

}  // namespace zv::fs
