#include <sys/stat.h>
#include <sys/statvfs.h>

#include <limits>

#include "platform/fault_injection.h"
#include "platform/file_facts.h"
#include "platform/posix_io.h"

namespace zv::fs {

using posix::injectedFault;

bool isSymbolicLink(const std::string& path) {
    struct stat st {};
    return !injectedFault("stat") && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::int64_t hardLinkCount(const std::string& path) {
    struct stat st {};
    if (injectedFault("stat") || ::stat(path.c_str(), &st) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(st.st_nlink);
}

std::int64_t freeSpaceAt(const std::string& path) {
    if (fault::pretendedFreeSpace() >= 0) {
        return fault::pretendedFreeSpace();
    }
    struct statvfs sv {};
    if (injectedFault("statfs") || ::statvfs(path.c_str(), &sv) != 0) {
        return -1;
    }
    // f_bavail: the blocks an ordinary user may still fill (root's reserve excluded).
    const auto blocks = static_cast<std::int64_t>(sv.f_bavail);
    const auto blockSize = static_cast<std::int64_t>(sv.f_frsize);
    if (blockSize > 0 && blocks > std::numeric_limits<std::int64_t>::max() / blockSize) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return blocks * blockSize;
}

}  // namespace zv::fs
