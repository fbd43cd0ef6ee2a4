#include "platform/terminal.h"
#include "platform/win_io.h"

namespace zv::term {
namespace {

// The console itself, wherever standard input and output point.
win::Handle openConsole(const wchar_t* name) {
    return win::Handle(::CreateFileW(name, GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                     nullptr));
}

void write(HANDLE out, std::string_view text) {
    const std::wstring wide = win::toWide(text).value_or(std::wstring());
    DWORD written = 0;
    ::WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

std::optional<std::string> readFromConsole(std::string_view prompt, bool echo) {
    const win::Handle in = openConsole(L"CONIN$");
    const win::Handle out = openConsole(L"CONOUT$");
    DWORD saved = 0;
    if (!in.valid() || !out.valid() || !::GetConsoleMode(in.get(), &saved)) {
        return std::nullopt;
    }
    write(out.get(), prompt);
    DWORD mode = saved | ENABLE_LINE_INPUT | ENABLE_PROCESSED_INPUT;
    if (echo) {
        mode |= ENABLE_ECHO_INPUT;
    } else {
        mode &= ~static_cast<DWORD>(ENABLE_ECHO_INPUT);
    }
    ::SetConsoleMode(in.get(), mode);
    std::wstring line;
    bool gotAny = false;
    for (;;) {
        wchar_t c = 0;
        DWORD n = 0;
        if (!::ReadConsoleW(in.get(), &c, 1, &n, nullptr) || n == 0 || c == L'\n') {
            gotAny = gotAny || n > 0;
            break;
        }
        gotAny = true;
        line += c;
    }
    ::SetConsoleMode(in.get(), saved);
    if (!echo) {
        write(out.get(), "\r\n");  // the Enter key was not echoed either
    }
    if (!gotAny) {
        return std::nullopt;  // end of input: nobody answered
    }
    if (!line.empty() && line.back() == L'\r') {
        line.pop_back();
    }
    return win::toUtf8(line);
}

}  // namespace

bool stderrIsTerminal() {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

int stderrColumns() {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (::GetConsoleScreenBufferInfo(::GetStdHandle(STD_ERROR_HANDLE), &info)) {
        const int columns = info.srWindow.Right - info.srWindow.Left + 1;
        if (columns > 0) {
            return columns;
        }
    }
    return 80;
}

std::optional<std::string> readHidden(std::string_view prompt) {
    return readFromConsole(prompt, false);
}

std::optional<std::string> readLine(std::string_view prompt) {
    return readFromConsole(prompt, true);
}

}  // namespace zv::term
