#include "support/unprivileged.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

namespace zv::test {
namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

}  // namespace

void giveToUnprivileged(const std::string& path) {
    if (::geteuid() != 0) {
        return;
    }
    if (::lchown(path.c_str(), kNobody, kNogroup) != 0) {
        throw std::runtime_error("chown failed: " + path);
    }
    if (std::filesystem::is_directory(std::filesystem::symlink_status(path))) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
            if (::lchown(entry.path().c_str(), kNobody, kNogroup) != 0) {
                throw std::runtime_error("chown failed: " + entry.path().string());
            }
        }
    }
}

std::string runInChild(const std::function<std::string()>& fn) {
    int fds[2];
    if (::pipe(fds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        ::close(fds[0]);
        const std::string out = fn();
        const char* p = out.data();
        std::size_t left = out.size();
        while (left > 0) {
            const ssize_t n = ::write(fds[1], p, left);
            if (n <= 0) {
                ::_exit(4);
            }
            p += n;
            left -= static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string out;
    char buf[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buf, sizeof buf)) > 0) {
        out.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("child process failed");
    }
    return out;
}

std::string runUnprivileged(const std::function<std::string()>& fn) {
    return runInChild([&] {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(3);
        }
        return fn();
    });
}

}  // namespace zv::test
