#include "batch/batch_password.h"

#include <algorithm>

#include "platform/code_page.h"

namespace zv {

std::optional<std::string> batchPassword(std::string_view utf8) {
    const bool hasControl = std::any_of(utf8.begin(), utf8.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b < 0x20 || b == 0x7F;
    });
    if (hasControl) {
        return std::nullopt;
    }
    return utf8ToCp936(utf8);
}

}  // namespace zv
