#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/file_system.h"
#include "platform/path_pieces.h"
#include "platform/posix_io.h"

namespace zv::fs {

using posix::injectedFault;

bool isFile(const std::string& path) {
    struct stat st {};
    return !injectedFault("stat") && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isDirectory(const std::string& path) {
    struct stat st {};
    return !injectedFault("stat") && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool exists(const std::string& path) {
    // When the answer is unknown (a disk error, a name too long to look up),
    // something may be there: callers use this to avoid overwriting.
    struct stat st {};
    if (injectedFault("stat")) {
        return true;
    }
    return ::lstat(path.c_str(), &st) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

std::int64_t fileSizeOf(const std::string& path) {
    struct stat st {};
    if (injectedFault("stat") || ::stat(path.c_str(), &st) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(st.st_size);
}

std::optional<std::string> readWhole(const std::string& path) {
    // O_NONBLOCK so that a FIFO slipping in between checks cannot hang us.
    // Only a regular file is opened at all: opening a device can act on it.
    struct stat before {};
    if (injectedFault("stat") || ::stat(path.c_str(), &before) != 0 || !S_ISREG(before.st_mode) ||
        injectedFault("open")) {
        return std::nullopt;
    }
    posix::Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat st {};
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    // Room behind the content: the end of the file shows as an empty read
    // into it instead of a reallocation of the whole buffer.
    constexpr std::size_t kSlack = 64 * 1024;
    std::string data;
    data.resize(static_cast<std::size_t>(st.st_size) + kSlack);
    std::size_t have = 0;
    for (;;) {
        if (have == data.size()) {
            data.resize(data.size() + kSlack);  // the file grew while we read
        }
        if (injectedFault("read")) {
            return std::nullopt;
        }
        const ssize_t n = ::read(fd.get(), data.data() + have, data.size() - have);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        have += static_cast<std::size_t>(n);
    }
    data.resize(have);  // keeps the capacity
    return data;
}

bool rewriteContent(const std::string& path,
                    const std::function<bool(const ContentWriter& write)>& produce) {
    // Follow a link to the file it names, so that the link itself survives.
    std::string target = path;
    struct stat lst {};
    if (injectedFault("stat") || ::lstat(path.c_str(), &lst) != 0) {
        return false;
    }
    if (S_ISLNK(lst.st_mode)) {
        char resolved[PATH_MAX];
        if (injectedFault("stat") || ::realpath(path.c_str(), resolved) == nullptr) {
            return false;
        }
        target = resolved;
    }
    struct stat st {};
    if (injectedFault("stat") || ::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return false;
    }
    // A read-only file stays read-only: replacing it through its folder would
    // defeat the protection its owner gave it (root included).
    if ((st.st_mode & 0222) == 0 || injectedFault("access") ||
        ::access(target.c_str(), W_OK) != 0) {
        return false;
    }

    posix::TempFile temp(folderOf(target));
    std::int64_t written = 0;
    std::int64_t writtenBack = 0;
    if (!temp.valid() || !produce([&](const char* data, std::size_t size) {
            if (!posix::writeAll(temp.fd(), data, size)) {
                return false;
            }
            // Large content goes to disk while the rest is made, so that the
            // fsync below finds little left to do.
            written += static_cast<std::int64_t>(size);
            posix::startWriteback(temp.fd(), writtenBack, written);
            return true;
        })) {
        return false;
    }
    // Best effort for the owner: only root may give a file away.
    (void)::fchown(temp.fd(), st.st_uid, st.st_gid);
    if (injectedFault("chmod") || ::fchmod(temp.fd(), st.st_mode & 07777) != 0 ||
        injectedFault("fsync") || ::fsync(temp.fd()) != 0) {
        return false;
    }
    return temp.commitAs(target, /*deferFlush=*/true);
}

bool replaceContent(const std::string& path, const std::string& data) {
    return rewriteContent(
        path, [&](const ContentWriter& write) { return write(data.data(), data.size()); });
}

bool renameNoReplace(const std::string& from, const std::string& to) {
    return posix::renameNoReplace(from, to);
}

bool removeFile(const std::string& path) {
    return !injectedFault("unlink") && ::unlink(path.c_str()) == 0;
}

bool makeDirectory(const std::string& path) {
    if (injectedFault("mkdir")) {
        return false;
    }
    return ::mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && isDirectory(path));
}

bool removeEmptyDirectory(const std::string& path) {
    return !injectedFault("rmdir") && ::rmdir(path.c_str()) == 0;
}

}  // namespace zv::fs
