// The streaming codec on one file with the window's own UI port, so that the
// busy panel is repainted on every progress report as it is in the program:
//   window_progress_driver encrypt|decrypt FILE [PASSWORD]
// Needs a display (Xvfb will do). Prints on stdout how long the action took
// and how much of that its progress reports took.
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "app/qt_ui_port.h"
#include "codec/stream_codec.h"
#include "timed_progress.h"

int main(int argc, char** argv) {
    if (argc < 3 ||
        (std::strcmp(argv[1], "encrypt") != 0 && std::strcmp(argv[1], "decrypt") != 0)) {
        std::fprintf(stderr, "usage: %s encrypt|decrypt FILE [PASSWORD]\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    QWidget window;
    window.resize(640, 480);
    QLabel busy(&window);
    busy.setGeometry(170, 200, 300, 60);
    window.show();
    QApplication::processEvents();

    zv::app::QtUiPort port(window, busy);
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
