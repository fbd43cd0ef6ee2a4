#include "platform/program_start.h"
#include "platform/win_io.h"

// win_io.h comes first: the shell's header needs windows.h.
#include <shellapi.h>

#include <cstdlib>

namespace zv {
namespace {

UINT originalOutputCodePage = 0;

}  // namespace

std::vector<std::string> utf8Arguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr) {
        return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    }
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) {
        // Text with no UTF-8 form (a lone surrogate) becomes an empty
        // argument, which names no file.
        args.push_back(win::toUtf8(wide[i]).value_or(std::string()));
    }
    ::LocalFree(wide);
    return args;
}

void useUtf8Console() {
    originalOutputCodePage = ::GetConsoleOutputCP();  // 0 without a console
    if (originalOutputCodePage != 0 && originalOutputCodePage != CP_UTF8 &&
        ::SetConsoleOutputCP(CP_UTF8)) {
        // The console outlives the program: give it back as it was.
        std::atexit([] { ::SetConsoleOutputCP(originalOutputCodePage); });
    }
}

}  // namespace zv
