#include "platform/native_path.h"
#include "platform/win_io.h"

namespace zv {

std::filesystem::path nativePath(const std::string& path) {
    return win::longPath(path);
}

std::string pathText(const std::filesystem::path& path) {
    return win::displayPath(path.native());
}

}  // namespace zv
