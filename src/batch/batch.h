#pragma once

#include <string>
#include <vector>

#include "platform/action_context.h"
#include "platform/ui_port.h"

namespace zv {

// What the window (or the command line) hands a batch: its list and fields.
struct BatchInput {
    std::vector<std::string> items;  // the list, in order
    std::string password;            // EditPass, UTF-8 text
    std::string password2;           // EditPass2, UTF-8 text (encryption only)
    std::string lastPickName;        // LastPickName, for the confirmation question
};

// Where the window puts the keyboard focus after a batch that ended early.
enum class BatchFocus { None, EditPass, EditPass2 };

struct BatchOutcome {
    // The batch ran to its end: clear both password fields and the list (and,
    // after encryption, untick CheckDir).
    bool reset = false;
    BatchFocus focus = BatchFocus::None;
    // One result per item processed, in list order; shorter than the list when
    // the user stopped the batch.
    std::vector<ItemResult> results;
};

// The encrypt picture: validate, confirm, then dispatch every item by kind and size.
BatchOutcome ImagADDClick(UiPort& ui, const BatchInput& input);

// The decrypt picture: confirm, then send every item to the matching decoder or the unlock.
BatchOutcome ImageUbbClick(UiPort& ui, const BatchInput& input);

}  // namespace zv
