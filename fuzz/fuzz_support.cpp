#include "fuzz_support.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zv::fuzz {
namespace {

namespace stdfs = std::filesystem;

std::string makeScratch() {
    std::error_code ec;
    const stdfs::path base = stdfs::is_directory("/dev/shm", ec) && ::access("/dev/shm", W_OK) == 0
                                 ? stdfs::path("/dev/shm")
                                 : stdfs::temp_directory_path();
    std::string pattern = (base / "zvfuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        fail("cannot make a scratch folder");
    }
    return pattern;
}

struct Scratch {
    std::string path = makeScratch();
    ~Scratch() {
        std::error_code ec;
        stdfs::remove_all(path, ec);
    }
};

}  // namespace

const std::string& scratchFolder() {
    static const Scratch scratch;
    return scratch.path;
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    require(static_cast<bool>(out), "cannot write a fixture file");
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    require(static_cast<bool>(in), "cannot read a file back");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> listFolder(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : stdfs::directory_iterator(path)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

}  // namespace zv::fuzz
