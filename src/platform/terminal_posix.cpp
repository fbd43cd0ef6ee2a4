#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix_io.h"
#include "platform/terminal.h"

namespace zv::term {
namespace {

std::optional<std::string> readFromTty(std::string_view prompt, bool echo) {
    posix::Fd tty(::open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY));
    if (!tty.valid()) {
        return std::nullopt;
    }
    posix::writeAll(tty.get(), prompt.data(), prompt.size());
    termios saved{};
    const bool hide = !echo && ::tcgetattr(tty.get(), &saved) == 0;
    if (hide) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        quiet.c_lflag |= ECHONL;
        ::tcsetattr(tty.get(), TCSAFLUSH, &quiet);
    }
    std::string line;
    bool gotAny = false;
    char c;
    for (;;) {
        const ssize_t n = ::read(tty.get(), &c, 1);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0 || c == '\n') {
            gotAny = gotAny || n > 0;
            break;
        }
        gotAny = true;
        line += c;
    }
    if (hide) {
        ::tcsetattr(tty.get(), TCSAFLUSH, &saved);
    }
    if (!gotAny) {
        return std::nullopt;  // end of input: nobody answered
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

}  // namespace

bool stderrIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

int stderrColumns() {
    winsize ws{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0) {
        return ws.ws_col;
    }
    return 80;
}

std::optional<std::string> readHidden(std::string_view prompt) {
    return readFromTty(prompt, false);
}

std::optional<std::string> readLine(std::string_view prompt) {
    return readFromTty(prompt, true);
}

}  // namespace zv::term
