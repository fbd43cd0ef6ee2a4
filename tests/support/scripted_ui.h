#pragma once

#include <cstdint>
#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "platform/ui_port.h"

namespace zv::test {

// One message box as the user saw it.
struct Shown {
    std::string text;
    std::string title;
    Buttons buttons = Buttons::Ok;

    bool operator==(const Shown&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Shown& s);

// A UI port for tests: records every message and answers Yes/No questions from
// a script (questions beyond the script fail the test). OK boxes answer Ok.
class ScriptedUi : public UiPort {
public:
    explicit ScriptedUi(std::deque<Answer> answers = {}) : answers_(std::move(answers)) {}

    Answer messageBox(std::string_view text, std::string_view title, Buttons buttons) override;
    void showBusy() override { ++busyShown; }
    void hideBusy() override { ++busyHidden; }
    void progress(std::int64_t done, std::int64_t total) override;

    void answer(Answer a) { answers_.push_back(a); }

    std::vector<Shown> shown;
    int busyShown = 0;
    int busyHidden = 0;
    std::vector<std::pair<std::int64_t, std::int64_t>> progressCalls;

private:
    std::deque<Answer> answers_;
};

// Shorthands for the expected messages in tests.
inline Shown ok(std::string text, std::string_view title = kTitleNotice) {
    return {std::move(text), std::string(title), Buttons::Ok};
}
inline Shown question(std::string text, std::string_view title = kTitleNotice) {
    return {std::move(text), std::string(title), Buttons::YesNo};
}

}  // namespace zv::test
