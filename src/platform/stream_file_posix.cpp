#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <type_traits>

#include "platform/path_pieces.h"
#include "platform/posix_io.h"
#include "platform/stream_file.h"

namespace zv::fs {
namespace {

using posix::injectedFault;

int fdOf(const StreamFile& file) {
    return static_cast<int>(file.nativeHandle());
}

// Repeat a positional read or write until all n bytes are through, retrying
// short transfers and interruptions; an early end of file is a failure.
template <typename Transfer, typename Byte>
bool transferAll(Transfer transfer, int fd, Byte* data, std::int64_t n, std::int64_t offset) {
    while (n > 0) {
        if (injectedFault(std::is_const_v<Byte> ? "write" : "read")) {
            return false;
        }
        const ssize_t done =
            transfer(fd, data, static_cast<std::size_t>(n), static_cast<off_t>(offset));
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            return false;
        }
        data += done;
        offset += done;
        n -= done;
    }
    return true;
}

// The read/write loop's buffer, for shifted copies and for file systems that
// refuse copy_file_range.
constexpr std::size_t kBufferSize = 1024 * 1024;
constexpr std::int64_t kPage = 4096;

// Moves bytes from one descriptor to another: in the kernel where that pays
// and the kernel agrees, else through a buffer allocated on first need.
class Copier {
  public:
    // The kernel copy hands over whole pages only when both sides sit at the
    // same place within a block. Shifted by a header's few bytes, every page
    // is written in two halves, and the copy runs at about half the speed of
    // a read/write loop through a buffer that stays in the processor's cache
    // (measured on ext4); so a shifted copy takes the loop from the start.
    Copier(int in, int out, std::int64_t shift) : in_(in), out_(out) {
        struct stat st {};
        const std::int64_t block =
            ::fstat(out, &st) == 0 && st.st_blksize > 0 ? st.st_blksize : 4096;
        kernel_ = shift % block == 0;
    }

    bool copy(std::int64_t from, std::int64_t to, std::int64_t length) {
        off_t src = static_cast<off_t>(from);
        off_t dst = static_cast<off_t>(to);
        while (length > 0 && kernel_) {
            const ssize_t n =
                injectedFault("copy")
                    ? -1
                    : ::copy_file_range(in_, &src, out_, &dst, static_cast<std::size_t>(length), 0);
            if (n > 0) {
                length -= n;  // the kernel has moved src and dst on
            } else if (n == 0) {
                return false;  // the source ended early
            } else if (errno != EINTR) {
                // Refused here (another file system, no support): the buffer
                // copy takes over. A real write error shows up there again.
                kernel_ = false;
            }
        }
        return length == 0 || copyThroughBuffer(src, dst, length);
    }

  private:
    bool copyThroughBuffer(std::int64_t src, std::int64_t dst, std::int64_t length) {
        if (!buffer_) {
            buffer_.reset(static_cast<char*>(std::aligned_alloc(kPage, kBufferSize + kPage)));
            if (!buffer_) {
                return false;
            }
        }
        while (length > 0) {
            // The kernel's copies into and out of the buffer slow down up to
            // threefold when their destination lies a few bytes ahead of the
            // source within a page, as a header's shift puts it. Half a page
            // away from the data's place in its page, both copies run at full
            // speed whatever the shift (measured on x86-64).
            char* const data = buffer_.get() + (src + kPage / 2) % kPage;
            const std::size_t chunk =
                static_cast<std::size_t>(std::min<std::int64_t>(length, kBufferSize));
            const ssize_t n =
                injectedFault("read") ? -1 : ::pread(in_, data, chunk, static_cast<off_t>(src));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0 || !transferAll(::pwrite, out_, data, n, dst)) {
                return false;
            }
            src += n;
            dst += n;
            length -= n;
        }
        return true;
    }

    struct Free {
        void operator()(char* p) const { std::free(p); }
    };

    int in_;
    int out_;
    bool kernel_;
    std::unique_ptr<char, Free> buffer_;
};

// The first byte of data at or after `offset`, or `end` when only a hole is
// left before it. Without hole support everything counts as data.
std::int64_t nextData(int fd, std::int64_t offset, std::int64_t end) {
    const off_t at = ::lseek(fd, static_cast<off_t>(offset), SEEK_DATA);
    if (at < 0) {
        return errno == ENXIO ? end : offset;
    }
    return std::min<std::int64_t>(at, end);
}

// Where the data starting at `offset` ends (the next hole), at most `end`.
std::int64_t dataEnd(int fd, std::int64_t offset, std::int64_t end) {
    const off_t at = ::lseek(fd, static_cast<off_t>(offset), SEEK_HOLE);
    if (at <= offset) {
        return end;
    }
    return std::min<std::int64_t>(at, end);
}

}  // namespace

StreamFile StreamFile::openExclusive(const std::string& path) {
    // O_NONBLOCK so that a FIFO put in the file's place cannot hang us.
    // Only a regular file is opened at all: opening a device can act on it.
    struct stat before {};
    if (injectedFault("stat") || ::stat(path.c_str(), &before) != 0 || !S_ISREG(before.st_mode) ||
        injectedFault("open")) {
        return {};
    }
    posix::Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat st {};
    if (!fd.valid() || injectedFault("stat") || ::fstat(fd.get(), &st) != 0 ||
        !S_ISREG(st.st_mode)) {
        return {};
    }
    // An advisory lock: it keeps out every program that asks for it (another
    // copy of this tool included); POSIX has no mandatory sharing modes.
    if (injectedFault("lock") || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        return {};
    }
    // Both codecs read the file once, front to back: let the kernel read far ahead.
    (void)::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    return StreamFile(fd.release(), path);
}

StreamFile StreamFile::createNew(const std::string& path) {
    if (injectedFault("create")) {
        return {};
    }
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0) {
        return {};
    }
    return StreamFile(fd, path);
}

std::int64_t StreamFile::size() const {
    struct stat st {};
    if (!valid() || injectedFault("stat") || ::fstat(fdOf(*this), &st) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(st.st_size);
}

bool StreamFile::readAt(std::int64_t offset, char* data, std::int64_t n) const {
    return transferAll(::pread, fdOf(*this), data, n, offset);
}

bool StreamFile::writeAt(std::int64_t offset, const char* data, std::int64_t n) {
    return transferAll(::pwrite, fdOf(*this), data, n, offset);
}

bool StreamFile::finish(std::int64_t size, const StreamFile& like) {
    const int fd = fdOf(*this);
    struct stat st {};
    if (!valid() || injectedFault("truncate") || ::ftruncate(fd, static_cast<off_t>(size)) != 0 ||
        injectedFault("stat") || ::fstat(fdOf(like), &st) != 0) {
        return false;
    }
    // Best effort for the owner: only root may give a file away.
    (void)::fchown(fd, st.st_uid, st.st_gid);
    if (injectedFault("chmod") || ::fchmod(fd, st.st_mode & 07777) != 0 || injectedFault("fsync") ||
        ::fsync(fd) != 0) {
        return false;
    }
    return posix::syncDirectory(folderOf(path_));
}

bool StreamFile::close() {
    if (!valid()) {
        return true;
    }
    const bool injected = injectedFault("close");
    const int rc = ::close(fdOf(*this));
    handle_ = -1;
    return rc == 0 && !injected;
}

bool copyRange(const StreamFile& from, std::int64_t fromOffset, StreamFile& to,
               std::int64_t toOffset, std::int64_t length,
               const std::function<void(std::int64_t copied)>& copied) {
    const int in = fdOf(from);
    const int out = fdOf(to);
    Copier copier(in, out, toOffset - fromOffset);
    std::int64_t writtenBack = 0;  // what went before (a header) goes along
    const std::int64_t end = fromOffset + length;
    std::int64_t pos = fromOffset;
    while (pos < end) {
        const std::int64_t dataAt = nextData(in, pos, end);
        if (dataAt <= pos) {
            const std::int64_t stepEnd = std::min(dataEnd(in, pos, end), pos + kCopyStep);
            const std::int64_t target = toOffset + (pos - fromOffset);
            if (!copier.copy(pos, target, stepEnd - pos)) {
                return false;
            }
            // The step goes to disk while the next one is copied, so that the
            // final fsync finds little left to do.
            posix::startWriteback(out, writtenBack, target + (stepEnd - pos));
            pos = stepEnd;
        } else {
            pos = dataAt;  // a hole: nothing to write, the target reads zeros there
        }
        if (copied) {
            copied(pos - fromOffset);
        }
    }
    return true;
}

std::string resolvedPath(const std::string& path) {
    char resolved[PATH_MAX];
    if (injectedFault("stat") || ::realpath(path.c_str(), resolved) == nullptr) {
        return {};
    }
    return resolved;
}

bool mayRewrite(const std::string& path) {
    struct stat st {};
    return !injectedFault("stat") && ::stat(path.c_str(), &st) == 0 && (st.st_mode & 0222) != 0 &&
           !injectedFault("access") && ::access(path.c_str(), W_OK) == 0;
}

}  // namespace zv::fs
