#include "support/temp_dir.h"

#include <filesystem>
#include <random>
#include <stdexcept>

#include "platform/native_path.h"
#include "platform/path_pieces.h"
#include "support/file_tree.h"

namespace zv::test {

namespace stdfs = std::filesystem;

TempDir::TempDir() {
    // A random name; create_directory refuses one that is taken.
    std::random_device entropy;
    const stdfs::path base = stdfs::temp_directory_path();
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const stdfs::path candidate = base / ("zvtest-" + std::to_string(entropy()));
        std::error_code ec;
        if (stdfs::create_directory(candidate, ec)) {
            stdfs::permissions(candidate, stdfs::perms::owner_all, ec);  // private, as mkdtemp's
            path_ = pathText(candidate);
        }
    }
    if (path_.empty()) {
        throw std::runtime_error("cannot make a temporary folder");
    }
}

TempDir::~TempDir() {
    removeTree(path_);
}

std::string TempDir::operator/(const std::string& name) const {
    return path_ + pathSeparator() + name;
}

}  // namespace zv::test
