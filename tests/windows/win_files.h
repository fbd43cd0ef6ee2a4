#pragma once

#include <windows.h>

#include <string>

// Windows file facts for the tests, reached through the same verbatim paths
// as the platform layer, so names ending in dots work here too.
namespace zv::test {

// The file's attributes; INVALID_FILE_ATTRIBUTES when nothing is there.
DWORD attributesOf(const std::string& path);

// Add and remove attributes (read-only, hidden, ...); throws on failure.
void changeAttributes(const std::string& path, DWORD add, DWORD remove);

// A file held open by "another program" with the given share mode until destroyed.
class HeldOpen {
  public:
    HeldOpen(const std::string& path, DWORD access, DWORD share);
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    ~HeldOpen();

  private:
    HANDLE h_;
};

// Whether another program could open the file for reading now (any sharing
// it asks for), and the error when not.
DWORD openForReadingError(const std::string& path);

// The drive letter ("R:") whose root is a scratch folder the tests may fill:
// ZV_TEST_DRIVE, which the Wine wrapper maps to a folder in its prefix (on
// Windows, `subst R: <folder>` and set it). Fails the test when unset.
std::string spareDrive();

}  // namespace zv::test
