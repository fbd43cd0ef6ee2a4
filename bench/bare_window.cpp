// The yardstick for the window's start-up time: the smallest Qt Widgets
// program that shows a window of the main window's size, and nothing else.
//   bare_window          an empty window
//   bare_window --text   the same with one line of Chinese text, to show
//                        what loading the fonts for it costs on its own
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
    const bool withText = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare Qt window"));
    window.resize(640, 480);
    if (withText) {
        auto* label = new QLabel(QStringLiteral("ZV文件加密工具：请选择文件"), &window);
        label->move(20, 20);
    }
    window.show();
    return QApplication::exec();
}
