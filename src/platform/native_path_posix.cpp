#include "platform/native_path.h"

namespace zv {

std::filesystem::path nativePath(const std::string& path) {
    return path;
}

std::string pathText(const std::filesystem::path& path) {
    return path.string();
}

}  // namespace zv
