#include <iconv.h>

#include <cerrno>
#include <vector>

#include "platform/code_page.h"
#include "platform/secure_wipe.h"

namespace zv {
namespace {

std::optional<std::string> convert(const char* to, const char* from, std::string_view in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string out;
    std::vector<char> chunk(4 * in.size() + 16);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = chunk.data();
        std::size_t outLeft = chunk.size();
        const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(chunk.data(), chunk.size() - outLeft);
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            ok = false;  // EILSEQ or EINVAL: a character without a counterpart
            break;
        }
        if (rc != static_cast<std::size_t>(-1) && rc > 0) {
            ok = false;  // irreversible conversions mean a substitute was used
            break;
        }
    }
    iconv_close(cd);
    // What passes through here is usually a password.
    wipe(chunk);
    if (!ok) {
        wipe(out);
        return std::nullopt;
    }
    return out;
}

}  // namespace

std::optional<std::string> utf8ToCp936(std::string_view utf8) {
    return convert("CP936", "UTF-8", utf8);
}

std::optional<std::string> cp936ToUtf8(std::string_view cp936) {
    return convert("UTF-8", "CP936", cp936);
}

}  // namespace zv
