#pragma once

#include <string>

namespace zv {

// A folder the lock must never move away: the user's desktop or home folder,
// or the root of a drive (of the file system, on POSIX).
struct SystemFolder {
    enum class Kind { None, Desktop, DriveRoot };
    Kind kind = Kind::None;
    // For a drive root, how the refusal names the drive: its letter ("D"), or
    // "/" for the POSIX file-system root, which has none.
    std::string drive;
};

// Which system folder the path names. On POSIX the desktop is what
// `xdg-user-dir DESKTOP` prints (else $HOME/Desktop) and the home folder is
// $HOME (else the account's home); both follow the environment as it is at
// the call. Spellings of one folder (trailing separators, links) count as the folder.
SystemFolder systemFolderOf(const std::string& path);

}  // namespace zv
