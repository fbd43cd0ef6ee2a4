#pragma once

#include <string>
#include <vector>

// Walking folders in tests. The platform's own calls do it: on Windows,
// std::filesystem cannot open folders whose names end in dots (the vault
// "...", a decoy) nor paths past 260 characters.
namespace zv::test {

// The names in a folder, hidden ones included, in no particular order.
// Throws when the folder cannot be read: a test must not pass on an empty list.
std::vector<std::string> namesIn(const std::string& folder);

// Remove a folder with everything in it, whatever permissions or read-only
// marks the tests left behind. Best effort: never throws.
void removeTree(const std::string& folder);

}  // namespace zv::test
