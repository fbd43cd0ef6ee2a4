// The streaming codec on one file with the window's own UI port, so that the
// busy panel is repainted on progress reports as it is in the program:
//   window_progress_driver encrypt|decrypt FILE [PASSWORD]
// Needs a display (Xvfb will do). Prints on stdout how long the action took
// and how much of that its progress reports took.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "app/qt_ui_port.h"
#include "timed_progress.h"

int main(int argc, char** argv) {
    if (!driverArguments(argc, argv)) {
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
    return runTimedAction(port, argc, argv);
}
