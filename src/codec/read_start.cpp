#include "codec/read_start.h"

#include <algorithm>

namespace zv {

std::optional<std::string> readStart(const fs::StreamFile& file, std::int64_t n) {
    const std::int64_t size = file.size();
    if (size < 0) {
        return std::nullopt;
    }
    std::string start(static_cast<std::size_t>(std::min(size, n)), '\0');
    if (!file.readAt(0, start.data(), static_cast<std::int64_t>(start.size()))) {
        return std::nullopt;
    }
    return start;
}

}  // namespace zv
