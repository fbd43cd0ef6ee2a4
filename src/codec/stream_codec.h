#pragma once

#include "platform/action_context.h"

namespace zv {

// The streaming codec for large files: the item is renamed aside (same folder,
// base name + ".zv"), streamed into a new file under its own name, and the
// aside copy deleted at the end; every refusal or failure puts it back.
// The item is ctx.CurrentItemPath, the password ctx.password.
// File_add returns StopBatch when the user answers No to "already encrypted,
// go on with the other files?".
ItemResult File_add(ActionContext& ctx);
ItemResult File_sub(ActionContext& ctx);

}  // namespace zv
