#include <fcntl.h>
#include <stdio.h>  // renameat2
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/fault_injection.h"
#include "platform/file_system.h"
#include "platform/path_pieces.h"
#include "platform/posix_io.h"
#include "platform/stray_files.h"

namespace zv::posix {

bool injectedFault(const char* operation) {
    if (!fault::shouldFail(operation)) {
        return false;
    }
    errno = EIO;
    return true;
}

Fd& Fd::operator=(Fd&& other) noexcept {
    if (this != &other) {
        reset();
        fd_ = other.release();
    }
    return *this;
}

int Fd::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

bool Fd::reset() {
    if (fd_ < 0) {
        return true;
    }
    const bool injected = injectedFault("close");
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc == 0 && !injected;
}

bool writeAll(int fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        if (injectedFault("write")) {
            return false;
        }
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

void startWriteback(int fd, std::int64_t& from, std::int64_t to) {
    constexpr std::int64_t kAtLeast = 1024 * 1024;
    static const std::int64_t page = ::sysconf(_SC_PAGESIZE) > 0 ? ::sysconf(_SC_PAGESIZE) : 4096;
    const std::int64_t end = to / page * page;
    if (end - from >= kAtLeast) {
        (void)::sync_file_range(fd, static_cast<off_t>(from), static_cast<off_t>(end - from),
                                SYNC_FILE_RANGE_WRITE);
        from = end;
    }
}

bool syncDirectory(const std::string& folder) {
    if (injectedFault("fsync")) {
        return false;
    }
    Fd fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return fd.valid() && ::fsync(fd.get()) == 0;
}

bool renameNoReplace(const std::string& from, const std::string& to) {
    if (injectedFault("rename")) {
        return false;
    }
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // File systems without RENAME_NOREPLACE: check first, accepting the small race.
    if (fs::exists(to)) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

TempFile::TempFile(const std::string& folder) : folder_(folder) {
    // A short name, so that even an item whose name is at the length limit gets one.
    std::string pattern = joinPath(folder.empty() ? "." : folder, ".zvtmp-XXXXXX");
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (injectedFault("create")) {
        return;
    }
    fd_ = Fd(::mkostemp(buf.data(), O_CLOEXEC));  // O_EXCL, mode 0600
    if (fd_.valid()) {
        path_ = buf.data();
    }
}

TempFile::~TempFile() {
    if (!committed_ && !path_.empty()) {
        fd_.reset();
        if ((injectedFault("unlink") || ::unlink(path_.c_str()) != 0) && errno != ENOENT) {
            fs::noteStrayFile(path_);
        }
    }
}

bool TempFile::commitAs(const std::string& target, bool deferFlush) {
    if (!fd_.reset()) {
        return false;
    }
    if (injectedFault("rename") || ::rename(path_.c_str(), target.c_str()) != 0) {
        return false;
    }
    committed_ = true;
    // The content is already durable; a failed folder flush only risks the
    // rename itself, which leaves either the old or the new complete file.
    if (deferFlush) {
        deferFolderFlush(folder_);
    } else {
        syncDirectory(folder_);
    }
    return true;
}

}  // namespace zv::posix
