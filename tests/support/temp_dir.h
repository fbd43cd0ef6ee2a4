#pragma once

#include <string>

namespace zv::test {

// A fresh folder under the system's temporary folder, removed with all its
// content (permissions restored first) when the test ends.
class TempDir {
public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    const std::string& path() const { return path_; }
    // path()/name
    std::string operator/(const std::string& name) const;

private:
    std::string path_;
};

}  // namespace zv::test
