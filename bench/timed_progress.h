#pragma once

#include <chrono>
#include <cstdint>

#include "platform/ui_port.h"

// Passes everything on to a real UI port and adds up the time its progress
// reports take, so a benchmark can tell what reporting costs an action.
class TimedProgress : public zv::UiPort {
  public:
    explicit TimedProgress(zv::UiPort& inner) : inner_(inner) {}

    zv::Answer messageBox(std::string_view text, std::string_view title,
                          zv::Buttons buttons) override {
        return inner_.messageBox(text, title, buttons);
    }
    void showBusy() override { inner_.showBusy(); }
    void hideBusy() override { inner_.hideBusy(); }
    void progress(std::int64_t done, std::int64_t total) override {
        const auto start = std::chrono::steady_clock::now();
        inner_.progress(done, total);
        spent_ += std::chrono::steady_clock::now() - start;
        ++reports_;
    }

    int reports() const { return reports_; }
    double spentMs() const { return std::chrono::duration<double, std::milli>(spent_).count(); }

  private:
    zv::UiPort& inner_;
    std::chrono::steady_clock::duration spent_{};
    int reports_ = 0;
};
