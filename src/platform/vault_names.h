#pragma once

#include <string>
#include <string_view>

// The names a folder lock gives on disk. A locked folder lives in its parent's
// vault, a folder literally named "...", and an empty decoy named after the
// folder with one trailing character stands in its place. Names that end in
// dots need the platform's care (Windows drops trailing dots unless asked not
// to), so every such name is formed here and nowhere else.
namespace zv::vault {

// The vault of a parent folder.
std::string vaultPath(std::string_view parent);

// The decoy left in place of the locked folder at `folder`.
std::string decoyPath(std::string_view folder);

// True when the path ends like a decoy (or like the vault itself): such a
// folder must not be locked again.
bool looksLikeDecoy(std::string_view path);

// The name of the locked folder behind a decoy selected under `decoyName`: the
// decoy's name less its one trailing character (empty for an empty name).
std::string lockedNameOf(std::string_view decoyName);

}  // namespace zv::vault
