#include <windows.h>

#include <stdexcept>

#include "platform/native_path.h"
#include "support/file_tree.h"

namespace zv::test {
namespace {

struct Found {
    std::wstring name;
    DWORD attributes;
};

// The entries of a folder given as a verbatim path; false when it cannot be read.
bool entriesOf(const std::wstring& folder, std::vector<Found>& found) {
    WIN32_FIND_DATAW data{};
    const HANDLE h = ::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data,
                                        FindExSearchNameMatch, nullptr, 0);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") {
            found.push_back({name, data.dwFileAttributes});
        }
    } while (::FindNextFileW(h, &data));
    ::FindClose(h);
    return true;
}

void removeAll(const std::wstring& path, DWORD attributes) {
    ::SetFileAttributesW(path.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        ::DeleteFileW(path.c_str());
        return;
    }
    std::vector<Found> found;
    // A link to a folder goes, not what it leads to.
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 && entriesOf(path, found)) {
        for (const Found& f : found) {
            removeAll(path + L"\\" + f.name, f.attributes);
        }
    }
    ::RemoveDirectoryW(path.c_str());
}

}  // namespace

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<Found> found;
    if (!entriesOf(nativePath(folder).native(), found)) {
        throw std::runtime_error("cannot list " + folder);
    }
    std::vector<std::string> names;
    for (const Found& f : found) {
        names.push_back(pathText(f.name));
    }
    return names;
}

void removeTree(const std::string& folder) {
    const std::wstring path = nativePath(folder).native();
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        removeAll(path, attributes);
    }
}

}  // namespace zv::test
