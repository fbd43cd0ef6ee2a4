#include <climits>

#include "platform/code_page.h"
#include "platform/win_io.h"

namespace zv {
namespace {

constexpr UINT kCp936 = 936;

}  // namespace

std::optional<std::string> utf8ToCp936(std::string_view utf8) {
    const std::optional<std::wstring> wide = win::toWide(utf8);
    if (!wide || wide->size() > INT_MAX) {
        return std::nullopt;
    }
    if (wide->empty()) {
        return std::string();
    }
    const int size = static_cast<int>(wide->size());
    // No best fit ("ｱ" must not become "ア") and no default character: a
    // character without a CP936 form is an error, never a "?".
    BOOL defaulted = FALSE;
    const int n = ::WideCharToMultiByte(kCp936, WC_NO_BEST_FIT_CHARS, wide->data(), size, nullptr,
                                        0, nullptr, &defaulted);
    if (n <= 0 || defaulted) {
        return std::nullopt;
    }
    std::string out(static_cast<std::size_t>(n), '\0');
    if (::WideCharToMultiByte(kCp936, WC_NO_BEST_FIT_CHARS, wide->data(), size, out.data(), n,
                              nullptr, &defaulted) != n ||
        defaulted) {
        return std::nullopt;
    }
    return out;
}

std::optional<std::string> cp936ToUtf8(std::string_view cp936) {
    if (cp936.empty()) {
        return std::string();
    }
    if (cp936.size() > INT_MAX) {
        return std::nullopt;
    }
    const int size = static_cast<int>(cp936.size());
    const int n =
        ::MultiByteToWideChar(kCp936, MB_ERR_INVALID_CHARS, cp936.data(), size, nullptr, 0);
    if (n <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    if (::MultiByteToWideChar(kCp936, MB_ERR_INVALID_CHARS, cp936.data(), size, wide.data(), n) !=
        n) {
        return std::nullopt;
    }
    return win::toUtf8(wide);
}

}  // namespace zv
