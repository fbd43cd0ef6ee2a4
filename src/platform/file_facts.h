#pragma once

#include <cstdint>
#include <string>

// Facts about an item that decide whether an action may touch it at all.
// No function here throws.
namespace zv::fs {

// True when the path itself is a symbolic link (or, on Windows, a reparse point).
bool isSymbolicLink(const std::string& path);

// How many names the file has (links followed); -1 when it cannot be told.
std::int64_t hardLinkCount(const std::string& path);

// The bytes this user may still write on the file system that holds `path`
// (links followed); -1 when the system cannot tell.
std::int64_t freeSpaceAt(const std::string& path);

// False only when the file system holding `path` is known to lack `needed`
// bytes: the check spares the user a run that would fail, and when the space
// cannot be told, the write itself still fails cleanly.
inline bool hasRoomFor(const std::string& path, std::int64_t needed) {
    const std::int64_t free = freeSpaceAt(path);
    return free < 0 || free >= needed;
}

}  // namespace zv::fs
