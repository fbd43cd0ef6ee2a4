#include "codec/memory_codec.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string>

#include "codec/codec_messages.h"
#include "codec/format.h"
#include "codec/read_start.h"
#include "platform/file_facts.h"
#include "platform/file_system.h"
#include "platform/path_pieces.h"
#include "platform/stray_files.h"
#include "platform/stream_file.h"

namespace zv {
namespace {

using format::HeaderOutcome;
using Transform = void (*)(const char*, char*, std::size_t, std::uint8_t);

// The content goes from the file to its new copy in pieces of this size: a
// whole-file buffer costs as much time again as the copy itself in faulting
// its pages in, and memory as large as the file.
constexpr std::int64_t kPiece = 1024 * 1024;

// Hand `length` bytes of `source` from `from` on to `write`, the first
// 1,200,000 of them passed through `transform`.
bool copyTransformed(const fs::StreamFile& source, std::int64_t from, std::int64_t length,
                     std::uint8_t key, Transform transform, const fs::ContentWriter& write) {
    std::string piece(static_cast<std::size_t>(std::min(length, kPiece)), '\0');
    for (std::int64_t done = 0; done < length;) {
        const std::int64_t n = std::min(length - done, kPiece);
        if (!source.readAt(from + done, piece.data(), n)) {
            return false;
        }
        const std::int64_t prefix =
            std::clamp<std::int64_t>(format::kMemoryPrefixLimit - done, 0, n);
        transform(piece.data(), piece.data(), static_cast<std::size_t>(prefix), key);
        if (!write(piece.data(), static_cast<std::size_t>(n))) {
            return false;
        }
        done += n;
    }
    return true;
}

// Replace the item with the header and its transformed content. The source is
// closed before the replacement: some systems refuse to replace an open file.
bool rewrite(const std::string& path, fs::StreamFile& source, std::string_view head,
             std::int64_t from, std::int64_t length, std::uint8_t key, Transform transform) {
    return fs::rewriteContent(path, [&](const fs::ContentWriter& write) {
        const bool written = write(head.data(), head.size()) &&
                             copyTransformed(source, from, length, key, transform, write);
        return source.close() && written;
    });
}

ItemResult encode(ActionContext& ctx, const std::string& name) {
    // Encrypting one name of a file with several would leave the others plain.
    if (fs::hardLinkCount(ctx.CurrentItemPath) > 1) {
        return ctx.refuse(msg::hasOtherNames(name));
    }
    fs::StreamFile source = fs::StreamFile::openExclusive(ctx.CurrentItemPath);
    const std::int64_t size = source.valid() ? source.size() : -1;
    const std::optional<std::string> start =
        size < 0 ? std::nullopt : readStart(source, format::kMagic.size());
    if (!start) {
        return ItemResult::Failed;
    }
    if (format::isEncrypted(*start)) {
        return ctx.refuse(msg::alreadyEncrypted(name));
    }
    if (!format::canStorePassword(ctx.password)) {
        return ctx.refuse(msg::kPasswordNotStorable);
    }
    if (!format::canStoreContent(ctx.password, *start)) {
        return ctx.refuse(msg::needsPassword(name));
    }
    const std::string head = format::header(ctx.password);
    // The new content goes to a copy beside the file before it replaces it.
    const auto needed = static_cast<std::int64_t>(head.size()) + size;
    if (!fs::hasRoomFor(ctx.CurrentItemPath, needed)) {
        return ctx.refuse(msg::noRoomToEncrypt(name, needed));
    }
    ctx.ui.showBusy();
    return rewrite(ctx.CurrentItemPath, source, head, 0, size, format::contentKey(ctx.password),
                   format::encodeBytes)
               ? ItemResult::Done
               : ItemResult::Failed;
}

ItemResult decode(ActionContext& ctx, const std::string& name) {
    fs::StreamFile source = fs::StreamFile::openExclusive(ctx.CurrentItemPath);
    const std::int64_t size = source.valid() ? source.size() : -1;
    const std::optional<std::string> start =
        size < 0 ? std::nullopt : readStart(source, format::headerCheckLength(ctx.password));
    if (!start) {
        return ItemResult::Failed;
    }
    const format::HeaderCheck check = format::checkHeader(*start, ctx.password);
    switch (check.outcome) {
        case HeaderOutcome::NotEncrypted:
            return ctx.refuse(msg::notEncrypted(name), kTitleCannotDecrypt);
        case HeaderOutcome::PasswordGivenNoneStored:
            ctx.ui.messageBox(msg::kPasswordWrong, kTitleCannotDecrypt, Buttons::Ok);
            return ctx.refuse(msg::cannotDecrypt(name), kTitleCannotDecrypt);
        case HeaderOutcome::PasswordNeeded:
            return ctx.refuse(msg::passwordNeeded(name), kTitleCannotDecrypt);
        case HeaderOutcome::WrongPassword:
            return ctx.refuse(msg::wrongPassword(name));
        case HeaderOutcome::Decode:
            break;
    }
    const std::int64_t needed = size - check.bodyOffset;
    if (!fs::hasRoomFor(ctx.CurrentItemPath, needed)) {
        return ctx.refuse(msg::noRoomToDecrypt(name, needed));
    }
    ctx.ui.showBusy();
    return rewrite(ctx.CurrentItemPath, source, {}, check.bodyOffset, needed, check.key,
                   format::decodeBytes)
               ? ItemResult::Done
               : ItemResult::Failed;
}

}  // namespace

ItemResult Memory_add(ActionContext& ctx) {
    const std::string path = ctx.CurrentItemPath;
    ItemResult result = ItemResult::Failed;
    try {
        result = encode(ctx, nameOf(path));
    } catch (const std::exception&) {
        result = ItemResult::Failed;  // out of memory, most likely
    }
    if (result == ItemResult::Failed) {
        ctx.fail(msg::encryptFailed(baseNameOf(path)));
        fs::reportStrayFiles(ctx.ui);
    }
    return result;
}

ItemResult Memory_sub(ActionContext& ctx) {
    const std::string path = ctx.CurrentItemPath;
    ItemResult result = ItemResult::Failed;
    try {
        result = decode(ctx, nameOf(path));
    } catch (const std::exception&) {
        result = ItemResult::Failed;
    }
    if (result == ItemResult::Failed) {
        ctx.fail(msg::memoryDecryptFailed(nameOf(path)));
        fs::reportStrayFiles(ctx.ui);
    }
    return result;
}

}  // namespace zv
