#pragma once

#include <functional>
#include <optional>
#include <string>

namespace zv::app {

// Looks up an environment variable; nullptr when it is not set.
using EnvLookup = std::function<const char*(const char*)>;

// The one line to print instead of starting the window when there is no display
// to show it on (no X11 or Wayland display, and no Qt platform chosen by hand);
// nullopt when the window can start.
std::optional<std::string> noDisplayMessage(const EnvLookup& env);

}  // namespace zv::app
