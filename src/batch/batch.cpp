#include "batch/batch.h"

#include <cstdint>
#include <exception>
#include <optional>

#include "batch/batch_messages.h"
#include "batch/batch_password.h"
#include "codec/format.h"
#include "codec/memory_codec.h"
#include "codec/stream_codec.h"
#include "folderlock/folder_lock.h"
#include "platform/file_system.h"
#include "platform/folder_flush.h"
#include "platform/secure_wipe.h"

namespace zv {
namespace {

bool ask(UiPort& ui, std::string_view text) {
    return ui.messageBox(text, kTitleNotice, Buttons::YesNo) == Answer::Yes;
}

BatchOutcome endEarly(BatchFocus focus = BatchFocus::None) {
    BatchOutcome outcome;
    outcome.focus = focus;
    return outcome;
}

// Folder actions must never end the batch: whatever they raise is a failure of that item.
ItemResult runFolderAction(ItemResult (*action)(ActionContext&), ActionContext& ctx) {
    try {
        return action(ctx);
    } catch (const std::exception&) {
        return ItemResult::Failed;
    }
}

// Steps shared by both batches once the items have been processed.
void finish(ActionContext& ctx, std::size_t count, std::string_view doneText,
            BatchOutcome& outcome) {
    // The renames of the rewritten files reach the disk before anyone is told.
    fs::flushReplacedFolders();
    ctx.ui.hideBusy();
    if (!(ctx.NoticeShown && count == 1)) {
        ctx.ui.messageBox(doneText, kTitleNotice, Buttons::Ok);
    }
    outcome.reset = true;
}

}  // namespace

BatchOutcome ImagADDClick(UiPort& ui, const BatchInput& input) {
    if (input.items.empty()) {
        ui.messageBox(msg::kNothingToEncrypt, kTitleNotice, Buttons::Ok);
        return endEarly();
    }
    if (input.password.empty()) {
        if (!ask(ui, msg::kNoPasswordReally)) {
            return endEarly(BatchFocus::EditPass);
        }
    } else if (input.password != input.password2) {
        ui.messageBox(msg::kPasswordsDiffer, kTitleNotice, Buttons::Ok);
        return endEarly(BatchFocus::EditPass2);
    }
    std::optional<std::string> password = batchPassword(input.password);
    if (!password) {
        ui.messageBox(msg::kPasswordUnusable, kTitleNotice, Buttons::Ok);
        return endEarly(BatchFocus::EditPass);
    }
    const WipeOnExit wipePassword(*password);
    if (!ask(ui, msg::reallyEncrypt(input.lastPickName))) {
        return endEarly();
    }

    ActionContext ctx{ui, *password, {}};
    BatchOutcome outcome;
    for (const std::string& item : input.items) {
        ctx.CurrentItemPath = item;
        ItemResult result;
        if (fs::isFile(item)) {
            result =
                fs::fileSizeOf(item) > format::kMemoryCodecLimit ? File_add(ctx) : Memory_add(ctx);
        } else {
            result = runFolderAction(lockFolder, ctx);
        }
        outcome.results.push_back(result);
        if (result == ItemResult::StopBatch) {
            break;
        }
    }
    finish(ctx, input.items.size(), msg::kEncryptDone, outcome);
    return outcome;
}

BatchOutcome ImageUbbClick(UiPort& ui, const BatchInput& input) {
    if (input.items.empty()) {
        ui.messageBox(msg::kNothingToDecrypt, kTitleNotice, Buttons::Ok);
        return endEarly();
    }
    std::optional<std::string> password = batchPassword(input.password);
    if (!password) {
        ui.messageBox(msg::kPasswordUnusable, kTitleNotice, Buttons::Ok);
        return endEarly(BatchFocus::EditPass);
    }
    const WipeOnExit wipePassword(*password);
    if (!ask(ui, msg::kReallyDecrypt)) {
        return endEarly();
    }

    // A file no larger than the biggest the in-memory encoder can have written
    // with this password goes back through the in-memory decoder.
    const std::int64_t threshold = format::kMemoryCodecLimit + format::bodyOffset(*password);
    ActionContext ctx{ui, *password, {}};
    BatchOutcome outcome;
    try {
        for (const std::string& item : input.items) {
            ctx.CurrentItemPath = item;
            ItemResult result;
            if (fs::isFile(item)) {
                result = fs::fileSizeOf(item) > threshold ? File_sub(ctx) : Memory_sub(ctx);
            } else {
                result = runFolderAction(unlockFolder, ctx);
            }
            outcome.results.push_back(result);
        }
    } catch (const std::exception&) {
        fs::flushReplacedFolders();
        return endEarly();  // an unexpected failure ends the batch without a word
    }
    finish(ctx, input.items.size(), msg::kDecryptDone, outcome);
    return outcome;
}

}  // namespace zv
