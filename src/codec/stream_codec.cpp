#include "codec/stream_codec.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string>

#include "codec/codec_messages.h"
#include "codec/format.h"
#include "codec/read_start.h"
#include "codec/set_aside.h"
#include "platform/file_facts.h"
#include "platform/file_system.h"
#include "platform/path_pieces.h"

namespace zv {
namespace {

using format::HeaderOutcome;
using Transform = void (*)(const char*, char*, std::size_t, std::uint8_t);

// Stream `length` content bytes from the source at `from` to the target at
// `to`: the first 512,000 through `transform`, the rest as one block copy.
bool streamContent(ActionContext& ctx, SetAside& job, std::int64_t from, std::int64_t to,
                   std::int64_t length, std::uint8_t key, Transform transform) {
    const std::int64_t n = std::min(length, format::kStreamPrefixLimit);
    std::string prefix(static_cast<std::size_t>(n), '\0');
    if (!job.source().readAt(from, prefix.data(), n)) {
        return false;
    }
    transform(prefix.data(), prefix.data(), prefix.size(), key);
    if (!job.target().writeAt(to, prefix.data(), n)) {
        return false;
    }
    ctx.ui.progress(n, length);
    return fs::copyRange(job.source(), from + n, job.target(), to + n, length - n,
                         [&](std::int64_t copied) { ctx.ui.progress(n + copied, length); });
}

// Runs one item through the set-aside and turns every outcome into its message.
class StreamAction {
  public:
    StreamAction(ActionContext& ctx, std::string failText)
        : ctx_(ctx),
          name_(nameOf(ctx.CurrentItemPath)),
          failText_(std::move(failText)),
          job_(ctx.CurrentItemPath) {}

    ActionContext& ctx() { return ctx_; }
    SetAside& job() { return job_; }
    const std::string& name() const { return name_; }

    // The item is put back before anything is shown, so that it is in its
    // place while a message box waits for the user.
    ItemResult refuse(std::string_view text, std::string_view title = kTitleNotice) {
        const bool restored = job_.restore();
        ctx_.refuse(text, title);
        return reportRestore(restored, ItemResult::Refused);
    }

    // The already-encrypted question: No stops the batch, Yes lets it go on.
    ItemResult askToContinue(std::string_view text) {
        const bool restored = job_.restore();
        const Answer answer = ctx_.ui.messageBox(text, kTitleNotice, Buttons::YesNo);
        ctx_.NoticeShown = true;
        return reportRestore(restored,
                             answer == Answer::No ? ItemResult::StopBatch : ItemResult::Refused);
    }

    ItemResult fail() {
        const bool restored = job_.restore();
        ctx_.fail(failText_);
        return reportRestore(restored, ItemResult::Failed);
    }

    // Make the finished target durable, then drop the aside copy.
    ItemResult complete(std::int64_t size, std::string (*asideLeftText)(std::string_view)) {
        switch (job_.complete(size)) {
            case SetAside::Completion::Done:
                return ItemResult::Done;
            case SetAside::Completion::AsideKept:
                ctx_.ui.messageBox(asideLeftText(job_.asidePath()), kTitleNotice, Buttons::Ok);
                return ItemResult::Done;
            case SetAside::Completion::Failed:
                break;
        }
        return fail();
    }

    // Whatever went wrong before, an item must not end up in pieces.
    template <typename Body>
    ItemResult run(Body body) {
        try {
            return body(*this);
        } catch (const std::exception&) {
            return fail();
        }
    }

  private:
    ItemResult reportRestore(bool restored, ItemResult result) {
        if (!restored) {
            ctx_.ui.messageBox(msg::restoreFailed(name_, job_.asidePath()), kTitleNotice,
                               Buttons::Ok);
        }
        return result;
    }

    ActionContext& ctx_;
    std::string name_;
    std::string failText_;
    SetAside job_;
};

// Checked before the item is set aside: whether the new copy fits on the disk
// beside it (the size of the item, links followed, plus `extra`).
bool hasRoomBeside(const std::string& item, std::int64_t extra) {
    const std::int64_t size = fs::fileSizeOf(item);
    return size < 0 || fs::hasRoomFor(item, std::max<std::int64_t>(0, size + extra));
}

ItemResult encode(StreamAction& action) {
    ActionContext& ctx = action.ctx();
    SetAside& job = action.job();
    // Encrypting one name of a file with several would leave the others plain.
    if (fs::hardLinkCount(ctx.CurrentItemPath) > 1) {
        return action.refuse(msg::hasOtherNames(action.name()));
    }
    const std::int64_t headSize = format::bodyOffset(ctx.password);
    if (!hasRoomBeside(ctx.CurrentItemPath, headSize)) {
        return action.refuse(
            msg::noRoomToEncrypt(action.name(), fs::fileSizeOf(ctx.CurrentItemPath) + headSize));
    }
    if (!job.begin()) {
        return action.fail();
    }
    const std::optional<std::string> start = readStart(job.source(), 3);
    if (!start) {
        return action.fail();
    }
    if (format::isEncrypted(*start)) {
        return action.askToContinue(msg::alreadyEncryptedContinue(action.name()));
    }
    if (!format::canStorePassword(ctx.password)) {
        return action.refuse(msg::kPasswordNotStorable);
    }
    if (!format::canStoreContent(ctx.password, *start)) {
        return action.refuse(msg::needsPassword(action.name()));
    }
    const std::int64_t size = job.source().size();
    const std::string head = format::header(ctx.password);
    if (size < 0 || !job.createTarget()) {
        return action.fail();
    }
    ctx.ui.showBusy();
    if (!job.target().writeAt(0, head.data(), headSize) ||
        !streamContent(ctx, job, 0, headSize, size, format::contentKey(ctx.password),
                       format::encodeBytes)) {
        return action.fail();
    }
    return action.complete(headSize + size, msg::plainCopyLeft);
}

ItemResult decode(StreamAction& action) {
    ActionContext& ctx = action.ctx();
    SetAside& job = action.job();
    const std::int64_t headSize = format::bodyOffset(ctx.password);
    if (!hasRoomBeside(ctx.CurrentItemPath, -headSize)) {
        return action.refuse(
            msg::noRoomToDecrypt(action.name(), fs::fileSizeOf(ctx.CurrentItemPath) - headSize));
    }
    if (!job.begin()) {
        return action.fail();
    }
    const std::optional<std::string> start =
        readStart(job.source(), format::headerCheckLength(ctx.password));
    if (!start) {
        return action.fail();
    }
    const format::HeaderCheck check = format::checkHeader(*start, ctx.password);
    switch (check.outcome) {
        case HeaderOutcome::NotEncrypted:
            return action.refuse(msg::notEncrypted(action.name()), kTitleCannotDecrypt);
        case HeaderOutcome::PasswordGivenNoneStored:
        case HeaderOutcome::WrongPassword:
            return action.refuse(msg::wrongPassword(action.name()));
        case HeaderOutcome::PasswordNeeded:
            return action.refuse(msg::passwordNeeded(action.name()), kTitleCannotDecrypt);
        case HeaderOutcome::Decode:
            break;
    }
    const std::int64_t bodySize = job.source().size() - check.bodyOffset;
    if (bodySize < 0 || !job.createTarget()) {
        return action.fail();
    }
    ctx.ui.showBusy();
    if (!streamContent(ctx, job, check.bodyOffset, 0, bodySize, check.key, format::decodeBytes)) {
        return action.fail();
    }
    return action.complete(bodySize, msg::encryptedCopyLeft);
}

}  // namespace

ItemResult File_add(ActionContext& ctx) {
    StreamAction action(ctx, msg::encryptFailed(baseNameOf(ctx.CurrentItemPath)));
    return action.run(encode);
}

ItemResult File_sub(ActionContext& ctx) {
    StreamAction action(ctx, msg::streamDecryptFailed(nameOf(ctx.CurrentItemPath)));
    return action.run(decode);
}

}  // namespace zv
