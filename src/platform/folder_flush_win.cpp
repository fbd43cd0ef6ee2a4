#include "platform/folder_flush.h"

namespace zv::fs {

// Nothing is left pending here: replaceContent renames with
// MOVEFILE_WRITE_THROUGH, which returns once the rename is on disk.
bool flushReplacedFolders() {
    return true;
}

}  // namespace zv::fs
