#pragma once

// Small POSIX building blocks shared by the POSIX implementations of the
// platform layer. Never included outside src/platform.

#include <cstddef>
#include <cstdint>
#include <string>

namespace zv::posix {

// True when a test has told this call to fail (see fault_injection.h); errno
// is then EIO, as after a disk error. Every system call that touches the file
// system goes through it.
bool injectedFault(const char* operation);

// An owned file descriptor, closed on destruction.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd(Fd&& other) noexcept : fd_(other.release()) {}
    Fd& operator=(Fd&& other) noexcept;
    ~Fd() { reset(); }

    bool valid() const { return fd_ >= 0; }
    int get() const { return fd_; }
    int release();
    // Close now; false when close reports an error (delayed write failures show here).
    bool reset();

private:
    int fd_ = -1;
};

// Write every byte, retrying short writes and interruptions.
bool writeAll(int fd, const void* data, std::size_t size);

// A hint for files written front to back: start writing the whole pages
// between `from` and `to` to disk now, while more is being written, and move
// `from` on to where that stopped. Waits until at least a megabyte is pending,
// and leaves the partial page at the end alone: writing into a page that is
// being written out would have to wait for it. The final fsync still decides.
void startWriteback(int fd, std::int64_t& from, std::int64_t to);

// Flush a folder's entries, so that a rename in it survives a crash.
bool syncDirectory(const std::string& folder);

// Leave a folder's flush to fs::flushReplacedFolders() (platform/folder_flush.h).
void deferFolderFlush(const std::string& folder);

// rename() that fails instead of replacing an existing entry at `to`.
bool renameNoReplace(const std::string& from, const std::string& to);

// A new temporary file in a folder: created exclusively (so never through a
// link), readable by the owner only. Removed on destruction unless committed.
class TempFile {
public:
    explicit TempFile(const std::string& folder);
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile();

    bool valid() const { return fd_.valid(); }
    int fd() const { return fd_.get(); }
    const std::string& path() const { return path_; }

    // Close the file and rename it over `target`, then flush the folder, or
    // with deferFlush leave that to fs::flushReplacedFolders().
    bool commitAs(const std::string& target, bool deferFlush = false);

private:
    Fd fd_;
    std::string path_;
    std::string folder_;
    bool committed_ = false;
};

}  // namespace zv::posix
