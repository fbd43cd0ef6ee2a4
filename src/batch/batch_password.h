#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zv {

// The password field's text as the code-page-936 bytes the codecs and the key
// file store; nullopt when it holds a control character or a character that
// has no such form, so that no item is touched with a password that could not
// be typed again.
std::optional<std::string> batchPassword(std::string_view utf8);

}  // namespace zv
