#include "disk_tree.h"

#include <filesystem>
#include <stdexcept>

#include "support/file_helpers.h"

namespace zv::test {

namespace stdfs = std::filesystem;

Tree treeOf(const std::string& root) {
    Tree tree;
    for (const auto& entry : stdfs::recursive_directory_iterator(root)) {
        const std::string rel = stdfs::relative(entry.path(), root).string();
        if (entry.is_symlink()) {
            tree[rel] = "-> " + stdfs::read_symlink(entry.path()).string();
        } else if (entry.is_directory()) {
            tree[rel] = kFolder;
        } else if (entry.is_regular_file()) {
            tree[rel] = readFile(entry.path().string());
        } else {
            tree[rel] = "<special>";
        }
    }
    return tree;
}

void writeTree(const std::string& root, const Tree& tree) {
    // Map order puts a folder before its entries ("a" < "a/b").
    for (const auto& [rel, content] : tree) {
        const std::string path = root + "/" + rel;
        if (content == kFolder) {
            stdfs::create_directories(path);
        } else {
            stdfs::create_directories(stdfs::path(path).parent_path());
            writeFile(path, content);
        }
    }
}

Tree placed(const std::string& prefix, const Tree& tree) {
    Tree out{{prefix, kFolder}};
    for (const auto& [rel, content] : tree) {
        out[prefix + "/" + rel] = content;
    }
    return out;
}

Tree merged(Tree a, const Tree& b) {
    for (const auto& [rel, content] : b) {
        const auto [it, added] = a.emplace(rel, content);
        if (!added && it->second != content) {
            throw std::logic_error("two contents for one entry in a test tree: " + rel);
        }
    }
    return a;
}

Tree sampleContent(std::uint32_t seed) {
    return {
        {"notes.txt", "notes " + std::to_string(seed) + "\n"},
        {"sub", kFolder},
        {"sub/data.bin", randomBytes(5000 + seed, seed)},
        {"sub/empty", kFolder},
    };
}

}  // namespace zv::test
