#pragma once

#include <string>
#include <string_view>

#include "platform/secure_wipe.h"
#include "platform/ui_port.h"

namespace zv {

// What a per-item action reports back to the batch.
enum class ItemResult {
    Done,       // the item was transformed
    Refused,    // the item was refused with a message; NoticeShown is set
    Failed,     // the item could not be processed; a failure message was shown
    StopBatch,  // the user asked to stop the whole batch
};

// The state a batch shares with the per-item actions it invokes.
struct ActionContext {
    UiPort& ui;
    std::string password;         // the password field as code-page-936 bytes
    std::string CurrentItemPath;  // the item being processed
    bool NoticeShown = false;     // set when an action refuses an item

    // The password does not outlive the batch.
    ~ActionContext() { wipe(password); }

    // Show a refusal and mark the batch so that a one-item run omits its completion message.
    ItemResult refuse(std::string_view text, std::string_view title = kTitleNotice) {
        ui.messageBox(text, title, Buttons::Ok);
        NoticeShown = true;
        return ItemResult::Refused;
    }

    // Show a failure; unlike a refusal it leaves NoticeShown alone.
    ItemResult fail(std::string_view text, std::string_view title = kTitleNotice) {
        ui.messageBox(text, title, Buttons::Ok);
        return ItemResult::Failed;
    }
};

}  // namespace zv
