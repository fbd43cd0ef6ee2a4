#pragma once

#include "platform/action_context.h"

namespace zv {

// Lock the folder at ctx.CurrentItemPath: run the guards (decoy, desktop, drive
// root, "My Documents"), and when they pass, invoke But_bankAdd.
ItemResult lockFolder(ActionContext& ctx);

// The lock proper: move the folder into its parent's vault "...", with the
// password in its key file IniKey, and leave an empty decoy in its place.
ItemResult But_bankAdd(ActionContext& ctx);

// Unlock the folder whose decoy is ctx.CurrentItemPath, checking ctx.password
// against the key file, and move it back.
ItemResult unlockFolder(ActionContext& ctx);

}  // namespace zv
