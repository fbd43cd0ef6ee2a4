#include "platform/key_file.h"
#include "platform/win_io.h"

namespace zv::keyfile {

bool write(const std::string& path, std::string_view password) {
    const std::wstring target = win::longPath(path);
    if (!canStore(password) || target.empty()) {
        return false;
    }
    const std::string text = render(password);
    // Written beside the key file and moved over it, so that it is never half written.
    win::TempFile temp(win::parentOf(target));
    return temp.valid() && win::writeAll(temp.handle(), text.data(), text.size()) &&
           temp.commitAs(target);
}

}  // namespace zv::keyfile
