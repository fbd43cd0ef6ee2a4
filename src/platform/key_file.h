#pragma once

#include <optional>
#include <string>
#include <string_view>

// The key file of a locked folder: INI text in code page 936 with the password
// under section "key", entry "pass". The value is written in double quotes and
// read the way the Windows profile reader reads it (surrounding blanks and one
// pair of matching quotes dropped), so that passwords beginning or ending with
// blanks or quotes come back unchanged and files written elsewhere read the same.
namespace zv::keyfile {

// The key file's name inside a locked folder.
inline constexpr std::string_view kFileName = "IniKey";

// False for a password that one INI line cannot hold (line breaks, NUL).
bool canStore(std::string_view password);

// The complete text of a key file holding the password.
std::string render(std::string_view password);

// The password stored in key file text; empty when the section or the entry is missing.
std::string parse(std::string_view text);

// Write a key file holding the password, durably and never half written.
// False when the password cannot be stored or the file cannot be written;
// then nothing is left behind.
bool write(const std::string& path, std::string_view password);

// The stored password: empty when there is no file at all, nullopt when a file
// is there but cannot be read.
std::optional<std::string> readPassword(const std::string& path);

}  // namespace zv::keyfile
