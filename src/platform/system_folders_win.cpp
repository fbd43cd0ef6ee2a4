#include "platform/path_pieces.h"
#include "platform/system_folders.h"
#include "platform/win_io.h"

// win_io.h comes first: the shell's header needs windows.h.
#include <knownfolders.h>
#include <shlobj.h>

namespace zv {
namespace {

// The desktop of the administrator account as older Windows placed it, after
// the drive ("C:\"). Compared as written, letter case included.
constexpr std::string_view kOldDesktop = "Documents and Settings\\Administrator\\桌面";

std::string knownFolder(const KNOWNFOLDERID& id) {
    PWSTR path = nullptr;
    std::string out;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &path)) && path != nullptr) {
        out = win::toUtf8(path).value_or(std::string());
    }
    ::CoTaskMemFree(path);
    return out;
}

// The file's identity: its volume and its index there.
std::optional<std::pair<DWORD, std::uint64_t>> identityOf(const std::wstring& path) {
    win::Handle h(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!h.valid() || !::GetFileInformationByHandle(h.get(), &info)) {
        return std::nullopt;
    }
    return std::make_pair(
        info.dwVolumeSerialNumber,
        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow);
}

// One folder under two spellings: equal as full paths the way Windows
// compares names (letter case aside), or the same folder on disk.
bool samePlace(const std::string& a, const std::string& b) {
    const std::wstring wa = win::longPath(a);
    const std::wstring wb = win::longPath(b);
    if (wa.empty() || wb.empty()) {
        return false;
    }
    if (::CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                               static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL) {
        return true;
    }
    const auto ia = identityOf(wa);
    return ia && ia == identityOf(wb);
}

// The drive letter of a path that names a drive root ("D:\", "D:", "d:/",
// "D:\.."), or 0.
char driveRootLetter(const std::string& path) {
    const std::wstring full = win::longPath(path);
    // \\?\D:\ and nothing after it
    if (full.size() == 7 && full[5] == L':' && full[6] == L'\\' && full[4] < 0x80) {
        return static_cast<char>(full[4]);
    }
    return 0;
}

}  // namespace

SystemFolder systemFolderOf(const std::string& path) {
    if (path.size() > 3 && std::string_view(path).substr(3) == kOldDesktop) {
        return {SystemFolder::Kind::Desktop, {}};
    }
    if (const char letter = driveRootLetter(path); letter != 0) {
        // The letter as the user wrote it, when the path starts with it.
        const bool written = path.size() >= 2 && path[1] == ':';
        return {SystemFolder::Kind::DriveRoot, std::string(1, written ? path[0] : letter)};
    }
    for (const KNOWNFOLDERID* id : {&FOLDERID_Desktop, &FOLDERID_Profile}) {
        if (samePlace(path, knownFolder(*id))) {
            return {SystemFolder::Kind::Desktop, {}};
        }
    }
    return {};
}

}  // namespace zv
