#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace zv::test {

// Everything under a folder: relative path -> file bytes, kFolder for a folder,
// "-> target" for a link. Comparing two of these checks names and content at once.
using Tree = std::map<std::string, std::string>;
inline const std::string kFolder = "<folder>";

Tree treeOf(const std::string& root);

// Create the entries of a tree under root (folders before what they hold).
void writeTree(const std::string& root, const Tree& tree);

// The tree placed under a folder named prefix: the folder itself and its entries.
Tree placed(const std::string& prefix, const Tree& tree);

// a and b together; an entry in both must be the same in both.
Tree merged(Tree a, const Tree& b);

// A small folder content: text, binary bytes, a subfolder and an empty subfolder.
Tree sampleContent(std::uint32_t seed);

}  // namespace zv::test
