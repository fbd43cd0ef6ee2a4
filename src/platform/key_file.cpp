#include "platform/key_file.h"

#include "platform/file_system.h"
#include "platform/secure_wipe.h"

namespace zv::keyfile {
namespace {

constexpr std::string_view kSection = "key";
constexpr std::string_view kEntry = "pass";
// Windows programs write CRLF; the reader below takes any line ending.
constexpr std::string_view kNewline = "\r\n";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// Section and entry names compare without regard to ASCII letter case, as on Windows.
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Line breaks, blanks, quotes and '=' are never part of a CP936 double-byte
// character, so the text can be scanned byte by byte. ('[' and ']' can be trail
// bytes, but a line never starts with one, and section names are compared whole.)
std::string_view nextLine(std::string_view& text) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos) {
        text = {};
    } else {
        text.remove_prefix(end + 1);
    }
    return line;
}

}  // namespace

bool canStore(std::string_view password) {
    return password.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::string render(std::string_view password) {
    std::string text;
    text.append("[").append(kSection).append("]").append(kNewline);
    text.append(kEntry).append("=\"").append(password).append("\"").append(kNewline);
    return text;
}

std::string parse(std::string_view text) {
    bool inSection = false;
    while (!text.empty()) {
        const std::string_view line = trimBlanks(nextLine(text));
        if (!line.empty() && line.front() == '[') {
            const std::size_t close = line.find(']');
            inSection = close != std::string_view::npos &&
                        sameName(trimBlanks(line.substr(1, close - 1)), kSection);
            continue;
        }
        const std::size_t eq = line.find('=');
        if (inSection && eq != std::string_view::npos &&
            sameName(trimBlanks(line.substr(0, eq)), kEntry)) {
            return std::string(unquote(trimBlanks(line.substr(eq + 1))));
        }
    }
    return {};
}

std::optional<std::string> readPassword(const std::string& path) {
    std::optional<std::string> text = fs::readWhole(path);
    if (!text) {
        if (fs::exists(path)) {
            return std::nullopt;
        }
        return std::string();
    }
    const WipeOnExit wipeText(*text);
    return parse(*text);
}

}  // namespace zv::keyfile
