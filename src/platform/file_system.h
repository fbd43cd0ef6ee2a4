#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace zv::fs {

// Paths are the platform's native bytes (UTF-8 on Windows, converted there).
// No function here throws; failures come back as false, -1 or nullopt.

// An existing regular file (links followed).
bool isFile(const std::string& path);

// An existing folder (links followed).
bool isDirectory(const std::string& path);

// Any entry under this name, a dangling link included.
bool exists(const std::string& path);

// The size of the file, 64-bit; -1 when nothing is found.
std::int64_t fileSizeOf(const std::string& path);

// The whole content of a regular file. Anything else (a folder, a FIFO, a
// device) is refused without being opened for reading, so nothing blocks.
std::optional<std::string> readWhole(const std::string& path);

// Replace the content of an existing file so that it is never half written: the
// data goes to a new owner-only temporary file beside it, is flushed to disk,
// takes the file's permission bits and owner, and replaces it in one rename.
// A link is followed and its target replaced; the link stays a link. A file
// that is not writable is refused. On failure nothing changes and no temporary
// file remains. The folder's entry is flushed later, by flushReplacedFolders()
// (platform/folder_flush.h).
bool replaceContent(const std::string& path, const std::string& data);

// Takes one piece of new content; false when it could not be written.
using ContentWriter = std::function<bool(const char* data, std::size_t size)>;

// replaceContent for content made piece by piece, so that it never has to be
// in memory all at once: `produce` is called once and hands every piece, in
// order, to the writer it gets; when it returns false nothing changes. Same
// guarantees as replaceContent.
bool rewriteContent(const std::string& path,
                    const std::function<bool(const ContentWriter& write)>& produce);

// Rename without ever replacing an existing entry at `to`.
bool renameNoReplace(const std::string& from, const std::string& to);

bool removeFile(const std::string& path);

// Create a folder and any missing parents; true when it exists afterwards.
bool makeDirectories(const std::string& path);

// Create one folder in an existing parent; true when it exists afterwards.
bool makeDirectory(const std::string& path);

// Remove a folder only if it is empty.
bool removeEmptyDirectory(const std::string& path);

}  // namespace zv::fs
