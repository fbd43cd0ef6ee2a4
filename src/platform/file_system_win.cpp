#include <algorithm>

#include "platform/file_system.h"
#include "platform/win_io.h"

// Every call goes through the verbatim form of the path (win_io.h), so that
// names ending in dots and paths past 260 characters work as on POSIX.
namespace zv::fs {
namespace {

using win::injectedFault;

std::optional<win::Entry> entry(const std::string& path) {
    return win::entryOf(win::longPath(path));
}

}  // namespace

bool isFile(const std::string& path) {
    const std::optional<win::Entry> e = entry(path);
    return e && !e->isDirectory();
}

bool isDirectory(const std::string& path) {
    const std::optional<win::Entry> e = entry(path);
    return e && e->isDirectory();
}

bool exists(const std::string& path) {
    const std::wstring p = win::longPath(path);
    return !p.empty() && !injectedFault("stat") &&
           ::GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::int64_t fileSizeOf(const std::string& path) {
    const std::optional<win::Entry> e = entry(path);
    if (!e) {
        return -1;
    }
    return e->isDirectory() ? 0 : e->size;
}

std::optional<std::string> readWhole(const std::string& path) {
    const std::wstring p = win::longPath(path);
    // Only a file is opened at all: opening a device can act on it.
    const std::optional<win::Entry> e = win::entryOf(p);
    if (!e || e->isDirectory() || injectedFault("open")) {
        return std::nullopt;
    }
    win::Handle h(::CreateFileW(p.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    // Only a file on a disk: a pipe or a device could block or never end.
    LARGE_INTEGER size{};
    if (!h.valid() || ::GetFileType(h.get()) != FILE_TYPE_DISK ||
        !::GetFileSizeEx(h.get(), &size)) {
        return std::nullopt;
    }
    std::string data;
    data.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t have = 0;
    for (;;) {
        if (have == data.size()) {
            data.resize(data.size() + 64 * 1024);  // the file grew while we read
        }
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - have, 1u << 30));
        DWORD got = 0;
        if (injectedFault("read") ||
            !::ReadFile(h.get(), data.data() + have, want, &got, nullptr)) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        have += got;
    }
    data.resize(have);
    return data;
}

bool replaceContent(const std::string& path, const std::string& data) {
    // Follow a link to the file it names, so that the link itself survives.
    const std::wstring target = win::followedPath(win::longPath(path));
    const std::optional<win::Entry> e = win::entryOf(target);
    // A read-only file stays read-only: its owner protected it.
    if (!e || e->isDirectory() || (e->attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return false;
    }
    // Refused here, not after the new content is written, when we may not write it.
    if (injectedFault("access") ||
        !win::Handle(::CreateFileW(target.c_str(), GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, 0, nullptr))
             .valid()) {
        return false;
    }
    win::TempFile temp(win::parentOf(target));
    return temp.valid() && win::writeAll(temp.handle(), data.data(), data.size()) &&
           win::carryAttributes(temp.handle(), e->attributes) && temp.commitAs(target);
}

bool renameNoReplace(const std::string& from, const std::string& to) {
    const std::wstring f = win::longPath(from);
    const std::wstring t = win::longPath(to);
    // Without MOVEFILE_REPLACE_EXISTING the move fails when `to` exists, and
    // without MOVEFILE_COPY_ALLOWED it never turns into a copy.
    return !f.empty() && !t.empty() && !injectedFault("rename") &&
           ::MoveFileExW(f.c_str(), t.c_str(), 0) != 0;
}

bool removeFile(const std::string& path) {
    const std::wstring p = win::longPath(path);
    return !p.empty() && !injectedFault("unlink") && ::DeleteFileW(p.c_str()) != 0;
}

bool makeDirectory(const std::string& path) {
    const std::wstring p = win::longPath(path);
    if (p.empty() || injectedFault("mkdir")) {
        return false;
    }
    return (::CreateDirectoryW(p.c_str(), nullptr) != 0 ||
            (::GetLastError() == ERROR_ALREADY_EXISTS && isDirectory(path)));
}

bool removeEmptyDirectory(const std::string& path) {
    const std::wstring p = win::longPath(path);
    return !p.empty() && !injectedFault("rmdir") && ::RemoveDirectoryW(p.c_str()) != 0;
}

}  // namespace zv::fs
