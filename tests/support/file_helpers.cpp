#include "support/file_helpers.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "platform/native_path.h"
#include "support/file_tree.h"

namespace zv::test {

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(nativePath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string readFile(const std::string& path) {
    std::ifstream in(nativePath(path), std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string randomBytes(std::size_t n, std::uint32_t seed) {
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char& c : s) {
        c = static_cast<char>(gen() & 0xFF);
    }
    return s;
}

std::vector<std::string> listFolder(const std::string& path) {
    std::vector<std::string> names = namesIn(path);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace zv::test
