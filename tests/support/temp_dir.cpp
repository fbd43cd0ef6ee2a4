#include "support/temp_dir.h"

#include <filesystem>
#include <stdexcept>
#include <vector>

#include <stdlib.h>

namespace zv::test {

namespace stdfs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (stdfs::temp_directory_path() / "zvtest-XXXXXX").string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (::mkdtemp(buf.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = buf.data();
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests make folders read-only; give every folder back its write bit first.
    for (auto it = stdfs::recursive_directory_iterator(
             path_, stdfs::directory_options::skip_permission_denied, ec);
         !ec && it != stdfs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec)) {
            stdfs::permissions(it->path(), stdfs::perms::owner_all, stdfs::perm_options::add, ec);
        }
    }
    stdfs::permissions(path_, stdfs::perms::owner_all, stdfs::perm_options::add, ec);
    stdfs::remove_all(path_, ec);
}

std::string TempDir::operator/(const std::string& name) const { return path_ + "/" + name; }

}  // namespace zv::test
