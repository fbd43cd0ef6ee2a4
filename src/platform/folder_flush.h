#pragma once

namespace zv::fs {

// replaceContent makes each file's new content durable before its rename, but
// leaves flushing the folder's entry (the rename itself) to this call, so that
// a batch of small files pays one flush per folder instead of one per file.
// Call it before telling the user the work is done. Until then a crash leaves
// every item either as it was or fully replaced, never half written. False
// when a folder could not be flushed; each folder is flushed once either way.
bool flushReplacedFolders();

}  // namespace zv::fs
