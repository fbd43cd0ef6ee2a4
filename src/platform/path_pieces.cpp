#include "platform/path_pieces.h"

namespace zv {
namespace {

std::size_t lastSeparator(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (isPathSeparator(path[i - 1])) {
            return i - 1;
        }
    }
    return std::string_view::npos;
}

}  // namespace

std::string folderOf(std::string_view path) {
    const std::size_t sep = lastSeparator(path);
    if (sep == std::string_view::npos) {
        return {};
    }
    const std::size_t root = rootLength(path);
    if (sep < root) {
        return std::string(path.substr(0, root));
    }
    return std::string(path.substr(0, sep));
}

std::string folderWithSeparator(std::string_view path) {
    std::string folder = folderOf(path);
    if (!folder.empty() && !isPathSeparator(folder.back())) {
        folder += pathSeparator();
    }
    return folder;
}

std::string nameOf(std::string_view path) {
    const std::size_t sep = lastSeparator(path);
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string baseNameOf(std::string_view path) {
    std::string name = nameOf(path);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.resize(dot);
    }
    return name;
}

std::string joinPath(std::string_view parent, std::string_view child) {
    std::string joined(parent);
    if (!joined.empty() && !isPathSeparator(joined.back())) {
        joined += pathSeparator();
    }
    joined += child;
    return joined;
}

}  // namespace zv
