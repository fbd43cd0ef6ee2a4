#include <algorithm>
#include <cstdint>

#include "platform/fault_injection.h"
#include "platform/file_facts.h"
#include "platform/win_io.h"

namespace zv::fs {

using win::injectedFault;

bool isSymbolicLink(const std::string& path) {
    const std::wstring p = win::longPath(path);
    if (p.empty() || injectedFault("stat")) {
        return false;
    }
    const DWORD attributes = ::GetFileAttributesW(p.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

std::int64_t hardLinkCount(const std::string& path) {
    const std::wstring p = win::longPath(path);
    if (p.empty() || injectedFault("stat")) {
        return -1;
    }
    const win::Handle h(::CreateFileW(p.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!h.valid() || !::GetFileInformationByHandle(h.get(), &info)) {
        return -1;
    }
    return static_cast<std::int64_t>(info.nNumberOfLinks);
}

std::int64_t freeSpaceAt(const std::string& path) {
    if (fault::pretendedFreeSpace() >= 0) {
        return fault::pretendedFreeSpace();
    }
    std::wstring p = win::followedPath(win::longPath(path));
    if (p.empty() || injectedFault("statfs")) {
        return -1;
    }
    // The call wants a folder, ending in a separator.
    const std::optional<win::Entry> e = win::entryOf(p);
    if (e && !e->isDirectory()) {
        p = win::parentOf(p);
    }
    if (p.empty() || p.back() != L'\\') {
        p += L'\\';
    }
    ULARGE_INTEGER available{};
    if (!::GetDiskFreeSpaceExW(p.c_str(), &available, nullptr, nullptr)) {
        return -1;
    }
    constexpr auto kMax = static_cast<unsigned long long>(INT64_MAX);
    return static_cast<std::int64_t>(std::min<unsigned long long>(available.QuadPart, kMax));
}

}  // namespace zv::fs
