#include <unistd.h>

#include "platform/key_file.h"
#include "platform/path_pieces.h"
#include "platform/posix_io.h"
#include "platform/secure_wipe.h"

namespace zv::keyfile {

bool write(const std::string& path, std::string_view password) {
    if (!canStore(password)) {
        return false;
    }
    std::string text = render(password);
    const WipeOnExit wipeText(text);
    // The temporary file is owner-only, and so stays the key file: it holds a password.
    posix::TempFile temp(folderOf(path));
    return temp.valid() && posix::writeAll(temp.fd(), text.data(), text.size()) &&
           !posix::injectedFault("fsync") && ::fsync(temp.fd()) == 0 && temp.commitAs(path);
}

}  // namespace zv::keyfile
