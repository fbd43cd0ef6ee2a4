#include "cli/cli_options.h"

namespace zv::cli {

const char* const kUsage =
    "用法 Usage: zvcrypt-cli encrypt|decrypt [options] PATH...\n"
    "\n"
    "  encrypt   加密文件或文件夹 (files are rewritten in place, folders locked)\n"
    "  decrypt   解密文件或文件夹 (folders are unlocked by naming their stand-in)\n"
    "\n"
    "Options:\n"
    "  --password-file FILE  read the password from the first line of FILE\n"
    "                        (UTF-8; \"-\" reads standard input)\n"
    "  --no-password         use no password\n"
    "  -y, --yes             answer Yes to every question\n"
    "  -h, --help            show this help\n"
    "  --version             show the version\n"
    "\n"
    "Without --password-file or --no-password the password is asked on the\n"
    "terminal without echo (twice when encrypting). Questions are asked on the\n"
    "terminal and answered No when there is none. Messages go to standard error.\n"
    "\n"
    "Exit status: 0 every item done, 1 an item was refused or failed,\n"
    "2 usage error or nothing was processed.\n";

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error) {
    Options options;
    bool commandSeen = false;
    bool onlyPaths = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!onlyPaths && arg.size() > 1 && arg[0] == '-') {
            if (arg == "--") {
                onlyPaths = true;
            } else if (arg == "-h" || arg == "--help") {
                options.command = Command::Help;
                return options;
            } else if (arg == "--version") {
                options.command = Command::Version;
                return options;
            } else if (arg == "-y" || arg == "--yes") {
                options.yes = true;
            } else if (arg == "--no-password") {
                options.noPassword = true;
            } else if (arg == "--password-file") {
                if (i + 1 >= args.size()) {
                    error = "--password-file needs a file name";
                    return std::nullopt;
                }
                options.passwordFile = args[++i];
            } else if (arg.rfind("--password-file=", 0) == 0) {
                options.passwordFile = arg.substr(16);
            } else {
                error = "unknown option " + arg;
                return std::nullopt;
            }
        } else if (!commandSeen) {
            if (arg == "encrypt") {
                options.command = Command::Encrypt;
            } else if (arg == "decrypt") {
                options.command = Command::Decrypt;
            } else {
                error = "unknown command " + arg;
                return std::nullopt;
            }
            commandSeen = true;
        } else {
            options.paths.push_back(arg);
        }
    }
    if (!commandSeen) {
        error = "missing command: encrypt or decrypt";
        return std::nullopt;
    }
    if (options.paths.empty()) {
        error = "missing PATH";
        return std::nullopt;
    }
    if (options.noPassword && options.passwordFile) {
        error = "--no-password and --password-file exclude each other";
        return std::nullopt;
    }
    return options;
}

}  // namespace zv::cli
