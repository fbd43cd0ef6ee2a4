#include "platform/path_pieces.h"

// Windows takes both separators. Roots are drive roots ("D:\", or "D:" for a
// drive's current folder), the current drive's root ("\"), and the share of a
// network path ("\\server\share\").
namespace zv {
namespace {

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The end of the next step of a path that starts at `from`.
std::size_t stepEnd(std::string_view path, std::size_t from) {
    while (from < path.size() && !isPathSeparator(path[from])) {
        ++from;
    }
    return from;
}

}  // namespace

bool isPathSeparator(char c) {
    return c == '\\' || c == '/';
}

char pathSeparator() {
    return '\\';
}

std::size_t rootLength(std::string_view path) {
    if (path.size() >= 2 && isDriveLetter(path[0]) && path[1] == ':') {
        return path.size() >= 3 && isPathSeparator(path[2]) ? 3 : 2;
    }
    if (path.size() >= 2 && isPathSeparator(path[0]) && isPathSeparator(path[1])) {
        // \\server\share\ (also \\?\C:\ and \\?\UNC\server\share\)
        std::size_t end = stepEnd(path, 2);
        if (path.substr(2, end - 2) == "?" && end < path.size()) {
            const std::string_view rest = path.substr(end + 1);
            if (rest.size() >= 2 && isDriveLetter(rest[0]) && rest[1] == ':') {
                return end + 1 + rootLength(rest);
            }
            if (rest.substr(0, 4) == "UNC\\") {
                end = stepEnd(path, end + 5);
            }
        }
        end = end < path.size() ? stepEnd(path, end + 1) : end;
        return end < path.size() ? end + 1 : end;
    }
    return !path.empty() && isPathSeparator(path[0]) ? 1 : 0;
}

}  // namespace zv
