#include "platform/path_pieces.h"
#include "platform/vault_names.h"

// Win32 drops trailing dots from names, but the file system layer reaches
// every path in its verbatim form (win_io.h), which keeps names as written:
// the vault is a folder named "...", and a decoy "secret." next to "secret".
namespace zv::vault {
namespace {

constexpr char kDecoyMark = '.';

}  // namespace

std::string vaultPath(std::string_view parent) {
    return joinPath(parent, std::string(3, kDecoyMark));
}

std::string decoyPath(std::string_view folder) {
    return std::string(folder) + kDecoyMark;
}

bool looksLikeDecoy(std::string_view path) {
    return path.ends_with(kDecoyMark);
}

std::string lockedNameOf(std::string_view decoyName) {
    return std::string(decoyName.substr(0, decoyName.size() - (decoyName.empty() ? 0 : 1)));
}

}  // namespace zv::vault
