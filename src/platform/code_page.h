#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zv {

// Passwords and key files are code page 936 (GBK) bytes on every platform, so
// encrypted files and locked folders move between systems.

// UTF-8 text to CP936 bytes; nullopt when a character has no CP936 form or the
// input is not valid UTF-8. Never substitutes "?".
std::optional<std::string> utf8ToCp936(std::string_view utf8);

// CP936 bytes to UTF-8 text; nullopt when the bytes are not valid CP936.
std::optional<std::string> cp936ToUtf8(std::string_view cp936);

}  // namespace zv
