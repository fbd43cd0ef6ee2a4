#include "app/display_check.h"

namespace zv::app {

std::optional<std::string> noDisplayMessage(const EnvLookup& env) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = env(name);
        if (value != nullptr && *value != '\0') {
            return std::nullopt;
        }
    }
    return "zvcrypt: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are unset); "
           "run it from a desktop session, or run scripts/screenshot from the source tree to "
           "get a picture of the window.";
}

}  // namespace zv::app
