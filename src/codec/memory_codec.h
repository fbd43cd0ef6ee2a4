#pragma once

#include "platform/action_context.h"

namespace zv {

// The codec for files of up to 10 MiB (once built around one whole-file
// buffer, hence its name): the first 1,200,000 content bytes are transformed,
// and the result replaces the file under the same name in one rename, never
// half written. It passes through memory a piece at a time. The item is
// ctx.CurrentItemPath, the password ctx.password.
ItemResult Memory_add(ActionContext& ctx);
ItemResult Memory_sub(ActionContext& ctx);

}  // namespace zv
