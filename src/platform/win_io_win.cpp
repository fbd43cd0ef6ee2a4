#include <algorithm>
#include <atomic>
#include <climits>
#include <vector>

#include "platform/fault_injection.h"
#include "platform/stray_files.h"
#include "platform/win_io.h"

namespace zv::win {
namespace {

constexpr std::wstring_view kVerbatim = L"\\\\?\\";
constexpr std::wstring_view kVerbatimUnc = L"\\\\?\\UNC\\";

bool isDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

bool startsWith(std::wstring_view s, std::wstring_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

std::wstring currentFolder() {
    const DWORD n = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring s(n, L'\0');
    const DWORD got = ::GetCurrentDirectoryW(n, s.data());
    s.resize(got < n ? got : 0);
    return s;
}

// The current folder that Windows keeps for one drive ("C:" gives "C:\work").
std::wstring currentFolderOf(wchar_t letter) {
    const wchar_t drive[] = {letter, L':', L'\0'};
    const DWORD n = ::GetFullPathNameW(drive, 0, nullptr, nullptr);
    std::wstring s(n, L'\0');
    const DWORD got = ::GetFullPathNameW(drive, n, s.data(), nullptr);
    s.resize(got < n ? got : 0);
    return s;
}

// "\" for separators, and a root in front: the drive's current folder for
// "C:x", the current drive for "\x", the current folder for "x".
std::wstring absoluteOf(std::wstring p) {
    std::replace(p.begin(), p.end(), L'/', L'\\');
    const bool hasDrive = p.size() >= 2 && isDriveLetter(p[0]) && p[1] == L':';
    if ((hasDrive && p.size() >= 3 && p[2] == L'\\') || startsWith(p, L"\\\\")) {
        return p;
    }
    if (hasDrive) {
        return currentFolderOf(p[0]) + L"\\" + p.substr(2);
    }
    const std::wstring cwd = currentFolder();
    if (!p.empty() && p[0] == L'\\') {
        // The root of the current folder: "C:" or "\\server\share".
        const bool cwdHasDrive = cwd.size() >= 2 && cwd[1] == L':';
        return (cwdHasDrive ? cwd.substr(0, 2) : cwd) + p;
    }
    return cwd + L"\\" + p;
}

// Resolve "." and ".." and drop empty steps; every other name stays as written.
std::wstring normalizedSteps(std::wstring_view rest) {
    std::vector<std::wstring_view> steps;
    while (!rest.empty()) {
        const std::size_t sep = rest.find(L'\\');
        const std::wstring_view step = rest.substr(0, sep);
        rest = sep == std::wstring_view::npos ? std::wstring_view() : rest.substr(sep + 1);
        if (step.empty() || step == L".") {
            continue;
        }
        if (step == L"..") {
            if (!steps.empty()) {
                steps.pop_back();
            }
            continue;
        }
        steps.push_back(step);
    }
    std::wstring out;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (i > 0) {
            out += L'\\';
        }
        out += steps[i];
    }
    return out;
}

}  // namespace

bool injectedFault(const char* operation) {
    if (!fault::shouldFail(operation)) {
        return false;
    }
    ::SetLastError(ERROR_IO_DEVICE);
    return true;
}

std::optional<std::wstring> toWide(std::string_view utf8) {
    if (utf8.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(std::min<std::size_t>(utf8.size(), INT_MAX));
    if (static_cast<std::size_t>(size) != utf8.size()) {
        return std::nullopt;
    }
    const int n =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (n <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    if (::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), n) !=
        n) {
        return std::nullopt;
    }
    return wide;
}

std::optional<std::string> toUtf8(std::wstring_view wide) {
    if (wide.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(std::min<std::size_t>(wide.size(), INT_MAX));
    if (static_cast<std::size_t>(size) != wide.size()) {
        return std::nullopt;
    }
    const int n = ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), size, nullptr,
                                        0, nullptr, nullptr);
    if (n <= 0) {
        return std::nullopt;
    }
    std::string utf8(static_cast<std::size_t>(n), '\0');
    if (::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), size, utf8.data(), n,
                              nullptr, nullptr) != n) {
        return std::nullopt;
    }
    return utf8;
}

std::wstring longPath(std::string_view path) {
    const std::optional<std::wstring> wide = toWide(path);
    if (!wide || wide->empty()) {
        return {};
    }
    if (startsWith(*wide, kVerbatim) || startsWith(*wide, L"\\\\.\\")) {
        return *wide;  // already verbatim, or a device
    }
    const std::wstring full = absoluteOf(*wide);
    if (full.size() >= 3 && full[1] == L':') {
        return std::wstring(kVerbatim) + full.substr(0, 3) + normalizedSteps(full.substr(3));
    }
    if (startsWith(full, L"\\\\")) {
        // \\server\share\rest: the server and the share are the root.
        const std::size_t server = full.find(L'\\', 2);
        const std::size_t share =
            server == std::wstring::npos ? std::wstring::npos : full.find(L'\\', server + 1);
        if (server == std::wstring::npos) {
            return {};
        }
        const std::wstring root = full.substr(2, share == std::wstring::npos ? share : share - 2);
        const std::wstring rest = share == std::wstring::npos ? L"" : full.substr(share + 1);
        return std::wstring(kVerbatimUnc) + root + L"\\" + normalizedSteps(rest);
    }
    return {};
}

std::string displayPath(std::wstring_view verbatim) {
    std::wstring plain;
    if (startsWith(verbatim, kVerbatimUnc)) {
        plain = L"\\\\" + std::wstring(verbatim.substr(kVerbatimUnc.size()));
    } else if (startsWith(verbatim, kVerbatim)) {
        plain = verbatim.substr(kVerbatim.size());
    } else {
        plain = verbatim;
    }
    return toUtf8(plain).value_or(std::string());
}

std::optional<Entry> entryOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || injectedFault("stat") ||
        !::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    Entry entry;
    entry.attributes = data.dwFileAttributes;
    entry.size = (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if ((entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return entry;
    }
    // A link: what it leads to counts, and a dangling one names nothing.
    Handle h(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!h.valid() || !::GetFileInformationByHandle(h.get(), &info)) {
        return std::nullopt;
    }
    entry.attributes = info.dwFileAttributes;
    entry.size = (static_cast<std::int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    return entry;
}

std::wstring followedPath(const std::wstring& path) {
    const DWORD attributes = path.empty() || injectedFault("stat")
                                 ? INVALID_FILE_ATTRIBUTES
                                 : ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return path;
    }
    Handle h(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.valid()) {
        return {};
    }
    const DWORD n = ::GetFinalPathNameByHandleW(h.get(), nullptr, 0, VOLUME_NAME_DOS);
    std::wstring final(n, L'\0');
    const DWORD got = ::GetFinalPathNameByHandleW(h.get(), final.data(), n, VOLUME_NAME_DOS);
    if (n == 0 || got >= n) {
        return {};
    }
    final.resize(got);
    return final;
}

std::wstring parentOf(const std::wstring& path) {
    const std::size_t sep = path.rfind(L'\\');
    if (sep == std::wstring::npos) {
        return {};
    }
    std::wstring parent = path.substr(0, sep);
    if (!parent.empty() && parent.back() == L':') {
        parent += L'\\';
    }
    return parent;
}

bool carryAttributes(HANDLE to, DWORD attributes) {
    const DWORD carried = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                        FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (carried == 0) {
        return true;
    }
    if (injectedFault("chmod")) {
        return false;
    }
    FILE_BASIC_INFO info{};  // zero times: left as they are
    info.FileAttributes = carried | FILE_ATTRIBUTE_ARCHIVE;
    return ::SetFileInformationByHandle(to, FileBasicInfo, &info, sizeof info) != 0;
}

Handle& Handle::operator=(Handle&& other) noexcept {
    if (this != &other) {
        reset();
        h_ = other.release();
    }
    return *this;
}

HANDLE Handle::release() {
    const HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return h;
}

bool Handle::reset() {
    if (!valid()) {
        h_ = INVALID_HANDLE_VALUE;
        return true;
    }
    const bool injected = injectedFault("close");
    const BOOL ok = ::CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return ok != 0 && !injected;
}

bool writeAll(HANDLE h, const char* data, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD put = 0;
        if (injectedFault("write") || !::WriteFile(h, data, chunk, &put, nullptr) || put == 0) {
            return false;
        }
        data += put;
        size -= put;
    }
    return true;
}

TempFile::TempFile(const std::wstring& folder) {
    static std::atomic<unsigned> counter{0};
    if (folder.empty() || injectedFault("create")) {
        return;
    }
    for (int attempt = 0; attempt < 100 && !handle_.valid(); ++attempt) {
        LARGE_INTEGER now{};
        ::QueryPerformanceCounter(&now);
        const unsigned long long seed =
            static_cast<unsigned long long>(now.QuadPart) ^
            (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32) ^ (++counter * 7919u);
        wchar_t name[32];
        ::_snwprintf(name, 32, L".zvtmp-%06llx", seed & 0xFFFFFFull);
        std::wstring candidate = folder;
        if (candidate.back() != L'\\') {
            candidate += L'\\';
        }
        candidate += name;
        handle_ = Handle(::CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (handle_.valid()) {
            path_ = std::move(candidate);
        } else if (::GetLastError() != ERROR_FILE_EXISTS) {
            return;
        }
    }
}

TempFile::~TempFile() {
    if (!committed_ && !path_.empty()) {
        handle_.reset();
        if ((injectedFault("unlink") || !::DeleteFileW(path_.c_str())) &&
            ::GetLastError() != ERROR_FILE_NOT_FOUND) {
            fs::noteStrayFile(displayPath(path_));
        }
    }
}

bool TempFile::commitAs(const std::wstring& to) {
    if (to.empty() || injectedFault("fsync") || !::FlushFileBuffers(handle_.get()) ||
        !handle_.reset()) {
        return false;
    }
    if (injectedFault("rename") ||
        !::MoveFileExW(path_.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return false;
    }
    committed_ = true;
    return true;
}

}  // namespace zv::win
