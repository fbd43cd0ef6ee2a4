#include <filesystem>

#include "support/file_tree.h"

namespace zv::test {

namespace stdfs = std::filesystem;

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : stdfs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

void removeTree(const std::string& folder) {
    std::error_code ec;
    // Tests make folders read-only; give every folder back its write bit first.
    for (auto it = stdfs::recursive_directory_iterator(
             folder, stdfs::directory_options::skip_permission_denied, ec);
         !ec && it != stdfs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec)) {
            stdfs::permissions(it->path(), stdfs::perms::owner_all, stdfs::perm_options::add, ec);
        }
    }
    stdfs::permissions(folder, stdfs::perms::owner_all, stdfs::perm_options::add, ec);
    stdfs::remove_all(folder, ec);
}

}  // namespace zv::test
