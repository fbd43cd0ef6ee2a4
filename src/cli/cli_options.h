#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zv::cli {

enum class Command { Encrypt, Decrypt, Help, Version };

struct Options {
    Command command = Command::Help;
    std::vector<std::string> paths;
    std::optional<std::string> passwordFile;  // "-" for standard input
    bool noPassword = false;
    bool yes = false;
};

// Parse the arguments after the program name; on a usage error, nullopt and
// the reason in `error`.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const kUsage;

}  // namespace zv::cli
