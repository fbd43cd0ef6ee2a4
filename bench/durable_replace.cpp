// The durable-replace baseline: the least any program must do to rewrite a
// file so that it is never half written, without transforming anything. For
// each file: read it, write its bytes to a new temporary file beside it, flush
// that to disk and rename it over the file.
//   durable_replace FILE...
// Exits 1 at the first failure, after naming the file.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

namespace {

bool writeAll(int fd, const char* data, std::size_t n) {
    while (n > 0) {
        const ssize_t done = ::write(fd, data, n);
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            return false;
        }
        data += done;
        n -= static_cast<std::size_t>(done);
    }
    return true;
}

bool copyAll(int in, int out, std::vector<char>& buffer) {
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            return true;
        }
        if (!writeAll(out, buffer.data(), static_cast<std::size_t>(n))) {
            return false;
        }
    }
}

bool replaceDurably(const std::string& path, std::vector<char>& buffer) {
    const std::string temp = path + ".durable-tmp";
    const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return false;
    }
    const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        ::close(in);
        return false;
    }
    const bool copied = copyAll(in, out, buffer) && ::fsync(out) == 0;
    ::close(in);
    if (::close(out) != 0 || !copied || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<char> buffer(1024 * 1024);
    for (int i = 1; i < argc; ++i) {
        if (!replaceDurably(argv[i], buffer)) {
            std::perror(argv[i]);
            return 1;
        }
    }
    return 0;
}
