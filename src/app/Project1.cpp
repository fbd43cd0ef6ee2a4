#include "app/Project1.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

#include "app/artwork.h"
#include "app/command_line.h"
#include "app/display_check.h"
#include "app/form1.h"
#include "app/qt_shell.h"

namespace zv::app {

int Project1(int argc, char* argv[]) {
    // Without a display Qt would stop with its own error about platform plugins.
    if (const auto line = noDisplayMessage([](const char* name) { return std::getenv(name); })) {
        std::fprintf(stderr, "%s\n", line->c_str());
        return 1;
    }
    QApplication application(argc, argv);
    // One look on every desktop, the look the layout was made for.
    QApplication::setStyle(QStringLiteral("Fusion"));

    // The pictures are drawn for the main screen while the window is built.
    const QScreen* screen = QGuiApplication::primaryScreen();  // none while no screen is attached
    const artwork::HeadStart artworkHeadStart(screen != nullptr ? screen->devicePixelRatio() : 1.0);
    QtShell shell;
    TForm1 Form1(shell);
    Form1.appendItems(pathsFromArguments(QApplication::arguments().mid(1), QDir::currentPath()));
    Form1.show();
    return QApplication::exec();
}

}  // namespace zv::app
