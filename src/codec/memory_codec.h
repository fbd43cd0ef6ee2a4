#pragma once

#include "platform/action_context.h"

namespace zv {

// The in-memory codec for files of up to 10 MiB: the whole file is read, the
// result built in a second buffer and written back in place under the same
// name. The item is ctx.CurrentItemPath, the password ctx.password.
ItemResult Memory_add(ActionContext& ctx);
ItemResult Memory_sub(ActionContext& ctx);

}  // namespace zv
