#include "codec/memory_codec.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string>

#include "codec/codec_messages.h"
#include "codec/format.h"
#include "platform/file_facts.h"
#include "platform/file_system.h"
#include "platform/path_pieces.h"
#include "platform/stray_files.h"

namespace zv {
namespace {

using format::HeaderOutcome;
using Transform = void (*)(const char*, char*, std::size_t, std::uint8_t);

// The first `limit` content bytes pass through the transform where they lie:
// a second buffer would double the memory a file needs and cost as much time
// again as reading it.
void transformPrefix(std::string& content, std::uint8_t key, Transform transform) {
    const std::size_t n =
        std::min(content.size(), static_cast<std::size_t>(format::kMemoryPrefixLimit));
    transform(content.data(), content.data(), n, key);
}

ItemResult encode(ActionContext& ctx, const std::string& name) {
    // Encrypting one name of a file with several would leave the others plain.
    if (fs::hardLinkCount(ctx.CurrentItemPath) > 1) {
        return ctx.refuse(msg::hasOtherNames(name));
    }
    std::optional<std::string> source = fs::readWhole(ctx.CurrentItemPath);
    if (!source) {
        return ItemResult::Failed;
    }
    if (format::isEncrypted(*source)) {
        return ctx.refuse(msg::alreadyEncrypted(name));
    }
    if (!format::canStorePassword(ctx.password)) {
        return ctx.refuse(msg::kPasswordNotStorable);
    }
    if (!format::canStoreContent(ctx.password, *source)) {
        return ctx.refuse(msg::needsPassword(name));
    }
    const std::string head = format::header(ctx.password);
    const std::uint8_t key = format::contentKey(ctx.password);
    // The new content goes to a copy beside the file before it replaces it.
    const auto needed = static_cast<std::int64_t>(head.size() + source->size());
    if (!fs::hasRoomFor(ctx.CurrentItemPath, needed)) {
        return ctx.refuse(msg::noRoomToEncrypt(name, needed));
    }
    ctx.ui.showBusy();
    transformPrefix(*source, key, format::encodeBytes);
    // readWhole leaves room behind the content, so the header usually goes in
    // front by moving the bytes within the buffer.
    source->insert(0, head);
    return fs::replaceContent(ctx.CurrentItemPath, *source) ? ItemResult::Done
                                                            : ItemResult::Failed;
}

ItemResult decode(ActionContext& ctx, const std::string& name) {
    std::optional<std::string> source = fs::readWhole(ctx.CurrentItemPath);
    if (!source) {
        return ItemResult::Failed;
    }
    const format::HeaderCheck check = format::checkHeader(*source, ctx.password);
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
    const std::int64_t needed = static_cast<std::int64_t>(source->size()) - check.bodyOffset;
    if (!fs::hasRoomFor(ctx.CurrentItemPath, needed)) {
        return ctx.refuse(msg::noRoomToDecrypt(name, needed));
    }
    ctx.ui.showBusy();
    source->erase(0, static_cast<std::size_t>(check.bodyOffset));
    transformPrefix(*source, check.key, format::decodeBytes);
    return fs::replaceContent(ctx.CurrentItemPath, *source) ? ItemResult::Done
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
