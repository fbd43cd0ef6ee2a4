#include "platform/path_pieces.h"
#include "platform/vault_names.h"

// POSIX keeps every name exactly as written, so the names are the plain strings.
namespace zv::vault {

std::string vaultPath(std::string_view parent) {
    return joinPath(parent, "...");
}

std::string decoyPath(std::string_view folder) {
    return std::string(folder) + ".";
}

bool looksLikeDecoy(std::string_view path) {
    return !path.empty() && path.back() == '.';
}

std::string lockedNameOf(std::string_view decoyName) {
    return std::string(decoyName.substr(0, decoyName.empty() ? 0 : decoyName.size() - 1));
}

}  // namespace zv::vault
