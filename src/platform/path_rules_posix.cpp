#include "platform/path_pieces.h"

namespace zv {

bool isPathSeparator(char c) { return c == '/'; }

char pathSeparator() { return '/'; }

std::size_t rootLength(std::string_view path) { return !path.empty() && path[0] == '/' ? 1 : 0; }

}  // namespace zv
