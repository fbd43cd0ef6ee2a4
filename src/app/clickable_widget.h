#pragma once

#include <QWidget>

#include "app/click_tracker.h"

namespace zv::app {

// A control drawn by hand that the user can click like a button.
class ClickableWidget : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;

  signals:
    void clicked();

  protected:
    bool pressed() const { return click_.pressed(); }
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    ClickTracker click_;
};

}  // namespace zv::app
