#include "win_files.h"

#include <cstdlib>
#include <stdexcept>

#include <gtest/gtest.h>

#include "platform/native_path.h"

namespace zv::test {

DWORD attributesOf(const std::string& path) {
    return ::GetFileAttributesW(nativePath(path).c_str());
}

void changeAttributes(const std::string& path, DWORD add, DWORD remove) {
    const DWORD now = attributesOf(path);
    if (now == INVALID_FILE_ATTRIBUTES ||
        !::SetFileAttributesW(nativePath(path).c_str(), (now | add) & ~remove)) {
        throw std::runtime_error("cannot change the attributes of " + path);
    }
}

HeldOpen::HeldOpen(const std::string& path, DWORD access, DWORD share)
    : h_(::CreateFileW(nativePath(path).c_str(), access, share, nullptr, OPEN_EXISTING, 0,
                       nullptr)) {
    if (h_ == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot hold open " + path);
    }
}

HeldOpen::~HeldOpen() {
    ::CloseHandle(h_);
}

DWORD openForReadingError(const std::string& path) {
    const HANDLE h = ::CreateFileW(nativePath(path).c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return ::GetLastError();
    }
    ::CloseHandle(h);
    return ERROR_SUCCESS;
}

std::string spareDrive() {
    const char* drive = std::getenv("ZV_TEST_DRIVE");
    if (drive == nullptr || *drive == '\0') {
        ADD_FAILURE() << "ZV_TEST_DRIVE names no drive: run the tests through scripts/wine-run";
        return {};
    }
    return drive;
}

}  // namespace zv::test
