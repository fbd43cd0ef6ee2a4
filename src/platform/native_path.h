#pragma once

#include <filesystem>
#include <string>

// Paths for code that hands them to std::filesystem or the C++ file streams
// (the tests and tools); the core itself goes through file_system.h.
namespace zv {

// The path as the system's own file calls take it. On Windows this is the
// verbatim wide form of the UTF-8 path (see file_system.h), so that names
// ending in dots and paths past 260 characters work there too; elsewhere the
// bytes as they are.
std::filesystem::path nativePath(const std::string& path);

// A path from std::filesystem as the core spells paths: UTF-8 without the
// verbatim prefix on Windows, the bytes as they are elsewhere.
std::string pathText(const std::filesystem::path& path);

}  // namespace zv
