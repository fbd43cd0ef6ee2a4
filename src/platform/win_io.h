#pragma once

// Small Win32 building blocks shared by the Windows implementations of the
// platform layer. Never included outside src/platform.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zv::win {

// True when a test has told this call to fail (see fault_injection.h); the
// last error is then ERROR_IO_DEVICE, as after a disk error.
bool injectedFault(const char* operation);

// UTF-8 to UTF-16; nullopt for bytes that are not UTF-8.
std::optional<std::wstring> toWide(std::string_view utf8);

// UTF-16 to UTF-8; nullopt for unpaired surrogates.
std::optional<std::string> toUtf8(std::wstring_view wide);

// The verbatim form ("\\?\C:\...", "\\?\UNC\server\share\...") of a UTF-8
// path, made absolute against the current folder, with "/" turned into "\"
// and "." and ".." steps resolved here. Win32 then takes every other name as
// written: the vault "..." and a decoy "secret." keep their trailing dots,
// and the 260-character limit does not apply. Empty when the path cannot be
// converted (not UTF-8, or empty).
std::wstring longPath(std::string_view path);

// A verbatim path back as UTF-8 in its ordinary spelling (C:\..., \\server\...).
std::string displayPath(std::wstring_view verbatim);

// The attributes of what a path names, following links; nullopt when nothing is there.
struct Entry {
    DWORD attributes = 0;
    std::int64_t size = 0;
    bool isDirectory() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
};
std::optional<Entry> entryOf(const std::wstring& longPath);

// The verbatim path of what a verbatim path names, links followed to the
// end; the path itself when it is no link, empty when a link leads nowhere.
std::wstring followedPath(const std::wstring& longPath);

// The folder of a verbatim path, a drive root keeping its "\".
std::wstring parentOf(const std::wstring& longPath);

// Give a file the attributes that the user sees and a rewrite must keep
// (hidden, system, not indexed) from `attributes`.
bool carryAttributes(HANDLE to, DWORD attributes);

// An owned handle, closed on destruction.
class Handle {
  public:
    Handle() = default;
    explicit Handle(HANDLE h) : h_(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle(Handle&& other) noexcept : h_(other.release()) {}
    Handle& operator=(Handle&& other) noexcept;
    ~Handle() { reset(); }

    bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const { return h_; }
    HANDLE release();
    // Close now; false when closing reports an error.
    bool reset();

  private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

// Write every byte at the handle's current position.
bool writeAll(HANDLE h, const char* data, std::size_t size);

// A new temporary file in a folder, created exclusively and open to no other
// program. Removed on destruction unless committed.
class TempFile {
  public:
    // `folder` is a verbatim path.
    explicit TempFile(const std::wstring& folder);
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile();

    bool valid() const { return handle_.valid(); }
    HANDLE handle() const { return handle_.get(); }

    // Flush the file to disk, close it and move it over `target` (a
    // verbatim path) in one step.
    bool commitAs(const std::wstring& target);

  private:
    Handle handle_;
    std::wstring path_;
    bool committed_ = false;
};

}  // namespace zv::win
