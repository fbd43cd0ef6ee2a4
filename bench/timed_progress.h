#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "codec/stream_codec.h"
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

// The drivers' command line: encrypt|decrypt FILE [PASSWORD]. False, after
// printing the usage, when it is not that.
inline bool driverArguments(int argc, char** argv) {
    if (argc >= 3 &&
        (std::strcmp(argv[1], "encrypt") == 0 || std::strcmp(argv[1], "decrypt") == 0)) {
        return true;
    }
    std::fprintf(stderr, "usage: %s encrypt|decrypt FILE [PASSWORD]\n", argv[0]);
    return false;
}

// Runs the streaming codec as the arguments say, with `port` taking the
// messages and progress, and prints on stdout how long the action took and
// how much of that its progress reports took. Returns the exit status: 0 when
// the file was transformed.
inline int runTimedAction(zv::UiPort& port, int argc, char** argv) {
    TimedProgress ui(port);
    zv::ActionContext ctx{ui, argc > 3 ? argv[3] : "", argv[2]};
    const bool encrypt = std::strcmp(argv[1], "encrypt") == 0;
    const auto start = std::chrono::steady_clock::now();
    const zv::ItemResult result = encrypt ? zv::File_add(ctx) : zv::File_sub(ctx);
    ui.hideBusy();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("action %.1f ms, %d progress reports %.2f ms (%.3f %%)\n", ms, ui.reports(),
                ui.spentMs(), 100.0 * ui.spentMs() / ms);
    return result == zv::ItemResult::Done ? 0 : 1;
}
