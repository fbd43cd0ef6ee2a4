#include "cli/cli_ui.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "platform/terminal.h"

namespace zv::cli {
namespace {

bool isYes(std::string answer) {
    std::transform(answer.begin(), answer.end(), answer.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return answer == "y" || answer == "yes" || answer == "是";
}

}  // namespace

Answer CliUi::messageBox(std::string_view text, std::string_view title, Buttons buttons) {
    clearProgress();
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(title.size()), title.data(),
                 static_cast<int>(text.size()), text.data());
    if (buttons == Buttons::Ok) {
        return Answer::Ok;
    }
    if (answerYes_) {
        return Answer::Yes;
    }
    const std::optional<std::string> answer = term::readLine("[y/N] ");
    return answer && isYes(*answer) ? Answer::Yes : Answer::No;
}

void CliUi::progress(std::int64_t done, std::int64_t total) {
    // Reports come every few megabytes; redrawing at most ten times a second
    // (and always at the end) is enough to watch and keeps the bar's writes to
    // the terminal out of the time a large file takes.
    constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
    const auto now = std::chrono::steady_clock::now();
    if (total <= 0 || (progressShown_ && done < total && now - progressDrawn_ < kRedrawInterval) ||
        !term::stderrIsTerminal()) {
        return;
    }
    progressDrawn_ = now;
    const int width = std::clamp(term::stderrColumns() - 8, 10, 60);
    const int filled = static_cast<int>(width * std::min(done, total) / total);
    const int percent = static_cast<int>(100 * std::min(done, total) / total);
    std::fprintf(stderr, "\r[%s%s] %3d%%",
                 std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(width - filled), ' ').c_str(), percent);
    std::fflush(stderr);
    progressShown_ = true;
}

void CliUi::clearProgress() {
    if (progressShown_) {
        std::fprintf(stderr, "\r%*s\r", term::stderrColumns() - 1, "");
        progressShown_ = false;
    }
}

}  // namespace zv::cli
