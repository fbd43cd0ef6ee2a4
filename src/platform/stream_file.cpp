// What a StreamFile does the same on every system; the rest is in the
// _posix and _win files.
#include "platform/stream_file.h"

#include <utility>

namespace zv::fs {

StreamFile::StreamFile(StreamFile&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), path_(std::move(other.path_)) {}

StreamFile& StreamFile::operator=(StreamFile&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = std::exchange(other.handle_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

StreamFile::~StreamFile() {
    close();
}

}  // namespace zv::fs
