#pragma once

#include <string>
#include <string_view>

namespace zv {

// Pieces of an item path. Separators and roots follow the platform
// ("/" on POSIX; "\" or "/" and drive roots like "D:\" on Windows).

bool isPathSeparator(char c);

// The platform's preferred separator.
char pathSeparator();

// Length of the root at the start of the path ("/" or "D:\"), 0 when there is none.
std::size_t rootLength(std::string_view path);

// The folder of a path: everything before the last separator, except that a
// root keeps its separator (/data/x gives /data, /x gives /).
std::string folderOf(std::string_view path);

// The folder followed by a separator (/data/x gives /data/, /x gives /).
std::string folderWithSeparator(std::string_view path);

// Everything after the last separator.
std::string nameOf(std::string_view path);

// The name without its last extension (the last full stop and what follows).
std::string baseNameOf(std::string_view path);

// parent + separator + child, without doubling the separator after a root.
std::string joinPath(std::string_view parent, std::string_view child);

}  // namespace zv
