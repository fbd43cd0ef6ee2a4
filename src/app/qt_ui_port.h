#pragma once

#include <QElapsedTimer>
#include <QString>

#include "platform/ui_port.h"

class QLabel;
class QWidget;

namespace zv::app {

// The actions' messages and the busy panel, on the Qt window. Everything runs
// on the window's thread, so the busy panel is painted on the spot: nothing else
// paints while an action runs.
class QtUiPort : public UiPort {
  public:
    QtUiPort(QWidget& window, QLabel& busyPanel) : window_(window), busyPanel_(busyPanel) {}

    Answer messageBox(std::string_view text, std::string_view title, Buttons buttons) override;
    void showBusy() override;
    void hideBusy() override;
    void progress(std::int64_t done, std::int64_t total) override;

  private:
    QWidget& window_;
    QLabel& busyPanel_;
    QElapsedTimer sincePainted_;  // since a progress report was last shown
};

// The busy panel's text for a share of work done: the plain text and a percentage.
QString busyText(std::int64_t done, std::int64_t total);

}  // namespace zv::app
