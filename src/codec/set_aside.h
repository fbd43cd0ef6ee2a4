#pragma once

#include <cstdint>
#include <string>

#include "platform/stream_file.h"

namespace zv {

// The file steps of the streaming codec for one item: move it aside to its
// base name + ".zv", write a new file under its own name, and then either
// delete the aside copy or put the item back.
class SetAside {
  public:
    // Links are followed: the file they name is what gets rewritten, and the
    // link stays a link.
    explicit SetAside(const std::string& item);

    // Rename the item to its aside name and open it there exclusively. The
    // rename never replaces anything: a taken aside name (the item's own when
    // it already ends in ".zv") or a read-only item refuses before any change.
    // On false, restore() undoes whatever part was done.
    bool begin();

    // Create the new, empty file under the item's name.
    bool createTarget();

    fs::StreamFile& source() { return source_; }
    fs::StreamFile& target() { return target_; }
    const std::string& asidePath() const { return aside_; }

    // Put the item back as it was: drop the partial new file and rename the
    // aside copy back. False when that failed; the content is then still
    // under asidePath(). Harmless when nothing was changed.
    bool restore();

    enum class Completion {
        Done,       // the new file is in place, the aside copy deleted
        AsideKept,  // the new file is in place, but the aside copy could not be deleted
        Failed,     // the new file could not be completed; restore() next
    };
    // The new file holds `size` bytes: make it durable with the item's
    // permissions, and only then delete the aside copy.
    Completion complete(std::int64_t size);

  private:
    std::string path_;
    std::string aside_;
    fs::StreamFile source_;
    fs::StreamFile target_;
    bool movedAside_ = false;
    bool targetCreated_ = false;
};

}  // namespace zv
