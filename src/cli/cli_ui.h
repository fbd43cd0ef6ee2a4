#pragma once

#include <chrono>
#include <cstdio>

#include "platform/ui_port.h"

namespace zv::cli {

// Messages to standard error as "title: text"; questions on the terminal.
class CliUi : public UiPort {
  public:
    explicit CliUi(bool answerYes) : answerYes_(answerYes) {}

    Answer messageBox(std::string_view text, std::string_view title, Buttons buttons) override;
    void showBusy() override {}
    void hideBusy() override { clearProgress(); }
    void progress(std::int64_t done, std::int64_t total) override;

  private:
    void clearProgress();

    bool answerYes_;
    bool progressShown_ = false;
    std::chrono::steady_clock::time_point progressDrawn_;
};

}  // namespace zv::cli
