#include "app/qt_ui_port.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>
#include <algorithm>

#include "app/form_texts.h"

namespace zv::app {
namespace {

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Let the window system paint and deliver its own events; mouse and keyboard
// input waits until the action is over.
void letPaintingHappen() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

Answer QtUiPort::messageBox(std::string_view text, std::string_view title, Buttons buttons) {
    QMessageBox box(&window_);
    box.setWindowTitle(fromView(title));
    // File names are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(fromView(text));
    if (buttons == Buttons::Ok) {
        box.setIcon(QMessageBox::NoIcon);
        box.addButton(QMessageBox::Ok)->setText(QString::fromUtf8(texts::kOk));
    } else {
        box.setIcon(QMessageBox::Question);
        box.addButton(QMessageBox::Yes)->setText(QString::fromUtf8(texts::kYes));
        box.addButton(QMessageBox::No)->setText(QString::fromUtf8(texts::kNo));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    }
    const int pressed = box.exec();
    if (buttons == Buttons::Ok) {
        return Answer::Ok;
    }
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void QtUiPort::showBusy() {
    sincePainted_.invalidate();  // the first report of an item shows at once
    busyPanel_.setText(QString::fromUtf8(texts::kBusy));
    busyPanel_.show();
    window_.repaint();
    letPaintingHappen();
}

void QtUiPort::hideBusy() {
    busyPanel_.hide();
    busyPanel_.setText(QString::fromUtf8(texts::kBusy));
}

void QtUiPort::progress(std::int64_t done, std::int64_t total) {
    // Setting the text, painting it and letting the window system catch up
    // take about a millisecond; reports come every few megabytes. Following
    // them four times a second (and always at the end) keeps the display of a
    // large file's progress well under one percent of its time.
    constexpr qint64 kPaintIntervalMs = 250;
    if (done < total && sincePainted_.isValid() && sincePainted_.elapsed() < kPaintIntervalMs) {
        return;
    }
    busyPanel_.setText(busyText(done, total));
    busyPanel_.show();
    busyPanel_.repaint();
    letPaintingHappen();
    sincePainted_.start();
}

QString busyText(std::int64_t done, std::int64_t total) {
    const std::int64_t percent =
        total > 0 ? std::clamp<std::int64_t>(done * 100 / total, 0, 100) : 0;
    return QString::fromUtf8(texts::kBusy) + QStringLiteral(" %1%").arg(percent);
}

}  // namespace zv::app
