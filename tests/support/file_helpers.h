#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zv::test {

// Write bytes to a file, replacing it. Throws on failure: a test fixture that
// cannot be set up must not pass.
void writeFile(const std::string& path, const std::string& bytes);

// The whole file; throws when it cannot be read.
std::string readFile(const std::string& path);

// n reproducible pseudo-random bytes.
std::string randomBytes(std::size_t n, std::uint32_t seed);

// The names in a folder, sorted (hidden ones included).
std::vector<std::string> listFolder(const std::string& path);

}  // namespace zv::test
