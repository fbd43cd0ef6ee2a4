#pragma once

#include <string>
#include <vector>

#include "platform/ui_port.h"

// A temporary file that an operation made and then could not remove after a
// failure (the disk failed, or went read-only, in between). The platform layer
// notes it; the action that reports the failure names it to the user, so that
// nothing is left behind unannounced.
namespace zv::fs {

void noteStrayFile(std::string path);

// The files noted since the last call, oldest first; the list starts afresh.
std::vector<std::string> takeStrayFiles();

// Tell the user about every file noted since the last call, one message each.
void reportStrayFiles(UiPort& ui);

}  // namespace zv::fs
