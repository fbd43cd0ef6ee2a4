#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace zv::test {

std::ostream& operator<<(std::ostream& os, const Shown& s) {
    return os << "{\"" << s.text << "\", \"" << s.title << "\", "
              << (s.buttons == Buttons::Ok ? "Ok" : "YesNo") << "}";
}

Answer ScriptedUi::messageBox(std::string_view text, std::string_view title, Buttons buttons) {
    shown.push_back({std::string(text), std::string(title), buttons});
    if (buttons == Buttons::Ok) {
        return Answer::Ok;
    }
    if (answers_.empty()) {
        ADD_FAILURE() << "unscripted question: " << text;
        return Answer::No;
    }
    const Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

void ScriptedUi::progress(std::int64_t done, std::int64_t total) {
    progressCalls.emplace_back(done, total);
}

}  // namespace zv::test
