#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace zv::fs {

// An open file for the streaming codec: read or written at 64-bit offsets,
// closed on destruction. No function here throws; failures come back as false
// or -1.
class StreamFile {
  public:
    StreamFile() = default;
    StreamFile(const StreamFile&) = delete;
    StreamFile& operator=(const StreamFile&) = delete;
    StreamFile(StreamFile&& other) noexcept;
    StreamFile& operator=(StreamFile&& other) noexcept;
    ~StreamFile();

    // An existing regular file, opened for reading and held exclusively: no
    // other program that asks for the file's lock gets it while this stays open.
    static StreamFile openExclusive(const std::string& path);

    // A new, empty file for writing. Fails when any entry, a link included,
    // already has this name. Only the owner may read it until finish().
    static StreamFile createNew(const std::string& path);

    bool valid() const { return handle_ >= 0; }
    std::intptr_t nativeHandle() const { return handle_; }

    // The current size, -1 on failure.
    std::int64_t size() const;

    // Read exactly n bytes at offset; false on an error or an early end of file.
    bool readAt(std::int64_t offset, char* data, std::int64_t n) const;

    bool writeAt(std::int64_t offset, const char* data, std::int64_t n);

    // Complete a written file: set its length to `size` (a trailing hole of the
    // source is never written), give it the permission bits and owner of
    // `like`, and flush it and its folder entry to disk. The file stays open.
    bool finish(std::int64_t size, const StreamFile& like);

    // Close now; false when closing reports a delayed write error.
    bool close();

  private:
    StreamFile(std::intptr_t handle, std::string path) : handle_(handle), path_(std::move(path)) {}

    std::intptr_t handle_ = -1;
    std::string path_;
};

// How many bytes copyRange moves between two progress reports, at most.
inline constexpr std::int64_t kCopyStep = 8 * 1024 * 1024;

// Copy `length` bytes from `from` at fromOffset to `to` at toOffset. The copy
// runs inside the kernel where that is fastest and the file system allows it,
// else through a fixed buffer, so memory use does not grow with the file. Holes in the
// source are skipped (the caller's finish() sets the final length, and skipped
// ranges read back as zeros). `copied` is called with the bytes done so far
// after every step of at most kCopyStep bytes.
bool copyRange(const StreamFile& from, std::int64_t fromOffset, StreamFile& to,
               std::int64_t toOffset, std::int64_t length,
               const std::function<void(std::int64_t copied)>& copied);

// The file a path names, links followed to the end; empty on failure.
std::string resolvedPath(const std::string& path);

// True when the file may be rewritten: its owner left a write permission bit
// on, and this process may write it. A read-only file stays read-only even for
// root, as with the in-memory codec.
bool mayRewrite(const std::string& path);

}  // namespace zv::fs
