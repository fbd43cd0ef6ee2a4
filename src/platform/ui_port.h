#pragma once

#include <cstdint>
#include <string_view>

namespace zv {

// Titles of the message boxes, the only three the tool uses.
inline constexpr std::string_view kTitleNotice = "提示";
inline constexpr std::string_view kTitleCannotDecrypt = "不能解密";
inline constexpr std::string_view kTitleWarning = "警告";

enum class Buttons {
    Ok,     // an OK button, no icon
    YesNo,  // Yes and No buttons with the question icon
};

enum class Answer { Ok, Yes, No };

// Everything an action shows the user or asks of them goes through this port.
// The Qt window, the command line and the tests each supply one. Texts are UTF-8.
class UiPort {
public:
    virtual ~UiPort() = default;

    // A modal message box; returns the button pressed.
    virtual Answer messageBox(std::string_view text, std::string_view title, Buttons buttons) = 0;

    // Show the busy panel and repaint at once: nothing else paints while a batch runs.
    virtual void showBusy() = 0;
    virtual void hideBusy() = 0;

    // Bytes done out of total for the item being processed. Called every few
    // megabytes during long work; the default ignores it.
    virtual void progress(std::int64_t done, std::int64_t total) {
        (void)done;
        (void)total;
    }
};

}  // namespace zv
