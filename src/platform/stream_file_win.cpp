#include <algorithm>
#include <vector>

#include "platform/stream_file.h"
#include "platform/win_io.h"

namespace zv::fs {
namespace {

using win::injectedFault;

HANDLE handleOf(const StreamFile& file) {
    return reinterpret_cast<HANDLE>(file.nativeHandle());
}

std::intptr_t stored(win::Handle h) {
    return reinterpret_cast<std::intptr_t>(h.release());
}

// An offset for ReadFile and WriteFile on a handle opened for synchronous use:
// they then read or write exactly there.
OVERLAPPED at(std::int64_t offset) {
    OVERLAPPED o{};
    o.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset) & 0xFFFFFFFFu);
    o.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
    return o;
}

constexpr std::int64_t kChunk = 1 << 30;  // what one ReadFile or WriteFile moves at most
constexpr std::size_t kBufferSize = 1024 * 1024;

}  // namespace

StreamFile StreamFile::openExclusive(const std::string& path) {
    const std::wstring p = win::longPath(path);
    // Only a file is opened at all: opening a device can act on it.
    const std::optional<win::Entry> e = win::entryOf(p);
    // Share mode 0: no other program can open the file while we hold it.
    win::Handle h(!e || e->isDirectory() || p.empty() || injectedFault("open")
                      ? INVALID_HANDLE_VALUE
                      : ::CreateFileW(p.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!h.valid() || ::GetFileType(h.get()) != FILE_TYPE_DISK ||
        !::GetFileInformationByHandle(h.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {};
    }
    return StreamFile(stored(std::move(h)), path);
}

StreamFile StreamFile::createNew(const std::string& path) {
    const std::wstring p = win::longPath(path);
    // CREATE_NEW fails for any entry of that name; share mode 0 keeps others
    // out until the file is complete and closed.
    win::Handle h(p.empty() || injectedFault("create")
                      ? INVALID_HANDLE_VALUE
                      : ::CreateFileW(p.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.valid()) {
        return {};
    }
    return StreamFile(stored(std::move(h)), path);
}

std::int64_t StreamFile::size() const {
    LARGE_INTEGER size{};
    if (!valid() || injectedFault("stat") || !::GetFileSizeEx(handleOf(*this), &size)) {
        return -1;
    }
    return size.QuadPart;
}

bool StreamFile::readAt(std::int64_t offset, char* data, std::int64_t n) const {
    while (n > 0) {
        OVERLAPPED o = at(offset);
        DWORD got = 0;
        if (injectedFault("read") ||
            !::ReadFile(handleOf(*this), data, static_cast<DWORD>(std::min(n, kChunk)), &got, &o) ||
            got == 0) {
            return false;  // an error, or the end of the file came early
        }
        data += got;
        offset += got;
        n -= got;
    }
    return true;
}

bool StreamFile::writeAt(std::int64_t offset, const char* data, std::int64_t n) {
    while (n > 0) {
        OVERLAPPED o = at(offset);
        DWORD put = 0;
        if (injectedFault("write") ||
            !::WriteFile(handleOf(*this), data, static_cast<DWORD>(std::min(n, kChunk)), &put,
                         &o) ||
            put == 0) {
            return false;
        }
        data += put;
        offset += put;
        n -= put;
    }
    return true;
}

bool StreamFile::finish(std::int64_t size, const StreamFile& like) {
    const HANDLE h = handleOf(*this);
    LARGE_INTEGER end{};
    end.QuadPart = size;
    BY_HANDLE_FILE_INFORMATION info{};
    return valid() && !injectedFault("truncate") &&
           ::SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(h) &&
           !injectedFault("stat") && ::GetFileInformationByHandle(handleOf(like), &info) &&
           win::carryAttributes(h, info.dwFileAttributes) && !injectedFault("fsync") &&
           ::FlushFileBuffers(h);
}

bool StreamFile::close() {
    if (!valid()) {
        return true;
    }
    const bool injected = injectedFault("close");
    const BOOL ok = ::CloseHandle(handleOf(*this));
    handle_ = -1;
    return ok != 0 && !injected;
}

bool copyRange(const StreamFile& from, std::int64_t fromOffset, StreamFile& to,
               std::int64_t toOffset, std::int64_t length,
               const std::function<void(std::int64_t copied)>& copied) {
    std::vector<char> buffer(static_cast<std::size_t>(std::min<std::int64_t>(
        std::max<std::int64_t>(length, 0), static_cast<std::int64_t>(kBufferSize))));
    std::int64_t done = 0;
    std::int64_t reported = 0;
    while (done < length) {
        const std::int64_t n = std::min(length - done, static_cast<std::int64_t>(buffer.size()));
        if (!from.readAt(fromOffset + done, buffer.data(), n) ||
            !to.writeAt(toOffset + done, buffer.data(), n)) {
            return false;
        }
        done += n;
        if (copied && (done - reported >= kCopyStep || done == length)) {
            copied(done);
            reported = done;
        }
    }
    return true;
}

std::string resolvedPath(const std::string& path) {
    return win::displayPath(win::followedPath(win::longPath(path)));
}

bool mayRewrite(const std::string& path) {
    const std::wstring p = win::longPath(path);
    const std::optional<win::Entry> e = win::entryOf(p);
    if (!e || e->isDirectory() || (e->attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return false;
    }
    // Asking for write access checks the file's permissions, and whether
    // another program holds it open against writers.
    return !injectedFault("access") &&
           win::Handle(::CreateFileW(p.c_str(), GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr))
               .valid();
}

}  // namespace zv::fs
