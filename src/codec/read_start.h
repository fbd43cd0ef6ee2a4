#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/stream_file.h"

namespace zv {

// The first `n` bytes of an open file, or all of it when it is shorter;
// nullopt on a read error.
std::optional<std::string> readStart(const fs::StreamFile& file, std::int64_t n);

}  // namespace zv
