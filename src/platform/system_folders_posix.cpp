#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/path_pieces.h"
#include "platform/posix_io.h"
#include "platform/system_folders.h"

namespace zv {
namespace {

std::string normalized(const std::string& path) {
    std::string s = std::filesystem::path(path).lexically_normal().string();
    while (s.size() > 1 && s.back() == '/') {
        s.pop_back();
    }
    return s;
}

// One folder under two spellings: equal once normalized, or the same inode.
bool samePlace(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) {
        return false;
    }
    if (normalized(a) == normalized(b)) {
        return true;
    }
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return home;
    }
    const passwd* pw = ::getpwuid(::geteuid());
    return pw != nullptr && pw->pw_dir != nullptr ? pw->pw_dir : "";
}

// The standard output of a program found on PATH, when it runs and succeeds.
std::optional<std::string> outputOf(const char* program, const char* argument) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    posix::Fd readEnd(fds[0]);
    posix::Fd writeEnd(fds[1]);
    posix_spawn_file_actions_t actions;
    if (::posix_spawn_file_actions_init(&actions) != 0) {
        return std::nullopt;
    }
    ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions, writeEnd.get(), 1);
    ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(program), const_cast<char*>(argument), nullptr};
    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, program, &actions, nullptr, argv, environ);
    ::posix_spawn_file_actions_destroy(&actions);
    writeEnd.reset();
    if (rc != 0) {
        return std::nullopt;
    }
    std::string out;
    char buf[512];
    for (;;) {
        const ssize_t n = ::read(readEnd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        out.append(buf, static_cast<std::size_t>(n));
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return std::nullopt;
        }
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    return out;
}

std::string desktopFolder(const std::string& home) {
    // xdg-user-dir knows the user's own (often translated) desktop name; it
    // needs HOME to find it.
    const char* homeVar = std::getenv("HOME");
    if (homeVar != nullptr && *homeVar != '\0') {
        if (std::optional<std::string> out = outputOf("xdg-user-dir", "DESKTOP")) {
            while (!out->empty() && out->back() == '\n') {
                out->pop_back();
            }
            if (!out->empty() && out->front() == '/') {
                return *out;
            }
        }
    }
    return home.empty() ? std::string() : joinPath(home, "Desktop");
}

}  // namespace

SystemFolder systemFolderOf(const std::string& path) {
    if (samePlace(path, "/")) {
        return {SystemFolder::Kind::DriveRoot, "/"};
    }
    const std::string home = homeFolder();
    if (samePlace(path, home) || samePlace(path, desktopFolder(home))) {
        return {SystemFolder::Kind::Desktop, {}};
    }
    return {};
}

}  // namespace zv
