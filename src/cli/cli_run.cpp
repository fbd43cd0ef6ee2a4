#include "cli/cli_run.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>

#include "batch/batch.h"
#include "cli/cli_options.h"
#include "cli/cli_ui.h"
#include "platform/native_path.h"
#include "platform/path_pieces.h"
#include "platform/secure_wipe.h"
#include "platform/terminal.h"

namespace zv::cli {
namespace {

constexpr int kAllDone = 0;
constexpr int kSomeNotDone = 1;
constexpr int kUsageError = 2;

int usageError(const std::string& reason) {
    std::fprintf(stderr, "zvcrypt-cli: %s\n\n%s", reason.c_str(), kUsage);
    return kUsageError;
}

// The first line of the file (or standard input), without its line ending.
std::optional<std::string> readPasswordFile(const std::string& name) {
    std::string line;
    if (name == "-") {
        if (!std::getline(std::cin, line) && line.empty()) {
            return std::nullopt;
        }
    } else {
        std::ifstream in(nativePath(name), std::ios::binary);  // a UTF-8 name on Windows too
        if (!in || (!std::getline(in, line) && line.empty())) {
            return std::nullopt;
        }
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

struct Passwords {
    std::string first, second;
};

std::optional<Passwords> readPasswords(const Options& options, std::string& error) {
    if (options.noPassword) {
        return Passwords{};
    }
    if (options.passwordFile) {
        std::optional<std::string> pw = readPasswordFile(*options.passwordFile);
        if (!pw) {
            error = "cannot read a password from " + *options.passwordFile;
            return std::nullopt;
        }
        const WipeOnExit wipePassword(*pw);
        return Passwords{*pw, *pw};
    }
    std::optional<std::string> first = term::readHidden("密码：");
    if (!first) {
        error = "no terminal to ask the password on: use --password-file or --no-password";
        return std::nullopt;
    }
    const WipeOnExit wipeFirst(*first);
    if (options.command == Command::Decrypt) {
        return Passwords{*first, {}};
    }
    std::optional<std::string> second = term::readHidden("确认密码：");
    if (!second) {
        error = "no terminal to ask the password on: use --password-file or --no-password";
        return std::nullopt;
    }
    const WipeOnExit wipeSecond(*second);
    return Passwords{*first, *second};
}

}  // namespace

int run(const std::vector<std::string>& args) {
    std::string error;
    const std::optional<Options> options = parseOptions(args, error);
    if (!options) {
        return usageError(error);
    }
    if (options->command == Command::Help) {
        std::fputs(kUsage, stdout);
        return kAllDone;
    }
    if (options->command == Command::Version) {
        std::printf("zvcrypt-cli %s\n", ZV_VERSION);
        return kAllDone;
    }
    std::optional<Passwords> passwords = readPasswords(*options, error);
    if (!passwords) {
        return usageError(error);
    }

    BatchInput input{options->paths, std::move(passwords->first), std::move(passwords->second),
                     nameOf(options->paths.back())};
    CliUi ui(options->yes);
    const BatchOutcome outcome =
        options->command == Command::Encrypt ? ImagADDClick(ui, input) : ImageUbbClick(ui, input);
    for (std::string* password :
         {&input.password, &input.password2, &passwords->first, &passwords->second}) {
        wipe(*password);
    }
    if (!outcome.reset) {
        return kUsageError;
    }
    const bool allDone = outcome.results.size() == options->paths.size() &&
                         std::all_of(outcome.results.begin(), outcome.results.end(),
                                     [](ItemResult r) { return r == ItemResult::Done; });
    return allDone ? kAllDone : kSomeNotDone;
}

}  // namespace zv::cli
