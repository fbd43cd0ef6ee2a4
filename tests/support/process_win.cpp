#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <thread>

#include "support/process.h"

namespace zv::test {
namespace {

std::wstring widen(const std::string& utf8) {
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

// One argument as the C runtime's parser reads it back: in quotes, with the
// backslashes before a quote (and before the closing quote) doubled.
std::wstring quoted(const std::wstring& arg) {
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, L'\\');
    return out + L"\"";
}

// Text output as on POSIX: Windows programs end their lines with CRLF.
std::string withoutCr(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

std::string drain(HANDLE from) {
    std::string out;
    char buf[4096];
    DWORD n = 0;
    while (::ReadFile(from, buf, sizeof buf, &n, nullptr) && n > 0) {
        out.append(buf, n);
    }
    return out;
}

struct Pipe {
    HANDLE read = nullptr;
    HANDLE write = nullptr;
};

// A pipe whose `childEnd` the child inherits.
Pipe makePipe(bool childReads) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    Pipe p;
    if (!::CreatePipe(&p.read, &p.write, &inherit, 0)) {
        throw std::runtime_error("CreatePipe failed");
    }
    ::SetHandleInformation(childReads ? p.write : p.read, HANDLE_FLAG_INHERIT, 0);
    return p;
}

}  // namespace

ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& input) {
    std::wstring commandLine;
    for (const std::string& arg : argv) {
        std::wstring wide = widen(arg);
        if (&arg == &argv.front()) {
            std::replace(wide.begin(), wide.end(), L'/', L'\\');
        }
        commandLine += (commandLine.empty() ? L"" : L" ") + quoted(wide);
    }
    Pipe in = makePipe(true);
    Pipe out = makePipe(false);
    Pipe err = makePipe(false);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in.read;
    startup.hStdOutput = out.write;
    startup.hStdError = err.write;
    PROCESS_INFORMATION process{};
    // DETACHED_PROCESS: no console, so a program that would ask the user on
    // the console finds none, as a child without a terminal on POSIX.
    const BOOL started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                          DETACHED_PROCESS | CREATE_UNICODE_ENVIRONMENT, nullptr,
                                          nullptr, &startup, &process);
    for (HANDLE childEnd : {in.read, out.write, err.write}) {
        ::CloseHandle(childEnd);
    }
    if (!started) {
        for (HANDLE ours : {in.write, out.read, err.read}) {
            ::CloseHandle(ours);
        }
        throw std::runtime_error("CreateProcess failed");
    }
    std::thread feeder([&] {
        DWORD written = 0;
        if (!input.empty()) {
            ::WriteFile(in.write, input.data(), static_cast<DWORD>(input.size()), &written,
                        nullptr);
        }
        ::CloseHandle(in.write);
    });
    std::string errText;
    std::thread errReader([&] { errText = drain(err.read); });
    ProcessResult result;
    result.out = withoutCr(drain(out.read));
    feeder.join();
    errReader.join();
    result.err = withoutCr(errText);
    ::CloseHandle(out.read);
    ::CloseHandle(err.read);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    result.exitCode = ::GetExitCodeProcess(process.hProcess, &code) ? static_cast<int>(code) : -1;
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    return result;
}

}  // namespace zv::test
