#pragma once

#include <functional>
#include <string>

namespace zv::test {

// Permission tests must see permissions refused, but CI runs as root, which
// ignores them. These helpers run a piece of a test as an ordinary user.

// Hand a file or folder tree to the user that runUnprivileged runs as (a no-op
// when the tests do not run as root).
void giveToUnprivileged(const std::string& path);

// Run fn in a child process and return the text fn returned. Throws when the
// child does not finish normally.
std::string runInChild(const std::function<std::string()>& fn);

// Run fn in a child process that has dropped root (when it had it), and return
// the text fn returned. Throws when the child does not finish normally.
std::string runUnprivileged(const std::function<std::string()>& fn);

}  // namespace zv::test
